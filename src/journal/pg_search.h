#pragma once
// The shared search rules (search_terms.h) in the server's own full-text search: an order's words become a
// tsvector whose weights say the field (A number, B customer, C address, D phone), and a typed text a tsquery
// of word prefixes limited to the fields each term may match, so that the server finds what SQLite finds.
#include "search_terms.h"

#include <string>
#include <vector>

namespace dalvex::journal {

// The order's words as a tsvector literal, for a `$n::tsvector` parameter.
std::string tsvectorLiteral(const SearchDocument& doc);
// The terms as a tsquery literal (every term must match); empty for no terms.
std::string tsqueryLiteral(const std::vector<SearchTerm>& terms);

} // namespace dalvex::journal
