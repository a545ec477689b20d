#include "io/binary_stream.h"

#include "io/bit_cast.h"
#include "text/encoding.h"

namespace dalvex {
namespace {

template <class Unsigned> void putLittleEndian(std::string& out, Unsigned v) {
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

template <class Unsigned> Unsigned getLittleEndian(const char* p) {
    Unsigned v = 0;
    for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
        v |= static_cast<Unsigned>(static_cast<unsigned char>(p[i])) << (8 * i);
    }
    return v;
}

} // namespace

void BinaryWriter::u8(uint8_t v) {
    buffer_.push_back(static_cast<char>(v));
}
void BinaryWriter::u16(uint16_t v) {
    putLittleEndian(buffer_, v);
}
void BinaryWriter::i32(int32_t v) {
    putLittleEndian(buffer_, static_cast<uint32_t>(v));
}
void BinaryWriter::i64(int64_t v) {
    putLittleEndian(buffer_, static_cast<uint64_t>(v));
}
void BinaryWriter::f64(double v) {
    putLittleEndian(buffer_, bitCast<uint64_t>(v));
}

void BinaryWriter::str(std::string_view utf8) {
    std::u16string units = utf8ToUtf16(utf8);
    if (units.size() > kMaxTextUnits) {
        std::size_t cut = kMaxTextUnits;
        // Never leave the high half of a surrogate pair as the last unit.
        if (units[cut - 1] >= 0xD800 && units[cut - 1] <= 0xDBFF) --cut;
        units.resize(cut);
    }
    u16(static_cast<uint16_t>(units.size()));
    for (char16_t unit : units)
        u16(unit);
}

bool BinaryReader::take(std::size_t n, const char*& out) {
    if (!ok_ || n > remaining()) {
        ok_ = false;
        return false;
    }
    out = data_.data() + pos_;
    pos_ += n;
    return true;
}

uint8_t BinaryReader::u8() {
    const char* p = nullptr;
    return take(1, p) ? static_cast<uint8_t>(*p) : 0;
}

uint16_t BinaryReader::u16() {
    const char* p = nullptr;
    return take(2, p) ? getLittleEndian<uint16_t>(p) : 0;
}

int32_t BinaryReader::i32() {
    const char* p = nullptr;
    return take(4, p) ? static_cast<int32_t>(getLittleEndian<uint32_t>(p)) : 0;
}

int64_t BinaryReader::i64() {
    const char* p = nullptr;
    return take(8, p) ? static_cast<int64_t>(getLittleEndian<uint64_t>(p)) : 0;
}

double BinaryReader::f64() {
    const char* p = nullptr;
    return take(8, p) ? bitCast<double>(getLittleEndian<uint64_t>(p)) : 0.0;
}

std::string_view BinaryReader::raw(std::size_t n) {
    const char* p = nullptr;
    return take(n, p) ? std::string_view(p, n) : std::string_view();
}

std::string BinaryReader::str() {
    const std::size_t count = u16();
    const char* p = nullptr;
    if (!take(count * 2, p)) return {};
    std::u16string units;
    for (std::size_t i = 0; i < count && i < kMaxTextUnits; ++i) {
        const auto unit = getLittleEndian<uint16_t>(p + 2 * i);
        if (unit == 0) break;
        units.push_back(unit);
    }
    return utf16ToUtf8(units);
}

void BinaryReader::seek(std::size_t position) {
    // A position past the end is a read past the end.
    if (position > data_.size()) {
        pos_ = data_.size();
        ok_ = false;
        return;
    }
    pos_ = position;
}

} // namespace dalvex
