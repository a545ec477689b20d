#include "thumb_list.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

namespace dalvex::ui {

CThumbListCtrl::CThumbListCtrl(QWidget* parent) : QListWidget(parent) {
    setViewMode(QListView::IconMode);
    setIconSize(QSize(kThumbWidth, kThumbHeight));
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setGridSize(QSize(kThumbWidth + 22, kThumbHeight + 34));
}

void CThumbListCtrl::setPaths(const QStringList& paths, const QString& picturesFolder) {
    paths_ = paths;
    picturesFolder_ = picturesFolder;
}

QPixmap CThumbListCtrl::thumbnail(const QString& path) {
    const QSize size(kThumbWidth, kThumbHeight);
    QImage picture(path);
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
    for (const QString& path : paths_) {
        auto* item = new QListWidgetItem(QIcon(thumbnail(path)), keyOf(path, picturesFolder_));
        item->setToolTip(item->text());
        addItem(item);
    }
    setUpdatesEnabled(true);
    viewport()->update();
}

} // namespace dalvex::ui
