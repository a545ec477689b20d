#include "widgets/picture_button.h"

#include "widgets/focus_frame.h"

#include <QEnterEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace dalvex::ui {

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    // Not by a click: a click on a button must not take the keyboard from the edit or the sketch that has it.
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setPicture(const QPixmap& normal, const QPixmap& hover) {
    normal_ = normal;
    hover_ = hover;
    update();
}

void PictureButton::setCaption(const QString& text, CaptionPlacement placement) {
    setText(text);
    setToolTip(text.trimmed());
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

void PictureButton::setFramed(bool framed) {
    framed_ = framed;
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

namespace {

constexpr int kSmallestCaption = 10; // pixels: below this a caption no longer reads
constexpr int kGap = 4;              // between the picture and the caption

// The smallest font from `font` down that lays `text` out in `room` on at most two lines, and the flags it
// is drawn with. A word too long for the room even then is broken inside, rather than cut off.
std::pair<QFont, int> fitText(QFont font, const QString& text, QSize room, int align) {
    const int wrap = align | Qt::TextWordWrap;
    for (int px = QFontInfo(font).pixelSize(); px >= kSmallestCaption; --px) {
        font.setPixelSize(px);
        const QFontMetrics fm(font);
        const QRect area(QPoint(0, 0), QSize(room.width(), 10000));
        const QRect line = fm.boundingRect(area, align | Qt::TextSingleLine, text);
        if (line.width() <= room.width() && line.height() <= room.height())
            return {font, align | Qt::TextSingleLine};
        const QRect b = fm.boundingRect(area, wrap, text);
        if (b.width() <= room.width() && b.height() <= room.height() && b.height() < 3 * fm.lineSpacing())
            return {font, wrap};
    }
    return {font, align | Qt::TextWrapAnywhere};
}

} // namespace

QPixmap PictureButton::shownPicture() const {
    if (isCheckable()) return isChecked() ? checked_ : unchecked_;
    if (hovered_ && isEnabled() && !hover_.isNull()) return hover_;
    return normal_;
}

PictureButton::CaptionLayout PictureButton::captionLayout() const {
    const QPixmap picture = shownPicture();
    const QSize ps = picture.isNull() ? QSize(0, 0) : picture.deviceIndependentSize().toSize();
    CaptionKey key{size(), text(), font(), logicalDpiY(), ps, placement_, framed_};
    if (!captionFitted_ || !(key == captionKey_)) {
        caption_ = fitCaption(ps);
        captionKey_ = std::move(key);
        captionFitted_ = true;
    }
    return caption_;
}

PictureButton::CaptionLayout PictureButton::fitCaption(QSize ps) const {
    CaptionLayout c{font(), QRect(), 0};
    if (text().isEmpty() || placement_ == CaptionPlacement::None) return c;
    const QRect r = rect();
    if (placement_ == CaptionPlacement::Below) {
        const QSize room(r.width() - 4,
                         std::max(0, r.height() - ps.height() - (ps.isEmpty() ? 0 : kGap) - 2));
        const auto [f, flags] = fitText(font(), text(), room, Qt::AlignHCenter | Qt::AlignTop);
        const QFontMetrics fm(f);
        const QRect used =
            fm.boundingRect(QRect(QPoint(0, 0), QSize(room.width(), room.height())), flags, text());
        const int total = ps.height() + (ps.isEmpty() ? 0 : kGap) + used.height();
        const int top = std::max(0, (r.height() - total) / 2) + ps.height() + (ps.isEmpty() ? 0 : kGap);
        c = {f, QRect(2, top, room.width(), std::min(used.height(), r.height() - top)), flags};
    } else {
        const int left = 4 + ps.width() + (ps.isEmpty() ? 0 : 6);
        const QSize room(std::max(0, r.width() - left - 2), r.height());
        // A plain action button centres its caption; beside a picture the caption starts at the picture.
        const int align = framed_ && ps.isEmpty() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
        const auto [f, flags] = fitText(font(), text(), room, align);
        c = {f, QRect(QPoint(left, 0), room), flags};
    }
    return c;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const bool lit = hovered_ && isEnabled();
    const QPixmap picture = shownPicture();

    const QRect r = rect();
    if (framed_) {
        QLinearGradient plate(0, 0, 0, r.height());
        plate.setColorAt(0, isDown() ? QColor(226, 221, 210) : QColor(255, 255, 252));
        plate.setColorAt(1, isDown() ? QColor(246, 243, 236) : QColor(226, 221, 210));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(lit ? hoverColor_ : QColor(160, 150, 140));
        p.setBrush(plate);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    if (isDown()) p.translate(1, 1);
    const QSize ps = picture.deviceIndependentSize().toSize();
    QColor color = lit ? hoverColor_ : textColor_;
    if (!isEnabled()) color = QColor(170, 170, 170);
    const CaptionLayout caption = captionLayout();
    p.setFont(caption.font);
    p.setPen(color);

    switch (placement_) {
    case CaptionPlacement::Below: {
        const int top = text().isEmpty() ? std::max(0, (r.height() - ps.height()) / 2)
                                         : caption.rect.top() - ps.height() - kGap;
        if (!picture.isNull()) p.drawPixmap((r.width() - ps.width()) / 2, std::max(0, top), picture);
        if (!text().isEmpty()) p.drawText(caption.rect, caption.flags, text());
        break;
    }
    case CaptionPlacement::Right: {
        if (!picture.isNull()) p.drawPixmap(4, (r.height() - ps.height()) / 2, picture);
        if (!text().isEmpty()) p.drawText(caption.rect, caption.flags, text());
        break;
    }
    case CaptionPlacement::None:
        if (!picture.isNull())
            p.drawPixmap((r.width() - ps.width()) / 2, (r.height() - ps.height()) / 2, picture);
        break;
    }
    if (lit && !framed_ && placement_ != CaptionPlacement::None && hover_.isNull() && !isCheckable()) {
        // A soft frame marks the button under the pointer when it has no picture of its own for that.
        p.setPen(QColor(250, 41, 41, 90));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
    if (hasFocus()) {
        p.resetTransform();
        drawFocusFrame(p, r);
    }
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
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
