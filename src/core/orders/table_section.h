#pragma once
// The plain grid that the result tables are made of. The screen and the printer both draw it; how wide a
// column is in pixels and how tall a row is belong to whoever draws, so only the proportions are kept here.
#include <string>
#include <vector>

namespace dalvex {

struct TableCell {
    std::string text; // may hold line feeds
    bool bold = false;
};

struct TableSection {
    int columnCount = 0;
    int rowCount = 0;
    std::vector<double> fractions; // width of each column as a part of the drawing band
    std::vector<TableCell> cells;  // column by column: cell (c, r) at c * rowCount + r
    double leftFraction = 0.0;     // left offset of the whole section as a part of the band
    // The column of article and material codes: a code is never broken, not even at its spaces.
    int codeColumn = -1;

    // Empties the grid and makes one of the given size: every column 0.1 wide, every cell empty and not bold.
    void setSize(int columns, int rows);
    // Replaces one cell; a position outside the grid is ignored.
    void setCell(int column, int row, std::string text, bool bold);
    // The cell at (column, row); an empty cell for a position outside the grid.
    const TableCell& cell(int column, int row) const;
};

} // namespace dalvex
