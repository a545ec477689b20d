#include "orders/table_section.h"

#include <cstddef>

namespace dalvex {

void TableSection::setSize(int columns, int rows) {
    columnCount = columns > 0 ? columns : 0;
    rowCount = rows > 0 ? rows : 0;
    fractions.assign(static_cast<std::size_t>(columnCount), 0.1);
    cells.assign(static_cast<std::size_t>(columnCount) * static_cast<std::size_t>(rowCount), TableCell{});
}

void TableSection::setCell(int column, int row, std::string text, bool bold) {
    if (column < 0 || column >= columnCount || row < 0 || row >= rowCount) return;
    TableCell& c = cells[static_cast<std::size_t>(column) * static_cast<std::size_t>(rowCount) +
                         static_cast<std::size_t>(row)];
    c.text = std::move(text);
    c.bold = bold;
}

const TableCell& TableSection::cell(int column, int row) const {
    static const TableCell empty;
    if (column < 0 || column >= columnCount || row < 0 || row >= rowCount) return empty;
    return cells[static_cast<std::size_t>(column) * static_cast<std::size_t>(rowCount) +
                 static_cast<std::size_t>(row)];
}

} // namespace dalvex
