// The right panel's page "Наполнение": the material collections, the thumbnails and the scaling option.
#include "panels/right_panel_dlg.h"

#include "catalogue/catalogue.h"
#include "dialogs/dlg_zoom_material.h"
#include "document/order_document.h"
#include "panels/thumb_list.h"
#include "project/order_queries.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "widgets/qt_text.h"

#include <QComboBox>

namespace dalvex::ui {

void RightPanelDlg::forgetThumbChoice() {
    const QSignalBlocker quiet(thumbs_);
    thumbs_->clearSelection();
    thumbs_->setCurrentIndex(QModelIndex());
}

void RightPanelDlg::collectionChosen(int item) {
    if (item < 0) return;
    const MaterialCollection* c =
        ctx_.project.catalogue().findCollection(collections_->itemText(item).toStdString());
    if (!c) return;
    // Captioned with the names the tables show; the key stays behind for picking. The rows are read from the
    // library as they come into view: a collection of many thousand lines costs no more than a page of them.
    const QSignalBlocker quiet(thumbs_);
    thumbs_->setRows(
        static_cast<int>(c->materials.size()),
        [c](int row) {
            const Material& m = c->materials[static_cast<size_t>(row)];
            return ThumbRow{qs(m.picturePath), qs(m.name), qs(m.title())};
        },
        qs(c->picturesFolder));
}

void RightPanelDlg::toggleScaling() {
    ViewSettings view = ctx_.document->view();
    view.scaleOnFill = !view.scaleOnFill;
    ctx_.document->setView(view);
}

void RightPanelDlg::thumbnailPicked() {
    const Project& project = ctx_.project;
    const SketchSelection& selected = ctx_.editor.selection();
    const QString picked = thumbs_->pickedKey();
    if (picked.isEmpty() || !selectedInsert(project.sketch, selected)) return;
    const MaterialCollection* c =
        project.catalogue().findCollection(collections_->currentText().toStdString());
    if (!c) return;
    const Material* m = c->find(picked.toStdString());
    if (!m) return;
    if (ctx_.document->view().scaleOnFill) {
        zoom_->openFor(m);
        return;
    }
    ctx_.editor.apply(edit::Fill{selected.insertDoor, selected.insertId, m});
}

} // namespace dalvex::ui
