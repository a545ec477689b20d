#pragma once
// One of the four result tables (price calculation, order information, profiles and materials, assembly),
// scrolled vertically. A table hidden behind another tab is only marked stale when the Project changes and is
// built when it is shown or read. The rows in view are drawn into a picture of the view, which a paint copies
// until the table, its size or the scroll position change; the picture has the screen's device pixels.
#include "results/cell_pictures.h"
#include "orders/table_section.h"
#include "panels/panel.h"
#include "results/table_layout.h"

#include <QPixmap>

#include <vector>

class QScrollBar;

namespace dalvex::ui {

// DlgTable: a result table tab.
class DlgTable : public Panel {
    Q_OBJECT
public:
    DlgTable(const UiContext& context, int kind, QWidget* parent);

    int kind() const { return kind_; }
    // Builds the table again from the Project, lays it out and scrolls back to the top.
    void rebuild();
    // Whether the Project or the size changed since the table was last built or laid out.
    bool stale() const { return stale_ != Stale::No; }

    // What the table shows for the Project as it is now: a stale table is brought up to date first.
    const std::vector<TableSection>& sections();
    const TableLayout& layout();
    const TableScroll& scroll();
    QScrollBar* scrollBar();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Stale { No, Layout, Sections };
    // Builds or lays out what is stale; `stale_` says how much.
    void refresh();
    void markStale(Stale what);
    // Lays out the sections; `before` are the sections of the last layout.
    void relayout(const std::vector<TableSection>& before);
    void resetScrollBar();
    // Draws the rows in view into `view_`.
    void render();

    int kind_;
    std::vector<TableSection> sections_;
    TableLayout layout_;
    CellHeights heights_;
    CellPictures pictures_;
    TableScroll scroll_;
    QScrollBar* bar_;
    Stale stale_ = Stale::Sections;
    QPixmap view_;
    int viewPosition_ = -1; // the scroll position `view_` was drawn at; -1: to be drawn
    int wheelTurn_ = 0;     // the wheel's turn short of a notch
};

} // namespace dalvex::ui
