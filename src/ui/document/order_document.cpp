#include "document/order_document.h"

#include <QFileInfo>

namespace dalvex::ui {

OrderDocument::OrderDocument(ProjectEditor& editor, QObject* parent)
    : QObject(parent), editor_(editor), view_(startingView(editor.project())) {
    editor_.setListener([this](const Changes& changes) { announce(changes); });
}

void OrderDocument::announce(const Changes& changes) {
    // An order that took this one's place has nothing of the old one: everything is new, and only its own
    // saves make it unmodified.
    Changes c = changes;
    if (changes.opened) {
        c |= Changes::everything();
        restoredUnsaved_ = false;
    }
    // Doors rebuilt or counted anew: all of them are shown again.
    if (c.doorsReset && view_.shownDoor >= 0) {
        view_.shownDoor = -1;
        emit viewChanged();
    }
    if (c.choices) {
        // The view follows what the new divider profile allows.
        ViewSettings followed = view_;
        followed.follow(editor_.project());
        if (!(followed == view_)) {
            view_ = followed;
            emit viewChanged();
        }
        emit choicesChanged();
    }
    if (c.dimensions) emit dimensionsChanged();
    // A new discount is told as a calculation: every view that shows prices follows it.
    if (c.recalculated || c.discount) emit recalculated();
    if (c.recalculated || c.totals || c.card) emit totalsChanged();
    if (c.discount) emit discountChanged();
    if (c.card) emit cardChanged();
    if (c.opened) emit opened();
    emit historyChanged();
}

bool OrderDocument::undo() {
    return editor_.apply(edit::Undo{}).applied;
}

bool OrderDocument::redo() {
    return editor_.apply(edit::Redo{}).applied;
}

void OrderDocument::setView(const ViewSettings& view) {
    ViewSettings taken = view;
    taken.follow(editor_.project());
    if (taken == view_) return;
    view_ = taken;
    emit viewChanged();
}

void OrderDocument::newOrder() {
    restoredUnsaved_ = false;
    filePath_.clear();
    editor_.newOrder();
}

void OrderDocument::setFilePath(const QString& path) {
    filePath_ = path;
    emit historyChanged();
}

void OrderDocument::markSaved() {
    editor_.markSaved();
    restoredUnsaved_ = false;
    emit historyChanged();
}

void OrderDocument::markRestored() {
    restoredUnsaved_ = true;
    emit historyChanged();
}

QString OrderDocument::title() const {
    const QString program = QStringLiteral("dalvex");
    if (filePath_.isEmpty() && !modified()) return program;
    const QString name = filePath_.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(filePath_).fileName();
    return name + (modified() ? QStringLiteral("*") : QString()) + QStringLiteral(" — ") + program;
}

} // namespace dalvex::ui
