#pragma once
// The sketch view: draws the doors of the Project to scale. The drawing is rendered off screen only when the
// sketch changed, the view was resized or a render is forced; a paint just copies it.
#include "panel.h"
#include "picture_cache.h"
#include "sketch_layout.h"

#include <QImage>

namespace dalvex::ui {

class DraftDlg : public Panel {
    Q_OBJECT
public:
    DraftDlg(const UiContext& context, QWidget* parent);

    // Renders the sketch again at the next paint.
    void redraw();
    void setLocked(bool locked);

    // Draws all doors scaled to fit `rect` (a printer page area), without insert sizes, and moves the top of
    // `rect` below the drawing. The screen is rendered anew afterwards.
    void drawForPrint(QPainter& painter, QRect& rect);

    // Drops the cached material pictures; done when a sketch file was read, whose pictures may differ.
    void clearPictureCaches();

    const PictureCache& pictureCache() const { return pictures_; }
    const DoorTable& doorTable() const { return doorTable_; }
    // How many times the sketch was rendered off screen.
    int renderCount() const { return renders_; }

protected:
    void onNotification(Notification n) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void render();

    PictureCache pictures_;
    DoorTable doorTable_{};
    QImage picture_;
    bool forceRender_ = false;
    int renders_ = 0;
};

} // namespace dalvex::ui
