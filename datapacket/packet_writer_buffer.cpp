#include "datapacket/packet_writer_buffer.h"

#include <algorithm>
#include <new>

#include "platform/errors.h"
#include "store/store_codes.h"

namespace velmora::datapacket {

namespace {

template <typename Action>
void OrOutOfMemory(Action action) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        throw EStoreError(store::kCodeOutOfMemory);
    } catch (const std::length_error&) {
        throw EStoreError(store::kCodeOutOfMemory);
    }
}

}  // namespace

PacketBuffer::PacketBuffer() {
    OrOutOfMemory([this] { bytes_.resize(kStartSize); });
}

void PacketBuffer::Grow(size_t count) {
    while (bytes_.size() - used_ < count) {
        const size_t shortfall = count - (bytes_.size() - used_);
        const size_t growth =
            stepNext_ ? std::max(kStartSize, shortfall) : std::min(bytes_.size(), kMaxGrowth);
        stepNext_ = !stepNext_;
        OrOutOfMemory([&] { bytes_.resize(bytes_.size() + growth); });
    }
}

void PacketBuffer::Overwrite(size_t at, std::string_view bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string PacketBuffer::Take() {
    bytes_.resize(used_);
    used_ = 0;
    return std::move(bytes_);
}

}  // namespace velmora::datapacket
