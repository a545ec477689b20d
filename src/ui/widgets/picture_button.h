#pragma once
// An owner-drawn button: a picture (another one while the pointer is over it) with an optional caption under
// or beside it, grey text that turns red under the pointer. Toggle buttons show a checked or unchecked
// picture. Tab reaches it and a frame shows it has the keyboard; a click leaves the keyboard where it was.
#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>

namespace dalvex::ui {

// PictureButton: a button drawn from pictures.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class CaptionPlacement { Below, Right, None };

    explicit PictureButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& normal, const QPixmap& hover = QPixmap());
    void setCaption(const QString& text, CaptionPlacement placement = CaptionPlacement::Below);
    void setCaptionFont(const QFont& font);
    void setCaptionColors(const QColor& normal, const QColor& hover);
    // A toggle: the checked picture is shown while checked.
    void setToggle(const QPixmap& unchecked, const QPixmap& checked);
    // Drawn on a raised plate with a border, for the actions of a dialog, so that they read as buttons.
    void setFramed(bool framed);

    QSize sizeHint() const override;

    // Where the caption goes and in which font: the whole caption on one line, else wrapped to two, else in a
    // smaller font down to 10 pixels, so that nothing of it is cut off.
    struct CaptionLayout {
        QFont font;
        QRect rect;
        int flags = 0;
    };
    CaptionLayout captionLayout() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Enter presses the button as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap shownPicture() const;
    CaptionLayout fitCaption(QSize picture) const;

    // What a caption layout was fitted for: fitting measures the text in every size it tries, too slow to
    // repeat on every paint of the window.
    struct CaptionKey {
        QSize size;
        QString text;
        QFont font;
        int dpi = 0; // the font's size in pixels follows the screen's
        QSize picture;
        CaptionPlacement placement = CaptionPlacement::Below;
        bool framed = false;
        bool operator==(const CaptionKey&) const = default;
    };
    mutable CaptionKey captionKey_;
    mutable CaptionLayout caption_;
    mutable bool captionFitted_ = false;

    QPixmap normal_, hover_, unchecked_, checked_;
    CaptionPlacement placement_ = CaptionPlacement::Below;
    QColor textColor_{76, 76, 76};
    QColor hoverColor_{250, 41, 41};
    bool hovered_ = false;
    bool framed_ = false;
};

} // namespace dalvex::ui
