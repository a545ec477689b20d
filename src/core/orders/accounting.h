#pragma once
// The priced bill of materials for import into the 1C accounting software: ";"-separated Windows-1251 text
// with CR LF line ends, nothing quoted.
#include "calc/calc_result.h"
#include "orders/report_tables.h"

#include <filesystem>
#include <string>

namespace dalvex {

// The whole file as UTF-8 text (the writer converts it to Windows-1251).
std::string accountingText(const CalcResult& result, const OrderFacts& facts);

// Replaces the file atomically; false when it cannot be written.
bool writeAccountingFile(const std::filesystem::path& path, const CalcResult& result,
                         const OrderFacts& facts);

} // namespace dalvex
