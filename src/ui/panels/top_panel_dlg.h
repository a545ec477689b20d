#pragma once
// The strip across the top of the main window: system, handle profile and colour buttons with their pickers,
// the dimensions, the door count, the plinth and chipboard fields, the system option toggle, and the project
// buttons (open, save, workbook, print).
#include "document/edit_typing.h"
#include "panels/panel.h"
#include "project/length_fields.h"

class QComboBox;
class QLineEdit;
class QMenu;

namespace dalvex::ui {

class DlgColors;
class DlgHands;
class DlgPrint;
class DlgSystems;
class PictureButton;
class TextLabel;

// TopPanelDlg: the top panel (pickers, dimensions, file commands, journal).
class TopPanelDlg : public Panel {
    Q_OBJECT
public:
    static constexpr int kHeight = 121; // 75 dialog units

    TopPanelDlg(const UiContext& context, QWidget* parent);
    ~TopPanelDlg() override;

    void refresh();

    // The project buttons' actions.
    void openSketch();
    // "Вставить заявку": the order a link on the clipboard carries.
    void pasteSketchLink();
    // Writes the open file; an order never saved asks where, as "Сохранить как" does.
    void saveSketch();
    void saveSketchAs();
    // The recent files, offered on the context menu of "Открыть"; the caller shows the menu.
    QMenu* recentFilesMenu();
    void openRecent(const QString& path);
    void showExport();
    void showPrint();
    // The picker buttons' action: shows one picker under the panel and hides the others.
    void togglePicker(int which); // 0 systems, 1 handle profiles, 2 colours
    void toggleOption();

    QLineEdit* widthEdit() const { return width_; }
    QLineEdit* heightEdit() const { return height_; }
    QLineEdit* plinthEdit() const { return plinth_; }
    QLineEdit* chipboardEdit() const { return chipboard_; }
    QComboBox* doorCountList() const { return doors_; }
    PictureButton* optionButton() const { return option_; }
    // "Журнал": the main window opens the order journal with it.
    PictureButton* journalButton() const { return journal_; }
    PictureButton* pickerButton(int which) const { return pickerButtons_[which]; }
    QString dimensionWord() const;
    DlgSystems* systemsPicker() const { return systems_; }
    DlgHands* handsPicker() const { return hands_; }
    DlgColors* colorsPicker() const { return colors_; }
    DlgPrint* printDialog() const { return print_; }
    DlgPrint* exportDialog() const { return export_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeDimensions(bool all);
    void writeOpening(); // the width and height alone
    // The dimensions and the door count as the order has them now.
    void showDimensions();
    void showDoorCount();
    // The option toggle as the system offers it: Фелдор's mounting, the edge profiles, or none.
    void showOption();
    void updatePlinthFields();
    void dimensionEdited(QLineEdit* edit);
    // Back to the order's value, unframed.
    void snapBack(QLineEdit* edit);
    // A refused entry is framed red and the info line says the field's range; a taken one is unframed.
    void markRefused(QLineEdit* edit, bool refused);
    LengthField fieldOf(const QLineEdit* edit) const;
    void doorCountChosen();
    int32_t projectValue(QLineEdit* edit) const;

    QLineEdit* width_;
    QLineEdit* height_;
    QLineEdit* plinth_;
    QLineEdit* chipboard_;
    QComboBox* doors_;
    PictureButton* pickerButtons_[3];
    PictureButton* option_;
    PictureButton* journal_;
    TextLabel* dimensionWord_;
    DlgSystems* systems_;
    DlgHands* hands_;
    DlgColors* colors_;
    DlgPrint* print_;
    DlgPrint* export_;
    bool refreshing_ = false;
    EditTyping typing_;
};

} // namespace dalvex::ui
