#include "panels/dlg_splitter.h"

#include "calc/ds_system.h"
#include "document/order_document.h"
#include "project/project.h"
#include "widgets/qt_text.h"
#include "view/sketch_hover.h"
#include "widgets/picture_button.h"

namespace dalvex::ui {
namespace {

constexpr int kFirstId = 501;
constexpr int kButtonWidth = 101;
constexpr int kButtonHeight = 91;

} // namespace

DlgSplitter::DlgSplitter(const UiContext& context, QWidget* parent) : Picker(context, parent) {
    build();
}

QString DlgSplitter::kindWord(int dividerKind) {
    return qs(view::dividerKindWord(dividerKind));
}

void DlgSplitter::selectionChanged() {
    const DSSystem* calc = ctx_.project.calculator;
    if ((calc ? calc->index : -1) != builtForSystem_) build();
}

void DlgSplitter::build() {
    clearEntries();
    const DSSystem* calc = ctx_.project.calculator;
    builtForSystem_ = calc ? calc->index : -1;
    // The picture-only close button comes first, the profiles after it.
    close_->setCaption(QString());
    close_->setGeometry(0, 5, kButtonWidth, kButtonHeight);
    int n = 0;
    if (calc) {
        for (const DividerProfile* d : calc->dividerProfiles) {
            const QString text = qs(d->code) + QStringLiteral(" (") + kindWord(d->dividerKind) + ')';
            addButton({kFirstId + n, d->index, text, d->imageId, nullptr},
                      QRect(kButtonWidth * (n + 1), 5, kButtonWidth, kButtonHeight));
            ++n;
        }
    }
    resize(kButtonWidth * (n + 1), 100);
}

void DlgSplitter::choose(const PickerEntry& entry) {
    hide();
    if (const DSSystem* calc = ctx_.project.calculator) {
        for (const DividerProfile* d : calc->dividerProfiles) {
            if (d->index != entry.itemIndex) continue;
            ctx_.editor.apply(edit::SetDividerProfile{d});
            break;
        }
    }
}

} // namespace dalvex::ui
