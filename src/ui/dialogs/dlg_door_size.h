#pragma once
// "Параметры дверей": each door's width in millimetres and its row, the remainder of the opening the typed
// widths leave uncovered, and the checks before the values are applied. The logic is the core's
// DoorWidthsEditor; the dialog only shows its values and messages. While it is open the panels are locked.
#include "project/door_widths.h"
#include "document/ui_context.h"

#include "dialogs/tool_dialog.h"

#include <array>
#include <functional>

class QComboBox;
class QLineEdit;

namespace dalvex::ui {

class PictureButton;
class TextLabel;

// DlgDoorSize: the door widths dialog of "Параметры дверей".
class DlgDoorSize : public ToolDialog {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 10;
    static constexpr int kWidth = 286;

    DlgDoorSize(const UiContext& context, QWidget* parent);

    // Locks the panels, fills the controls from the doors and shows the dialog centred on the main window.
    void open() override;

    QLineEdit* widthEdit(int door) const { return widths_[static_cast<size_t>(door)]; }
    QComboBox* rowList(int door) const { return rows_[static_cast<size_t>(door)]; }
    TextLabel* doorLabel(int door) const { return labels_[static_cast<size_t>(door)]; }
    QLineEdit* remainderEdit() const { return remainder_; }
    PictureButton* okButton() const { return ok_; }
    PictureButton* cancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

private:
    void layoutRows(int n);
    void widthEdited();
    std::vector<std::string> typedWidths() const;
    void finish(bool applied);

    UiContext ctx_;
    DoorWidthsEditor editor_;
    std::array<TextLabel*, kMaxRows> labels_{};
    std::array<QLineEdit*, kMaxRows> widths_{};
    std::array<QComboBox*, kMaxRows> rows_{};
    TextLabel* remainderLabel_;
    QLineEdit* remainder_;
    PictureButton* ok_;
    PictureButton* cancel_;
    int shownDoors_ = 0;
};

} // namespace dalvex::ui
