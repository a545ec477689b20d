#include "search_terms.h"

#include "text/text_case.h"

#include <cstdint>

namespace dalvex::journal {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The length of the UTF-8 sequence that starts with `lead` (1 for a stray byte, which then stands alone).
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xf0 && lead <= 0xf4) return 4;
    if (lead >= 0xe0) return lead <= 0xef ? 3 : 1;
    if (lead >= 0xc2) return 2;
    return 1;
}

// Whether the character at `text` (a whole sequence) belongs to a word: ASCII letters and digits, and every
// character beyond ASCII but the punctuation a name or an address is written with.
bool inWord(std::string_view ch) {
    if (ch.size() == 1) return isDigit(ch[0]) || isAsciiLetter(ch[0]);
    static constexpr std::string_view kSeparators[] = {
        "\xc2\xa0", // no-break space
        "«",        "»", "–", "—", "…", "№", "“", "”", "„", "‘", "’", "\xe2\x80\xaf", "·",
    };
    for (std::string_view s : kSeparators)
        if (ch == s) return false;
    return true;
}

template <class Visit> void forEachWord(std::string_view text, Visit visit) {
    std::size_t start = std::string_view::npos;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = sequenceLength(static_cast<unsigned char>(text[i]));
        if (i + n > text.size()) n = text.size() - i;
        const bool word = inWord(text.substr(i, n));
        if (word && start == std::string_view::npos) start = i;
        if (!word && start != std::string_view::npos) {
            visit(text.substr(start, i - start));
            start = std::string_view::npos;
        }
        i += n;
    }
    if (start != std::string_view::npos) visit(text.substr(start));
}

std::string digitsOf(std::string_view text) {
    std::string d;
    for (char c : text)
        if (isDigit(c)) d += c;
    return d;
}

bool allDigits(std::string_view word) {
    if (word.empty()) return false;
    for (char c : word)
        if (!isDigit(c)) return false;
    return true;
}

// Digits, spaces and the signs a phone is written with, and at least one digit.
bool writtenLikePhone(std::string_view text) {
    bool digit = false;
    for (char c : text) {
        if (isDigit(c))
            digit = true;
        else if (c != ' ' && c != '+' && c != '-' && c != '(' && c != ')' && c != '.' && c != '\t')
            return false;
    }
    return digit;
}

SearchTerm termOf(std::string word) {
    SearchTerm t;
    t.digits = allDigits(word);
    if (t.digits && word.size() > 1 && (word[0] == '7' || word[0] == '8'))
        t.withoutCountryPrefix = word.substr(1);
    t.word = std::move(word);
    return t;
}

} // namespace

std::string foldForSearch(std::string_view utf8) {
    std::string folded = toLower(utf8);
    // Ё is written as Е as often as not: both find both.
    static constexpr std::string_view kYo = "ё";
    static constexpr std::string_view kYe = "е";
    for (std::size_t at = folded.find(kYo); at != std::string::npos; at = folded.find(kYo, at))
        folded.replace(at, kYo.size(), kYe);
    return folded;
}

std::string searchWords(std::string_view utf8) {
    const std::string folded = foldForSearch(utf8);
    std::string words;
    forEachWord(folded, [&](std::string_view w) {
        if (!words.empty()) words += ' ';
        words += w;
    });
    return words;
}

std::string phoneDigits(std::string_view phone) {
    std::string d = digitsOf(phone);
    if (d.size() == 11 && (d[0] == '7' || d[0] == '8')) d.erase(0, 1);
    return d;
}

SearchDocument searchDocument(const std::string& orderNumber, const std::string& customer,
                              const std::string& address, const std::string& phone) {
    SearchDocument doc;
    const std::string digits = digitsOf(orderNumber);
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    const std::string plain =
        firstSignificant == std::string::npos ? std::string() : digits.substr(firstSignificant);
    doc.number = plain == digits || plain.empty() ? digits : plain + ' ' + digits;
    doc.customer = searchWords(customer);
    doc.address = searchWords(address);
    // A card may hold several phones: "8 912 345-67-89, 8 495 123-45-67".
    std::size_t start = 0;
    while (start <= phone.size()) {
        const std::size_t end = phone.find_first_of(",;/", start);
        const std::string one = phoneDigits(std::string_view(phone).substr(
            start, end == std::string::npos ? std::string::npos : end - start));
        if (!one.empty()) doc.phone += (doc.phone.empty() ? "" : " ") + one;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return doc;
}

std::vector<SearchTerm> searchTerms(std::string_view typed) {
    std::vector<SearchTerm> terms;
    if (writtenLikePhone(typed)) {
        terms.push_back(termOf(digitsOf(typed)));
        return terms;
    }
    const std::string folded = foldForSearch(typed);
    forEachWord(folded, [&](std::string_view w) { terms.push_back(termOf(std::string(w))); });
    return terms;
}

} // namespace dalvex::journal
