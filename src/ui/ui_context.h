#pragma once
// What every panel and dialog of the program works with: the one Project, the pictures, the main window as
// the hub for notifications, and the application's button font.
#include "artwork.h"
#include "notifications.h"

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

class OrderDocument;

// What the panels of one window share about the sketch view: the door the right panel chose to show alone and
// the view's layout, whose hit the info line describes.
struct SketchScreen {
    int shownDoor = -1;   // -1: all doors
    int shownOfDoors = 0; // the door count it was chosen at: another count shows all doors again
    const view::SketchLayout* layout = nullptr;

    int currentDoor(int doorCount) const { return doorCount == shownOfDoors ? shownDoor : -1; }
    void showDoor(int door, int doorCount) {
        shownDoor = door;
        shownOfDoors = doorCount;
    }
};

struct UiContext {
    const Project& project; // read only: every change goes through the editor
    ProjectEditor& editor; // every change of the order goes through its operations
    const Artwork& artwork;
    NotificationHub& hub;
    QFont buttonFont;                  // "Arial", 14 pixels, bold
    OrderDocument* document = nullptr; // the history of changes; the main window's
    SketchScreen* screen = nullptr;    // the main window's
    // The order journal, when the program keeps one.
    journal::JournalSession* journal = nullptr;
};

// The application font of the picture buttons.
QFont applicationFont();
// The font of the small labels of the panels: "Arial", 8 points, bold.
QFont labelFont();

} // namespace dalvex::ui
