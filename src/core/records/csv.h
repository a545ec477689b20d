#pragma once
// The common form of the data files (price lists and material lists): Windows-1251 text read whole, CR LF
// taken as LF, one record per line, fields separated by ";", the first line naming the columns.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dalvex {

struct CsvFile {
    // Every line's fields in UTF-8; lines[0] is the header line.
    std::vector<std::vector<std::string>> lines;
    // Normalised header name to its column (0-based); when a name occurs twice the later column wins.
    std::unordered_map<std::string, int> columns;

    // The column bound to a normalised header name, or -1.
    int column(std::string_view normalizedName) const;
    // The field of a line in a column; empty when the column is unbound or the line is shorter.
    static std::string_view field(const std::vector<std::string>& line, int column);
    // Number of data lines (every line after the header).
    std::size_t dataLineCount() const { return lines.empty() ? 0 : lines.size() - 1; }
};

enum CsvResult : int {
    kCsvRead = 0,
    kCsvCannotOpen = 1,
    kCsvEmpty = 2, // empty, or without a single line end
};

// Splits Windows-1251 bytes into lines and fields and binds the header names.
CsvResult parseCsv(std::string_view bytes, CsvFile& out);
// Reads the whole file and parses it.
CsvResult readCsv(const std::filesystem::path& file, CsvFile& out);

} // namespace dalvex
