#pragma once
// The sheet cutting plan drawn to scale, row by row, for the "Раскрой" tab and for the printed report: per
// material a title and a summary line, then its sheets side by side as many as the width takes, each with its
// trim, its panels labelled with their names and sizes, the cut lines and the offcut to keep.
#include "cutting/sheet_plan.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace dalvex::ui {

struct SheetPlanRow {
    enum class Kind { Title, Summary, Sheets } kind = Kind::Title;
    int material = 0;
    int firstSheet = 0; // Sheets: the first sheet of the row
};

// How the sheets are laid out in a row of the given width for the font's line height: how many side by side,
// and the one scale (pixels per 0.1 mm) that draws the longest sheet of the plans in its cell and no row of
// sheets taller than `maxHeight`.
struct SheetScale {
    int perRow = 1;
    int cellWidth = 1;
    double scale = 0.0;
};
SheetScale sheetScale(const std::vector<MaterialSheets>& plans, int width, int lineHeight, int maxHeight);

// The rows of the plans, in order.
std::vector<SheetPlanRow> sheetPlanRows(const std::vector<MaterialSheets>& plans, const SheetScale& scale);

// A row's height.
int sheetPlanRowHeight(const std::vector<MaterialSheets>& plans, const SheetPlanRow& row,
                       const SheetScale& scale, int lineHeight);

// "листов: N, по площади не меньше M; использование X %" and the panels left out with the reason.
QString sheetPlanSummary(const MaterialSheets& plan);

// Draws one row into `rect`.
void drawSheetPlanRow(QPainter& painter, const std::vector<MaterialSheets>& plans, const SheetPlanRow& row,
                      const QRect& rect, const QFont& font, const SheetScale& scale);

} // namespace dalvex::ui
