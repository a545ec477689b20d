#pragma once
// One of the four result tables (price calculation, order information, profiles and materials, assembly),
// drawn once into an off-screen picture and scrolled vertically.
#include "orders/table_section.h"
#include "panel.h"
#include "table_layout.h"

#include <QPixmap>

#include <vector>

class QScrollBar;

namespace dalvex::ui {

class DlgTable : public Panel {
    Q_OBJECT
public:
    DlgTable(const UiContext& context, int kind, QWidget* parent);

    int kind() const { return kind_; }
    // Builds the table again from the Project, lays it out and scrolls back to the top.
    void rebuild();

    const std::vector<TableSection>& sections() const { return sections_; }
    const TableLayout& layout() const { return layout_; }
    const TableScroll& scroll() const { return scroll_; }
    QScrollBar* scrollBar() const { return bar_; }

protected:
    void onNotification(Notification n) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void relayout();
    void resetScrollBar();
    void showPosition();
    void render();

    int kind_;
    std::vector<TableSection> sections_;
    TableLayout layout_;
    TableScroll scroll_;
    QScrollBar* bar_;
    QPixmap picture_;
    bool pictureDirty_ = true;
};

} // namespace dalvex::ui
