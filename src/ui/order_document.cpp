#include "order_document.h"

#include <QFileInfo>

namespace dalvex::ui {

OrderDocument::OrderDocument(ProjectEditor& editor, NotificationHub& hub, QObject* parent)
    : QObject(parent), hub_(hub), editor_(editor) {
    restart();
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

void OrderDocument::restart() {
    restoredUnsaved_ = false;
    editor_.clearHistory();
    emit historyChanged();
}

void OrderDocument::settle() {
    if (editor_.typing()) editor_.endTyping();
    noteChange();
}

bool OrderDocument::travel(bool forward) {
    const Changes changes = forward ? editor_.redo() : editor_.undo();
    if (!changes.applied) return false;
    // Every panel shows the order afresh, as after opening it.
    restoring_ = true;
    for (Notification n : {Notification::SelectionChanged, Notification::Recalculated,
                           Notification::DiscountReload, Notification::SketchOpened})
        hub_.notify(n);
    restoring_ = false;
    emit historyChanged();
    return true;
}

bool OrderDocument::deliver(const Changes& changes) {
    if (!changes.applied) return false;
    if (changes.selection || changes.sketchOpened) hub_.notify(Notification::SelectionChanged);
    // A change of what is shown reaches the views as a recalculation does.
    if (changes.recalculated || changes.sketchOpened || changes.shown)
        hub_.notify(Notification::Recalculated);
    if (changes.selectionAfter) hub_.notify(Notification::SelectionChanged);
    if (changes.totals && !changes.recalculated) hub_.notify(Notification::TotalsChanged);
    if (changes.orderCard) hub_.notify(Notification::OrderCardChanged);
    if (changes.sketchOpened) hub_.notify(Notification::SketchOpened);
    return true;
}

bool OrderDocument::undo() {
    return travel(false);
}

bool OrderDocument::redo() {
    return travel(true);
}

} // namespace dalvex::ui
