#pragma once
// Where the cells of a result table go on the screen: the drawing band, the column widths, the word-wrapped
// row heights and the document height; and the vertical scroll rules of the table views.
#include "orders/table_section.h"

#include <QFont>
#include <QRect>

class QFontMetrics;
class QPaintDevice;

#include <vector>

namespace dalvex::ui {

struct Paddings {
    int left = 0, top = 0, right = 0, bottom = 0;
    static Paddings forDpi(int dpi) { return {dpi * 5 / 72, dpi * 5 / 72, dpi * 5 / 72, dpi * 2 / 72}; }
};

struct SectionLayout {
    std::vector<int> widthPx; // per column
    std::vector<int> rowHeights;
    int leftPx = 0;
    int heightPx = 0;
};

struct TableLayout {
    QRect band;
    std::vector<SectionLayout> sections;
    int documentHeight = 0;
};

// A client area wider than 800 pixels gets a 700-pixel band 50 pixels in; a narrower one is the band itself.
QRect layoutBand(const QRect& client);

// The table fonts: "Times New Roman" at 11.2 points of the device resolution, normal and bold.
QFont tableFont(int dpi, bool bold);

// How a cell's text is wrapped in a column `columnWidth` pixels wide: at word boundaries, or, when a word is
// wider than the room the text is drawn in (from the left padding to the right grid line), anywhere, so that
// the text stays inside its own column.
int cellTextFlags(const QFontMetrics& fm, int columnWidth, const Paddings& pad, const QString& text);

TableLayout layoutTable(const std::vector<TableSection>& sections, const QRect& client, int dpi);

// The sections laid out in a band of the given width, measured in the fonts as they come out on `device`
// (the screen when null). The printer lays a table out in the page's width this way.
std::vector<SectionLayout> layoutSections(const std::vector<TableSection>& sections, int bandWidth, int dpi,
                                          const QPaintDevice* device = nullptr);

// The vertical scroll bar of a table view. Its range is 0 .. extra - 1 with a page of 3, so the position can
// reach extra - 3 at most; a table that does not need two pixels of scrolling does not scroll.
struct TableScroll {
    static constexpr int kPage = 3;
    static constexpr int kLine = 10;

    bool shown = false;
    int rangeMax = 0;
    int position = 0;

    static TableScroll forDocument(int documentHeight, int clientHeight);
    int maxPosition() const { return rangeMax - kPage + 1 > 0 ? rangeMax - kPage + 1 : 0; }
    void lines(int count) { moveTo(position + count * kLine); }
    void pages(int count) { moveTo(position + count * kPage); }
    void trackTo(int thumb) { moveTo(thumb); }
    // One wheel message, whatever its amount: 10 pixels down when turned towards the user, else up.
    void wheel(bool towardsUser) { lines(towardsUser ? 1 : -1); }

private:
    void moveTo(int target);
};

} // namespace dalvex::ui
