#pragma once
// Every picture the windows show, keyed by picture id: drawn by the program from the catalogue (a colour
// swatch from the colour's RGB, a profile's cross-section, a system emblem) or from named pictures of its own
// (buttons, tabs, boxes, backgrounds, the "none" sign, the two hatch pictures). Pictures are made on first
// use and kept.
#include <QHash>
#include <QPixmap>

namespace dalvex {
class Catalogue;
}

namespace dalvex::ui {

// Picture ids used by the windows besides those of the catalogue records.
enum PictureId : int {
    kPictureNone = 126,   // the "none" sign
    kPictureBoxOff = 240, // empty toggle box
    kPictureBoxOn = 242,  // toggle box with a tick
    kPictureOpen = 122,   // project button icons, 26 x 26
    kPictureSave = 123,
    kPictureXml = 124,
    kPicturePrint = 125,
    kPictureJournal = 127,     // the order journal's button
    kPicturePickerBack = 110,  // tiled background of the pickers
    kPictureHatchEmpty = 9001, // insert without material
    kPictureHatchError = 9002, // insert whose material has the wrong thickness
    kPicturePanelBack = 9003,  // tiled background of the panels
    kPictureLogo = 9004,       // the program's logo beside the top panel
    kPictureAppIcon = 9005,
    kPictureTabBase = 9100, // tabs: kPictureTabBase + 2 * tab + (selected ? 1 : 0), tab 0..5
};

// Artwork: every picture the windows show, drawn or read once.
class Artwork {
public:
    explicit Artwork(const Catalogue& catalogue);

    // The picture for an id (58 x 58 for catalogue records); an empty pixmap for an unknown id.
    QPixmap picture(int id) const;
    // The same picture scaled to the given size.
    QPixmap picture(int id, QSize size) const;

private:
    QPixmap make(int id) const;

    const Catalogue& catalogue_;
    mutable QHash<int, QPixmap> cache_;
};

} // namespace dalvex::ui
