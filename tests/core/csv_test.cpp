#include "records/csv.h"
#include "temp_folder.h"
#include "text/encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {
namespace {

using Lines = std::vector<std::vector<std::string>>;

// Every line split at each ";", as the readers see it field by field.
Lines linesOf(const CsvFile& csv) {
    Lines lines;
    for (std::size_t i = 0; i < csv.lineCount(); ++i) {
        const std::string_view line = csv.line(i);
        std::vector<std::string> fields;
        const auto separators = std::count(line.begin(), line.end(), ';');
        for (int column = 0; column <= separators; ++column)
            fields.emplace_back(CsvFile::field(line, column));
        lines.push_back(std::move(fields));
    }
    return lines;
}

struct SplitCase {
    const char* label;
    std::string bytes;
    CsvResult result;
    Lines lines;
};

TEST(CsvTest, SplitsLinesAndFields) {
    const std::vector<SplitCase> cases = {
        {"empty file", "", kCsvEmpty, {}},
        {"no line end at all", "a;b;c", kCsvEmpty, {}},
        {"header only", "a;b\n", kCsvRead, {{"a", "b"}}},
        {"last line without LF", "a;b\n1;2", kCsvRead, {{"a", "b"}, {"1", "2"}}},
        {"CR LF taken as LF", "a;b\r\n1;2\r\n", kCsvRead, {{"a", "b"}, {"1", "2"}}},
        {"lone CR stays in the field", "a\rb\n", kCsvRead, {{"a\rb"}}},
        {"empty fields kept", ";x;\n;;\n", kCsvRead, {{"", "x", ""}, {"", "", ""}}},
        {"blank line in the middle", "h\n\n1\n", kCsvRead, {{"h"}, {""}, {"1"}}},
        {"single LF", "\n", kCsvRead, {{""}}},
    };
    for (const SplitCase& c : cases) {
        CsvFile csv;
        EXPECT_EQ(parseCsv(c.bytes, csv), c.result) << c.label;
        EXPECT_EQ(linesOf(csv), c.lines) << c.label;
    }
}

TEST(CsvTest, DecodesWindows1251) {
    CsvFile csv;
    ASSERT_EQ(parseCsv(utf8ToCp1251("Код;Цена\nЖёлтый;12\n"), csv), kCsvRead);
    ASSERT_EQ(csv.lineCount(), 2u);
    EXPECT_EQ(CsvFile::field(csv.line(1), 0), "Жёлтый");
}

TEST(CsvTest, BindsNormalisedHeaderNamesLaterDuplicateWins) {
    CsvFile csv;
    ASSERT_EQ(parseCsv(utf8ToCp1251("  КОД ;Цена;x;цена\t\n"), csv), kCsvRead);
    EXPECT_EQ(csv.column("код"), 0);
    EXPECT_EQ(csv.column("цена"), 3);
    EXPECT_EQ(csv.column("x"), 2);
    EXPECT_EQ(csv.column("Код"), -1); // callers ask with the normalised name
    EXPECT_EQ(csv.column("название"), -1);
}

TEST(CsvTest, ShortLinesGiveEmptyFields) {
    CsvFile csv;
    ASSERT_EQ(parseCsv("a;b;c\n1\n", csv), kCsvRead);
    const std::string_view line = csv.line(1);
    EXPECT_EQ(CsvFile::field(line, 0), "1");
    EXPECT_EQ(CsvFile::field(line, 1), "");
    EXPECT_EQ(CsvFile::field(line, 2), "");
    EXPECT_EQ(CsvFile::field(line, -1), "");
    EXPECT_EQ(csv.dataLineCount(), 1u);
}

TEST(CsvTest, SurvivesLongLinesAndJunk) {
    CsvFile csv;
    std::string longLine = "a;b\n" + std::string(1 << 20, 'x') + ";1\n";
    ASSERT_EQ(parseCsv(longLine, csv), kCsvRead);
    ASSERT_EQ(csv.lineCount(), 2u);
    EXPECT_EQ(CsvFile::field(csv.line(1), 0).size(), std::size_t{1} << 20);
    EXPECT_EQ(CsvFile::field(csv.line(1), 1), "1");

    // A line of nothing but separators costs no more than its text: the fields are views into it.
    const std::string separators = "a;b\n" + std::string(1 << 20, ';') + "\n";
    ASSERT_EQ(parseCsv(separators, csv), kCsvRead);
    const std::string_view last = CsvFile::field(csv.line(1), 1 << 20);
    EXPECT_TRUE(last.empty());
    EXPECT_GE(last.data(), csv.text.data());
    EXPECT_LE(last.data(), csv.text.data() + csv.text.size());

    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk.push_back(static_cast<char>((i * 131 + 7) & 0xFF));
    EXPECT_EQ(parseCsv(junk, csv), kCsvRead);
    EXPECT_NE(csv.lineCount(), 0u);
}

TEST(CsvTest, ReadsFiles) {
    testing::TempFolder folder;
    CsvFile csv;
    EXPECT_EQ(readCsv(folder / "missing.csv", csv, 1024), kCsvCannotOpen);
    EXPECT_EQ(readCsv(folder.path(), csv, 1024), kCsvCannotOpen); // a folder is no list
    EXPECT_EQ(readCsv(folder.writeBytes("empty.csv", ""), csv, 1024), kCsvEmpty);
    EXPECT_EQ(readCsv(folder.writeBytes("flat.csv", "код;цена"), csv, 1024), kCsvEmpty);
    ASSERT_EQ(readCsv(folder.writeText("list.csv", "Код;Цена\r\nA1;1,5\r\n"), csv, 1024), kCsvRead);
    EXPECT_EQ(csv.column("цена"), 1);
    EXPECT_EQ(csv.lineCount(), 2u);
}

} // namespace
} // namespace dalvex
