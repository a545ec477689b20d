#pragma once
// The insert size dialog: opened at the mouse after a divider was drawn or dragged, it asks how wide
// (vertical divider) or high (horizontal) the insert on one side of it is to be and moves the divider so that
// the filling panel on that side gets exactly that size. It starts from the insert's size, and shows the
// panel's size (what the sketch writes) beside it; OK without an edit changes nothing, and a size out of the
// range is refused with the reason, the dialog staying open. While it is visible the panels are locked.
#include "project/order_queries.h"
#include "document/ui_context.h"

#include "dialogs/tool_dialog.h"

#include <cstdint>

class QComboBox;
class QLineEdit;

namespace dalvex::ui {

class PictureButton;
class TextLabel;

class SizeDlg : public ToolDialog {
    Q_OBJECT
public:
    SizeDlg(const UiContext& context, QWidget* parent);

    // Takes the insert extents beside divider `dividerId` of door `door` and shows the dialog with its
    // top-left corner at `globalPos`; does nothing for a divider the sketch does not hold.
    void openFor(int door, int32_t dividerId, QPoint globalPos);

    int door() const { return door_; }
    int32_t dividerId() const { return dividerId_; }
    bool horizontal() const { return horizontal_; }
    int32_t beforeSize() const { return beforeSize_; }
    int32_t afterSize() const { return afterSize_; }
    int32_t maxSize() const { return sizes_.high; }

    TextLabel* nameLabel() const { return name_; }
    TextLabel* insertLabel() const { return insert_; }
    TextLabel* rangeLabel() const { return range_; }
    TextLabel* panelLabel() const { return panel_; }
    QComboBox* sideList() const { return side_; }
    QLineEdit* sizeEdit() const { return edit_; }
    PictureButton* okButton() const { return ok_; }
    PictureButton* cancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void sideChanged(int index);
    // The insert's and its panel's size on the side chosen, as the dialog shows them at first.
    void showSide(int index);
    // False when the size is out of the range: the range label then says what may be entered.
    bool apply();
    void showRange(bool refused);

    UiContext ctx_;
    int door_ = -1;
    int32_t dividerId_ = 0;
    bool horizontal_ = false;
    int32_t beforeSize_ = 0;
    int32_t afterSize_ = 0;
    SizeRange sizes_; // what the panel on either side may be given
    TextLabel* name_;
    TextLabel* insert_;
    TextLabel* range_;
    TextLabel* panel_;
    QString offered_; // the size the edit was given; OK on it changes nothing
    QComboBox* side_;
    QLineEdit* edit_;
    PictureButton* ok_;
    PictureButton* cancel_;
};

} // namespace dalvex::ui
