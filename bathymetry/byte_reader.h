// A bounds-checked cursor over bytes read from a binary file.
//
// Every read names its width and byte order, so the host's own order never
// matters. A read past the end yields 0 and sets a failure flag that stays
// set: a caller can read a whole header and check once at the end, and a
// cut-off file can never make it read outside the bytes it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vornel {

class ByteReader {
public:
    ByteReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    bool failed() const { return failed_; }
    std::size_t remaining() const { return size_ - pos_; }
    std::size_t position() const { return pos_; }

    std::uint8_t u8() {
        const unsigned char* p = take(1);
        return p ? p[0] : 0;
    }
    std::uint16_t u16le() {
        const unsigned char* p = take(2);
        return p ? static_cast<std::uint16_t>(p[0] | p[1] << 8) : 0;
    }
    std::int32_t i32le() {
        const unsigned char* p = take(4);
        return p ? static_cast<std::int32_t>(word(p[0], p[1], p[2], p[3])) : 0;
    }
    std::int32_t i32be() {
        const unsigned char* p = take(4);
        return p ? static_cast<std::int32_t>(word(p[3], p[2], p[1], p[0])) : 0;
    }
    // IEEE 754 binary64, little-endian. Goes through memcpy: the bytes are
    // neither aligned nor of the host's order.
    double f64le() {
        const unsigned char* p = take(8);
        if (!p) return 0.0;
        const std::uint64_t bits = static_cast<std::uint64_t>(word(p[0], p[1], p[2], p[3])) |
                                   static_cast<std::uint64_t>(word(p[4], p[5], p[6], p[7])) << 32;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // The next `n` bytes, or null (and failed) when fewer remain.
    const unsigned char* bytes(std::size_t n) { return take(n); }
    void skip(std::size_t n) { take(n); }

private:
    static std::uint32_t word(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3) {
        return static_cast<std::uint32_t>(b0) | static_cast<std::uint32_t>(b1) << 8 |
               static_cast<std::uint32_t>(b2) << 16 | static_cast<std::uint32_t>(b3) << 24;
    }
    const unsigned char* take(std::size_t n) {
        if (failed_ || n > size_ - pos_) {
            failed_ = true;
            pos_ = size_;
            return nullptr;
        }
        const unsigned char* p = data_ + pos_;
        pos_ += n;
        return p;
    }

    const unsigned char* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace vornel
