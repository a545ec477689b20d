#pragma once
// The order as the desktop program edits it: the Project with its history of changes. Every change the
// panels report through the hub becomes one undo step (the notifications of one action make one step);
// undo and redo put the order back and tell the panels to show it.
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
    // (the selection, then the recalculation, the totals, the card, a sketch opened), and records the step.
    // Answers whether the operation applied; a refused one notifies nothing.
    bool deliver(const Changes& changes);
    // After a change notification: records what changed since the last step, unless a typing is under way
    // (the typing is one step of its own, taken when it ends).
    void noteChange();
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

    const Project& project_;
    NotificationHub& hub_;
    ProjectEditor& editor_;
    ProjectState committed_;
    std::string committedKey_;
    uint64_t committedId_ = 0;
    bool restoring_ = false;
    bool restoredUnsaved_ = false;
    QString filePath_;
};

} // namespace dalvex::ui
