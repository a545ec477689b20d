#pragma once
// The order as the desktop program edits it: the editor with its history, and how the program shows the
// order. The editor's one listener is here: every change it announces becomes the signals below, which the
// panels connect to in their constructors, so that a widget only makes its change and never tells another
// what it did (Tiled's Document::changed).
#include "project/project_editor.h"
#include "document/view_settings.h"

#include <QObject>
#include <QString>

namespace dalvex::ui {

// OrderDocument: the order the window shows, its changes told as signals.
class OrderDocument : public QObject {
    Q_OBJECT
public:
    explicit OrderDocument(ProjectEditor& editor, QObject* parent = nullptr);

    ProjectEditor& editor() { return editor_; }
    bool canUndo() const { return editor_.canUndo(); }
    bool canRedo() const { return editor_.canRedo(); }
    bool undo();
    bool redo();

    const ViewSettings& view() const { return view_; }
    // Takes new view settings, as far as the order allows them.
    void setView(const ViewSettings& view);

    // "Новый заказ": a new card and a new history, and no file yet (saving must not overwrite the last
    // one's).
    void newOrder();

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

    // A word for the user about what was just refused or done, shown on the info line; empty takes it back.
    // Nothing of the order changes.
    enum class Word { Refused, Done };
    void tell(const QString& text, Word word = Word::Refused) { emit told(text, word); }

signals:
    void choicesChanged();    // system, handle profile, colour, divider profile or a system option
    void dimensionsChanged(); // width, height, door count, chipboard width or plinth height
    void recalculated();      // the sketch, its bill and the totals are new
    void totalsChanged();     // the order's total may differ: a calculation, the discount, the card's charges
    void discountChanged();
    void cardChanged();
    void opened();         // another order took this one's place (a file opened, a crash's work restored)
    void viewChanged();    // the view settings
    void historyChanged(); // the title and the undo entries follow
    void told(const QString& text, OrderDocument::Word word);

private:
    void announce(const Changes& changes);

    ProjectEditor& editor_;
    ViewSettings view_;
    bool restoredUnsaved_ = false;
    QString filePath_;
};

} // namespace dalvex::ui
