// The right panel's page "Система": door parameters, the lists, the divider tools, rail profiles, clearing.
#include "panels/right_panel_dlg.h"

#include "art/button_icons.h"
#include "calc/ds_system.h"
#include "dialogs/dlg_door_size.h"
#include "document/order_document.h"
#include "panels/chosen_system.h"
#include "panels/dlg_splitter.h"
#include "project/order_queries.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "text/format.h"
#include "widgets/picture_button.h"
#include "widgets/qt_text.h"
#include "widgets/text_label.h"
#include "window/prompts.h"

#include <QComboBox>

#include <algorithm>

namespace dalvex::ui {

void RightPanelDlg::showDoorShown() {
    const QSignalBlocker quiet(doorsShown_);
    const int shown = ctx_.document->view().currentDoor(ctx_.project.sketch.doorCount);
    doorsShown_->setCurrentIndex(std::clamp(shown + 1, 0, doorsShown_->count() - 1));
}

void RightPanelDlg::refillLists() {
    const Project& project = ctx_.project;
    filling_ = true;

    doorsShown_->clear();
    doorsShown_->addItem(QStringLiteral("Все"));
    for (int i = 1; i <= project.doorCount; ++i)
        doorsShown_->addItem(qs(format("%d", i)));
    showDoorShown();

    barLengths_->clear();
    const HandleProfile* h = project.handleProfile;
    barLengths_->addItem(qs(format("%1.1f м", (h ? h->barLength1 : 0) / 10000.0)));
    if (h && h->barLength2 > 0) barLengths_->addItem(qs(format("%1.1f м", h->barLength2 / 10000.0)));
    barLengths_->setCurrentIndex(
        h ? std::clamp(project.options.barChoice(*h) - 1, 0, barLengths_->count() - 1) : -1);

    rollers_->clear();
    for (const std::string& entry : rollerEntries(project))
        rollers_->addItem(qs(entry));
    rollers_->setCurrentIndex(std::max(rollers_->findText(qs(currentRollerEntry(project))), 0));

    heightOffsets_->clear();
    const bool offered = ownOptionsOf(project) == OwnOptions::Pivot;
    for (int32_t mm : kHeightOffsets) {
        heightOffsets_->addItem(qs(format("%d", mm))); // the first item added becomes the current one
        if (offered && chosenOptions(project).heightOffset == mm)
            heightOffsets_->setCurrentIndex(heightOffsets_->count() - 1);
    }
    filling_ = false;
}

void RightPanelDlg::showHeightOffset() {
    const bool offset = page_ == 0 && offersHeightOffset(ctx_.project);
    heightOffsetLabel_->setVisible(offset);
    heightOffsets_->setVisible(offset);
}

void RightPanelDlg::showOrientation() {
    const bool vertical = ctx_.document->view().dividersVertical;
    orientation_->setPicture(orientationPicture(vertical, false), orientationPicture(vertical, true));
}

void RightPanelDlg::showDrawMode() {
    const bool on = ctx_.document->view().drawDividers;
    drawMode_->setPicture(drawModePicture(on, false), drawModePicture(on, true));
    // Drawing stays on across the pages: where the dividers are out of sight the page says so.
    const bool notice = on && page_ == 1;
    if (drawNotice_->isVisibleTo(this) == notice) return;
    drawNotice_->setVisible(notice);
    layoutControls();
}

void RightPanelDlg::showRailProfiles() {
    auto show = [this](PictureButton* b, const Article* a) {
        b->setPicture(a ? railPicture(a->code) : ctx_.artwork.picture(kPictureNone));
        b->setCaption(a ? qs(a->code) : QStringLiteral("Нет"));
    };
    const bool rails = ownOptionsOf(ctx_.project) == OwnOptions::RailProfiles;
    const SystemOptions& options = chosenOptions(ctx_.project);
    show(running_, rails ? options.runningProfile : nullptr);
    show(guide_, rails ? options.guideProfile : nullptr);
}

void RightPanelDlg::doorsShownChosen(int item) {
    const int n = item - 1;
    const int doorCount = ctx_.project.sketch.doorCount;
    ViewSettings view = ctx_.document->view();
    if (item < 0 || n == view.currentDoor(doorCount)) return;
    view.shownDoor = n;
    // The selection lies in the doors shown.
    ctx_.editor.clearSelection();
    ctx_.document->setView(view);
}

void RightPanelDlg::barLengthChosen(int item) {
    if (item < 0) return;
    ctx_.editor.apply(edit::ChooseBarLength{item + 1});
}

void RightPanelDlg::rollerChosen(int item) {
    if (item < 0) return;
    ctx_.editor.apply(edit::ChooseRollers{rollers_->itemText(item).toStdString()});
}

void RightPanelDlg::heightOffsetChosen(int item) {
    if (item < 0 || item >= static_cast<int>(std::size(kHeightOffsets))) return;
    ctx_.editor.apply(edit::SetHeightOffset{kHeightOffsets[item]});
}

void RightPanelDlg::toggleInsertSizes() {
    ViewSettings view = ctx_.document->view();
    view.showInsertSizes = !view.showInsertSizes;
    ctx_.document->setView(view);
}

void RightPanelDlg::openDoorParameters() {
    doorSize_->open();
}

void RightPanelDlg::toggleSplitter() {
    if (splitter_->isVisible()) {
        splitter_->hide();
        return;
    }
    const DSSystem* calc = ctx_.project.calculator;
    if (!calc || calc->dividerProfiles.empty()) return;
    splitter_->selectionChanged();
    const QPoint panel = mapToGlobal(QPoint(0, 0));
    splitter_->showAt(QPoint(panel.x() - 1 - splitter_->width(), panel.y() + 175));
}

void RightPanelDlg::orientationClicked() {
    // The profile's own orientation, where it allows only one, stays.
    if (!ctx_.project.dividerProfile) return;
    ViewSettings view = ctx_.document->view();
    view.dividersVertical = !view.dividersVertical;
    ctx_.document->setView(view);
}

void RightPanelDlg::drawModeClicked() {
    ViewSettings view = ctx_.document->view();
    view.drawDividers = !view.drawDividers;
    ctx_.document->setView(view);
}

void RightPanelDlg::clearSketch() {
    if (!prompts().question(this, QStringLiteral("Очистить эскиз, удалив все разделители и материалы?"),
                            QStringLiteral("Подтверждение")))
        return;
    ctx_.editor.apply(edit::ClearSketch{});
}

void RightPanelDlg::toggleRunningProfile() {
    ctx_.editor.apply(edit::ToggleRunningProfile{});
}

void RightPanelDlg::toggleGuideProfile() {
    ctx_.editor.apply(edit::ToggleGuideProfile{});
}

} // namespace dalvex::ui
