#pragma once
// The sketch view: draws the doors of the Project to scale and edits them with the mouse. The view keeps its
// own layout (every pixel rectangle, the scale, the hits); it lays the sketch out and renders it off screen
// only when the document says that the order changed, when resized or when a render is forced; a paint just
// copies the picture and draws the hover frame, the selection mark or the outline being dragged over it.
// Gestures become the editor's operations in model units; the panels hear of them from the document.
#include "panels/panel.h"
#include "sketch_view/picture_cache.h"
#include "sketch_view/size_dlg.h"
#include "sketch_view/sketch_menu.h"
#include "view/sketch_hover.h"
#include "view/sketch_layout.h"

#include <QImage>
#include <QPointer>

#include <vector>

class QMenu;

namespace dalvex::ui {

class DraftDlg : public Panel {
    Q_OBJECT
public:
    DraftDlg(const UiContext& context, QWidget* parent);
    ~DraftDlg() override;

    // Lays the sketch out and renders it again at the next paint.
    void redraw();
    // Drops the cached material pictures; done when a sketch file was read, whose pictures may differ.
    void clearPictureCaches();

    // Draws all doors scaled to fit `rect` (a printer page area), without insert sizes, and moves the top of
    // `rect` below the drawing. The page has a layout of its own: neither the order nor the screen changes.
    void drawForPrint(QPainter& painter, QRect& rect);

    const PictureCache& pictureCache() const { return pictures_; }
    const view::SketchLayout& layout() const { return layout_; }
    const view::DoorTable& doorTable() const { return layout_.table; }
    // How many times the sketch was rendered off screen.
    int renderCount() const { return renders_; }

    SizeDlg* sizeDialog() const { return sizeDlg_.data(); }
    PixelRect hoverRect() const { return hoverRect_; }
    int hoverDoor() const { return hoverDoor_; }
    bool dragging() const { return dragging_; }
    PixelPoint dragPoint() const { return dragPoint_; }
    PixelRect dragLimits() const { return limits_; }

    // The context menu for the door under the mouse, as the last hover test found it.
    std::vector<MenuEntry> menuEntries() const;
    void fillContextMenu(QMenu& menu) const;
    // Carries out a context menu command chosen at `menuPoint`.
    void runMenuCommand(int command, PixelPoint menuPoint);

signals:
    // The item under the mouse changed (or none is under it any more), and the left button was pressed.
    void hoverChanged();
    void sketchClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void orderChanged();
    void render();
    bool inputBlocked() const;
    void hover(PixelPoint p);
    void hoverAfterRecalculation();
    void updateCursor();
    void openSizeDialog(PixelPoint p);
    void putCursorAt(PixelPoint p);
    int shownDoor() const;
    QRect dragOutline() const;

    PictureCache pictures_;
    view::SketchLayout layout_;
    QImage picture_;
    bool forceRender_ = false;
    int renders_ = 0;

    QPointer<SizeDlg> sizeDlg_;
    PixelRect hoverRect_;
    int hoverDoor_ = -1;
    bool dragging_ = false;
    bool dragAcross_ = false; // the dragged item moves left-right (a vertical divider or a door joint)
    PixelPoint dragPoint_, startPoint_;
    PixelRect limits_, dragRect_;
    bool menuOpen_ = false;
    PixelPoint menuPoint_;
    bool rehoverPending_ = false;
    // A recalculation moved the items: the hover test is run again once the new layout is rendered.
    bool hoverStale_ = false;
    PixelPoint mousePoint_; // where the mouse last moved in the view
    bool mouseInside_ = false;
};

} // namespace dalvex::ui
