// The desktop program: builds the catalogue and the one Project from the folders beside the executable and
// shows the main window until it is closed. The command line is accepted but has no effect: the program
// always starts with the default project.
#include "dalvex_app.h"
#include "main_window.h"

int main(int argc, char** argv) {
    CDalvexApp app(argc, argv);
    dalvex::ui::CDalvexDlg window(app.project(), app.artwork());
    window.show();
    return app.exec();
}
