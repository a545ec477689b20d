#pragma once
// The journal's answers as JSON: the list, one order's whole story, an import's report. Money in kopecks and
// times in seconds since 1970-01-01 00:00 UTC, as the project's own JSON has them.
#include "journal_import.h"
#include "journal_types.h"

#include <string>
#include <vector>

namespace dalvex::cli {

std::string ordersJson(const std::string& journal, int64_t count,
                       const std::vector<journal::OrderSummary>& rows);
std::string orderJson(const journal::OrderDetails& order);
std::string importJson(const journal::ImportReport& report);
std::string checkJson(const std::string& journal, const std::vector<std::string>& problems);

} // namespace dalvex::cli
