#pragma once
// The cutting plan drawn to scale, row by row, for the "Раскрой" tab and for the printed report: per article
// a title, a summary line, then one row per bar with its pieces as labelled boxes, the kerfs, the trim and
// the hatched offcut.
#include "cutting/cut_plan.h"
#include "widgets/qt_text.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace dalvex::ui {

// The colours both cutting plans draw with: the pieces and panels, their edges, the trim, the offcut, an
// error.
inline const QColor kPlanPieceFill(236, 226, 206);
inline const QColor kPlanPieceEdge(120, 100, 80);
inline const QColor kPlanTrimFill(190, 190, 190);
inline const QColor kPlanOffcutEdge(150, 150, 150);
inline const QColor kPlanErrorColor(200, 0, 0);

struct CutPlanRow {
    enum class Kind { Title, Summary, Bar } kind = Kind::Title;
    int article = 0;
    int bar = 0;
};

// The rows of the plans, in order.
std::vector<CutPlanRow> cutPlanRows(const std::vector<ArticlePlan>& plans);

// A row's height for the font's line height.
int cutPlanRowHeight(const CutPlanRow& row, int lineHeight);

// "хлыстов: по раскрою N, по счёту M, отход X %" (and the pieces no bar can give).
QString cutPlanSummary(const ArticlePlan& plan);

// A percentage with one decimal, after a decimal comma.
QString percentText(double percent);

// Draws one row into `rect`. Bars are scaled so that `longestBar` spans the rectangle's width.
void drawCutPlanRow(QPainter& painter, const std::vector<ArticlePlan>& plans, const CutPlanRow& row,
                    const QRect& rect, const QFont& font, int32_t kerf, int32_t trim, int32_t longestBar);

// The longest bar of the plans (at least 1).
int32_t longestBar(const std::vector<ArticlePlan>& plans);

} // namespace dalvex::ui
