#include "results/cut_plan_drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace dalvex::ui {
namespace {

const QColor kKerfColor(60, 60, 60);

} // namespace

std::vector<CutPlanRow> cutPlanRows(const std::vector<ArticlePlan>& plans) {
    std::vector<CutPlanRow> rows;
    for (int a = 0; a < static_cast<int>(plans.size()); ++a) {
        rows.push_back({CutPlanRow::Kind::Title, a, 0});
        rows.push_back({CutPlanRow::Kind::Summary, a, 0});
        for (int b = 0; b < static_cast<int>(plans[static_cast<size_t>(a)].bars.size()); ++b)
            rows.push_back({CutPlanRow::Kind::Bar, a, b});
    }
    return rows;
}

int cutPlanRowHeight(const CutPlanRow& row, int lineHeight) {
    switch (row.kind) {
    case CutPlanRow::Kind::Title:
        return lineHeight * 2;
    case CutPlanRow::Kind::Summary:
        return lineHeight * 3 / 2;
    case CutPlanRow::Kind::Bar:
        return lineHeight * 3;
    }
    return lineHeight;
}

QString percentText(double percent) {
    return QString::number(percent, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString cutPlanSummary(const ArticlePlan& plan) {
    int64_t pieces = 0;
    for (const PlannedBar& bar : plan.bars)
        for (const PlannedPiece& p : bar.pieces)
            pieces += std::max(0, p.length);
    const int64_t bought = int64_t{plan.barLength} * static_cast<int64_t>(plan.bars.size());
    const double waste =
        bought > 0 ? 100.0 * static_cast<double>(bought - pieces) / static_cast<double>(bought) : 0.0;
    // An article bought by length has no bar count in the bill to set beside the plan's.
    const QString billed = plan.byLength ? QStringLiteral("в счёте по длине")
                                         : QStringLiteral("по счёту %1").arg(plan.billedBars);
    QString text = QStringLiteral("хлыстов: по раскрою %1, %2, отход %3 %")
                       .arg(plan.bars.size())
                       .arg(billed, percentText(waste));
    if (!plan.error.empty()) {
        QStringList tooLong;
        for (const PlannedPiece& p : plan.tooLong)
            tooLong << QStringLiteral("%1 (%2 мм)")
                           .arg(QString::fromStdString(p.label), millimetresText(p.length));
        text += QStringLiteral("; ") + QString::fromStdString(plan.error) + QLatin1Char(' ') +
                tooLong.join(QStringLiteral(", "));
    }
    return text;
}

int32_t longestBar(const std::vector<ArticlePlan>& plans) {
    int32_t longest = 1;
    for (const ArticlePlan& p : plans)
        longest = std::max(longest, p.barLength);
    return longest;
}

void drawCutPlanRow(QPainter& painter, const std::vector<ArticlePlan>& plans, const CutPlanRow& row,
                    const QRect& rect, const QFont& font, int32_t kerf, int32_t trim, int32_t longest) {
    if (row.article < 0 || static_cast<size_t>(row.article) >= plans.size()) return;
    const ArticlePlan& plan = plans[static_cast<size_t>(row.article)];
    painter.save();
    painter.setFont(font);
    const QFontMetrics fm(font, painter.device());
    if (row.kind == CutPlanRow::Kind::Title) {
        QFont bold = font;
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::black);
        const QString title = QStringLiteral("%1  %2, хлыст %3 мм")
                                  .arg(QString::fromStdString(plan.code), QString::fromStdString(plan.name),
                                       millimetresText(plan.barLength));
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignBottom, title);
        painter.restore();
        return;
    }
    if (row.kind == CutPlanRow::Kind::Summary) {
        painter.setPen(plan.error.empty() ? Qt::black : kPlanErrorColor);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, cutPlanSummary(plan));
        painter.restore();
        return;
    }
    if (row.bar < 0 || static_cast<size_t>(row.bar) >= plan.bars.size()) {
        painter.restore();
        return;
    }
    const PlannedBar& bar = plan.bars[static_cast<size_t>(row.bar)];
    const double scale = static_cast<double>(rect.width() - 1) / static_cast<double>(std::max(1, longest));
    const int top = rect.top() + fm.height() / 4;
    const int height = rect.height() - fm.height() / 2;
    const auto xOf = [&](int64_t tenths) {
        return rect.left() + static_cast<int>(static_cast<double>(tenths) * scale);
    };
    const auto span = [&](int64_t from, int64_t to) {
        const int left = xOf(from);
        return QRect(left, top, std::max(1, xOf(to) - left), height);
    };
    // The whole bar's outline, the trim at its start.
    painter.setPen(QPen(kPlanPieceEdge, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(span(0, plan.barLength));
    int64_t at = 0;
    if (trim > 0) {
        painter.fillRect(span(0, trim), kPlanTrimFill);
        at = trim;
    }
    for (size_t i = 0; i < bar.pieces.size(); ++i) {
        const PlannedPiece& p = bar.pieces[i];
        if (i > 0 && kerf > 0) {
            painter.fillRect(span(at, at + kerf), kKerfColor);
            at += kerf;
        }
        const QRect box = span(at, at + std::max(0, p.length));
        painter.setPen(QPen(kPlanPieceEdge, 0));
        painter.setBrush(kPlanPieceFill);
        painter.drawRect(box);
        painter.setPen(Qt::black);
        const QString text = fm.elidedText(
            QStringLiteral("%1  %2").arg(QString::fromStdString(p.label), millimetresText(p.length)),
            Qt::ElideRight, std::max(0, box.width() - 4));
        painter.drawText(box.adjusted(2, 0, -2, 0), Qt::AlignCenter, text);
        at += std::max(0, p.length);
    }
    if (bar.offcut > 0) {
        const QRect rest = span(int64_t{plan.barLength} - bar.offcut, plan.barLength);
        painter.setPen(QPen(kPlanOffcutEdge, 0));
        painter.setBrush(QBrush(kPlanOffcutEdge, Qt::BDiagPattern));
        painter.drawRect(rest);
        painter.setPen(Qt::black);
        const QString text =
            fm.elidedText(millimetresText(bar.offcut), Qt::ElideRight, std::max(0, rest.width() - 4));
        if (fm.horizontalAdvance(text) < rest.width()) {
            const QRect label = fm.boundingRect(rest, Qt::AlignCenter, text).adjusted(-2, 0, 2, 0);
            painter.fillRect(label, Qt::white);
            painter.drawText(rest, Qt::AlignCenter, text);
        }
    }
    painter.restore();
}

} // namespace dalvex::ui
