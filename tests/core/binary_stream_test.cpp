#include "io/binary_stream.h"

#include "io/bit_cast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "text/encoding.h"

namespace dalvex {
namespace {

TEST(BinaryStream, NumbersAreLittleEndian) {
    BinaryWriter w;
    w.u8(0xAB);
    w.u16(0x1234);
    w.i32(-2);
    w.i64(0x0102030405060708LL);
    w.f64(1.0);
    const std::string expected("\xAB"
                               "\x34\x12"
                               "\xFE\xFF\xFF\xFF"
                               "\x08\x07\x06\x05\x04\x03\x02\x01"
                               "\x00\x00\x00\x00\x00\x00\xF0\x3F",
                               23);
    EXPECT_EQ(w.bytes(), expected);
}

TEST(BinaryStream, EveryFormRoundTrips) {
    const double reals[] = {0.0,
                            -0.0,
                            1.5,
                            -1e300,
                            std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    const int32_t ints[] = {0, 1, -1, std::numeric_limits<int32_t>::max(),
                            std::numeric_limits<int32_t>::min()};
    const int64_t longs[] = {0, -1, std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()};
    const std::string texts[] = {"", "Сенфил-Н", "Щетка торцевая №5", "a😀b", "€"};
    BinaryWriter w;
    for (int v : {0, 1, 127, 128, 255})
        w.u8(static_cast<uint8_t>(v));
    for (int v : {0, 1, 0x7FFF, 0x8000, 0xFFFF})
        w.u16(static_cast<uint16_t>(v));
    for (int32_t v : ints)
        w.i32(v);
    for (int64_t v : longs)
        w.i64(v);
    for (double v : reals)
        w.f64(v);
    for (const auto& t : texts)
        w.str(t);

    BinaryReader r(w.bytes());
    for (int v : {0, 1, 127, 128, 255})
        EXPECT_EQ(r.u8(), v);
    for (int v : {0, 1, 0x7FFF, 0x8000, 0xFFFF})
        EXPECT_EQ(r.u16(), v);
    for (int32_t v : ints)
        EXPECT_EQ(r.i32(), v);
    for (int64_t v : longs)
        EXPECT_EQ(r.i64(), v);
    for (double v : reals)
        EXPECT_EQ(bitCast<uint64_t>(r.f64()), bitCast<uint64_t>(v));
    for (const auto& t : texts)
        EXPECT_EQ(r.str(), t);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(BinaryStream, TextIsCountThenUtf16Units) {
    BinaryWriter w;
    w.str("Сенфил-Н");
    ASSERT_EQ(w.bytes().size(), 2u + 16u);
    EXPECT_EQ(w.bytes().substr(0, 4), std::string("\x08\x00\x21\x04", 4)); // 8 units, 'С' = U+0421
}

std::string repeated(std::string_view unit, int times) {
    std::string s;
    for (int i = 0; i < times; ++i)
        s += unit;
    return s;
}

TEST(BinaryStream, LongTextsAreCutWithoutSplittingPairs) {
    struct Case {
        std::string text;
        std::size_t writtenUnits;
    };
    const Case cases[] = {
        {repeated("я", 254), 254},        {repeated("я", 300), 254},
        {repeated("a", 253) + "😀", 253},  // the pair would straddle the cut: dropped whole
        {repeated("a", 252) + "😀x", 254}, // the pair fits exactly
        {repeated("😀", 200), 254},
    };
    for (const auto& c : cases) {
        BinaryWriter w;
        w.str(c.text);
        w.u8(0x5A);
        BinaryReader r(w.bytes());
        const std::string back = r.str();
        EXPECT_EQ(utf8ToUtf16(back).size(), c.writtenUnits);
        EXPECT_EQ(back, c.text.substr(0, back.size())); // a prefix of the original, no replacement characters
        EXPECT_EQ(r.u8(), 0x5A);
        EXPECT_TRUE(r.ok());
    }
}

// A file written by someone else may hold longer texts than ours: the reader keeps 254 units and stays in
// step.
TEST(BinaryStream, ReaderKeepsFirstUnitsOfLongTextAndStaysInStep) {
    BinaryWriter w;
    w.u16(300);
    for (int i = 0; i < 300; ++i)
        w.u16(static_cast<uint16_t>(u'a' + i % 26));
    w.i32(777);
    BinaryReader r(w.bytes());
    const std::string text = r.str();
    ASSERT_EQ(text.size(), 254u);
    EXPECT_EQ(text.substr(0, 3), "abc");
    EXPECT_EQ(text[253], static_cast<char>('a' + 253 % 26));
    EXPECT_EQ(r.i32(), 777);
    EXPECT_TRUE(r.ok());
}

TEST(BinaryStream, ReaderEndsTextAtZeroUnitAndRepairsHalfPairs) {
    BinaryWriter w;
    w.u16(4);
    for (int u : {0x61, 0x62, 0, 0x63})
        w.u16(static_cast<uint16_t>(u));
    w.u16(2);
    for (int u : {0xD83D, 0x78})
        w.u16(static_cast<uint16_t>(u));
    w.u8(9);
    BinaryReader r(w.bytes());
    EXPECT_EQ(r.str(), "ab");
    EXPECT_EQ(r.str(), "\xEF\xBF\xBDx");
    EXPECT_EQ(r.u8(), 9);
    EXPECT_TRUE(r.ok());
}

TEST(BinaryStream, TruncatedBuffersNeverReadPastTheEnd) {
    BinaryWriter w;
    w.u8(1);
    w.u16(2);
    w.i32(3);
    w.i64(4);
    w.f64(5.5);
    w.str("Щетка");
    const std::string full = w.bytes();
    for (std::size_t size = 0; size < full.size(); ++size) {
        // A copy of exactly `size` bytes, so that ASan catches any read beyond it.
        const std::string cut = full.substr(0, size);
        BinaryReader r(cut);
        const uint8_t a = r.u8();
        const uint16_t b = r.u16();
        const int32_t c = r.i32();
        const int64_t d = r.i64();
        const double e = r.f64();
        const std::string f = r.str();
        EXPECT_FALSE(r.ok()) << size;
        EXPECT_LE(r.position(), size);
        // Whatever was complete reads right; everything from the first short read on is zero or empty.
        EXPECT_EQ(a, size >= 1 ? 1 : 0);
        EXPECT_EQ(b, size >= 3 ? 2 : 0);
        EXPECT_EQ(c, size >= 7 ? 3 : 0);
        EXPECT_EQ(d, size >= 15 ? 4 : 0);
        EXPECT_EQ(e, size >= 23 ? 5.5 : 0.0);
        EXPECT_EQ(f, "");
    }
}

TEST(BinaryStream, FailureIsPermanentAndSeekStaysInside) {
    const std::string bytes("\x01\x02\x03", 3);
    BinaryReader r(bytes);
    EXPECT_EQ(r.u16(), 0x0201);
    r.seek(1);
    EXPECT_EQ(r.u8(), 2);
    EXPECT_EQ(r.i32(), 0);
    EXPECT_FALSE(r.ok());
    r.seek(0);
    EXPECT_EQ(r.u8(), 0); // still failed: the stream is out of step
    EXPECT_FALSE(r.ok());

    BinaryReader s(bytes);
    s.seek(3);
    EXPECT_TRUE(s.ok());
    EXPECT_EQ(s.remaining(), 0u);
    s.seek(4);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.position(), 3u);
    EXPECT_EQ(s.u8(), 0);
}

} // namespace
} // namespace dalvex
