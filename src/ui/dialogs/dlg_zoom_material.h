#pragma once
// "Масштабирование": how a picked material's picture is laid on the selected insert, fitted to the insert or
// spread over a range of doors as if they were one panel. While it is open the panels are locked.
#include "document/ui_context.h"

#include "dialogs/tool_dialog.h"

class QComboBox;

namespace dalvex {
struct Material;
}

namespace dalvex::ui {

class PictureButton;

class DlgZoomMaterial : public ToolDialog {
    Q_OBJECT
public:
    DlgZoomMaterial(const UiContext& context, QWidget* parent);

    // Locks the panels, takes the material and shows the dialog; closes at once when no insert is selected.
    void openFor(const Material* material);
    const Material* material() const { return material_; }
    int lastRangeStart() const { return lastRangeStart_; }
    int lastRangeEnd() const { return lastRangeEnd_; }

    // "По размеру вставки" and "По размеру дверей".
    void fitInsert();
    void fitDoors();

    QComboBox* fromList() const { return from_; }
    QComboBox* toList() const { return to_; }
    PictureButton* insertButton() const { return insert_; }
    PictureButton* doorsButton() const { return doors_; }

    void reject() override;

private:
    bool fillLists();
    // The selected insert gets the material, fitted to it (firstDoor < 0) or spread over the doors.
    void fill(int firstDoor, int lastDoor);

    UiContext ctx_;
    const Material* material_ = nullptr;
    int lastRangeStart_ = -1;
    int lastRangeEnd_ = -1;
    PictureButton* insert_;
    PictureButton* doors_;
    QComboBox* from_;
    QComboBox* to_;
};

} // namespace dalvex::ui
