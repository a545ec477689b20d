#include "records/csv.h"

#include "io/whole_file.h"
#include "text/encoding.h"
#include "text/text_case.h"

namespace dalvex {

int CsvFile::column(std::string_view normalizedName) const {
    const auto it = columns.find(std::string(normalizedName));
    return it == columns.end() ? -1 : it->second;
}

std::string_view CsvFile::field(std::string_view line, int column) {
    if (column < 0) return {};
    std::size_t start = 0;
    for (int k = 0; k < column; ++k) {
        const std::size_t separator = line.find(';', start);
        if (separator == std::string_view::npos) return {};
        start = separator + 1;
    }
    const std::size_t end = line.find(';', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

CsvResult parseCsv(std::string_view bytes, CsvFile& out) {
    out.text.clear();
    out.lineSpans.clear();
    out.columns.clear();
    if (bytes.find('\n') == std::string_view::npos) return kCsvEmpty;

    // Decoding first is safe: the separators are ASCII and no decoded Cyrillic byte falls below 0x80.
    out.text = cp1251ToUtf8(bytes);
    const std::string_view text = out.text;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') --length;
        out.lineSpans.emplace_back(start, length);
        start = next;
    }

    const std::string_view header = out.line(0);
    std::size_t from = 0;
    for (int i = 0;; ++i) {
        const std::size_t separator = header.find(';', from);
        out.columns[normalized(header.substr(
            from, separator == std::string_view::npos ? std::string_view::npos : separator - from))] = i;
        if (separator == std::string_view::npos) break;
        from = separator + 1;
    }
    return kCsvRead;
}

CsvResult readCsv(const std::filesystem::path& file, CsvFile& out, std::uint64_t limit) {
    out.text.clear();
    out.lineSpans.clear();
    out.columns.clear();
    std::string bytes;
    if (!readWholeFile(file, bytes, limit)) return kCsvCannotOpen;
    return parseCsv(bytes, out);
}

} // namespace dalvex
