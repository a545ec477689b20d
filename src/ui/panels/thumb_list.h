#pragma once
// The thumbnail list of the fillings page: one 62 x 62 thumbnail per material of a collection, captioned with
// the material's name (its key when it has none), which also picks it. The rows are asked of their source
// only when the view needs them, and a thumbnail is made only when its row is first painted, so a collection
// of many thousand pictures costs no more to show than one page of them; the thumbnails made are kept for
// when their collection is shown again.
#include <QAbstractListModel>
#include <QFont>
#include <QHash>
#include <QListView>
#include <QPixmap>
#include <QStringList>

#include <functional>
#include <vector>

namespace dalvex::ui {

// One row of the list: the picture's path, its caption (the key when empty) and its tooltip (the caption
// when empty).
struct ThumbRow {
    QString path;
    QString caption;
    QString tip;
};

// CThumbListCtrl: the thumbnails of a material collection.
class CThumbListCtrl : public QListView {
    Q_OBJECT
public:
    static constexpr int kThumbWidth = 62;
    static constexpr int kThumbHeight = 62;
    // The material key of a row.
    static constexpr int kKeyRole = Qt::UserRole;

    using RowSource = std::function<ThumbRow(int row)>;

    explicit CThumbListCtrl(QWidget* parent = nullptr);
    ~CThumbListCtrl() override;

    // The `count` rows given by `source`, whose pictures lie below `picturesFolder`. Nothing is selected.
    void setRows(int count, RowSource source, const QString& picturesFolder);
    // The same for a list of pictures, each captioned with `captions` and explained by `tips` at its place.
    void setPaths(const QStringList& paths, const QString& picturesFolder, const QStringList& captions = {},
                  const QStringList& tips = {});
    int count() const;
    const QString& picturesFolder() const { return picturesFolder_; }
    // The material key of the selected row; empty when none is.
    QString pickedKey() const;
    void setCurrentRow(int row);
    // Whether the row at `row` shows its picture yet.
    bool thumbnailMade(int row) const;

    // A picture as its thumbnail: as it is at exactly 62 x 62, else stretched to that size, on white; blank
    // when it cannot be read.
    static QPixmap thumbnail(const QString& path);
    // The caption of a picture: its path below the pictures folder, which is the material key.
    static QString keyOf(const QString& path, const QString& picturesFolder);

    // How an item's caption is shown under its thumbnail: in full, wrapped after "_", "-", "." or a space
    // (or inside a word that is still too long) in as many lines as the cell holds.
    struct CaptionLayout {
        QFont font;
        QRect rect;
        QString text; // the caption with the break points the wrapping may use
        int flags = 0;
    };
    CaptionLayout captionLayout(const QRect& cell, const QString& caption) const;

signals:
    // The selection changed (by the user or by setCurrentRow).
    void picked();

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    class Model;
    Model* model_;
    QString picturesFolder_;
};

} // namespace dalvex::ui
