#include "results/sheet_plan_drawing.h"

#include "results/cut_plan_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace dalvex::ui {
namespace {

const QColor kWasteHatch(200, 200, 200);
const QColor kCutColor(170, 30, 30);

// A sheet is drawn no narrower than this many lines of text, so that its labels stay readable.
constexpr int kCellLines = 36;
constexpr int kMaxPerRow = 3;

QString sizeText(int32_t first, int32_t second) {
    return QStringLiteral("%1 × %2").arg(millimetresText(first), millimetresText(second));
}

int rowSheets(const MaterialSheets& plan, const SheetPlanRow& row, const SheetScale& scale) {
    return std::clamp(static_cast<int>(plan.sheets.size()) - row.firstSheet, 0, scale.perRow);
}

// The panel's name and size, across the box or up it, whichever way it is longer.
void drawLabel(QPainter& painter, const QFontMetrics& fm, const QRect& box, const PlannedPanel& panel) {
    const bool upright = box.height() > box.width();
    const int along = upright ? box.height() : box.width();
    const int across = upright ? box.width() : box.height();
    if (across < fm.height() || along < fm.height()) return;
    const QString name = QString::fromStdString(panel.label);
    const QString size = sizeText(panel.height, panel.width);
    const QString oneLine = name + QStringLiteral("  ") + size;
    QString text = across >= 2 * fm.height() ? name + QLatin1Char('\n') + size : oneLine;
    if (fm.horizontalAdvance(oneLine) > along - 4 && across < 2 * fm.height())
        text = fm.elidedText(oneLine, Qt::ElideRight, along - 4);
    painter.save();
    painter.setPen(Qt::black);
    if (upright) {
        painter.translate(box.left(), box.bottom() + 1);
        painter.rotate(-90);
        painter.drawText(QRect(0, 0, box.height(), box.width()), Qt::AlignCenter, text);
    } else {
        painter.drawText(box, Qt::AlignCenter, text);
    }
    painter.restore();
}

void drawSheet(QPainter& painter, const QFontMetrics& fm, const MaterialSheets& plan, int index, QPoint at,
               double scale) {
    const PlannedSheet& sheet = plan.sheets[static_cast<size_t>(index)];
    const auto px = [&](int64_t tenths) {
        return static_cast<int>(std::lround(static_cast<double>(tenths) * scale));
    };
    const auto rectOf = [&](int64_t x, int64_t y, int64_t length, int64_t width) {
        const int left = at.x() + px(x), top = at.y() + px(y);
        return QRect(left, top, std::max(1, at.x() + px(x + length) - left),
                     std::max(1, at.y() + px(y + width) - top));
    };
    QString caption = QStringLiteral("Лист %1 из %2").arg(index + 1).arg(plan.sheets.size());
    if (sheet.offcut.length > 0)
        caption += QStringLiteral(", остаток %1 мм").arg(sizeText(sheet.offcut.length, sheet.offcut.width));
    painter.setPen(Qt::black);
    painter.drawText(QRect(at.x(), at.y() - fm.height(), px(plan.sheetLength), fm.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     fm.elidedText(caption, Qt::ElideRight, px(plan.sheetLength)));

    // The whole sheet, its trim, and the waste under everything else.
    const QRect whole = rectOf(0, 0, plan.sheetLength, plan.sheetWidth);
    painter.fillRect(whole, kPlanTrimFill);
    const QRect usable = rectOf(plan.trim, plan.trim, int64_t{plan.sheetLength} - 2 * int64_t{plan.trim},
                                int64_t{plan.sheetWidth} - 2 * int64_t{plan.trim});
    painter.fillRect(usable, Qt::white);
    painter.fillRect(usable, QBrush(kWasteHatch, Qt::BDiagPattern));
    for (const PlannedPanel& p : sheet.panels) {
        const QRect box =
            p.rotated ? rectOf(p.x, p.y, p.width, p.height) : rectOf(p.x, p.y, p.height, p.width);
        painter.setPen(QPen(kPlanPieceEdge, 0));
        painter.setBrush(kPlanPieceFill);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        drawLabel(painter, fm, box, p);
    }
    // The cuts, down the middle of the kerf; the first stage stronger.
    for (const SheetCut& c : sheet.cuts) {
        painter.setPen(QPen(kCutColor, c.stage == 1 ? 2 : 1));
        const int64_t middle = (c.alongLength ? c.y : c.x) + plan.kerf / 2;
        if (c.alongLength)
            painter.drawLine(at.x() + px(c.x), at.y() + px(middle), at.x() + px(int64_t{c.x} + c.length),
                             at.y() + px(middle));
        else
            painter.drawLine(at.x() + px(middle), at.y() + px(c.y), at.x() + px(middle),
                             at.y() + px(int64_t{c.y} + c.length));
    }
    if (sheet.offcut.length > 0) {
        const SheetRect& o = sheet.offcut;
        const QRect rest = rectOf(o.x, o.y, o.length, o.width);
        painter.setPen(QPen(kPlanOffcutEdge, 0));
        painter.setBrush(QBrush(kPlanOffcutEdge, Qt::BDiagPattern));
        painter.drawRect(rest.adjusted(0, 0, -1, -1));
        const QString text = sizeText(o.length, o.width);
        if (fm.horizontalAdvance(text) + 4 < rest.width() && fm.height() < rest.height()) {
            painter.fillRect(fm.boundingRect(rest, Qt::AlignCenter, text).adjusted(-2, 0, 2, 0), Qt::white);
            painter.setPen(Qt::black);
            painter.drawText(rest, Qt::AlignCenter, text);
        }
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(whole.adjusted(0, 0, -1, -1));
}

} // namespace

SheetScale sheetScale(const std::vector<MaterialSheets>& plans, int width, int lineHeight, int maxHeight) {
    int32_t longest = 1, widest = 1;
    for (const MaterialSheets& plan : plans) {
        if (plan.sheets.empty()) continue;
        longest = std::max(longest, plan.sheetLength);
        widest = std::max(widest, plan.sheetWidth);
    }
    SheetScale s;
    s.perRow = std::clamp(width / std::max(1, kCellLines * lineHeight), 1, kMaxPerRow);
    s.cellWidth = std::max(1, width / s.perRow);
    s.scale = std::min(std::max(0, s.cellWidth - lineHeight) / static_cast<double>(longest),
                       std::max(0, maxHeight - 2 * lineHeight) / static_cast<double>(widest));
    return s;
}

std::vector<SheetPlanRow> sheetPlanRows(const std::vector<MaterialSheets>& plans, const SheetScale& scale) {
    std::vector<SheetPlanRow> rows;
    for (int m = 0; m < static_cast<int>(plans.size()); ++m) {
        rows.push_back({SheetPlanRow::Kind::Title, m, 0});
        rows.push_back({SheetPlanRow::Kind::Summary, m, 0});
        for (int s = 0; s < static_cast<int>(plans[static_cast<size_t>(m)].sheets.size()); s += scale.perRow)
            rows.push_back({SheetPlanRow::Kind::Sheets, m, s});
    }
    return rows;
}

int sheetPlanRowHeight(const std::vector<MaterialSheets>& plans, const SheetPlanRow& row,
                       const SheetScale& scale, int lineHeight) {
    switch (row.kind) {
    case SheetPlanRow::Kind::Title:
        return lineHeight * 2;
    case SheetPlanRow::Kind::Summary:
        return lineHeight * 3 / 2;
    case SheetPlanRow::Kind::Sheets:
        if (row.material < 0 || static_cast<size_t>(row.material) >= plans.size()) return 0;
        return lineHeight * 2 +
               static_cast<int>(std::ceil(plans[static_cast<size_t>(row.material)].sheetWidth * scale.scale));
    }
    return lineHeight;
}

QString sheetPlanSummary(const MaterialSheets& plan) {
    QString text;
    if (plan.sheetLength > 0 && plan.sheetWidth > 0) {
        text = QStringLiteral("листов: %1, по площади не меньше %2%3; использование %4 %")
                   .arg(plan.sheets.size())
                   .arg(plan.areaBound)
                   .arg(plan.proved ? QStringLiteral(", меньше не выйдет") : QString())
                   .arg(percentText(100.0 * plan.utilisation()));
    }
    // Each reason once, followed by the panels it leaves out.
    std::vector<std::string> reasons;
    for (const PlannedPanel& p : plan.leftOut)
        if (std::find(reasons.begin(), reasons.end(), p.reason) == reasons.end()) reasons.push_back(p.reason);
    for (const std::string& reason : reasons) {
        QStringList leftOut;
        for (const PlannedPanel& p : plan.leftOut)
            if (p.reason == reason)
                leftOut << QStringLiteral("%1 (%2 мм)")
                               .arg(QString::fromStdString(p.label), sizeText(p.height, p.width));
        if (!text.isEmpty()) text += QStringLiteral("; ");
        text += QString::fromStdString(reason) + QLatin1Char(' ') + leftOut.join(QStringLiteral(", "));
    }
    return text;
}

void drawSheetPlanRow(QPainter& painter, const std::vector<MaterialSheets>& plans, const SheetPlanRow& row,
                      const QRect& rect, const QFont& font, const SheetScale& scale) {
    if (row.material < 0 || static_cast<size_t>(row.material) >= plans.size()) return;
    const MaterialSheets& plan = plans[static_cast<size_t>(row.material)];
    painter.save();
    painter.setFont(font);
    const QFontMetrics fm(font, painter.device());
    switch (row.kind) {
    case SheetPlanRow::Kind::Title: {
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        QString title = QStringLiteral("%1  %2, %3 мм")
                            .arg(QString::fromStdString(plan.code), QString::fromStdString(plan.name),
                                 millimetresText(plan.thickness));
        if (plan.sheetLength > 0 && plan.sheetWidth > 0)
            title += QStringLiteral(", лист %1 мм").arg(sizeText(plan.sheetLength, plan.sheetWidth));
        if (plan.grain) title += QStringLiteral(", текстура вдоль длины листа");
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignBottom, title);
        break;
    }
    case SheetPlanRow::Kind::Summary:
        painter.setPen(plan.error.empty() ? Qt::black : kPlanErrorColor);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, sheetPlanSummary(plan));
        break;
    case SheetPlanRow::Kind::Sheets:
        for (int k = 0; k < rowSheets(plan, row, scale); ++k)
            drawSheet(painter, fm, plan, row.firstSheet + k,
                      QPoint(rect.left() + k * scale.cellWidth, rect.top() + fm.height() * 3 / 2),
                      scale.scale);
        break;
    }
    painter.restore();
}

} // namespace dalvex::ui
