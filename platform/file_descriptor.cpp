#include "platform/file_descriptor.h"

#include <unistd.h>

#include <cerrno>

namespace velmora::platform::detail {

UniqueDescriptor& UniqueDescriptor::operator=(UniqueDescriptor&& other) noexcept {
    if (this != &other) {
        Reset();
        descriptor_ = other.Release();
    }
    return *this;
}

int UniqueDescriptor::Release() noexcept {
    int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

int UniqueDescriptor::Reset() noexcept {
    if (descriptor_ < 0) return 0;
    // A failed close can be the first report of a failed write (network and quota file
    // systems), so it is passed on. The descriptor is gone either way, even after EINTR.
    int failure = ::close(Release()) == 0 ? 0 : errno;
    return failure == EINTR ? 0 : failure;
}

int WriteAll(int descriptor, std::string_view bytes) noexcept {
    while (!bytes.empty()) {
        ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return ENOSPC;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

}  // namespace velmora::platform::detail
