#pragma once
// The right panel of the sketch editor, on two pages. "Система": door parameters, which doors are shown, the
// handle bar length, roller sets (and Борвик's height offset), insert sizes on or off, and the divider tools
// (Герлит: its running and guide profiles instead). "Наполнение": the material collections, the scaling
// option and the thumbnails whose click fills the insert selected in the sketch view.
#include "panels/panel.h"

#include <array>

class QComboBox;

namespace dalvex::ui {

class CThumbListCtrl;
class DlgDoorSize;
class DlgSplitter;
class DlgZoomMaterial;
class PictureButton;
class TextLabel;

class RightPanelDlg : public Panel {
    Q_OBJECT
public:
    static constexpr int kWidth = 280;
    static constexpr int kListHeight = 22; // a closed drop-down list

    RightPanelDlg(const UiContext& context, QWidget* parent);
    ~RightPanelDlg() override;

    int page() const { return page_; }
    // Where the logo is drawn: its box at the bottom of the panel, less what the controls of the page need
    // above it on a short screen; empty when there is no room for it.
    QRect logoBox() const;
    void showPage(int page); // 0 "Система", 1 "Наполнение"
    // Shows the controls of the page and the system, and the divider profile with its orientation rule.
    void refresh();
    // Fills the lists that depend on the choices and the door count.
    void refillLists();

    // The buttons' actions.
    void openDoorParameters();
    void toggleInsertSizes();
    void toggleSplitter();
    void orientationClicked();
    void drawModeClicked();
    void clearSketch();
    void toggleRunningProfile();
    void toggleGuideProfile();
    void toggleScaling();

    PictureButton* tabButton(int page) const { return tabs_[static_cast<size_t>(page)]; }
    PictureButton* doorParametersButton() const { return doorParameters_; }
    QComboBox* doorsShownList() const { return doorsShown_; }
    QComboBox* barLengthList() const { return barLengths_; }
    QComboBox* rollerList() const { return rollers_; }
    QComboBox* heightOffsetList() const { return heightOffsets_; }
    TextLabel* heightOffsetLabel() const { return heightOffsetLabel_; }
    TextLabel* chooseTypeLabel() const { return chooseType_; }
    PictureButton* insertSizesButton() const { return insertSizes_; }
    PictureButton* dividerButton() const { return divider_; }
    PictureButton* orientationButton() const { return orientation_; }
    PictureButton* drawModeButton() const { return drawMode_; }
    // On the page "Наполнение" while dividers are being drawn: a click in the sketch draws a divider there
    // too; a click on the notice stops drawing.
    PictureButton* drawModeNotice() const { return drawNotice_; }
    PictureButton* clearButton() const { return clear_; }
    PictureButton* runningButton() const { return running_; }
    PictureButton* guideButton() const { return guide_; }
    QComboBox* collectionList() const { return collections_; }
    PictureButton* scalingButton() const { return scaling_; }
    CThumbListCtrl* thumbList() const { return thumbs_; }
    TextLabel* linkLabel() const { return link_; }
    DlgSplitter* splitter() const { return splitter_; }
    DlgDoorSize* doorSizeDialog() const { return doorSize_; }
    DlgZoomMaterial* zoomDialog() const { return zoom_; }
    // A click in the sketch: no thumbnail stays chosen, so that the same material can be picked again.
    void forgetThumbChoice();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutControls();
    void showHeightOffset();
    // The view settings: orientation, drawing mode, insert sizes, scaling and the doors shown.
    void showView();
    // The door shown alone ("Все": all of them) in its list.
    void showDoorShown();
    void showOrientation();
    void showDrawMode();
    // The running and guide profiles of a system that offers them (Герлит).
    void showRailProfiles();
    void doorsShownChosen(int item);
    void barLengthChosen(int item);
    void rollerChosen(int item);
    void heightOffsetChosen(int item);
    void collectionChosen(int item);
    void thumbnailPicked();

    int page_ = 0;
    std::array<PictureButton*, 2> tabs_{};
    PictureButton* doorParameters_;
    TextLabel* doorsShownLabel_;
    TextLabel* barLengthLabel_;
    TextLabel* rollerLabel_;
    TextLabel* heightOffsetLabel_;
    TextLabel* chooseType_;
    QComboBox* doorsShown_;
    QComboBox* barLengths_;
    QComboBox* rollers_;
    QComboBox* heightOffsets_;
    PictureButton* insertSizes_;
    PictureButton* divider_;
    PictureButton* orientation_;
    PictureButton* drawMode_;
    PictureButton* drawNotice_;
    PictureButton* clear_;
    PictureButton* running_;
    PictureButton* guide_;
    QComboBox* collections_;
    PictureButton* scaling_;
    CThumbListCtrl* thumbs_;
    TextLabel* link_;
    DlgSplitter* splitter_;
    DlgDoorSize* doorSize_;
    DlgZoomMaterial* zoom_;
    bool filling_ = false; // lists are being filled by the program, not chosen by the user
};

} // namespace dalvex::ui
