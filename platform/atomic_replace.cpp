#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

#include "platform/errors.h"
#include "platform/file_descriptor.h"
#include "platform/file_system.h"

namespace velmora::platform {

namespace {

// The file a symbolic link names is replaced, not the link.
std::string ResolveLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file beside the target, or an invalid descriptor with `failure` set. Created with 0666
// so that the umask gives a new target the same mode any newly created file would have.
detail::UniqueDescriptor CreateSibling(const std::string& target, std::string& siblingPath,
                                       int& failure) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    failure = EEXIST;
    for (int attempt = 0; attempt < 100 && failure == EEXIST; ++attempt) {
        siblingPath = target + ".tmp" + std::to_string(random() % 1000000000);
        detail::UniqueDescriptor file(
            ::open(siblingPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.Valid()) return file;
        failure = errno;
    }
    return detail::UniqueDescriptor();
}

// Returns 0 or the errno of the first failing step; the sibling is complete on disk on success.
int WriteSibling(detail::UniqueDescriptor& file, std::string_view bytes, const struct stat* old) {
    if (old && ::fchmod(file.Get(), old->st_mode & 07777) != 0) return errno;
    if (int failure = detail::WriteAll(file.Get(), bytes)) return failure;
    if (::fsync(file.Get()) != 0) return errno;
    return file.Reset();
}

// Makes the rename itself durable. A file system that cannot flush folders says EINVAL.
int FlushFolder(const std::string& folder) {
    detail::UniqueDescriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!handle.Valid()) return errno;
    if (::fsync(handle.Get()) != 0 && errno != EINVAL) return errno;
    return 0;
}

}  // namespace

void ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveLink(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    std::string siblingPath;
    int failure = 0;
    detail::UniqueDescriptor sibling = CreateSibling(target, siblingPath, failure);
    if (!sibling.Valid()) CannotCreateFileError(AbsolutePath(path), failure);
    failure = WriteSibling(sibling, bytes, exists ? &old : nullptr);
    if (failure == 0 && ::rename(siblingPath.c_str(), target.c_str()) != 0) failure = errno;
    if (failure != 0) {
        ::unlink(siblingPath.c_str());
        CannotCreateFileError(AbsolutePath(path), failure);
    }
    if (int flushFailure = FlushFolder(FolderOf(target)))
        CannotCreateFileError(AbsolutePath(path), flushFailure);
}

void CopyFileReplacing(const std::string& from, const std::string& to) {
    std::string bytes = ReadFileShared(from);
    ExclusiveFile::LockForReplace(to).ReplaceContent(bytes);
}

}  // namespace velmora::platform
