#include "panels/thumb_list.h"

#include "sketch_view/picture_cache.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace dalvex::ui {

namespace {

constexpr int kCellWidth = CThumbListCtrl::kThumbWidth + 18;
constexpr int kCellHeight = CThumbListCtrl::kThumbHeight + 57; // four lines of a material's name
constexpr QChar kBreak(0x200B); // a zero-width space: a place where a caption may wrap

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
        const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
        p->drawPixmap(cell.left() + (cell.width() - CThumbListCtrl::kThumbWidth) / 2, cell.top() + 2,
                      picture);
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

// The rows of the list, asked of their source when the view needs them; a thumbnail is made when its row is
// first painted.
class CThumbListCtrl::Model : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setRows(int count, RowSource source, const QString& picturesFolder) {
        beginResetModel();
        count_ = std::max(0, count);
        source_ = std::move(source);
        folder_ = picturesFolder;
        made_.assign(static_cast<std::size_t>(count_), false);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : count_; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= count_ || !source_) return {};
        const int row = index.row();
        switch (role) {
        case Qt::DisplayRole:
            return caption(source_(row));
        case Qt::ToolTipRole: {
            const ThumbRow r = source_(row);
            return r.tip.isEmpty() ? caption(r) : r.tip;
        }
        case kKeyRole:
            return keyOf(source_(row).path, folder_);
        case Qt::DecorationRole:
            return picture(row);
        default:
            return {};
        }
    }

    bool made(int row) const { return row >= 0 && row < count_ && made_[static_cast<std::size_t>(row)]; }

private:
    static constexpr qsizetype kKeptThumbnails = 1000; // 15 MB

    QString caption(const ThumbRow& r) const {
        return r.caption.isEmpty() ? keyOf(r.path, folder_) : r.caption;
    }

    QPixmap picture(int row) const {
        const QString path = source_(row).path;
        auto kept = kept_.constFind(path);
        if (kept == kept_.constEnd()) {
            if (kept_.size() >= kKeptThumbnails) kept_.clear();
            kept = kept_.insert(path, thumbnail(path));
        }
        made_[static_cast<std::size_t>(row)] = true;
        return *kept;
    }

    int count_ = 0;
    RowSource source_;
    QString folder_;
    // Made on painting, which asks a const model.
    mutable std::vector<bool> made_;
    mutable QHash<QString, QPixmap> kept_; // by path; emptied when full
};

CThumbListCtrl::CThumbListCtrl(QWidget* parent) : QListView(parent), model_(new Model(this)) {
    setViewMode(QListView::IconMode);
    setIconSize(QSize(kThumbWidth, kThumbHeight));
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setWordWrap(true);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setGridSize(QSize(kCellWidth, kCellHeight));
    setItemDelegate(new ThumbDelegate(this));
    setModel(model_);
}

CThumbListCtrl::~CThumbListCtrl() = default;

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

void CThumbListCtrl::setRows(int count, RowSource source, const QString& picturesFolder) {
    picturesFolder_ = picturesFolder;
    model_->setRows(count, std::move(source), picturesFolder);
}

void CThumbListCtrl::setPaths(const QStringList& paths, const QString& picturesFolder,
                              const QStringList& captions, const QStringList& tips) {
    setRows(
        static_cast<int>(paths.size()),
        [paths, captions, tips](int row) {
            return ThumbRow{paths[row], captions.value(row), tips.value(row)};
        },
        picturesFolder);
}

int CThumbListCtrl::count() const {
    return model_->rowCount();
}

QString CThumbListCtrl::pickedKey() const {
    const QModelIndexList picked = selectionModel()->selectedIndexes();
    return picked.isEmpty() ? QString() : picked.front().data(kKeyRole).toString();
}

void CThumbListCtrl::setCurrentRow(int row) {
    selectionModel()->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
}

bool CThumbListCtrl::thumbnailMade(int row) const {
    return model_->made(row);
}

void CThumbListCtrl::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QListView::selectionChanged(selected, deselected);
    emit picked();
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

} // namespace dalvex::ui
