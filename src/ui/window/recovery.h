#pragma once
// Work kept safe from a crash: while the order has unsaved changes it is written, every minute, to a recovery
// file in the user's state folder, with the name of the order's own file beside it; a clean exit or a save
// removes them, so a recovery file found at start was left by a crash and holds work that was never saved.
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace dalvex::ui {

struct UiContext;

// RecoveryKeeper: the copy of unsaved work kept for the next start.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 60 * 1000;

    // `folder` empty: the user's application state folder.
    RecoveryKeeper(UiContext& ctx, QString folder = {}, QObject* parent = nullptr);

    const QString& path() const { return path_; }
    // The file holding the path of the order's own file (empty for an order never saved).
    const QString& namePath() const { return namePath_; }
    // Writes the order when it has unsaved changes; removes the file when it has none.
    void keepNow();
    // The program ends cleanly: nothing is left to recover.
    void discard();
    // At start, with a file left from a crash: offers to restore it, under the name of the file it was
    // opened from or saved to. True when the order was restored; declined, the file is removed.
    bool offerRestore(QWidget* parent);

private:
    void remove();
    // The order was saved (or is back to what was saved): what was kept is out of date.
    void historyChanged();

    UiContext& ctx_;
    QString path_;
    QString namePath_;
    bool kept_ = false; // the recovery file holds this program's unsaved work
    // Held by the running program that owns recovery.dlx: a second program running at the same time keeps
    // its own file and does not offer the first one's work as left by a crash.
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
};

} // namespace dalvex::ui
