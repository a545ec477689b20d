#pragma once
// The printed reports: one job of up to six reports (the order page with the sketch, the price calculation,
// the profiles and materials, the assembly information, the cutting plans of the bars and of the sheets),
// every page numbered through the job and headed by the shop's logo. The page logic works on any paged device
// (a printer, a PDF file); the print dialog and the messages are kept apart from it.
#include "cutting/cut_plan.h"
#include "cutting/sheet_plan.h"
#include "orders/table_section.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace dalvex::ui {

// The part of a page that is printed on, in device units, right and bottom exclusive. Its top moves down as
// things are printed.
struct PageArea {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QRect toRect() const { return {left, top, right - left, bottom - top}; }
};

// Margins of 50, 40, 25 and 40 points inside the printable area of `printable` width and height.
PageArea pageArea(int dpi, int printableWidth, int printableHeight);

// Where a table stopped on the previous page: the section to continue (-1: none, start afresh) and its row.
struct TablePrintState {
    int section = -1;
    int row = 0;
};

// The rows of one section printed on one page, for whoever wants to know where things went.
struct PrintedRun {
    int section = 0;
    int firstRow = 0;
    int rowCount = 0;
    int top = 0;    // of the first row
    int bottom = 0; // under the last row
};

// Where the signature lines and the information text go, given the page area at the current top and the
// wrapped heights of the two signature texts.
struct SignatureLayout {
    QRect leftBox;
    QRect rightBox;
    int lineY = 0;
    int infoTop = 0;
};
SignatureLayout signatureLayout(const PageArea& area, int leftTextHeight, int rightTextHeight);

// Prints as much of a table as fits between area.top and area.bottom, continuing where `state` says, and
// moves area.top below what it printed. Answers true when the table is finished. A row taller than a whole
// page is printed cut off rather than never. A continued section does not repeat its header row.
bool printTablePage(QPainter& painter, int dpi, const std::vector<TableSection>& sections, int kind,
                    PageArea& area, TablePrintState& state, std::vector<PrintedRun>* runs = nullptr);

enum class Report { Order = 0, Price, Profiles, Assembly, CutPlan, SheetPlan };

struct ReportChoice {
    bool order = false, price = false, profiles = false, assembly = false;
    bool cutting = false; // the cutting plan, drawn to scale
    bool sheets = false;  // the sheet cutting plan, drawn to scale
    bool any() const { return order || price || profiles || assembly || cutting || sheets; }
};

// What the reports are printed from.
struct ReportSources {
    std::array<std::vector<TableSection>, 4> tables; // by table kind
    std::filesystem::path configFolder; // holds logo.jpg and info.txt
    // Draws the door sketch into the rectangle and moves its top below the drawing; may be empty.
    std::function<void(QPainter&, QRect&)> drawSketch;
    // The cutting plan and the kerf and trim it was made with.
    std::vector<ArticlePlan> cutPlans;
    int32_t kerf = 0, trim = 0;
    // The sheet cutting plan and the sheet kerf and trim it was made with.
    std::vector<MaterialSheets> sheetPlans;
    int32_t sheetKerf = 0, sheetTrim = 0;
};

// One printed page, as laid out.
struct PrintedPage {
    int number = 0;
    Report report = Report::Order;
    int numberTop = 0;  // the page number's top
    int contentTop = 0; // under the page number and the logo
    std::vector<PrintedRun> runs;
    // Order page only.
    int sketchTop = 0, sketchBottom = 0;
    int signatureTop = 0, signatureLineY = 0, infoTop = 0;
    int leftTextHeight = 0, rightTextHeight = 0;
    bool infoPrinted = false;
};

struct PrintLog {
    std::vector<PrintedPage> pages;
    bool logo = false;
};

enum class PrintStatus { Ok, StartDocFailed, StartPageFailed, EndDocFailed };

// The message shown for a failed job; empty for Ok.
QString printStatusMessage(PrintStatus status);

// Prints the chosen reports onto the device, in the order order page, price, profiles, assembly, cutting
// plan, sheet cutting plan. The device's vertical resolution is the dpi. Every page is headed by its number;
// the order page's foot holds every line of the shop text, wrapped within the page.
PrintStatus printReportsOn(QPagedPaintDevice& device, const ReportSources& sources, ReportChoice choice,
                           PrintLog* log = nullptr);

// Asks the user for the printer (all pages, no page ranges, no selection); false when cancelled.
// Replaceable so that the program can be driven without a user.
using PrintDialogPrompt = std::function<bool(QPrinter& printer, QWidget* parent)>;
PrintDialogPrompt& printDialogPrompt();

// A list of the order journal, continued over as many pages as it needs under the heading, each page
// numbered.
PrintStatus printJournalList(QPagedPaintDevice& device, const TableSection& list, const QString& heading);

// The whole print command: nothing without a choice; the print dialog; the job named "Рассчет дверей" on the
// chosen printer; a failure in a message box with the application's title.
void printReports(QWidget* parent, const ReportSources& sources, ReportChoice choice,
                  PrintLog* log = nullptr);

} // namespace dalvex::ui
