#include "panels/pickers.h"

#include "catalogue/catalogue.h"
#include "document/order_document.h"
#include "project/project.h"
#include "widgets/qt_text.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace dalvex::ui {
namespace {

constexpr int kCloseId = 500;
constexpr int kFirstId = 501;

} // namespace

Picker::Picker(const UiContext& context, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), ctx_(context) {
    close_ = new PictureButton(this);
    close_->setPicture(ctx_.artwork.picture(kPictureNone));
    close_->setCaptionFont(ctx_.buttonFont);
    close_->setCaption(QStringLiteral("  "));
    connect(close_, &QAbstractButton::clicked, this, [this] { click(kCloseId); });
    hide();
}

void Picker::click(int id) {
    auto it =
        std::find_if(entries_.begin(), entries_.end(), [id](const PickerEntry& e) { return e.id == id; });
    if (id == kCloseId || it == entries_.end()) {
        hide();
        return;
    }
    const PickerEntry entry = *it; // the choice may rebuild the entries
    choose(entry);
}

void Picker::showAt(QPoint globalTopLeft) {
    move(globalTopLeft);
    show();
    raise();
}

void Picker::showEvent(QShowEvent* event) {
    qApp->installEventFilter(this);
    QWidget::showEvent(event);
}

void Picker::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

bool Picker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (!frameGeometry().contains(at)) {
            hide();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Picker::clearEntries() {
    for (PickerEntry& e : entries_)
        delete e.button;
    entries_.clear();
}

PictureButton* Picker::addButton(PickerEntry entry, QRect at) {
    auto* b = new PictureButton(this);
    b->setGeometry(at);
    b->setPicture(ctx_.artwork.picture(entry.imageId));
    b->setCaptionFont(ctx_.buttonFont);
    b->setCaption(entry.text);
    b->setToolTip(entry.text);
    const int id = entry.id;
    connect(b, &QAbstractButton::clicked, this, [this, id] { click(id); });
    b->show();
    entry.button = b;
    entries_.push_back(entry);
    return b;
}

void Picker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawTiledPixmap(rect(), ctx_.artwork.picture(kPicturePickerBack));
    p.setPen(QColor(200, 188, 176));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// --- Systems ---

DlgSystems::DlgSystems(const UiContext& context, QWidget* parent) : Picker(context, parent) {
    const auto& systems = ctx_.project.catalogue().systems();
    const int n = static_cast<int>(std::min<size_t>(systems.size(), 9));
    for (int i = 0; i < n; ++i) {
        const DSSystem* s = systems[static_cast<size_t>(i)];
        addButton({kFirstId + i, s->index, qs(s->code), s->imageId, nullptr}, QRect(101 * i, 5, 101, 91));
    }
    close_->setGeometry(909, 5, 101, 91);
    resize(1010, 100);
}

void DlgSystems::choose(const PickerEntry& entry) {
    for (const DSSystem* s : ctx_.project.catalogue().systems()) {
        if (s->index != entry.itemIndex) continue;
        ctx_.editor.apply(edit::SelectSystem{s});
        break;
    }
    hide();
}

// --- Handle profiles ---

DlgHands::DlgHands(const UiContext& context, QWidget* parent) : Picker(context, parent) {
    build();
}

void DlgHands::selectionChanged() {
    const DSSystem* calc = ctx_.project.calculator;
    if (!calc) return;
    if (calc->index != builtForSystem_ || calc->systemKind == kSystemFeldor) build();
}

void DlgHands::build() {
    clearEntries();
    const DSSystem* calc = ctx_.project.calculator;
    builtForSystem_ = calc ? calc->index : -1;
    const std::vector<HandleProfile*> list =
        calc ? calc->handleProfiles(ctx_.project.options) : std::vector<HandleProfile*>{};
    const int n = static_cast<int>(list.size());
    for (int i = 0; i < n; ++i) {
        const HandleProfile* h = list[static_cast<size_t>(i)];
        addButton({kFirstId + i, h->index, qs(h->code), h->imageId, nullptr}, QRect(95 * i, 5, 95, 91));
    }
    close_->setGeometry(95 * n, 5, 95, 91);
    resize((n + 1) * 95, 100);
}

void DlgHands::choose(const PickerEntry& entry) {
    hide();
    const auto& all = ctx_.project.catalogue().handleProfiles();
    auto it = std::find_if(all.begin(), all.end(),
                           [&](const HandleProfile* h) { return h->index == entry.itemIndex; });
    if (it != all.end()) ctx_.editor.apply(edit::SetHandleProfile{*it});
}

// --- Colours ---

DlgColors::DlgColors(const UiContext& context, QWidget* parent) : Picker(context, parent) {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    separator_ = line;
    orderLabel_ = new TextLabel(QStringLiteral("Под заказ"), this);
    QFont f("Arial");
    f.setPointSize(9);
    f.setItalic(true);
    orderLabel_->setTextFont(f);
    orderLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    separator_->hide();
    orderLabel_->hide();
    build();
}

bool DlgColors::separatorShown() const {
    return !separator_->isHidden();
}
QRect DlgColors::separatorRect() const {
    return separatorRect_;
}
QRect DlgColors::orderLabelRect() const {
    return orderLabel_->geometry();
}

void DlgColors::selectionChanged() {
    const HandleProfile* h = ctx_.project.handleProfile;
    if (!h || h->index != builtForHandle_) build();
}

void DlgColors::build() {
    clearEntries();
    stockCount_ = orderCount_ = 0;
    separator_->hide();
    orderLabel_->hide();
    separatorRect_ = QRect();
    const HandleProfile* h = ctx_.project.handleProfile;
    if (!h) {
        builtForHandle_ = -1;
        close_->setGeometry(0, 0, 99, 96);
        resize(99, 106);
        return;
    }
    builtForHandle_ = h->index;
    const auto& list = h->colors();
    const int total = static_cast<int>(list.size());
    int firstOrder = total;
    for (int i = 0; i < total; ++i)
        if (list[static_cast<size_t>(i)].madeToOrder) {
            firstOrder = i;
            break;
        }
    stockCount_ = firstOrder;
    orderCount_ = total - firstOrder;

    constexpr int kPerRow = 11;
    // The first stock row runs from y = 5 to 96, every later row is 96 pixels high right below the one
    // before.
    auto place = [&](int position, int inGroup, int groupTop) {
        const HandleColor& hc = list[static_cast<size_t>(position)];
        if (!hc.color) return;
        const int row = inGroup / kPerRow;
        const int top = groupTop < 0 ? (row == 0 ? 5 : 96 * row) : groupTop + 96 * row;
        const int bottom = groupTop < 0 ? 96 * (row + 1) : top + 96;
        const QRect at(99 * (inGroup % kPerRow), top, 99, bottom - top);
        addButton({kFirstId + position, hc.color->index, qs(hc.color->code), hc.color->imageId, nullptr}, at);
    };
    for (int i = 0; i < stockCount_; ++i)
        place(i, i, -1);
    const int stockRows = (stockCount_ + kPerRow - 1) / kPerRow;
    int bottom = stockRows > 0 ? 96 * stockRows : 96; // bottom of the first group's last row
    const int n = std::min(std::max(stockCount_, orderCount_), kPerRow);
    if (orderCount_ > 0) {
        const QRect sep(60, bottom + 20, std::max(1, n * 99 - 120), 1);
        separatorRect_ = sep;
        separator_->setGeometry(sep.x(), sep.y() - 1, sep.width(), 3); // the etched line needs three pixels
        separator_->show();
        orderLabel_->setGeometry(sep.x() + sep.width() / 2 - 30, sep.y() - 14, 100, 14);
        orderLabel_->show();
        const int top = bottom + 30;
        for (int i = 0; i < orderCount_; ++i)
            place(firstOrder + i, i, top);
        const int orderRows = (orderCount_ + kPerRow - 1) / kPerRow;
        bottom = top + 96 * orderRows;
    }
    close_->setGeometry(n * 99, 0, 99, 96);
    resize(n * 99 + 99, bottom + 10);
}

void DlgColors::choose(const PickerEntry& entry) {
    const auto& all = ctx_.project.catalogue().colors();
    auto it = std::find_if(all.begin(), all.end(),
                           [&](const ProfileColor* c) { return c->index == entry.itemIndex; });
    if (it != all.end()) ctx_.editor.apply(edit::SetProfileColor{*it});
    hide();
}

} // namespace dalvex::ui
