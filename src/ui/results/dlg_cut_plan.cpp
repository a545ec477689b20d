#include "results/dlg_cut_plan.h"

#include "results/cut_plan_drawing.h"
#include "document/order_document.h"
#include "project/project.h"
#include "results/sheet_plan_drawing.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

namespace dalvex::ui {

namespace {

constexpr int kMargin = 12;

QFont planFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    return f;
}

QString settingsLine(const CuttingSettings& s) {
    return QStringLiteral("Пропил %1 мм, торцовка %2 мм; хлысты в счёте %3.")
        .arg(millimetresText(s.kerf), millimetresText(s.trim),
             s.priceByPlan ? QStringLiteral("по раскрою") : QStringLiteral("без учёта пропила"));
}

QString sheetSettingsLine(const CuttingSettings& s) {
    return QStringLiteral(
               "Раскрой листов: пропил %1 мм, торцовка %2 мм по краям листа; материалы в счёте %3.")
        .arg(millimetresText(s.sheetKerf), millimetresText(s.sheetTrim),
             s.priceBySheets ? QStringLiteral("целыми листами") : QStringLiteral("по площади"));
}

} // namespace

class CutPlanCanvas : public QWidget {
public:
    CutPlanCanvas(DlgCutPlan& owner, QWidget* parent) : QWidget(parent), owner_(owner) {}

    int contentHeight() const {
        const int line = QFontMetrics(planFont()).height();
        int h = kMargin + line * 2;
        for (const CutPlanRow& row : cutPlanRows(owner_.plans_))
            h += cutPlanRowHeight(row, line);
        h += line * 2;
        const SheetScale scale = sheetScaleFor(owner_.scroll_->viewport()->width(), line);
        for (const SheetPlanRow& row : sheetPlanRows(owner_.sheetPlans_, scale))
            h += sheetPlanRowHeight(owner_.sheetPlans_, row, scale, line);
        return h + kMargin;
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.fillRect(event->rect(), Qt::white);
        const QFont font = planFont();
        p.setFont(font);
        const int line = QFontMetrics(font).height();
        const int w = width() - 2 * kMargin;
        int y = kMargin;
        // Drawn with the kerf and trim the plans were made with.
        const CuttingSettings& s = owner_.settings_;
        p.setPen(Qt::black);
        const QString head =
            owner_.plans_.empty() ? QStringLiteral("Нет профилей, покупаемых хлыстами.") : settingsLine(s);
        p.drawText(QRect(kMargin, y, w, line * 2), Qt::AlignLeft | Qt::AlignTop, head);
        y += line * 2;
        const int32_t longest = longestBar(owner_.plans_);
        for (const CutPlanRow& row : cutPlanRows(owner_.plans_)) {
            const int h = cutPlanRowHeight(row, line);
            const QRect rect(kMargin, y, w, h);
            if (rect.intersects(event->rect()))
                drawCutPlanRow(p, owner_.plans_, row, rect, font, s.kerf, s.trim, longest);
            y += h;
        }

        const std::vector<MaterialSheets>& sheets = owner_.sheetPlans_;
        p.setPen(Qt::black);
        y += line;
        p.drawText(QRect(kMargin, y, w, line), Qt::AlignLeft | Qt::AlignTop,
                   sheets.empty() ? QStringLiteral("Нет панелей для раскроя листов.") : sheetSettingsLine(s));
        y += line;
        const SheetScale scale = sheetScaleFor(width(), line);
        for (const SheetPlanRow& row : sheetPlanRows(sheets, scale)) {
            const int h = sheetPlanRowHeight(sheets, row, scale, line);
            const QRect rect(kMargin, y, w, h);
            if (rect.intersects(event->rect())) drawSheetPlanRow(p, sheets, row, rect, font, scale);
            y += h;
        }
    }

private:
    // A row of sheets no taller than most of the view.
    SheetScale sheetScaleFor(int canvasWidth, int line) const {
        return sheetScale(owner_.sheetPlans_, canvasWidth - 2 * kMargin, line,
                          owner_.scroll_->viewport()->height() * 4 / 5);
    }

    DlgCutPlan& owner_;
};

DlgCutPlan::DlgCutPlan(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(true); // the canvas takes the viewport's width
    canvas_ = new CutPlanCanvas(*this, scroll_);
    scroll_->setWidget(canvas_);
    // Planned when first shown or read: at start-up only the sketch tab is shown.
    connect(ctx_.document, &OrderDocument::totalsChanged, this, &DlgCutPlan::orderChanged);
}

void DlgCutPlan::rebuild() {
    const CuttingSettings& s = ctx_.project.cutting;
    plans_ = planArticles(ctx_.project.result, s.kerf, s.trim);
    sheetPlans_ = planSheets(ctx_.project.result, s);
    settings_ = s;
    stale_ = false;
    relayout();
    canvas_->update();
}

const std::vector<ArticlePlan>& DlgCutPlan::plans() {
    refresh();
    return plans_;
}

int32_t DlgCutPlan::kerf() {
    refresh();
    return settings_.kerf;
}

int32_t DlgCutPlan::trim() {
    refresh();
    return settings_.trim;
}

const std::vector<MaterialSheets>& DlgCutPlan::sheetPlans() {
    refresh();
    return sheetPlans_;
}

const CuttingSettings& DlgCutPlan::sheetSettings() {
    refresh();
    return settings_;
}

void DlgCutPlan::relayout() {
    scroll_->setGeometry(rect());
    canvas_->setMinimumHeight(static_cast<CutPlanCanvas*>(canvas_)->contentHeight());
}

void DlgCutPlan::orderChanged() {
    stale_ = true;
    if (isVisible()) rebuild();
}

void DlgCutPlan::showEvent(QShowEvent*) {
    refresh();
}

void DlgCutPlan::resizeEvent(QResizeEvent*) {
    relayout();
}

} // namespace dalvex::ui
