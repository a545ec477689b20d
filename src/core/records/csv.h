#pragma once
// The common form of the data files (price lists and material lists): Windows-1251 text read whole, CR LF
// taken as LF, one record per line, fields separated by ";", the first line naming the columns. The decoded
// text is held once; lines and fields are views into it, so a list costs little more than its own text.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace dalvex {

struct CsvFile {
    // The whole text in UTF-8.
    std::string text;
    // Where each line lies in `text` (offset, length), without its line end; line 0 is the header line.
    std::vector<std::pair<std::size_t, std::size_t>> lineSpans;
    // Normalised header name to its column (0-based); when a name occurs twice the later column wins.
    std::unordered_map<std::string, int> columns;

    std::size_t lineCount() const { return lineSpans.size(); }
    std::string_view line(std::size_t i) const {
        return std::string_view(text).substr(lineSpans[i].first, lineSpans[i].second);
    }
    // The column bound to a normalised header name, or -1.
    int column(std::string_view normalizedName) const;
    // The field of a line in a column; empty when the column is unbound or the line is shorter.
    static std::string_view field(std::string_view line, int column);
    // Number of data lines (every line after the header).
    std::size_t dataLineCount() const { return lineSpans.empty() ? 0 : lineSpans.size() - 1; }
};

enum CsvResult : int {
    kCsvRead = 0,
    kCsvCannotOpen = 1, // missing, not a regular file, above the size limit, or unreadable
    kCsvEmpty = 2,      // empty, or without a single line end
};

// Splits Windows-1251 bytes into lines and binds the header names.
CsvResult parseCsv(std::string_view bytes, CsvFile& out);
// Reads the whole file (at most `limit` bytes) and parses it.
CsvResult readCsv(const std::filesystem::path& file, CsvFile& out, std::uint64_t limit);

} // namespace dalvex
