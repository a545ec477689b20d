#include "pg_search.h"

#include <set>
#include <string_view>
#include <utility>

namespace dalvex::journal {
namespace {

// The server keeps a word of at most 2046 bytes and positions up to 16383; a tsvector of at most 1 MB.
constexpr std::size_t kWordLimit = 2000;
constexpr std::size_t kQueryWordLimit = kWordLimit - 4; // a query word cut shorter stays a prefix of its word
constexpr int kLastPosition = 16383;
constexpr std::size_t kDocumentLimit = 512 * 1024;

// The length of the valid UTF-8 sequence at `at`, or 0 for a byte that starts none.
std::size_t validSequence(std::string_view s, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return lead == 0 ? 0 : 1;
    std::size_t n = lead >= 0xc2 && lead <= 0xdf ? 2 : lead >= 0xe0 && lead <= 0xef ? 3 : lead >= 0xf0 && lead <= 0xf4 ? 4 : 0;
    if (n == 0 || at + n > s.size()) return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((byte(at + i) & 0xc0) != 0x80) return 0;
    const unsigned second = byte(at + 1);
    if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second > 0x9f) || (lead == 0xf0 && second < 0x90) ||
        (lead == 0xf4 && second > 0x8f))
        return 0;
    return n;
}

// A word as the server can hold it: bytes that are not UTF-8 as "?" (the same for the order and the typed
// text), cut at a character's end within `limit` bytes, and quoted for a tsvector or tsquery literal.
std::string lexeme(std::string_view word, std::size_t limit) {
    std::string clean;
    for (std::size_t i = 0; i < word.size();) {
        const std::size_t n = validSequence(word, i);
        if (clean.size() + std::max<std::size_t>(n, 1) > limit) break;
        if (n == 0) {
            clean += '?';
            ++i;
        } else {
            clean.append(word.substr(i, n));
            i += n;
        }
    }
    std::string quoted = "'";
    for (char c : clean) {
        if (c == '\'' || c == '\\') quoted += c == '\'' ? '\'' : '\\';
        quoted += c;
    }
    return quoted + "'";
}

template <class Visit> void forEachWord(const std::string& words, Visit visit) {
    std::size_t start = 0;
    while (start < words.size()) {
        std::size_t end = words.find(' ', start);
        if (end == std::string::npos) end = words.size();
        if (end > start) visit(std::string_view(words).substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

std::string tsvectorLiteral(const SearchDocument& doc) {
    const std::pair<const std::string*, char> fields[] = {
        {&doc.number, 'A'}, {&doc.customer, 'B'}, {&doc.address, 'C'}, {&doc.phone, 'D'}};
    std::set<std::pair<std::string, char>> seen; // a word once a field is enough to be found
    std::string literal;
    int position = 0;
    for (const auto& [words, weight] : fields)
        forEachWord(*words, [&](std::string_view word) {
            std::string l = lexeme(word, kWordLimit);
            if (literal.size() + l.size() > kDocumentLimit || !seen.emplace(l, weight).second) return;
            position = std::min(position + 1, kLastPosition);
            if (!literal.empty()) literal += ' ';
            literal += l + ":" + std::to_string(position) + weight;
        });
    return literal;
}

std::string tsqueryLiteral(const std::vector<SearchTerm>& terms) {
    std::string query;
    for (const SearchTerm& t : terms) {
        if (!query.empty()) query += " & ";
        const std::string word = lexeme(t.word, kQueryWordLimit);
        if (!t.digits) {
            query += word + ":*BC";
            continue;
        }
        query += "( " + word + ":*ACD";
        if (!t.withoutCountryPrefix.empty()) query += " | " + lexeme(t.withoutCountryPrefix, kQueryWordLimit) + ":*D";
        if (!t.withinPhone.empty()) query += " | " + lexeme(t.withinPhone, kQueryWordLimit) + ":*D";
        query += " )";
    }
    return query;
}

} // namespace dalvex::journal
