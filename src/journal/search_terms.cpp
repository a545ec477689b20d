#include "search_terms.h"

#include "text/text_case.h"

#include <cstdint>

namespace dalvex::journal {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The code points of valid UTF-8; a byte that starts no valid sequence is left out (the same for the order
// and for the typed text, whatever the back end would make of it).
std::u32string codePoints(std::string_view s) {
    std::u32string out;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char lead = byte(i);
        const std::size_t n = lead < 0x80 ? 1 : lead >= 0xc2 && lead <= 0xdf ? 2 : lead >= 0xe0 && lead <= 0xef ? 3
                                            : lead >= 0xf0 && lead <= 0xf4   ? 4
                                                                             : 0;
        bool valid = n > 0 && i + n <= s.size();
        char32_t c = n == 1 ? lead : n == 2 ? lead & 0x1f : n == 3 ? lead & 0x0f : lead & 0x07;
        for (std::size_t k = 1; valid && k < n; ++k) {
            valid = (byte(i + k) & 0xc0) == 0x80;
            c = (c << 6) | (byte(i + k) & 0x3f);
        }
        // Overlong forms, surrogates and code points beyond Unicode are not text either.
        valid = valid && !(n == 3 && c < 0x800) && !(n == 4 && (c < 0x10000 || c > 0x10ffff)) &&
                !(c >= 0xd800 && c <= 0xdfff);
        if (valid) out += c;
        i += valid ? n : 1;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
}

// Marks and invisible characters: left out, so that they neither split a word nor make it another word.
bool leftOut(char32_t c) {
    return (c >= 0x300 && c <= 0x36f)      // combining marks
           || c == 0xad                     // soft hyphen
           || (c >= 0x200b && c <= 0x200f)  // zero-width characters, direction marks
           || (c >= 0x202a && c <= 0x202e)  // direction embeddings and overrides
           || (c >= 0x2060 && c <= 0x2064)  // word joiner and invisible operators
           || (c >= 0x20d0 && c <= 0x20ff)  // combining marks for symbols
           || (c >= 0xfe00 && c <= 0xfe0f)  // variation selectors
           || c == 0xfeff || c == 0xfffd    // byte order mark, the replacement of a broken character
           || (c >= 0x1f3fb && c <= 0x1f3ff); // skin tones
}

// Punctuation, spaces and symbols (emoji among them): they end a word.
bool separates(char32_t c) {
    if (c < 0x80) return !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    return (c >= 0x80 && c <= 0xbf)          // Latin-1 spaces, punctuation and signs
           || c == 0xd7 || c == 0xf7        // × ÷
           || (c >= 0x2000 && c <= 0x2bff)  // general punctuation, currency, letterlike, arrows, shapes, ...
           || (c >= 0x2e00 && c <= 0x2e7f)  // supplemental punctuation
           || (c >= 0x3000 && c <= 0x303f)  // ideographic spaces and punctuation
           || (c >= 0xe000 && c <= 0xf8ff)  // private use
           || (c >= 0xfe10 && c <= 0xfe6f)  // vertical, small and compatibility forms of punctuation
           || (c >= 0xff00 && c <= 0xff0f)  // fullwidth punctuation
           || (c >= 0x1f000 && c <= 0x1faff); // emoji, pictographs, game pieces
}

// A Latin letter with a diacritic as its letter, so that "é" typed and "é" made of e and a mark (which is
// left out) are one letter; the letters of their own (ß, æ, ø, þ, ð) stay.
char32_t withoutDiacritic(char32_t c) {
    static constexpr char kLatin1[] = "AAAAAA_CEEEEIIII_NOOOOO__UUUUY__aaaaaa_ceeeeiiii_nooooo__uuuuy_y";
    if (c < 0xc0 || c > 0xff) return c;
    const char base = kLatin1[c - 0xc0];
    return base == '_' ? c : static_cast<char32_t>(base);
}

// Cyrillic letters made of a letter and a combining mark, composed as a keyboard types them: й, ё and their
// capitals, ў and ї.
char32_t composed(char32_t letter, char32_t mark) {
    static constexpr struct {
        char32_t letter, mark, composed;
    } kPairs[] = {
        {0x438, 0x306, 0x439}, {0x418, 0x306, 0x419}, {0x435, 0x308, 0x451}, {0x415, 0x308, 0x401},
        {0x443, 0x306, 0x45e}, {0x423, 0x306, 0x40e}, {0x456, 0x308, 0x457}, {0x406, 0x308, 0x407},
    };
    for (const auto& p : kPairs)
        if (p.letter == letter && p.mark == mark) return p.composed;
    return 0;
}

// Words separated by single spaces: marks composed or left out, invisible characters left out, punctuation and
// symbols as spaces. Letter case is the caller's.
std::string plainWords(std::string_view utf8) {
    const std::u32string text = codePoints(utf8);
    std::u32string kept;
    for (char32_t c : text) {
        if (!kept.empty())
            if (const char32_t both = composed(kept.back(), c)) {
                kept.back() = both;
                continue;
            }
        if (leftOut(c)) continue;
        kept += separates(c) ? U' ' : withoutDiacritic(c);
    }
    std::string words;
    bool space = true; // no space at the start
    for (char32_t c : kept) {
        if (c == U' ') {
            space = true;
            continue;
        }
        if (space && !words.empty()) words += ' ';
        space = false;
        appendUtf8(words, c);
    }
    return words;
}

template <class Visit> void forEachWord(std::string_view words, Visit visit) {
    std::size_t start = 0;
    while (start < words.size()) {
        std::size_t end = words.find(' ', start);
        if (end == std::string_view::npos) end = words.size();
        visit(words.substr(start, end - start));
        start = end + 1;
    }
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
    if (t.digits && word.size() >= kPhoneRunLength) t.withinPhone = kPhoneRunMark + word;
    t.word = std::move(word);
    return t;
}

} // namespace

std::string foldForSearch(std::string_view utf8) {
    std::string folded = toLower(plainWords(utf8));
    // Ё is written as Е as often as not: both find both.
    static constexpr std::string_view kYo = "ё";
    static constexpr std::string_view kYe = "е";
    for (std::size_t at = folded.find(kYo); at != std::string::npos; at = folded.find(kYo, at))
        folded.replace(at, kYo.size(), kYe);
    return folded;
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
    doc.customer = foldForSearch(customer);
    doc.address = foldForSearch(address);
    // A card may hold several phones: "8 912 345-67-89, 8 495 123-45-67".
    std::size_t start = 0;
    while (start <= phone.size()) {
        const std::size_t end = phone.find_first_of(",;/", start);
        const std::string one = phoneDigits(std::string_view(phone).substr(
            start, end == std::string::npos ? std::string::npos : end - start));
        if (!one.empty()) doc.phone += (doc.phone.empty() ? "" : " ") + one;
        // Its runs from the second digit on, marked, so that a term of four digits or more finds it anywhere.
        for (std::size_t from = 1; from + kPhoneRunLength <= one.size(); ++from)
            doc.phone += ' ' + (kPhoneRunMark + one.substr(from));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return doc;
}

bool findsNothing(std::string_view typed, const std::vector<SearchTerm>& terms) {
    return terms.empty() && typed.find_first_not_of(" \t\r\n") != std::string_view::npos;
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
