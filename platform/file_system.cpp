#include "platform/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/errors.h"
#include "platform/file_descriptor.h"

namespace velmora::platform {

namespace {

bool StatFollowingLinks(const std::string& path, struct stat& info) {
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return StatFollowingLinks(path, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    return StatFollowingLinks(path, info) && S_ISDIR(info.st_mode);
}

bool CreateDirectories(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
    return DirectoryExists(path);
}

std::string ExecutablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ExecutableDirectory() {
    std::string path = ExecutablePath();
    return path.substr(0, path.rfind('/') + 1);
}

std::string TempDirectory() {
    const char* fromEnvironment = std::getenv("TMPDIR");
    std::string folder = fromEnvironment && *fromEnvironment ? fromEnvironment : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::string CreateTempFile(std::string_view prefix, const std::string& folder) {
    std::string pattern = folder;
    pattern.append(prefix).append("XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    detail::UniqueDescriptor file(::mkstemp(name.data()));
    if (!file.Valid()) CannotCreateFileError(pattern, errno);
    return name.data();
}

}  // namespace velmora::platform
