#pragma once
// The search rules every back end follows, so that the same text finds the same orders wherever the journal
// is kept. An order is indexed as four lists of words; the text typed is read as terms that must all match.
//
// - Words are runs of letters and digits, the same on every back end: punctuation, spaces and symbols (emoji
//   among them) end a word; combining marks are composed where Russian composes them (й, ё) and else left
//   out, as are invisible characters (direction marks, zero-width spaces, variation selectors) and bytes that
//   are not UTF-8; a Latin-1 letter with a diacritic is compared as its letter (é as e). Letters are
//   compared lower-cased, Cyrillic included, and Ё as Е.
// - A term with a letter matches a word of the customer or the address that begins with it.
// - A term of digits matches the beginning of the order number (with or without its leading zeros), of the
//   phone's digits, or of a word of the address; a term of four digits or more also matches anywhere within
//   the phone's digits. A phone is kept as its digits without the country prefix (+7 or 8 before ten digits),
//   and a term of digits beginning with 7 or 8 also matches without that digit, so "8 (912) 345-67-89",
//   "+7 912 345 67 89", "912-345" and "45-67" all find 9123456789.
// - A text made only of digits, spaces and the signs + - ( ) . is one term of digits: a phone as written.
// - A text with nothing to look for but punctuation or symbols finds nothing; a blank one finds every order.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex::journal {

struct OrderRecord;

// An order's words as they are indexed, each list its words separated by single spaces.
struct SearchDocument {
    std::string number;   // the number's digits, with and without leading zeros
    std::string customer; // folded words
    std::string address;
    std::string phone; // the phone's digits without the country prefix, then its runs (kPhoneRunMark)
};

// A phone's digits from its second on are indexed as runs of at least this many, each behind the mark, a
// letter no phone word holds.
inline constexpr std::size_t kPhoneRunLength = 4;
inline constexpr char kPhoneRunMark = 'x';

struct SearchTerm {
    std::string word; // folded; digits only when `digits`
    bool digits = false;
    std::string withoutCountryPrefix; // for a term of digits beginning with 7 or 8: the rest; else empty
    std::string withinPhone;          // for a term of kPhoneRunLength digits or more: the run it matches
};

// The words of a text by the rules above, folded, separated by single spaces.
std::string foldForSearch(std::string_view utf8);
// The phone's digits, without the country prefix of an eleven-digit number beginning with 7 or 8.
std::string phoneDigits(std::string_view phone);

SearchDocument searchDocument(const std::string& orderNumber, const std::string& customer,
                              const std::string& address, const std::string& phone);
// The terms of a typed text; none for a text without letters or digits.
std::vector<SearchTerm> searchTerms(std::string_view typed);
// Whether a typed text finds no order at all: it is not blank, yet holds no term (`terms`, its searchTerms()).
bool findsNothing(std::string_view typed, const std::vector<SearchTerm>& terms);

} // namespace dalvex::journal
