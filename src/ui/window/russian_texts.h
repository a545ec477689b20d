#pragma once
// The program speaks Russian whatever the system is set to: Qt's own texts (the file and print dialogs,
// standard button captions, the calendar) come from Qt's Russian translations.

namespace dalvex::ui {

// Loads Qt's Russian translations into the application: those built into the program, else those installed
// with Qt. Where there are none Qt's texts stay English; the program works all the same.
void installRussianTranslations();

} // namespace dalvex::ui
