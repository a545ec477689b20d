#pragma once
// Little-endian binary forms of the sketch file: u8, u16, i32, i64, f64 and str (u16 count + UTF-16LE units).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dalvex {

// Texts in the file hold at most this many UTF-16 code units.
inline constexpr std::size_t kMaxTextUnits = 254;

class BinaryWriter {
public:
    void u8(uint8_t v);
    void u16(uint16_t v);
    void i32(int32_t v);
    void i64(int64_t v);
    void f64(double v);
    // UTF-8 text as a u16 count and that many UTF-16LE code units, cut to kMaxTextUnits units without
    // splitting a surrogate pair.
    void str(std::string_view utf8);
    // Bytes as they are, without a count.
    void raw(std::string_view bytes) { buffer_.append(bytes); }

    const std::string& bytes() const { return buffer_; }

private:
    std::string buffer_;
};

// Reads from a byte buffer without ever reading past its end: a read that runs out of data returns 0 (or
// empty text) and clears ok(), which stays false from then on.
class BinaryReader {
public:
    explicit BinaryReader(std::string_view bytes) : data_(bytes) {}

    uint8_t u8();
    uint16_t u16();
    int32_t i32();
    int64_t i64();
    double f64();
    // Reads the whole text (so the stream stays in step), keeps its first kMaxTextUnits code units and ends
    // it at the first code unit 0 inside; returned as UTF-8.
    std::string str();
    // The next `n` bytes as they are; empty (and not ok()) when fewer remain.
    std::string_view raw(std::size_t n);

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }
    // Moves back or forth within the buffer (used to step back over a peeked byte).
    void seek(std::size_t position);
    std::size_t remaining() const { return data_.size() - pos_; }

private:
    bool take(std::size_t n, const char*& out);

    std::string_view data_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace dalvex
