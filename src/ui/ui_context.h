#pragma once
// What every panel and dialog of the program works with: the one Project, the pictures, the main window as
// the hub for notifications, and the application's button font.
#include "artwork.h"
#include "notifications.h"

#include <QFont>

namespace dalvex {
class Project;
class ProjectEditor;
} // namespace dalvex

namespace dalvex::ui {

class OrderDocument;

struct UiContext {
    Project& project;
    ProjectEditor& editor; // every change of the order goes through its operations
    const Artwork& artwork;
    NotificationHub& hub;
    QFont buttonFont;                  // "Arial", 14 pixels, bold
    OrderDocument* document = nullptr; // the history of changes; the main window's
};

// The application font of the picture buttons.
QFont applicationFont();
// The font of the small labels of the panels: "Arial", 8 points, bold.
QFont labelFont();

} // namespace dalvex::ui
