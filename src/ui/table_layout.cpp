#include "table_layout.h"

#include "qt_text.h"
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

} // namespace

int cellTextFlags(const QFontMetrics& fm, int columnWidth, const Paddings& pad, const QString& text) {
    const int flags = Qt::AlignLeft | Qt::AlignTop;
    const int room = columnWidth - pad.left - 1;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        while (i < n && separatesWords(text[i]))
            ++i;
        qsizetype end = i;
        while (end < n && !separatesWords(text[end]))
            ++end;
        if (end > i && fm.horizontalAdvance(text.sliced(i, end - i)) > room)
            return flags | Qt::TextWrapAnywhere;
        i = end;
    }
    return flags | Qt::TextWordWrap;
}

std::vector<SectionLayout> layoutSections(const std::vector<TableSection>& sections, int bandWidth, int dpi,
                                          const QPaintDevice* device, CellHeights* heights) {
    std::vector<SectionLayout> result;
    // Heights kept for the screen are not those of another device.
    if (device) heights = nullptr;
    if (heights) heights->beginLayout();
    const Paddings pad = Paddings::forDpi(dpi);
    // A font measured without a device is measured for the screen.
    auto metrics = [device, dpi](bool bold) {
        return device ? QFontMetrics(tableFont(dpi, bold), device) : QFontMetrics(tableFont(dpi, bold));
    };
    const QFontMetrics normal = metrics(false);
    const QFontMetrics bold = metrics(true);
    for (const TableSection& s : sections) {
        SectionLayout sl;
        sl.leftPx = static_cast<int>(bandWidth * s.leftFraction);
        for (int c = 0; c < s.columnCount; ++c) {
            const double fraction =
                c < static_cast<int>(s.fractions.size()) ? s.fractions[static_cast<size_t>(c)] : 0.0;
            sl.widthPx.push_back(static_cast<int>(bandWidth * fraction));
        }
        for (int r = 0; r < s.rowCount; ++r) {
            int tallest = 0;
            for (int c = 0; c < s.columnCount; ++c) {
                const TableCell& cell = s.cell(c, r);
                if (cell.text.empty()) continue;
                const int columnWidth = sl.widthPx[static_cast<size_t>(c)];
                const QFontMetrics& fm = cell.bold ? bold : normal;
                const QString text = qs(cell.text);
                const auto measure = [&] {
                    const int wrapWidth = std::max(1, columnWidth - pad.right - pad.left);
                    return fm
                        .boundingRect(QRect(0, 0, wrapWidth, INT_MAX / 4),
                                      cellTextFlags(fm, columnWidth, pad, text), text)
                        .height();
                };
                const int h = heights ? heights->get(cell.bold, columnWidth, dpi, text, measure) : measure();
                tallest = std::max(tallest, h);
            }
            const int height = tallest + pad.bottom + pad.top;
            sl.rowHeights.push_back(height);
            sl.heightPx += height;
        }
        result.push_back(std::move(sl));
    }
    return result;
}

TableLayout layoutTable(const std::vector<TableSection>& sections, const QRect& client, int dpi,
                        CellHeights* heights) {
    TableLayout layout;
    layout.band = layoutBand(client);
    layout.sections = layoutSections(sections, layout.band.width(), dpi, nullptr, heights);
    int total = 0;
    for (const SectionLayout& sl : layout.sections)
        total += sl.heightPx;
    const int count = static_cast<int>(sections.size());
    layout.documentHeight = 30 + total + 15 * std::max(0, count - 1);
    return layout;
}

TableScroll TableScroll::forDocument(int documentHeight, int clientHeight) {
    TableScroll s;
    const int extra = documentHeight + 50 - clientHeight;
    s.shown = extra >= 1;
    s.rangeMax = s.shown ? extra - 1 : 0;
    return s;
}

void TableScroll::moveTo(int target) {
    const int max = maxPosition();
    if (max < 2) return;
    position = std::clamp(target, 0, max);
}

} // namespace dalvex::ui
