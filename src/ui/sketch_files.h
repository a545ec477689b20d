#pragma once
// Opening and saving the order's sketch file from any window: the messages on failure, the open file's name
// and the recent files.
#include <QString>

class QWidget;

namespace dalvex::ui {

struct UiContext;

// Opens `path`; on failure shows the usual message and leaves the order as it was.
bool openSketchFile(UiContext& ctx, QWidget* parent, const QString& path);
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
