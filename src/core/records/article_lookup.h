#pragma once
// What a calculator may ask of the catalogue's records: the articles, divider profiles and handle profiles
// that a rule of its system names but its own lists may lack.
#include "records/records.h"

#include <string_view>
#include <vector>

namespace dalvex {

class ArticleLookup {
public:
    // Case-insensitive code comparison (Cyrillic included); null for unknown or empty codes.
    virtual Article* findArticle(std::string_view code) const = 0; // articles only (roller sets included)
    virtual DividerProfile* findDividerProfile(std::string_view code) const = 0;
    // Every handle profile, in catalogue order.
    virtual const std::vector<HandleProfile*>& handleProfiles() const = 0;

protected:
    ArticleLookup() = default;
    ArticleLookup(const ArticleLookup&) = default;
    ArticleLookup& operator=(const ArticleLookup&) = default;
    ~ArticleLookup() = default;
};

} // namespace dalvex
