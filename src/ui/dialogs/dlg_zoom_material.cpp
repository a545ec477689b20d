#include "dialogs/dlg_zoom_material.h"

#include "art/button_icons.h"
#include "widgets/dialog_units.h"
#include "document/order_document.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "widgets/qt_text.h"
#include "sketch/sketch_units.h"
#include "text/format.h"
#include "text/numbers.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QPainter>

namespace dalvex::ui {
namespace {

QRect units(int x, int y, int w, int h) {
    return {dluX(x), dluY(y), dluX(w), dluY(h)};
}

QString doorNumber(int index) {
    return qs(format("%d", index + 1));
}

// The door index of a list entry ("1" is door 0); -1 without a selection.
int shownDoor(const QComboBox* list) {
    if (list->currentIndex() < 0) return -1;
    return readInt(list->currentText().toStdString()) - 1;
}

void selectDoor(QComboBox* list, int door) {
    const int i = list->findText(doorNumber(door));
    list->setCurrentIndex(door >= 0 && i >= 0 ? i : 0);
}

} // namespace

DlgZoomMaterial::DlgZoomMaterial(const UiContext& context, QWidget* parent)
    : ToolDialog(context.hub, parent,
                 Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      ctx_(context) {
    setWindowTitle(QStringLiteral("Масштабирование"));
    setFixedSize(dluX(132), dluY(82));
    const QFont font = ctx_.buttonFont;
    insert_ = new PictureButton(this);
    insert_->setGeometry(units(7, 7, 118, 21));
    insert_->setPicture(materialFitPicture(false));
    insert_->setCaptionFont(font);
    insert_->setCaption(QStringLiteral("По размеру вставки"), PictureButton::CaptionPlacement::Right);
    insert_->setFramed(true);
    doors_ = new PictureButton(this);
    doors_->setGeometry(units(7, 30, 118, 21));
    doors_->setPicture(materialFitPicture(true));
    doors_->setCaptionFont(font);
    doors_->setCaption(QStringLiteral("По размеру дверей"), PictureButton::CaptionPlacement::Right);
    doors_->setFramed(true);
    auto label = [this](const QString& text, QRect at) {
        auto* l = new TextLabel(text, this);
        l->setTextFont(labelFont());
        l->setGeometry(at);
    };
    label(QStringLiteral("Дверь с"), units(7, 63, 32, 8));
    label(QStringLiteral("по"), units(79, 63, 12, 8));
    from_ = new QComboBox(this);
    from_->setGeometry(units(42, 60, 34, 12));
    to_ = new QComboBox(this);
    to_->setGeometry(units(91, 60, 34, 12));
    connect(insert_, &QAbstractButton::clicked, this, &DlgZoomMaterial::fitInsert);
    connect(doors_, &QAbstractButton::clicked, this, &DlgZoomMaterial::fitDoors);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(ctx_.artwork.picture(kPicturePanelBack)));
    setPalette(pal);
}

void DlgZoomMaterial::openFor(const Material* material) {
    lockPanels();
    material_ = material;
    if (!fillLists()) {
        reject();
        return;
    }
    centreOnMainWindow();
    show();
    raise();
    activateWindow();
}

bool DlgZoomMaterial::fillLists() {
    const Project& project = ctx_.project;
    const int n = sketch::doorsInUse(project.doorCount);
    const int j = ctx_.editor.selection().insertDoor;
    if (j < 0 || j >= n || !selectedInsert(project.sketch, ctx_.editor.selection())) return false;
    from_->clear();
    to_->clear();
    // Door numbers are shown from 1; the range always holds the insert's own door.
    for (int i = 0; i <= j; ++i)
        from_->addItem(doorNumber(i));
    for (int i = j; i < n; ++i)
        to_->addItem(doorNumber(i));
    selectDoor(from_, lastRangeStart_ < 0 ? -1 : lastRangeStart_);
    selectDoor(to_, lastRangeStart_ < 0 ? -1 : lastRangeEnd_);
    return true;
}

void DlgZoomMaterial::fitInsert() {
    fill(-1, -1);
    unlockPanels();
    QDialog::accept();
}

void DlgZoomMaterial::fitDoors() {
    const int from = shownDoor(from_);
    const int to = shownDoor(to_);
    if (from >= 0 && to >= from) {
        lastRangeStart_ = from;
        lastRangeEnd_ = to;
        fill(from, to);
    }
    unlockPanels();
    QDialog::accept();
}

void DlgZoomMaterial::fill(int firstDoor, int lastDoor) {
    const SketchSelection& selected = ctx_.editor.selection();
    if (material_ && selected.hasInsert())
        ctx_.editor.apply(edit::Fill{selected.insertDoor, selected.insertId, material_, firstDoor, lastDoor});
}

void DlgZoomMaterial::reject() {
    unlockPanels();
    QDialog::reject();
}

} // namespace dalvex::ui
