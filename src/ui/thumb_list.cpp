#include "thumb_list.h"

#include "picture_cache.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

namespace dalvex::ui {

namespace {

constexpr int kCellWidth = CThumbListCtrl::kThumbWidth + 18;
constexpr int kCellHeight = CThumbListCtrl::kThumbHeight + 57; // four lines of a material's name
constexpr QChar kBreak(0x200B); // a zero-width space: a place where a caption may wrap
constexpr int kKeyRole = Qt::UserRole;

// Draws a thumbnail with its whole caption under it, where the list's own drawing would cut it short.
class ThumbDelegate : public QStyledItemDelegate {
public:
    explicit ThumbDelegate(CThumbListCtrl* list) : QStyledItemDelegate(list), list_(list) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {kCellWidth, kCellHeight};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        p->save();
        const QRect cell = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        if (selected) p->fillRect(cell, option.palette.highlight());
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        icon.paint(p, QRect(cell.left() + (cell.width() - CThumbListCtrl::kThumbWidth) / 2, cell.top() + 2,
                            CThumbListCtrl::kThumbWidth, CThumbListCtrl::kThumbHeight));
        const auto caption = list_->captionLayout(cell, index.data(Qt::DisplayRole).toString());
        p->setFont(caption.font);
        p->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        p->drawText(caption.rect, caption.flags, caption.text);
        p->restore();
    }

private:
    CThumbListCtrl* list_;
};

} // namespace

CThumbListCtrl::CThumbListCtrl(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setIconSize(QSize(kThumbWidth, kThumbHeight));
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setGridSize(QSize(kCellWidth, kCellHeight));
    setItemDelegate(new ThumbDelegate(this));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { scheduleThumbnails(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { scheduleThumbnails(); });
}

CThumbListCtrl::CaptionLayout CThumbListCtrl::captionLayout(const QRect& cell, const QString& caption) const {
    CaptionLayout c;
    c.font = font();
    c.font.setPixelSize(11);
    c.rect = QRect(cell.left() + 1, cell.top() + kThumbHeight + 4, cell.width() - 2,
                   cell.bottom() - (cell.top() + kThumbHeight + 4));
    for (const QChar ch : caption) {
        c.text += ch;
        if (ch == QLatin1Char('_') || ch == QLatin1Char('-') || ch == QLatin1Char('.') ||
            ch == QLatin1Char('\\'))
            c.text += kBreak;
    }
    // Where the break points give too many lines, the caption runs on across them instead of being cut off.
    const QFontMetrics fm(c.font);
    c.flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const QRect need =
        fm.boundingRect(QRect(c.rect.topLeft(), QSize(c.rect.width(), 10000)), c.flags, c.text);
    if (need.width() > c.rect.width() || need.height() > c.rect.height())
        c.flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWrapAnywhere;
    return c;
}

void CThumbListCtrl::setPaths(const QStringList& paths, const QString& picturesFolder,
                              const QStringList& captions, const QStringList& tips) {
    paths_ = paths;
    picturesFolder_ = picturesFolder;
    captions_ = captions;
    tips_ = tips;
}

QString CThumbListCtrl::key(const QListWidgetItem* item) {
    return item ? item->data(kKeyRole).toString() : QString();
}

QPixmap CThumbListCtrl::thumbnail(const QString& path) {
    const QSize size(kThumbWidth, kThumbHeight);
    QImage picture = readPictureFile(path.toStdString());
    QPixmap result(size);
    result.fill(Qt::white);
    if (picture.isNull()) return result;
    if (picture.size() != size)
        picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter p(&result);
    p.drawImage(0, 0, picture);
    return result;
}

QString CThumbListCtrl::keyOf(const QString& path, const QString& picturesFolder) {
    QString key;
    if (!picturesFolder.isEmpty() && path.size() > picturesFolder.size() && path.startsWith(picturesFolder))
        key = path.mid(picturesFolder.size() + 1);
    else
        key = path.mid(std::max(path.lastIndexOf('/'), path.lastIndexOf('\\')) + 1);
    // Keys name a sub-folder picture with a backslash on every platform.
    key.replace('/', '\\');
    return key;
}

void CThumbListCtrl::rebuild() {
    setUpdatesEnabled(false);
    clear();
    QPixmap blank(kThumbWidth, kThumbHeight);
    blank.fill(Qt::white);
    const QIcon placeholder(blank);
    for (qsizetype i = 0; i < paths_.size(); ++i) {
        const QString key = keyOf(paths_[i], picturesFolder_);
        const QString caption = captions_.value(i);
        auto* item = new QListWidgetItem(placeholder, caption.isEmpty() ? key : caption);
        item->setData(kKeyRole, key);
        const QString tip = tips_.value(i);
        item->setToolTip(tip.isEmpty() ? item->text() : tip);
        addItem(item);
    }
    made_.assign(static_cast<std::size_t>(paths_.size()), false);
    setUpdatesEnabled(true);
    viewport()->update();
    scheduleThumbnails();
}

bool CThumbListCtrl::thumbnailMade(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < made_.size() && made_[static_cast<std::size_t>(row)];
}

void CThumbListCtrl::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    scheduleThumbnails();
}

void CThumbListCtrl::showEvent(QShowEvent* event) {
    QListWidget::showEvent(event);
    scheduleThumbnails();
}

// After the current event, so that a burst of scrolling makes the thumbnails of where it stops only.
void CThumbListCtrl::scheduleThumbnails() {
    if (scheduled_) return;
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        scheduled_ = false;
        makeVisibleThumbnails();
    });
}

void CThumbListCtrl::makeVisibleThumbnails() {
    if (!isVisible()) return;
    const QRect view = viewport()->rect();
    const int n = std::min(count(), static_cast<int>(made_.size()));
    for (int row = 0; row < n; ++row) {
        const QRect r = visualItemRect(item(row));
        // The items flow left to right and down: past the bottom of the view nothing more shows.
        if (r.top() > view.bottom()) break;
        if (made_[static_cast<std::size_t>(row)] || !r.intersects(view)) continue;
        const QString& path = paths_[row];
        auto kept = kept_.constFind(path);
        if (kept == kept_.constEnd()) {
            if (kept_.size() >= kKeptThumbnails) kept_.clear();
            kept = kept_.insert(path, thumbnail(path));
        }
        item(row)->setIcon(QIcon(*kept));
        made_[static_cast<std::size_t>(row)] = true;
    }
}

} // namespace dalvex::ui
