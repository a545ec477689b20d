#include "records/csv.h"

#include "io/whole_file.h"
#include "text/encoding.h"
#include "text/text_case.h"

#include <algorithm>

namespace dalvex {
namespace {

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    fields.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), ';')) + 1);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(';', start);
        if (end == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

int CsvFile::column(std::string_view normalizedName) const {
    const auto it = columns.find(std::string(normalizedName));
    return it == columns.end() ? -1 : it->second;
}

std::string_view CsvFile::field(const std::vector<std::string>& line, int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= line.size()) return {};
    return line[static_cast<std::size_t>(column)];
}

CsvResult parseCsv(std::string_view bytes, CsvFile& out) {
    out.lines.clear();
    out.columns.clear();
    if (bytes.find('\n') == std::string_view::npos) return kCsvEmpty;

    // Decoding first is safe: the separators are ASCII and no decoded Cyrillic byte falls below 0x80.
    const std::string text = cp1251ToUtf8(bytes);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.lines.push_back(splitFields(line));
        start = next;
    }

    const std::vector<std::string>& header = out.lines.front();
    for (std::size_t i = 0; i < header.size(); ++i)
        out.columns[normalized(header[i])] = static_cast<int>(i);
    return kCsvRead;
}

CsvResult readCsv(const std::filesystem::path& file, CsvFile& out) {
    out.lines.clear();
    out.columns.clear();
    std::string bytes;
    if (!readWholeFile(file, bytes)) return kCsvCannotOpen;
    return parseCsv(bytes, out);
}

} // namespace dalvex
