#pragma once
// A read position over one byte buffer that never leaves it: every read says whether the
// bytes were there, so a parser built on it can refuse a short or damaged buffer instead of
// reading past its end. The buffer is not owned and must outlive the cursor.

#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace velmora::datapacket {

class ByteCursor {
public:
    static constexpr size_t kNotFound = std::string_view::npos;

    ByteCursor() = default;
    explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

    size_t Position() const { return position_; }
    size_t Size() const { return bytes_.size(); }
    size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }
    std::string_view Buffer() const { return bytes_; }
    std::string_view Rest() const { return bytes_.substr(position_); }

    // The byte `ahead` bytes after the position, or -1 past the end.
    int Peek(size_t ahead = 0) const {
        return ahead < Remaining() ? static_cast<unsigned char>(bytes_[position_ + ahead]) : -1;
    }
    bool StartsWith(std::string_view prefix) const {
        return Rest().substr(0, prefix.size()) == prefix;
    }

    // REQUIRES: position <= Size().
    void Seek(size_t position) { position_ = position; }
    // Moves at most to the end.
    void Advance(size_t count) { position_ += count < Remaining() ? count : Remaining(); }

    // False (and nothing consumed) when fewer than `count` bytes are left.
    bool Take(size_t count, std::string_view& out) {
        if (count > Remaining()) return false;
        out = bytes_.substr(position_, count);
        position_ += count;
        return true;
    }

    // A little-endian integer of sizeof(T) bytes.
    template <typename T>
    bool TakeLittleEndian(T& value) {
        static_assert(std::is_integral_v<T>);
        std::string_view raw;
        if (!Take(sizeof(T), raw)) return false;
        std::make_unsigned_t<T> bits = 0;
        for (size_t i = sizeof(T); i-- > 0;)
            bits = static_cast<std::make_unsigned_t<T>>((bits << 8) |
                                                        static_cast<unsigned char>(raw[i]));
        value = static_cast<T>(bits);
        return true;
    }

    // Offset from the position of the first `byte` at or after it, or kNotFound.
    size_t Find(char byte) const {
        if (AtEnd()) return kNotFound;
        const void* hit = std::memchr(bytes_.data() + position_, byte, Remaining());
        return hit ? static_cast<size_t>(static_cast<const char*>(hit) -
                                         (bytes_.data() + position_))
                   : kNotFound;
    }
    size_t Find(std::string_view text) const { return Rest().find(text); }

private:
    std::string_view bytes_;
    size_t position_ = 0;
};

}  // namespace velmora::datapacket
