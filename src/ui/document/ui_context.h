#pragma once
// What every panel and dialog of the program works with: the one Project (read only), its editor and
// document, the pictures, the main window as the hub of the windows' own notifications, and the button font.
#include "art/artwork.h"
#include "document/notifications.h"

#include <QFont>

namespace dalvex {
class Project;
class ProjectEditor;
struct Changes;
} // namespace dalvex

namespace dalvex::view {
struct SketchLayout;
}

namespace dalvex::journal {
class JournalSession;
}

namespace dalvex::ui {

class OpenFiles;
class OrderDocument;

// What the panels of one window share about the sketch view: its layout, whose hit the info line describes.
struct SketchScreen {
    const view::SketchLayout* layout = nullptr;
};

struct UiContext {
    const Project& project; // read only: every change goes through the editor
    ProjectEditor& editor;  // every change of the order goes through its operations
    const Artwork& artwork;
    NotificationHub& hub;
    QFont buttonFont;                  // "Arial", 14 pixels, bold
    OrderDocument* document = nullptr; // the order's signals, history and view; the main window's
    SketchScreen* screen = nullptr;    // the main window's
    // The order journal, when the program keeps one.
    journal::JournalSession* journal = nullptr;
    // The sketch files the running programs have open; the main window's.
    OpenFiles* openFiles = nullptr;
};

// The application font of the picture buttons.
QFont applicationFont();
// The font of the small labels of the panels: "Arial", 8 points, bold.
QFont labelFont();

} // namespace dalvex::ui
