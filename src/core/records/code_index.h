#pragma once
// Records by code, ignoring letter case (Cyrillic included): the lookups of the price lists run once per
// line, so a list of many thousand lines must not search the records one by one.
#include "text/text_case.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace dalvex {

template <class Record> class CodeIndex {
public:
    // A later record of the same code does not replace the first: lookups answer the first in list order.
    void add(Record* record) {
        if (!record->code.empty()) byCode_.emplace(toLower(record->code), record);
    }
    // Null for an unknown or empty code.
    Record* find(std::string_view code) const {
        if (code.empty()) return nullptr;
        const auto it = byCode_.find(toLower(code));
        return it == byCode_.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<std::string, Record*> byCode_;
};

} // namespace dalvex
