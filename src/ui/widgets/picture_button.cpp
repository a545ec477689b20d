#include "widgets/picture_button.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>

namespace dalvex::ui {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::setPicture(const QPixmap& normal, const QPixmap& hover) {
    normal_ = normal;
    hover_ = hover;
    update();
}

void PictureButton::setCaption(const QString& text, CaptionPlacement placement) {
    setText(text);
    placement_ = placement;
    update();
}

void PictureButton::setCaptionFont(const QFont& font) {
    setFont(font);
    update();
}

void PictureButton::setCaptionColors(const QColor& normal, const QColor& hover) {
    textColor_ = normal;
    hoverColor_ = hover;
    update();
}

void PictureButton::setToggle(const QPixmap& unchecked, const QPixmap& checked) {
    unchecked_ = unchecked;
    checked_ = checked;
    setCheckable(true);
    update();
}

QSize PictureButton::sizeHint() const {
    const QFontMetrics fm(font());
    const QSize picture = (isCheckable() ? unchecked_ : normal_).deviceIndependentSize().toSize();
    const int textWidth = text().isEmpty() ? 0 : fm.horizontalAdvance(text());
    if (placement_ == CaptionPlacement::Right)
        return {picture.width() + 6 + textWidth + 4, std::max(picture.height(), fm.height()) + 4};
    if (placement_ == CaptionPlacement::Below)
        return {std::max(picture.width(), textWidth) + 4, picture.height() + fm.height() + 6};
    return picture + QSize(4, 4);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const bool lit = hovered_ && isEnabled();
    QPixmap picture = normal_;
    if (isCheckable()) picture = isChecked() ? checked_ : unchecked_;
    else if (lit && !hover_.isNull()) picture = hover_;

    if (isDown()) p.translate(1, 1);
    const QRect r = rect();
    const QSize ps = picture.deviceIndependentSize().toSize();
    QColor color = lit ? hoverColor_ : textColor_;
    if (!isEnabled()) color = QColor(170, 170, 170);
    p.setFont(font());
    p.setPen(color);
    const QFontMetrics fm(font());

    switch (placement_) {
    case CaptionPlacement::Below: {
        const int total = ps.height() + (text().isEmpty() ? 0 : 4 + fm.height());
        const int top = std::max(0, (r.height() - total) / 2);
        if (!picture.isNull()) p.drawPixmap((r.width() - ps.width()) / 2, top, picture);
        if (!text().isEmpty()) {
            const QRect tr(2, top + ps.height() + 4, r.width() - 4, fm.height());
            p.drawText(tr, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                       fm.elidedText(text(), Qt::ElideRight, tr.width()));
        }
        break;
    }
    case CaptionPlacement::Right: {
        const int x = 4;
        if (!picture.isNull()) p.drawPixmap(x, (r.height() - ps.height()) / 2, picture);
        const QRect tr(x + ps.width() + (picture.isNull() ? 0 : 6), 0, r.width(), r.height());
        p.drawText(tr, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
        break;
    }
    case CaptionPlacement::None:
        if (!picture.isNull())
            p.drawPixmap((r.width() - ps.width()) / 2, (r.height() - ps.height()) / 2, picture);
        break;
    }
    if (lit && placement_ != CaptionPlacement::None && hover_.isNull() && !isCheckable()) {
        // A soft frame marks the button under the pointer when it has no picture of its own for that.
        p.setPen(QColor(250, 41, 41, 90));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
}

void PictureButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace dalvex::ui
