#pragma once
// Opening and saving the order's sketch file from any window: the messages on failure, the open file's name
// and the recent files.
#include <QString>

class QWidget;

namespace dalvex::ui {

struct UiContext;

// Opens `path`; on failure shows the usual message and leaves the order as it was. A file another running
// program has open is not opened twice: that program's window comes forward (false here).
bool openSketchFile(UiContext& ctx, QWidget* parent, const QString& path);
// Opens the order a link from the shop's page carries as a new order (the next number; recorded in the
// journal at once, as a save would, and unsaved until saved to a file). A text that is not such a link is
// refused with the usual message and the order stays as it was.
bool openSketchLink(UiContext& ctx, QWidget* parent, const QString& link);
// What "Открыть" was given: a file, or a link pasted into the dialog's name field.
bool openSketchFileOrLink(UiContext& ctx, QWidget* parent, const QString& pathOrLink);
// Saves the order to `path`; on failure shows the usual message.
bool saveSketchFile(UiContext& ctx, QWidget* parent, const QString& path);
// Asks where to save, proposing the open file's name (else "эскиз"), and saves there; false when cancelled
// or failed.
bool saveSketchAs(UiContext& ctx, QWidget* parent);
// Saves to the open file; an order that has none is saved as `saveSketchAs` does.
bool saveSketch(UiContext& ctx, QWidget* parent);
// Before the order is replaced or the program closes: with unsaved changes asks "Сохранить изменения?",
// naming the open file.
// True when the caller may go on (saved, or the changes are to be dropped); false for Отмена or a failed
// or cancelled save.
bool settleUnsavedChanges(UiContext& ctx, QWidget* parent);

} // namespace dalvex::ui
