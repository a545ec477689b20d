#pragma once
// The thumbnail list of the fillings page: one 62 x 62 thumbnail per material of a collection, captioned with
// the material's name (its key when it has none), which also picks it. A thumbnail is made only when its item
// first comes into view, so a collection of many thousand pictures costs no more to show than one page of
// them; the thumbnails made are kept for when their collection is shown again.
#include <QFont>
#include <QHash>
#include <QListWidget>
#include <QPixmap>
#include <QStringList>

#include <vector>

namespace dalvex::ui {

class CThumbListCtrl : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kThumbWidth = 62;
    static constexpr int kThumbHeight = 62;

    explicit CThumbListCtrl(QWidget* parent = nullptr);

    // The pictures to show, each captioned with `captions` and explained by `tips` at its place; a picture
    // without a caption shows its key.
    void setPaths(const QStringList& paths, const QString& picturesFolder, const QStringList& captions = {},
                  const QStringList& tips = {});
    // The material key of an item of the list.
    static QString key(const QListWidgetItem* item);
    const QStringList& paths() const { return paths_; }
    const QString& picturesFolder() const { return picturesFolder_; }
    // Lists the pictures of `paths` again, in order, each with a blank thumbnail until it is seen.
    void rebuild();
    // Whether the item at `row` shows its picture yet.
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

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void scheduleThumbnails();
    void makeVisibleThumbnails();

    static constexpr qsizetype kKeptThumbnails = 1000; // 15 MB

    QStringList paths_;
    QStringList captions_;
    QStringList tips_;
    std::vector<bool> made_;
    // By path; emptied when full.
    QHash<QString, QPixmap> kept_;
    bool scheduled_ = false;
    QString picturesFolder_;
};

} // namespace dalvex::ui
