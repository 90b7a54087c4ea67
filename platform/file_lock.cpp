#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/errors.h"
#include "platform/file_descriptor.h"
#include "platform/file_system.h"

namespace velmora::platform {

namespace {

[[noreturn]] void RaiseCannotOpen(const std::string& path, int errnum) {
    CannotOpenFileError(AbsolutePath(path), errnum);
}

[[noreturn]] void RaiseCannotCreate(const std::string& path, int errnum) {
    CannotCreateFileError(AbsolutePath(path), errnum);
}

// Without waiting: a file in use elsewhere fails at once, as a sharing violation would.
void LockOrRaiseCannotCreate(int descriptor, const std::string& path) {
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) RaiseCannotCreate(path, errno);
}

// Reads from the current position to the end; returns 0 or the errno of the failure.
int ReadToEnd(int descriptor, std::string& bytes) {
    struct stat info {};
    if (::fstat(descriptor, &info) == 0 && info.st_size > 0)
        bytes.reserve(static_cast<size_t>(info.st_size));
    char chunk[65536];
    for (;;) {
        ssize_t count = ::read(descriptor, chunk, sizeof chunk);
        if (count == 0) return 0;
        if (count > 0) {
            bytes.append(chunk, static_cast<size_t>(count));
        } else if (errno != EINTR) {
            return errno;
        }
    }
}

}  // namespace

std::string ReadFileShared(const std::string& path) {
    detail::UniqueDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) RaiseCannotOpen(path, errno);
    if (::flock(file.Get(), LOCK_SH | LOCK_NB) != 0) RaiseCannotOpen(path, errno);
    std::string bytes;
    if (int failure = ReadToEnd(file.Get(), bytes)) RaiseCannotOpen(path, failure);
    return bytes;
}

ExclusiveFile ExclusiveFile::CreateOrTruncate(const std::string& path) {
    detail::UniqueDescriptor file(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (!file.Valid()) RaiseCannotCreate(path, errno);
    LockOrRaiseCannotCreate(file.Get(), path);
    // Cut only once the lock is held, so a reader never sees the file emptied under it.
    if (::ftruncate(file.Get(), 0) != 0) RaiseCannotCreate(path, errno);
    return ExclusiveFile(path, file.Release(), false);
}

ExclusiveFile ExclusiveFile::LockForReplace(const std::string& path) {
    bool createdHere = true;
    detail::UniqueDescriptor file(
        ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.Valid() && errno == EEXIST) {
        createdHere = false;
        // Opening for writing also refuses a read-only file, which replacing would not.
        file = detail::UniqueDescriptor(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    }
    if (!file.Valid()) RaiseCannotCreate(path, errno);
    ExclusiveFile locked(path, file.Release(), createdHere);  // removes what it created on failure
    LockOrRaiseCannotCreate(locked.descriptor_, path);
    return locked;
}

ExclusiveFile::ExclusiveFile(std::string path, int descriptor, bool createdHere)
    : path_(std::move(path)), descriptor_(descriptor), removeOnClose_(createdHere) {}

ExclusiveFile::ExclusiveFile(ExclusiveFile&& other) noexcept
    : path_(std::move(other.path_)),
      descriptor_(std::exchange(other.descriptor_, -1)),
      removeOnClose_(std::exchange(other.removeOnClose_, false)) {}

ExclusiveFile& ExclusiveFile::operator=(ExclusiveFile&& other) noexcept {
    if (this != &other) {
        Close();
        path_ = std::move(other.path_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        removeOnClose_ = std::exchange(other.removeOnClose_, false);
    }
    return *this;
}

ExclusiveFile::~ExclusiveFile() {
    Close();
}

void ExclusiveFile::Close() noexcept {
    if (descriptor_ < 0) return;
    // Removed while still locked, so no one can have started to use it.
    if (removeOnClose_) ::unlink(path_.c_str());
    ::close(std::exchange(descriptor_, -1));
}

void ExclusiveFile::Write(std::string_view bytes) {
    if (int failure = detail::WriteAll(descriptor_, bytes)) RaiseCannotCreate(path_, failure);
}

std::string ExclusiveFile::ReadAll() const {
    std::string bytes;
    if (::lseek(descriptor_, 0, SEEK_SET) != 0) RaiseCannotOpen(path_, errno);
    if (int failure = ReadToEnd(descriptor_, bytes)) RaiseCannotOpen(path_, failure);
    return bytes;
}

void ExclusiveFile::ReplaceContent(std::string_view bytes) {
    ReplaceFileAtomically(path_, bytes);
    removeOnClose_ = false;
}

}  // namespace velmora::platform
