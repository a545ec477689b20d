#pragma once
// Where the cells of a result table go on the screen: the drawing band, the column widths, the word-wrapped
// row heights and the document height; and the vertical scroll rules of the table views.
#include "orders/table_section.h"

#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>

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
    int rowStep = 0; // the height of a row of one line: what a scroll step moves
};

// A client area wider than 800 pixels gets a 700-pixel band 50 pixels in; a narrower one is the band itself.
QRect layoutBand(const QRect& client);

// The table fonts: "Times New Roman" at 11.2 points of the device resolution, normal and bold.
QFont tableFont(int dpi, bool bold);

// How a cell's text is wrapped in a column `columnWidth` pixels wide: at word boundaries, or, when a word is
// wider than the room the text is drawn in (from the left padding to the right grid line), anywhere, so that
// the text stays inside its own column.
int cellTextFlags(const QFontMetrics& fm, int columnWidth, const Paddings& pad, const QString& text);

// A cell's text as it is measured and drawn: the spaces of a code do not break.
QString cellText(const TableSection& section, int column, int row);

// The heights of the cell texts a table view measured when it was last laid out (and the widths of their
// widest words), so that laying it out again measures only the texts that are new (a recalculation changes
// a few numbers; the names and codes stay). Texts not met in a layout are forgotten after it, which bounds
// the memory to what the table shows. What each cell of each section measured is kept too: a cell whose text
// is the one the last layout had at its place is taken as it was, without being converted or looked up.
class CellHeights {
public:
    // The column width under which the width of a text's widest word is kept.
    static constexpr int kWidestWord = -1;

    // What the last layout measured in one section, cell by cell as the section holds them.
    struct Places {
        std::vector<int> widest;       // the cell's widest word
        std::vector<int> height;       // the cell's wrapped height in the column width below
        std::vector<int> columnWidths; // per column
    };

    // The wrapped height of `text` in a `columnWidth` column, from the cache or from `measure`.
    template <typename Measure>
    int get(bool bold, int columnWidth, int dpi, const QString& text, Measure measure) {
        const Key key{text, columnWidth, dpi, bold};
        if (auto it = current_.constFind(key); it != current_.constEnd()) return *it;
        const auto old = previous_.constFind(key);
        const int height = old != previous_.constEnd() ? *old : measure();
        current_.insert(key, height);
        return height;
    }
    // Starts a layout: what the last one did not use is dropped. Gives what the last layout measured at each
    // place, when it measured at `dpi`.
    std::vector<Places> beginLayout(int dpi) {
        previous_ = std::move(current_);
        current_.clear();
        std::vector<Places> places = std::move(places_);
        places_.clear();
        return placesDpi_ == dpi ? places : std::vector<Places>{};
    }
    // Ends a layout at `dpi` with what it measured at each place.
    void endLayout(std::vector<Places> places, int dpi) {
        places_ = std::move(places);
        placesDpi_ = dpi;
    }
    void clear() {
        previous_.clear();
        current_.clear();
        places_.clear();
    }

private:
    struct Key {
        QString text;
        int columnWidth = 0;
        int dpi = 0;
        bool bold = false;
        bool operator==(const Key&) const = default;
    };
    friend size_t qHash(const Key& k, size_t seed = 0) {
        return qHashMulti(seed, k.text, k.columnWidth, k.dpi, k.bold);
    }
    QHash<Key, int> current_;
    QHash<Key, int> previous_;
    std::vector<Places> places_;
    int placesDpi_ = 0;
};

// `heights`, when given, keeps the measured texts for the next layout of the same view (screen only);
// `previous` are the sections that view laid out last with the same `heights`.
TableLayout layoutTable(const std::vector<TableSection>& sections, const QRect& client, int dpi,
                        CellHeights* heights = nullptr, const std::vector<TableSection>* previous = nullptr);

// The sections laid out in a band of the given width, measured in the fonts as they come out on `device`
// (the screen when null). The printer lays a table out in the page's width this way. A column too narrow
// for its longest word (a whole code, a word of its header) takes the room from the columns that have the
// most to spare, so that words break only where there is no room in the whole band.
std::vector<SectionLayout> layoutSections(const std::vector<TableSection>& sections, int bandWidth, int dpi,
                                          const QPaintDevice* device = nullptr,
                                          CellHeights* heights = nullptr,
                                          const std::vector<TableSection>* previous = nullptr);

// The vertical scroll bar of a table view. Its range is 0 .. extra - 1 with a page of 3, so the position can
// reach extra - 3 at most; a table that does not need two pixels of scrolling does not scroll. A line is a
// row of one line of text (10 pixels until the view says), a page the view's height less a line, as in the
// item views of the desktop.
struct TableScroll {
    static constexpr int kPage = 3;
    static constexpr int kLine = 10;

    bool shown = false;
    int rangeMax = 0;
    int position = 0;
    int lineStep = kLine;
    int pageStep = kPage;

    static TableScroll forDocument(int documentHeight, int clientHeight, int rowStep = kLine);
    int maxPosition() const { return rangeMax - kPage + 1 > 0 ? rangeMax - kPage + 1 : 0; }
    void lines(int count) { moveTo(position + count * lineStep); }
    void pages(int count) { moveTo(position + count * pageStep); }
    void trackTo(int thumb) { moveTo(thumb); }

private:
    void moveTo(int target);
};

} // namespace dalvex::ui
