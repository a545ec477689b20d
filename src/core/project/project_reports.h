#pragma once
// The reports taken straight from a Project: its card, dimensions and totals gathered once, then handed to
// the builders and writers, which work on plain data.
#include "orders/report_tables.h"
#include "orders/workbook.h"

#include <filesystem>
#include <vector>

namespace dalvex {

class Project;

OrderFacts orderFacts(const Project& project);
std::vector<TableSection> buildTable(int kind, const Project& project);
// No sheet chosen: nothing is written and the answer is true.
bool writeWorkbook(const std::filesystem::path& path, const Project& project, WorkbookSheets sheets);
bool writeAccountingFile(const std::filesystem::path& path, const Project& project);

} // namespace dalvex
