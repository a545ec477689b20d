#include "widgets/text_label.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace dalvex::ui {

TextLabel::TextLabel(const QString& text, QWidget* parent) : QWidget(parent), text_(text), font_(font()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TextLabel::setText(const QString& text) {
    text_ = text;
    update();
}

void TextLabel::setTextFont(const QFont& font) {
    font_ = font;
    update();
}

void TextLabel::setTextColor(const QColor& color) {
    color_ = color;
    update();
}

void TextLabel::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TextLabel::setLink(const QUrl& address) {
    link_ = address;
    setAttribute(Qt::WA_TransparentForMouseEvents, address.isEmpty());
    setCursor(address.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    setToolTip(address.toString());
}

void TextLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !link_.isEmpty() && rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(link_);
}

void TextLabel::adjustToText() {
    const QFontMetrics fm(font_);
    const QRect r = fm.boundingRect(QRect(0, 0, 4000, 4000), Qt::AlignLeft | Qt::AlignTop, text_);
    resize(r.width() + 4, r.height());
}

void TextLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font_);
    p.setPen(isEnabled() ? color_ : QColor(160, 160, 160));
    p.drawText(rect(), static_cast<int>(alignment_), text_);
}

} // namespace dalvex::ui
