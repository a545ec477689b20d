#pragma once
// The order as the desktop program edits it: the Project with its history of changes. The panels change the
// order only through the editor's operations, each its own undo step; the document tells the panels what
// changed, and undo and redo put the order back and tell the panels to show it.
#include "notifications.h"
#include "project/project_editor.h"

#include <QObject>
#include <QString>

#include <string>

namespace dalvex {
class Project;
}

namespace dalvex::ui {

// What opening a file (or restoring one) changed: everything.
inline Changes openedChanges() {
    Changes c;
    c.applied = c.sketchOpened = true;
    return c;
}

class OrderDocument : public QObject {
    Q_OBJECT
public:
    OrderDocument(ProjectEditor& editor, NotificationHub& hub, QObject* parent = nullptr);

    ProjectEditor& editor() { return editor_; }
    bool canUndo() const { return editor_.canUndo(); }
    bool canRedo() const { return editor_.canRedo(); }
    bool undo();
    bool redo();
    // Tells the panels what an operation of the editor changed, as the notifications the main window routes
    // (the selection, then the recalculation, the totals, the card, a sketch opened).
    // Answers whether the operation applied; a refused one notifies nothing.
    bool deliver(const Changes& changes);
    // After a change notification: the title and the history's menu entries follow.
    void noteChange() { emit historyChanged(); }
    // Before the order is saved, replaced or closed: a typing under way ends and is recorded too.
    void settle();
    // A file was opened or a new order begun: the history starts anew (not when undo itself tells the panels
    // to show the order afresh).
    void restart();
    void noteOpened() {
        if (!restoring_) restart();
    }

    // The file the order was opened from or last saved to; empty for an order never saved.
    const QString& filePath() const { return filePath_; }
    void setFilePath(const QString& path);
    // Whether the order changed since it was saved or opened.
    bool modified() const { return restoredUnsaved_ || editor_.modified(); }
    void markSaved();
    // An order restored after a crash was never saved: it stays modified until it is.
    void markRestored();
    // The window title: "Иванов.dlx* — dalvex", "Без имени* — dalvex", or "dalvex" alone for an untouched
    // order that has no file.
    QString title() const;

signals:
    void historyChanged();

private:
    bool travel(bool forward);

    NotificationHub& hub_;
    ProjectEditor& editor_;
    bool restoring_ = false;
    bool restoredUnsaved_ = false;
    QString filePath_;
};

} // namespace dalvex::ui
