// The result table views: the band rule, the row heights, the document height and the scroll rules, and the
// tables and the cutting plan behind other tabs made when they are shown or read.
#include "results/dlg_cut_plan.h"
#include "dialogs/dlg_print.h"
#include "results/dlg_table.h"
#include "panels/dlg_tabs.h"
#include "window/main_window.h"
#include "project/project_reports.h"
#include "printing/report_printer.h"
#include "results/sheet_plan_drawing.h"
#include "results/table_layout.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"

#include <QFontMetrics>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include <tuple>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::ui::test;

namespace {

TableSection section(int columns, int rows, std::vector<double> fractions) {
    TableSection s;
    s.setSize(columns, rows);
    s.fractions = std::move(fractions);
    return s;
}

int wrappedHeight(const QFont& font, int width, const char* text) {
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, QString::fromUtf8(text))
        .height();
}

void wheel(QWidget* w, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent e(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

// Every cell of the sections, in order, with its boldness.
QStringList cellTexts(const std::vector<TableSection>& sections) {
    QStringList texts;
    for (const TableSection& s : sections)
        for (int c = 0; c < s.columnCount; ++c)
            for (int r = 0; r < s.rowCount; ++r)
                texts << QString::fromStdString(s.cell(c, r).text) + (s.cell(c, r).bold ? "*" : "");
    return texts;
}

} // namespace

class ResultTablesTest : public QObject {
    Q_OBJECT

private slots:
    void bandNarrowsAbove800Pixels_data();
    void bandNarrowsAbove800Pixels();
    void columnsAndRowsFollowTheBand();
    void longTextWrapsIntoATallerRow();
    void scrollRules_data();
    void scrollRules();
    void scrollRequestsStayInRange();
    void viewShowsItsScrollBarOnlyWhenNeeded();
    void wheelScrollsByRowsUnlessShiftIsHeld();
    void codesAndWordsStayWhole_data();
    void codesAndWordsStayWhole();
    void viewRebuildsOnRecalculated();
    void hiddenTablesAreMadeWhenShownOrRead();
    void cutPlanTabDrawsTheSheetsOfTheFillings();
    void cutPlanTabNamesAPanelWithoutSize();
    void cutPlanTabScrollsAfterPrinting();
    void scrolledViewShowsTheDocumentAtItsPosition();
    void viewMadeAgainShowsWhatANewViewShows_data();
    void viewMadeAgainShowsWhatANewViewShows();
};

void ResultTablesTest::bandNarrowsAbove800Pixels_data() {
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QRect>("band");
    QTest::newRow("801") << QRect(0, 0, 801, 600) << QRect(50, 0, 700, 600);
    QTest::newRow("800") << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600);
    QTest::newRow("wide") << QRect(0, 0, 1500, 600) << QRect(50, 0, 700, 600);
    QTest::newRow("narrow") << QRect(0, 0, 300, 200) << QRect(0, 0, 300, 200);
}

void ResultTablesTest::bandNarrowsAbove800Pixels() {
    QFETCH(QRect, client);
    QFETCH(QRect, band);
    QCOMPARE(layoutBand(client), band);
}

void ResultTablesTest::columnsAndRowsFollowTheBand() {
    std::vector<TableSection> sections{section(5, 3, {0.08, 0.14, 0.48, 0.15, 0.15}),
                                       section(2, 5, {0.25, 0.15})};
    sections[1].leftFraction = 0.6;
    sections[0].setCell(0, 0, "№", true);
    const int dpi = 96;
    const TableLayout wide = layoutTable(sections, QRect(0, 0, 1165, 600), dpi);
    QCOMPARE(wide.sections[0].widthPx, (std::vector<int>{56, 98, 336, 105, 105}));
    QCOMPARE(wide.sections[1].leftPx, 420);
    const TableLayout narrow = layoutTable(sections, QRect(0, 0, 500, 600), dpi);
    QCOMPARE(narrow.sections[0].widthPx[2], 240);
    QCOMPARE(narrow.sections[1].leftPx, 300);
    // Empty rows are as tall as the paddings (5 points above, 2 below); a row with text adds its line.
    const Paddings pad = Paddings::forDpi(dpi);
    QCOMPARE(pad.left, 6);
    QCOMPARE(pad.bottom, 2);
    const int line = wrappedHeight(tableFont(dpi, true), 56 - 12, "№");
    QVERIFY(line > 10);
    QCOMPARE(wide.sections[0].rowHeights[0], line + 8);
    QCOMPARE(wide.sections[0].rowHeights[1], 8);
    QCOMPARE(wide.sections[0].heightPx, line + 24);
    QCOMPARE(wide.documentHeight, 30 + wide.sections[0].heightPx + wide.sections[1].heightPx + 15);
    QCOMPARE(tableFont(dpi, false).pixelSize(), 14);
}

void ResultTablesTest::longTextWrapsIntoATallerRow() {
    std::vector<TableSection> sections{section(2, 2, {0.1, 0.5})};
    sections[0].setCell(0, 0, "короткий", false);
    std::string longText;
    for (int i = 0; i < 30; ++i)
        longText += "профиль ";
    sections[0].setCell(0, 1, longText, false);
    sections[0].setCell(1, 0, "строка\nвторая строка", false);
    const TableLayout layout = layoutTable(sections, QRect(0, 0, 1000, 600), 96);
    const int line = wrappedHeight(tableFont(96, false), 350 - 12, "строка");
    const int two = wrappedHeight(tableFont(96, false), 350 - 12, "строка\nвторая строка");
    QVERIFY(two > line * 3 / 2);
    QCOMPARE(layout.sections[0].rowHeights[0], two + 8);  // the taller cell of the row decides
    QVERIFY(layout.sections[0].rowHeights[1] > 5 * line); // 30 words in a 70-pixel column

    // A word wider than the columns can make room for breaks inside, in a taller row, rather than running
    // into the next cell.
    sections[0].setCell(0, 1, "DX10NEWDX10NEWDX10NEWDX10NEWDX10NEWDX10NEWDX10NEWDX10NEWDX10NEW", false);
    QVERIFY(layoutTable(sections, QRect(0, 0, 1000, 600), 96).sections[0].rowHeights[1] > 2 * line);
}

void ResultTablesTest::scrollRules_data() {
    QTest::addColumn<int>("document");
    QTest::addColumn<int>("client");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("rangeMax");
    QTest::addColumn<int>("afterLineDown");
    QTest::newRow("shorter than the window") << 300 << 600 << false << 0 << 0;
    QTest::newRow("exactly fits") << 550 << 600 << false << 0 << 0;
    QTest::newRow("one pixel over: a bar that does not scroll") << 551 << 600 << true << 0 << 0;
    QTest::newRow("four pixels over: maximum 1 is below 2") << 554 << 600 << true << 3 << 0;
    QTest::newRow("five pixels over: scrolls 2") << 555 << 600 << true << 4 << 2;
    QTest::newRow("long") << 2000 << 600 << true << 1449 << 10;
}

void ResultTablesTest::scrollRules() {
    QFETCH(int, document);
    QFETCH(int, client);
    QFETCH(bool, shown);
    QFETCH(int, rangeMax);
    QFETCH(int, afterLineDown);
    TableScroll s = TableScroll::forDocument(document, client);
    QCOMPARE(s.shown, shown);
    QCOMPARE(s.rangeMax, rangeMax);
    QCOMPARE(s.position, 0);
    s.lines(1);
    QCOMPARE(s.position, afterLineDown);
}

void ResultTablesTest::scrollRequestsStayInRange() {
    // extra 1450, range 0..1449, last position 1447; rows of 24 pixels, pages of the view less a row.
    TableScroll s = TableScroll::forDocument(2000, 600, 24);
    QCOMPARE(s.maxPosition(), 1447);
    s.pages(1);
    QCOMPARE(s.position, 576);
    s.lines(1);
    QCOMPARE(s.position, 600);
    s.lines(-30);
    QCOMPARE(s.position, 0);
    s.trackTo(5000);
    QCOMPARE(s.position, 1447);
    s.lines(3);
    QCOMPARE(s.position, 1447);
    s.pages(-1);
    QCOMPARE(s.position, 871);
    s.trackTo(-7);
    QCOMPARE(s.position, 0);
}

void ResultTablesTest::viewShowsItsScrollBarOnlyWhenNeeded() {
    ProjectFixture f;
    RecordingHub hub;
    DlgTable table(f.context(hub), 2, nullptr);
    table.show(); // a hidden widget gets its resize events only when shown
    table.resize(1165, 5000);
    QVERIFY(!table.scroll().shown);
    QVERIFY(table.scrollBar()->isHidden());
    const int document = table.layout().documentHeight;
    table.resize(1165, document + 50 - 1);
    QVERIFY(table.scroll().shown);
    QCOMPARE(table.scroll().rangeMax, 0);
    QVERIFY(!table.scrollBar()->isHidden());
    wheel(&table, -120);
    QCOMPARE(table.scroll().position, 0);
    table.resize(1165, document + 50);
    QVERIFY(!table.scroll().shown);
    QCOMPARE(table.layout().band, QRect(50, 0, 700, document + 50));
}

void ResultTablesTest::wheelScrollsByRowsUnlessShiftIsHeld() {
    ProjectFixture f;
    RecordingHub hub;
    DlgTable table(f.context(hub), 0, nullptr);
    table.show();
    table.resize(1165, 120);
    // A step is a row of one line, as the article rows are.
    const int row = table.layout().rowStep;
    QCOMPARE(row, table.layout().sections[0].rowHeights[1]);
    const int notch = QApplication::wheelScrollLines() * row;
    QVERIFY(table.scroll().maxPosition() > 2 * notch);
    wheel(&table, -120);
    QCOMPARE(table.scroll().position, notch);
    // A fine wheel moves once its turns add up to a notch.
    for (int i = 0; i < 3; ++i)
        wheel(&table, -40);
    QCOMPARE(table.scroll().position, 2 * notch);
    wheel(&table, -120, Qt::ShiftModifier);
    QCOMPARE(table.scroll().position, 2 * notch);
    wheel(&table, 120);
    QCOMPARE(table.scroll().position, notch);
    QCOMPARE(table.scrollBar()->value(), notch);
    QCOMPARE(table.scrollBar()->singleStep(), row);
    // A resize goes back to the top.
    table.resize(1165, 130);
    QCOMPARE(table.scroll().position, 0);
}

void ResultTablesTest::codesAndWordsStayWhole_data() {
    QTest::addColumn<int>("band");
    QTest::newRow("screen, 700-pixel band") << 1165;
    QTest::newRow("narrow window") << 640;
}

void ResultTablesTest::codesAndWordsStayWhole() {
    QFETCH(int, band);
    // The profiles and materials table's columns, with codes and headers that do not fit 0.1 of the band.
    TableSection s = section(6, 4, {0.1, 0.1, 0.5, 0.1, 0.1, 0.1});
    s.codeColumn = 1;
    for (const auto& [c, r, text, bold] :
         {std::tuple{1, 0, "Артикул", true}, std::tuple{3, 0, "Высота, мм", true},
          std::tuple{4, 0, "Ширина, мм", true}, std::tuple{1, 1, "DX10NEW", false},
          std::tuple{1, 2, "H1145 ST10", false}, std::tuple{2, 3, "Ш-обр направляющий профиль", false}})
        s.setCell(c, r, text, bold);
    const int dpi = 96;
    const TableLayout layout = layoutTable({s}, QRect(0, 0, band, 600), dpi);
    const SectionLayout& sl = layout.sections[0];
    const int bandWidth = layoutBand(QRect(0, 0, band, 600)).width();
    int total = 0;
    for (int w : sl.widthPx)
        total += w;
    QVERIFY(total <= bandWidth);
    const Paddings pad = Paddings::forDpi(dpi);
    for (int c = 0; c < s.columnCount; ++c)
        for (int r = 0; r < s.rowCount; ++r) {
            const QString text = cellText(s, c, r);
            if (text.isEmpty()) continue;
            const QFontMetrics fm(tableFont(dpi, s.cell(c, r).bold));
            const int width = sl.widthPx[static_cast<size_t>(c)];
            QVERIFY2(!(cellTextFlags(fm, width, pad, text) & Qt::TextWrapAnywhere), qPrintable(text));
            const QRect wrapped =
                fm.boundingRect(QRect(0, 0, width - pad.left - pad.right, 1000), Qt::TextWordWrap, text);
            // A code on one line; a header broken only between its words.
            const int lines = qRound(static_cast<double>(wrapped.height()) / fm.lineSpacing());
            QVERIFY2(c == 1 ? lines == 1 : lines <= 2, qPrintable(text));
        }
}

void ResultTablesTest::viewRebuildsOnRecalculated() {
    ProjectFixture f;
    RecordingHub hub;
    DlgTable info(f.context(hub), 1, nullptr);
    QCOMPARE(info.sections().size(), size_t{1});
    const int rows = info.sections()[0].rowCount;
    OrderCard card = f.project.orderCard;
    card.assemblyCost = 0;
    card.deliveryCost = 500;
    QVERIFY(f.editor.apply(edit::SetOrderCard{card}));
    QCOMPARE(info.sections()[0].rowCount, rows + 1);
    DlgTable price(f.context(hub), 0, nullptr);
    QCOMPARE(price.sections().size(), size_t{2});
    QCOMPARE(QString::fromStdString(price.sections()[0].cell(0, 0).text), QStringLiteral("№"));
}

void ResultTablesTest::hiddenTablesAreMadeWhenShownOrRead() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork, QString::fromStdString((f.folder / "state").string()));
    window.show();
    // On the sketch tab a change leaves the tables and the cutting plan to be made later.
    ProjectEditor& editor = window.document()->editor();
    QVERIFY(editor.apply(edit::SetWidth{f.project.width + 1000}));
    OrderCard card = f.project.orderCard;
    card.deliveryCost = 700;
    QVERIFY(editor.apply(edit::SetOrderCard{card}));
    for (int kind = 0; kind < 4; ++kind)
        QVERIFY(window.table(kind)->stale());
    QVERIFY(window.cutPlanView()->stale());
    // Shown: made at once, the others still waiting.
    window.tabBar()->select(3);
    QVERIFY(!window.table(2)->stale());
    QVERIFY(window.table(0)->stale());
    // Read, as printing reads them: what the Project gives now.
    for (int kind = 0; kind < 4; ++kind)
        QCOMPARE(cellTexts(window.table(kind)->sections()), cellTexts(buildTable(kind, f.project)));
    const auto plans = planArticles(f.project.result, f.project.cutting.kerf, f.project.cutting.trim);
    QCOMPARE(window.cutPlanView()->plans().size(), plans.size());
    for (size_t a = 0; a < plans.size(); ++a)
        QCOMPARE(window.cutPlanView()->plans()[a].bars.size(), plans[a].bars.size());
    // A change while a table is in view remakes it at once.
    card.deliveryCost = 0;
    QVERIFY(editor.apply(edit::SetOrderCard{card}));
    QVERIFY(!window.table(2)->stale());
    QVERIFY(window.table(1)->stale());
}

// Doors filled with the sample oak chipboard: its sheets appear under the bars, each drawn to scale.
void ResultTablesTest::cutPlanTabDrawsTheSheetsOfTheFillings() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork, QString::fromStdString((f.folder / "state").string()));
    window.resize(1280, 800);
    window.show();
    window.tabBar()->select(5);
    QVERIFY(window.cutPlanView()->sheetPlans().empty());
    const int bare = window.cutPlanView()->canvas()->minimumHeight();
    const MaterialCollection* chipboard = sampleCatalogue().findCollection("ЛДСП Эггер");
    QVERIFY(chipboard && !chipboard->materials.empty());
    ProjectEditor& editor = window.document()->editor();
    for (int k = 0; k < f.project.doorCount; ++k)
        for (const auto& [id, insert] : f.project.sketch.doors[k].inserts)
            QVERIFY(editor.apply(edit::Fill{k, id, &chipboard->materials.front()}));
    QCOMPARE(window.cutPlanView()->sheetPlans().size(), size_t{1});
    const MaterialSheets& plan = window.cutPlanView()->sheetPlans().front();
    QVERIFY(plan.grain);
    QCOMPARE(plan.sheets.size(), planSheets(f.project.result, f.project.cutting).front().sheets.size());
    // A row of sheets is at least a third of the sheet's width in the tab's width, and every row paints.
    const int tab = window.cutPlanView()->canvas()->width();
    QVERIFY(window.cutPlanView()->canvas()->minimumHeight() > bare + tab / 3 * 2070 / 2800 / 3);
    QVERIFY(!window.cutPlanView()->canvas()->grab().isNull());
}

// A door made low after its dividers were set leaves a panel of negative height: the tab (and the printed
// page, which draws the same summary) names it with its reason beside the panels that were cut.
void ResultTablesTest::cutPlanTabNamesAPanelWithoutSize() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork, QString::fromStdString((f.folder / "state").string()));
    window.show();
    window.tabBar()->select(5);
    const MaterialCollection* chipboard = sampleCatalogue().findCollection("ЛДСП Эггер");
    QVERIFY(chipboard && !chipboard->materials.empty());
    ProjectEditor& editor = window.document()->editor();
    QVERIFY(editor.apply(edit::SelectSystem{sampleCatalogue().findSystem("Лантес")}));
    for (int32_t k = 0; k < 10; ++k)
        QVERIFY(editor.apply(edit::Split{0, k + 1, 1000 + k * 1200, false}));
    for (int32_t id = 1; id <= 11; ++id)
        QVERIFY(editor.apply(edit::Fill{0, id, &chipboard->materials.front()}));
    QVERIFY(editor.apply(edit::SetHeight{1000}));
    QCOMPARE(window.cutPlanView()->sheetPlans().size(), size_t{1});
    const MaterialSheets& plan = window.cutPlanView()->sheetPlans().front();
    QCOMPARE(plan.leftOut.size(), size_t{1});
    QVERIFY(plan.leftOut.front().height < 0);
    const QString summary = sheetPlanSummary(plan);
    QVERIFY2(summary.contains(QStringLiteral("нулевого или отрицательного размера. 1-11 (-15 × ")),
             qPrintable(summary));
    QVERIFY2(summary.startsWith(QStringLiteral("листов: 1,")), qPrintable(summary));
}

void ResultTablesTest::cutPlanTabScrollsAfterPrinting() {
    ProjectFixture f;
    CDalvexDlg window(f.project, f.artwork, QString::fromStdString((f.folder / "state").string()));
    window.resize(1366, 768);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const MaterialCollection* chipboard = sampleCatalogue().findCollection("ЛДСП Эггер");
    QVERIFY(chipboard && !chipboard->materials.empty());
    ProjectEditor& editor = window.document()->editor();
    QVERIFY(editor.apply(edit::SetDoorCount{6}));
    for (int door = 0; door < 6; ++door) {
        for (int32_t k = 0; k < 4; ++k)
            QVERIFY(editor.apply(edit::Split{door, k + 1, 300 + k * 400, false}));
        for (int32_t id = 1; id <= 5; ++id)
            QVERIFY(editor.apply(edit::Fill{door, id, &chipboard->materials[static_cast<size_t>(id % 2)]}));
    }
    window.tabBar()->select(5);
    auto* scroll = window.cutPlanView()->findChild<QScrollArea*>();
    QVERIFY(scroll);
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    const int range = scroll->verticalScrollBar()->maximum();
    QVERIFY(range > 0);
    // "Печать", then "Печать" in the report window: the print dialog cancelled, then used.
    const PrintDialogPrompt saved = printDialogPrompt();
    const QString pdf = QString::fromStdString((f.folder / "plans.pdf").string());
    for (const bool printed : {false, true}) {
        printDialogPrompt() = [&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return printed;
        };
        window.topPanel()->showPrint();
        window.topPanel()->printDialog()->okButton()->click();
        QCoreApplication::processEvents();
        QVERIFY(scroll->verticalScrollBar()->isVisible());
        QCOMPARE(scroll->verticalScrollBar()->maximum(), range);
    }
    printDialogPrompt() = saved;
}

void ResultTablesTest::scrolledViewShowsTheDocumentAtItsPosition() {
    ProjectFixture f;
    RecordingHub hub;
    // The whole document in a view tall enough not to scroll, and a short view of the same table.
    DlgTable whole(f.context(hub), 2, nullptr);
    whole.show();
    whole.resize(1165, 200);
    whole.resize(1165, whole.layout().documentHeight + 50);
    QVERIFY(!whole.scroll().shown);
    const QImage all = whole.grab().toImage();
    DlgTable part(f.context(hub), 2, nullptr);
    part.show();
    part.resize(1165, 200);
    const int max = part.scroll().maxPosition();
    QVERIFY(max > 40);
    const int shownWidth = 1165 - part.scrollBar()->width();
    // Every position over the first rows, which cuts each of them and its grid lines at both edges, and the
    // last one.
    std::vector<int> positions;
    for (int position = 0; position <= std::min(max, 90); ++position)
        positions.push_back(position);
    positions.push_back(max);
    for (int position : positions) {
        part.scrollBar()->setSliderPosition(position);
        QCOMPARE(part.scroll().position, position);
        const QImage shown = part.grab().toImage().copy(0, 0, shownWidth, 200);
        QCOMPARE(shown, all.copy(0, position, shownWidth, 200).convertToFormat(shown.format()));
    }
}

void ResultTablesTest::viewMadeAgainShowsWhatANewViewShows_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("change");
    // Numbers of many rows change (the width), the rows themselves (the doors), a few figures (the discount),
    // and the view's width with them.
    for (int kind = 0; kind < 4; ++kind)
        for (int change = 0; change < 4; ++change)
            QTest::addRow("table %d, change %d", kind, change) << kind << change;
}

// A view in sight made again after a change keeps what it measured and drew of the cells that stayed: it must
// show exactly what a view made afresh shows.
void ResultTablesTest::viewMadeAgainShowsWhatANewViewShows() {
    QFETCH(int, kind);
    QFETCH(int, change);
    ProjectFixture f;
    RecordingHub hub;
    DlgTable kept(f.context(hub), kind, nullptr);
    kept.resize(1165, 700);
    kept.show();
    QVERIFY(QTest::qWaitForWindowExposed(&kept));
    kept.grab();
    const EditOp changes[] = {edit::SetWidth{f.project.width + 1000}, edit::SetDoorCount{2},
                              edit::SetDiscount{7.0}, edit::SetWidth{f.project.width - 500}};
    QVERIFY(f.editor.apply(changes[change]));
    if (change == 1) QCOMPARE(f.project.doorCount, 2);
    if (change == 3) kept.resize(900, 700);
    DlgTable fresh(f.context(hub), kind, nullptr);
    fresh.resize(kept.size());
    fresh.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fresh));
    QCOMPARE(cellTexts(kept.sections()), cellTexts(fresh.sections()));
    QCOMPARE(kept.layout().documentHeight, fresh.layout().documentHeight);
    const QImage shown = kept.grab().toImage();
    QCOMPARE(shown, fresh.grab().toImage());
    // And each cell shows its own text: neighbours of different texts in a column differ in their pixels.
    const TableSection& s = kept.sections()[0];
    const SectionLayout& sl = kept.layout().sections[0];
    const auto cellPixels = [&](int c, int r) {
        int x = 50 + sl.leftPx, y = 30;
        for (int k = 0; k < c; ++k)
            x += sl.widthPx[static_cast<size_t>(k)];
        for (int k = 0; k < r; ++k)
            y += sl.rowHeights[static_cast<size_t>(k)];
        return shown.copy(x + 1, y + 1, sl.widthPx[static_cast<size_t>(c)] - 1,
                          sl.rowHeights[static_cast<size_t>(r)] - 1);
    };
    int compared = 0;
    for (int c = 0; c < s.columnCount; ++c)
        for (int r = 1; r < s.rowCount && r < 8; ++r) {
            const std::string& a = s.cell(c, r - 1).text;
            const std::string& b = s.cell(c, r).text;
            if (a.empty() || b.empty() || a == b ||
                sl.rowHeights[static_cast<size_t>(r)] != sl.rowHeights[static_cast<size_t>(r - 1)])
                continue;
            QVERIFY2(cellPixels(c, r) != cellPixels(c, r - 1), b.c_str());
            ++compared;
        }
    QVERIFY(compared > 0);
}

QTEST_MAIN(ResultTablesTest)
#include "result_tables_test.moc"
