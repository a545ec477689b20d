#include "results/table_layout.h"

#include "widgets/qt_text.h"
#include <QFontMetrics>

#include <algorithm>
#include <climits>

namespace dalvex::ui {

QRect layoutBand(const QRect& client) {
    if (client.width() > 800) return {client.left() + 50, client.top(), 700, client.height()};
    return client;
}

QFont tableFont(int dpi, bool bold) {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(std::max(1, static_cast<int>(dpi * 11.2 / 72)));
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

namespace {

// The white space words are split at: the ASCII spaces, tabs and line ends.
bool separatesWords(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

// The width of the widest word of `text`.
int widestWord(const QFontMetrics& fm, const QString& text) {
    int widest = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        while (i < n && separatesWords(text[i]))
            ++i;
        qsizetype end = i;
        while (end < n && !separatesWords(text[end]))
            ++end;
        if (end > i) widest = std::max(widest, fm.horizontalAdvance(text.sliced(i, end - i)));
        i = end;
    }
    return widest;
}

// Gives every column the width its widest word needs, taking it from the columns with the most to spare;
// the band's width stays as it is.
void widenForWholeWords(std::vector<int>& widths, const std::vector<int>& needs) {
    const size_t n = widths.size();
    for (size_t c = 0; c < n; ++c) {
        int missing = needs[c] - widths[c];
        while (missing > 0) {
            size_t richest = n;
            int spare = 0;
            for (size_t k = 0; k < n; ++k)
                if (k != c && widths[k] - needs[k] > spare) {
                    spare = widths[k] - needs[k];
                    richest = k;
                }
            if (richest == n) break;
            const int taken = std::min(missing, spare);
            widths[richest] -= taken;
            widths[c] += taken;
            missing -= taken;
        }
    }
}

} // namespace

int cellTextFlags(const QFontMetrics& fm, int columnWidth, const Paddings& pad, const QString& text) {
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    const int room = columnWidth - pad.left - 1;
    return flags | (widestWord(fm, text) > room ? Qt::TextWrapAnywhere : Qt::TextWordWrap);
}

QString cellText(const TableSection& section, int column, int row) {
    QString text = qs(section.cell(column, row).text);
    if (column == section.codeColumn) text.replace(QLatin1Char(' '), QChar(0x00A0));
    return text;
}

namespace {

// Whether the cell at `index` of `now` is the one `before` had there (the same grid assumed).
bool sameCell(const TableSection* before, const TableSection& now, size_t index) {
    if (!before) return false;
    const TableCell& a = before->cells[index];
    const TableCell& b = now.cells[index];
    return a.bold == b.bold && a.text == b.text;
}

} // namespace

std::vector<SectionLayout> layoutSections(const std::vector<TableSection>& sections, int bandWidth, int dpi,
                                          const QPaintDevice* device, CellHeights* heights,
                                          const std::vector<TableSection>* previous) {
    std::vector<SectionLayout> result;
    // Heights kept for the screen are not those of another device.
    if (device) heights = nullptr;
    std::vector<CellHeights::Places> before;
    std::vector<CellHeights::Places> now;
    if (heights) before = heights->beginLayout(dpi);
    const Paddings pad = Paddings::forDpi(dpi);
    // A font measured without a device is measured for the screen.
    auto metrics = [device, dpi](bool bold) {
        return device ? QFontMetrics(tableFont(dpi, bold), device) : QFontMetrics(tableFont(dpi, bold));
    };
    const QFontMetrics normal = metrics(false);
    const QFontMetrics bold = metrics(true);
    for (size_t i = 0; i < sections.size(); ++i) {
        const TableSection& s = sections[i];
        const size_t cellCount = static_cast<size_t>(s.columnCount) * static_cast<size_t>(s.rowCount);
        // The section as the last layout had it, when it had the same grid and was measured cell by cell.
        const TableSection* old = nullptr;
        if (heights && previous && i < previous->size() && i < before.size()) {
            const TableSection& o = (*previous)[i];
            if (o.columnCount == s.columnCount && o.rowCount == s.rowCount && o.cells.size() == cellCount &&
                s.cells.size() == cellCount && before[i].widest.size() == cellCount)
                old = &o;
        }
        CellHeights::Places places;
        if (heights) {
            places.widest.assign(cellCount, 0);
            places.height.assign(cellCount, 0);
        }
        const auto at = [&s](int c, int r) {
            return static_cast<size_t>(c) * static_cast<size_t>(s.rowCount) + static_cast<size_t>(r);
        };
        SectionLayout sl;
        sl.leftPx = static_cast<int>(bandWidth * s.leftFraction);
        std::vector<int> needs;
        for (int c = 0; c < s.columnCount; ++c) {
            const double fraction =
                c < static_cast<int>(s.fractions.size()) ? s.fractions[static_cast<size_t>(c)] : 0.0;
            sl.widthPx.push_back(static_cast<int>(bandWidth * fraction));
            int widest = 0;
            for (int r = 0; r < s.rowCount; ++r) {
                const TableCell& cell = s.cell(c, r);
                if (cell.text.empty()) continue;
                int w = 0;
                if (sameCell(old, s, at(c, r))) {
                    w = before[i].widest[at(c, r)];
                } else {
                    const QString text = cellText(s, c, r);
                    const auto measure = [&] { return widestWord(cell.bold ? bold : normal, text); };
                    w = heights ? heights->get(cell.bold, CellHeights::kWidestWord, dpi, text, measure)
                                : measure();
                }
                if (heights) places.widest[at(c, r)] = w;
                widest = std::max(widest, w);
            }
            needs.push_back(widest > 0 ? widest + pad.left + pad.right + 1 : 0);
        }
        widenForWholeWords(sl.widthPx, needs);
        // A column as wide as last time keeps the heights of its cells that are as they were.
        const auto sameWidth = [&](int c) {
            return old && static_cast<size_t>(c) < before[i].columnWidths.size() &&
                   before[i].columnWidths[static_cast<size_t>(c)] == sl.widthPx[static_cast<size_t>(c)];
        };
        std::vector<bool> widthKept(static_cast<size_t>(s.columnCount));
        for (int c = 0; c < s.columnCount; ++c)
            widthKept[static_cast<size_t>(c)] = sameWidth(c);
        for (int r = 0; r < s.rowCount; ++r) {
            int tallest = 0;
            for (int c = 0; c < s.columnCount; ++c) {
                const TableCell& cell = s.cell(c, r);
                if (cell.text.empty()) continue;
                const int columnWidth = sl.widthPx[static_cast<size_t>(c)];
                int h = 0;
                if (widthKept[static_cast<size_t>(c)] && sameCell(old, s, at(c, r))) {
                    h = before[i].height[at(c, r)];
                } else {
                    const QFontMetrics& fm = cell.bold ? bold : normal;
                    const QString text = cellText(s, c, r);
                    const auto measure = [&] {
                        const int wrapWidth = std::max(1, columnWidth - pad.right - pad.left);
                        return fm
                            .boundingRect(QRect(0, 0, wrapWidth, INT_MAX / 4),
                                          cellTextFlags(fm, columnWidth, pad, text), text)
                            .height();
                    };
                    h = heights ? heights->get(cell.bold, columnWidth, dpi, text, measure) : measure();
                }
                if (heights) places.height[at(c, r)] = h;
                tallest = std::max(tallest, h);
            }
            const int height = tallest + pad.bottom + pad.top;
            sl.rowHeights.push_back(height);
            sl.heightPx += height;
        }
        if (heights) {
            places.columnWidths = sl.widthPx;
            // A grid whose cells do not fill it is measured afresh next time.
            if (s.cells.size() != cellCount) places = {};
            now.push_back(std::move(places));
        }
        result.push_back(std::move(sl));
    }
    if (heights) heights->endLayout(std::move(now), dpi);
    return result;
}

TableLayout layoutTable(const std::vector<TableSection>& sections, const QRect& client, int dpi,
                        CellHeights* heights, const std::vector<TableSection>* previous) {
    TableLayout layout;
    layout.band = layoutBand(client);
    layout.sections = layoutSections(sections, layout.band.width(), dpi, nullptr, heights, previous);
    int total = 0;
    for (const SectionLayout& sl : layout.sections)
        total += sl.heightPx;
    const int count = static_cast<int>(sections.size());
    layout.documentHeight = 30 + total + 15 * std::max(0, count - 1);
    const Paddings pad = Paddings::forDpi(dpi);
    layout.rowStep = QFontMetrics(tableFont(dpi, false)).lineSpacing() + pad.top + pad.bottom;
    return layout;
}

TableScroll TableScroll::forDocument(int documentHeight, int clientHeight, int rowStep) {
    TableScroll s;
    const int extra = documentHeight + 50 - clientHeight;
    s.shown = extra >= 1;
    s.rangeMax = s.shown ? extra - 1 : 0;
    s.lineStep = std::max(1, rowStep);
    s.pageStep = std::max(s.lineStep, clientHeight - s.lineStep);
    return s;
}

void TableScroll::moveTo(int target) {
    const int max = maxPosition();
    if (max < 2) return;
    position = std::clamp(target, 0, max);
}

} // namespace dalvex::ui
