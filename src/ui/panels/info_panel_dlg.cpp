#include "panels/info_panel_dlg.h"

#include "document/order_document.h"
#include "project/project.h"
#include "widgets/qt_text.h"
#include "view/sketch_hover.h"

#include <QPainter>

namespace dalvex::ui {

InfoPanelDlg::InfoPanelDlg(const UiContext& context, QWidget* parent) : Panel(context, parent) {
    if (ctx_.document)
        connect(ctx_.document, &OrderDocument::told, this, [this](const QString& text, OrderDocument::Word word) {
            notice_ = text;
            noticeRefuses_ = word == OrderDocument::Word::Refused;
            update();
        });
}

void InfoPanelDlg::showHover() {
    // The hit of the sketch view's layout; nothing without a view.
    const view::SketchLayout* layout = ctx_.screen ? ctx_.screen->layout : nullptr;
    const view::InfoLines lines =
        layout ? view::infoLines(view::describeHover(*layout, ctx_.project.sketch)) : view::InfoLines{};
    first_ = qs(lines.first);
    second_ = qs(lines.second);
    // An item under the mouse is news of its own: the notice has been read.
    if (!first_.isEmpty()) notice_.clear();
    update();
}

void InfoPanelDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(245, 245, 245));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(18);
    font.setWeight(QFont::Normal);
    p.setFont(font);
    p.setPen(QColor(100, 100, 100));
    const QFontMetrics fm(font);
    // Each line's top edge sits at its stated offset.
    // A refusal in red; news of what was done in the line's own colour.
    if (!notice_.isEmpty() && noticeRefuses_) p.setPen(QColor(200, 30, 30));
    p.drawText(20, 10 + fm.ascent(), firstLine());
    p.drawText(20, 30 + fm.ascent(), secondLine());
}

} // namespace dalvex::ui
