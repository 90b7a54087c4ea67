#pragma once
// The one growing buffer a packet is built in. It starts at kStartSize bytes; when a piece
// needs more room than is left it grows, alternately by at least kStartSize bytes and by its
// current size (at most kMaxGrowth at once), so that a large packet is not copied over and
// over and a huge one does not double in one go.
//
// Failures raise EStoreError(kCodeOutOfMemory).

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::datapacket {

class PacketBuffer {
public:
    static constexpr size_t kStartSize = 32768;
    static constexpr size_t kMaxGrowth = 1024000;

    PacketBuffer();

    // Makes sure that `count` more bytes fit without growing.
    void EnsureRoom(size_t count) {
        if (bytes_.size() - used_ < count) Grow(count);
    }
    // Appends bytes, growing as needed. Inline: a written row appends a few pieces per value.
    void Append(std::string_view bytes) {
        EnsureRoom(bytes.size());
        bytes.copy(bytes_.data() + used_, bytes.size());
        used_ += bytes.size();
    }
    void Append(char byte) { Append(std::string_view(&byte, 1)); }

    size_t Size() const { return used_; }
    size_t Capacity() const { return bytes_.size(); }
    // REQUIRES: at + bytes.size() <= Size().
    void Overwrite(size_t at, std::string_view bytes);
    std::string_view Bytes() const { return std::string_view(bytes_).substr(0, used_); }
    // The written bytes, trimmed to their length; the buffer is spent afterwards.
    std::string Take();

private:
    void Grow(size_t count);

    std::string bytes_;
    size_t used_ = 0;
    bool stepNext_ = true;  // the next growth is by kStartSize, else by the current size
};

}  // namespace velmora::datapacket
