#pragma once
// A label that draws its text in a given font and colour on a transparent background; as a link it shows a
// pointing hand and opens its address when clicked.
#include <QColor>
#include <QFont>
#include <QUrl>
#include <QWidget>

namespace dalvex::ui {

// TextLabel: a label drawn in the program's own fonts.
class TextLabel : public QWidget {
    Q_OBJECT
public:
    explicit TextLabel(const QString& text = QString(), QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setTextFont(const QFont& font);
    void setTextColor(const QColor& color);
    void setAlignment(Qt::Alignment alignment);
    void setLink(const QUrl& address);
    QFont textFont() const { return font_; }
    Qt::Alignment alignment() const { return alignment_; }
    QUrl link() const { return link_; }
    // Resizes the label to fit its text.
    void adjustToText();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString text_;
    QFont font_;
    QColor color_{76, 76, 76};
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    QUrl link_;
};

} // namespace dalvex::ui
