#pragma once
// Bounded little-endian access to byte buffers. Every file and report layout
// is read and written field by field through these, so that no reader can
// step past the bytes it holds, whatever a header claims.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kw {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    std::size_t offset() const { return offset_; }
    std::size_t remaining() const { return ok_ ? bytes_.size() - offset_ : 0; }
    // False once any read went past the end; later reads then yield zeros.
    bool ok() const { return ok_; }

    void seek(std::size_t offset) {
        if (offset > bytes_.size()) {
            ok_ = false;
            return;
        }
        offset_ = offset;
    }
    bool has(std::size_t count) const { return ok_ && count <= bytes_.size() - offset_; }

    std::uint8_t u8() {
        if (!has(1)) {
            ok_ = false;
            return 0;
        }
        return bytes_[offset_++];
    }
    std::uint16_t u16() {
        if (!has(2)) {
            ok_ = false;
            return 0;
        }
        std::uint16_t v = static_cast<std::uint16_t>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
        offset_ += 2;
        return v;
    }
    std::uint32_t u32() {
        if (!has(4)) {
            ok_ = false;
            return 0;
        }
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            v = (v << 8) | bytes_[offset_ + static_cast<std::size_t>(i)];
        }
        offset_ += 4;
        return v;
    }
    // A view of the next count bytes; empty (and not ok) when they are not there.
    std::span<const std::uint8_t> take(std::size_t count) {
        if (!has(count)) {
            ok_ = false;
            return {};
        }
        auto view = bytes_.subspan(offset_, count);
        offset_ += count;
        return view;
    }
    void skip(std::size_t count) { take(count); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void u8(std::uint8_t v) { out_.push_back(v); }
    void u16(std::uint16_t v) {
        out_.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            out_.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
        }
    }
    void bytes(std::span<const std::uint8_t> data) {
        out_.insert(out_.end(), data.begin(), data.end());
    }
    void zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }

private:
    std::vector<std::uint8_t>& out_;
};

// Little-endian stores into a fixed buffer, for reports and areas whose
// fields sit at known offsets. Out-of-range stores are ignored.
inline void storeU16(std::span<std::uint8_t> buf, std::size_t at, std::uint16_t v) {
    if (at + 2 <= buf.size()) {
        buf[at] = static_cast<std::uint8_t>(v & 0xFF);
        buf[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
}
inline std::uint16_t loadU16(std::span<const std::uint8_t> buf, std::size_t at) {
    if (at + 2 > buf.size()) {
        return 0;
    }
    return static_cast<std::uint16_t>(buf[at] | (buf[at + 1] << 8));
}

} // namespace kw
