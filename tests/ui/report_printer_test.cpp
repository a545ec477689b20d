// The printed reports, printed into PDF files: page order and numbering, tables continued over pages, the
// gaps between sections, the logo, rows taller than a page, the signature block and the print command. The
// shop's folder and the PDF files have Cyrillic names, as a dealer's may.
#include "dialogs/dlg_print.h"
#include "sketch_view/draft_dlg.h"
#include "io/utf8_path.h"
#include "window/main_window.h"
#include "project/project_reports.h"
#include "printing/report_printer.h"
#include "text/encoding.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <fstream>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::ui::test;

namespace {

constexpr int kDpi = 300;

int pt(int points) {
    return kDpi * points / 72;
}

TableSection section(int columns, int rows, std::vector<double> fractions, const std::string& stem) {
    TableSection s;
    s.setSize(columns, rows);
    s.fractions = std::move(fractions);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            s.setCell(c, r, stem + std::to_string(r) + "." + std::to_string(c), r == 0);
    return s;
}

std::vector<TableSection> priceTable(int articleRows) {
    TableSection totals = section(2, 5, {0.25, 0.15}, "итог");
    totals.leftFraction = 0.6;
    return {section(5, articleRows + 1, {0.08, 0.14, 0.48, 0.15, 0.15}, "артикул"), totals};
}

std::vector<TableSection> profilesTable(int cutRows, int panelRows) {
    return {section(5, cutRows + 1, {0.1, 0.1, 0.5, 0.1, 0.1}, "профиль"),
            section(6, panelRows + 1, {0.1, 0.1, 0.5, 0.1, 0.1, 0.1}, "панель")};
}

// A config folder, with or without the logo and the shop's text, removed afterwards.
struct ConfigFolder {
    std::filesystem::path root = uniqueTempFolder("print");
    std::filesystem::path path = root / pathFromUtf8("Магазин");
    ConfigFolder() { std::filesystem::create_directories(path); }
    ~ConfigFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    void addLogo(int width, int height) const {
        QImage logo(width, height, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        QVERIFY(logo.save(qtPath(path / "logo.jpg"), "JPG"));
    }
    void addInfo(const std::string& bytes) const {
        std::ofstream(path / "info.txt", std::ios::binary) << bytes;
    }
    std::filesystem::path file(const char* utf8) const { return path / pathFromUtf8(utf8); }
};

struct PdfJob {
    std::filesystem::path file;
    PrintLog log;
    PrintStatus status = PrintStatus::Ok;
    int pdfPages = 0;
    int width = 0, height = 0;
};

int countPdfPages(const std::filesystem::path& file) {
    QFile f(qtPath(file));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = f.readAll();
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(bytes).count(page));
}

PdfJob printToPdf(const ConfigFolder& config, ReportSources sources, ReportChoice choice) {
    PdfJob job;
    job.file = config.file("отчёт.pdf");
    sources.configFolder = config.path;
    {
        QPdfWriter writer(qtPath(job.file));
        writer.setResolution(kDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        job.width = writer.width();
        job.height = writer.height();
        job.status = printReportsOn(writer, sources, choice, &job.log);
    }
    job.pdfPages = countPdfPages(job.file);
    return job;
}

// The rows of one section as printed over all pages, in order.
std::vector<int> printedRows(const PrintLog& log, int sectionIndex) {
    std::vector<int> rows;
    for (const PrintedPage& page : log.pages)
        for (const PrintedRun& run : page.runs)
            if (run.section == sectionIndex)
                for (int r = run.firstRow; r < run.firstRow + run.rowCount; ++r)
                    rows.push_back(r);
    return rows;
}

// The text of each page of a PDF file, as pdftotext reads it, every run of blanks made one space.
QStringList pageTexts(const std::filesystem::path& file) {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), qtPath(file), QStringLiteral("-")});
    if (!reader.waitForFinished() || reader.exitCode() != 0) return {};
    QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    for (QString& page : pages)
        page = page.simplified();
    return pages;
}

std::vector<int> upTo(int count) {
    std::vector<int> v;
    for (int i = 0; i < count; ++i)
        v.push_back(i);
    return v;
}

} // namespace

class ReportPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void pageAreaKeepsThePointMargins();
    void longPriceTableContinuesOverPages();
    void cutPlanContinuesOverPagesRowByRow();
    void allReportsNumberThroughTheJob();
    void logoSitsBetweenNumberAndTable();
    void profilesPanelsStartAfterGapOrOnNextPage_data();
    void profilesPanelsStartAfterGapOrOnNextPage();
    void rowTallerThanPageStillProgresses();
    void signatureLinesUnderTheTallerText_data();
    void signatureLinesUnderTheTallerText();
    void infoTextPrintedWhenPresent();
    void theShopTextIsPrintedWhole();
    void withoutAPrinterAPdfIsOffered();
    void printCommandFollowsTheDialog();
    void documentThatCannotStartIsReported();
    void reportWindowPrintsTheChosenReports();
    void mainWindowPrintsTablesAndSketch();
};

void ReportPrinterTest::pageAreaKeepsThePointMargins() {
    struct Case {
        int dpi, width, height;
        PageArea expected;
    };
    const Case cases[] = {
        {72, 600, 800, {50, 40, 575, 760}},
        {300, 2480, 3508, {208, 166, 2376, 3342}},
        {600, 4960, 7016, {416, 333, 4752, 6683}},
    };
    for (const Case& c : cases) {
        const PageArea a = pageArea(c.dpi, c.width, c.height);
        QCOMPARE(a.left, c.expected.left);
        QCOMPARE(a.top, c.expected.top);
        QCOMPARE(a.right, c.expected.right);
        QCOMPARE(a.bottom, c.expected.bottom);
    }
}

void ReportPrinterTest::longPriceTableContinuesOverPages() {
    ConfigFolder config;
    config.addLogo(800, 200);
    ReportSources sources;
    sources.tables[kPriceTable] = priceTable(150);
    const PdfJob job = printToPdf(config, sources, ReportChoice{false, true, false, false});
    QCOMPARE(job.status, PrintStatus::Ok);
    const auto& pages = job.log.pages;
    QVERIFY(pages.size() >= 3);
    QCOMPARE(job.pdfPages, static_cast<int>(pages.size()));
    const PageArea area = pageArea(kDpi, job.width, job.height);
    for (size_t i = 0; i < pages.size(); ++i) {
        QCOMPARE(pages[i].number, static_cast<int>(i) + 1);
        QCOMPARE(pages[i].report, Report::Price);
        QCOMPARE(pages[i].contentTop, pages[0].contentTop); // every page has the number and the logo
        QVERIFY(!pages[i].runs.empty());
        QCOMPARE(pages[i].runs.front().top, pages[i].contentTop);
        for (const PrintedRun& run : pages[i].runs)
            QVERIFY(run.bottom <= area.bottom);
    }
    // Every article row exactly once, in order: the header is not repeated on later pages.
    QCOMPARE(printedRows(job.log, 0), upTo(151));
    QCOMPARE(printedRows(job.log, 1), upTo(5));
    // The totals follow the articles 15 points lower, or open the next page.
    const PrintedPage& last = pages.back();
    if (last.runs.size() == 2)
        QCOMPARE(last.runs[1].top, last.runs[0].bottom + pt(15));
    else
        QCOMPARE(last.runs[0].section, 1);
}

void ReportPrinterTest::allReportsNumberThroughTheJob() {
    ConfigFolder config;
    ProjectFixture f;
    ReportSources sources;
    for (int kind = 0; kind < 4; ++kind)
        sources.tables[static_cast<size_t>(kind)] = buildTable(kind, f.project);
    sources.tables[kPriceTable] = priceTable(120);
    std::vector<QRect> sketchRects;
    sources.drawSketch = [&sketchRects](QPainter& painter, QRect& rect) {
        sketchRects.push_back(rect);
        painter.drawRect(rect.left(), rect.top(), rect.width() / 2, 300);
        rect.setTop(rect.top() + 300);
    };
    const PdfJob job = printToPdf(config, sources, ReportChoice{true, true, true, true});
    QCOMPARE(job.status, PrintStatus::Ok);
    const auto& pages = job.log.pages;
    QCOMPARE(job.pdfPages, static_cast<int>(pages.size()));
    QVERIFY(pages.size() >= 5);
    QCOMPARE(pages[0].report, Report::Order);
    QCOMPARE(pages[1].report, Report::Price);
    QCOMPARE(pages[2].report, Report::Price);
    QCOMPARE(pages[pages.size() - 2].report, Report::Profiles);
    QCOMPARE(pages.back().report, Report::Assembly);
    for (size_t i = 0; i < pages.size(); ++i)
        QCOMPARE(pages[i].number, static_cast<int>(i) + 1);

    // The order page: the table, 20 points, the sketch above a 110-point strip, 10 points, the signatures.
    const PrintedPage& order = pages[0];
    const PageArea area = pageArea(kDpi, job.width, job.height);
    QCOMPARE(order.runs.size(), size_t(1));
    QCOMPARE(order.runs[0].rowCount, buildTable(kOrderTable, f.project)[0].rowCount);
    QCOMPARE(sketchRects.size(), size_t(1));
    QCOMPARE(sketchRects[0].left(), area.left);
    QCOMPARE(sketchRects[0].top(), order.runs[0].bottom + pt(15) + pt(20));
    QCOMPARE(sketchRects[0].bottom() + 1, area.bottom - pt(110));
    QCOMPARE(order.sketchBottom, sketchRects[0].top() + 300);
    QCOMPARE(order.signatureTop, order.sketchBottom + pt(10));
    const int low = std::min(order.leftTextHeight, order.rightTextHeight);
    const int high = std::max(order.leftTextHeight, order.rightTextHeight);
    QVERIFY(low > 0);
    QCOMPARE(order.signatureLineY, order.signatureTop + high + static_cast<int>(1.5 * low));
    QVERIFY(!order.infoPrinted);
}

void ReportPrinterTest::logoSitsBetweenNumberAndTable() {
    ReportSources sources;
    sources.tables[kAssemblyTable] = {section(5, 3, {0.1, 0.12, 0.13, 0.5, 0.15}, "дверь")};
    const ReportChoice assembly{false, false, false, true};
    ConfigFolder bare;
    const PdfJob without = printToPdf(bare, sources, assembly);
    ConfigFolder withLogo;
    withLogo.addLogo(400, 100);
    const PdfJob with = printToPdf(withLogo, sources, assembly);
    QVERIFY(!without.log.logo);
    QVERIFY(with.log.logo);

    // Without a logo the table starts right under the page number.
    QPdfWriter probe(qtPath(bare.file("probe.pdf")));
    probe.setResolution(kDpi);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pt(12));
    const int numberHeight = QFontMetrics(font, &probe).height();
    const PrintedPage& page = without.log.pages.at(0);
    QCOMPARE(page.numberTop, pageArea(kDpi, without.width, without.height).top);
    QCOMPARE(page.contentTop, page.numberTop + numberHeight + static_cast<int>(0.2 * numberHeight));
    QCOMPARE(page.runs.at(0).top, page.contentTop);

    // A logo the decoder cannot read is no logo.
    ConfigFolder broken;
    std::ofstream(broken.file("logo.jpg"), std::ios::binary) << "not a picture";
    const PdfJob unreadable = printToPdf(broken, sources, assembly);
    QCOMPARE(unreadable.status, PrintStatus::Ok);
    QVERIFY(!unreadable.log.logo);
    QCOMPARE(unreadable.log.pages.at(0).contentTop, page.contentTop);

    // The logo is as wide as the page area, its height scaled alike, and followed by 10 points.
    const int logoHeight = pageArea(kDpi, with.width, with.height).width() / 4;
    QCOMPARE(with.log.pages.at(0).contentTop, page.contentTop + logoHeight + pt(10));
}

void ReportPrinterTest::profilesPanelsStartAfterGapOrOnNextPage_data() {
    QTest::addColumn<int>("rowsShort");
    QTest::addColumn<bool>("samePage");
    QTest::newRow("cut list fills the page") << 0 << false;
    QTest::newRow("room left below the cut list") << 6 << true;
    QTest::newRow("all panels fit below the cut list") << 12 << true;
}

void ReportPrinterTest::profilesPanelsStartAfterGapOrOnNextPage() {
    QFETCH(int, rowsShort);
    QFETCH(bool, samePage);
    ConfigFolder config;
    const ReportChoice profiles{false, false, true, false};
    // How many cut rows (after the header) fill the first page.
    ReportSources sources;
    sources.tables[kProfilesTable] = profilesTable(300, 3);
    const PdfJob probe = printToPdf(config, sources, profiles);
    const int perPage = probe.log.pages.at(0).runs.at(0).rowCount - 1;
    QVERIFY(perPage > 10);

    sources.tables[kProfilesTable] = profilesTable(perPage - rowsShort, 3);
    const PdfJob job = printToPdf(config, sources, profiles);
    const auto& pages = job.log.pages;
    QCOMPARE(printedRows(job.log, 0), upTo(perPage - rowsShort + 1));
    QCOMPARE(printedRows(job.log, 1), upTo(4));
    if (samePage) {
        QCOMPARE(pages[0].runs.size(), size_t(2));
        QCOMPARE(pages[0].runs.at(1).top, pages[0].runs.at(0).bottom + pt(60));
    } else {
        QCOMPARE(pages.size(), size_t(2));
        QCOMPARE(pages[1].runs.at(0).section, 1);
        QCOMPARE(pages[1].runs.at(0).firstRow, 0);
        QCOMPARE(pages[1].runs.at(0).top, pages[1].contentTop);
    }
    QCOMPARE(job.pdfPages, static_cast<int>(pages.size()));
}

void ReportPrinterTest::rowTallerThanPageStillProgresses() {
    ConfigFolder config;
    std::vector<TableSection> table = {section(5, 4, {0.1, 0.12, 0.13, 0.5, 0.15}, "дверь")};
    std::string tall;
    for (int i = 0; i < 400; ++i)
        tall += "строка\n";
    table[0].setCell(3, 2, tall, false);
    ReportSources sources;
    sources.tables[kAssemblyTable] = table;
    const PdfJob job = printToPdf(config, sources, ReportChoice{false, false, false, true});
    QCOMPARE(job.status, PrintStatus::Ok);
    const auto& pages = job.log.pages;
    QCOMPARE(printedRows(job.log, 0), upTo(4));
    // Rows 0 and 1, then the tall row alone, cut at the page's bottom, then the last row.
    QCOMPARE(pages.size(), size_t(3));
    QCOMPARE(pages[1].runs.at(0).firstRow, 2);
    QCOMPARE(pages[1].runs.at(0).rowCount, 1);
    QVERIFY(pages[1].runs.at(0).bottom > pageArea(kDpi, job.width, job.height).bottom);
    QCOMPARE(pages[2].runs.at(0).firstRow, 3);
    QCOMPARE(job.pdfPages, 3);
}

void ReportPrinterTest::signatureLinesUnderTheTallerText_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("lineY");
    QTest::addColumn<int>("infoTop");
    // Page area from x 100 to 1100, top 500.
    QTest::newRow("two lines on the right") << 40 << 80 << 500 + 80 + 60 << 500 + 80 + 100;
    QTest::newRow("two lines on the left") << 80 << 40 << 500 + 80 + 60 << 500 + 80 + 100;
    QTest::newRow("one line each") << 41 << 41 << 500 + 41 + 61 << 500 + 41 + 102;
}

void ReportPrinterTest::signatureLinesUnderTheTallerText() {
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, lineY);
    QFETCH(int, infoTop);
    const SignatureLayout s = signatureLayout(PageArea{100, 500, 1100, 2000}, left, right);
    QCOMPARE(s.lineY, lineY);
    QCOMPARE(s.infoTop, infoTop);
    QCOMPARE(s.leftBox, QRect(100, 500, 1000 - 500 - 50, 1500));
    QCOMPARE(s.rightBox, QRect(100 + 500 + 50, 500, 450, 1500));
}

void ReportPrinterTest::infoTextPrintedWhenPresent() {
    ProjectFixture f;
    ReportSources sources;
    sources.tables[kOrderTable] = buildTable(kOrderTable, f.project);
    const ReportChoice order{true, false, false, false};
    ConfigFolder empty;
    empty.addInfo("");
    QVERIFY(!printToPdf(empty, sources, order).log.pages.at(0).infoPrinted);
    ConfigFolder shop;
    shop.addInfo("\xcc\xe0\xe3\xe0\xe7\xe8\xed \xc4\xe2\xe5\xf0\xe8\r\n\xf2\xe5\xeb. 123"); // "Магазин Двери"
    const PdfJob job = printToPdf(shop, sources, order);
    QCOMPARE(job.log.pages.size(), size_t(1));
    QVERIFY(job.log.pages[0].infoPrinted);
    QVERIFY(job.log.pages[0].infoTop > job.log.pages[0].signatureLineY);
}

// Every line of the shop text on the order page, wrapped within the page, and the pages numbered in turn.
void ReportPrinterTest::theShopTextIsPrintedWhole() {
    // The pages are read back by poppler's pdftotext, which a Windows machine (or wine) does not have.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed here");
    ProjectFixture f;
    ConfigFolder config;
    const char* const shop[] = {
        "ООО «Двери на заказ», г. Новосибирск, ул. Большевистская, д. 101, корпус 3, офис 14",
        "Телефон: +7 (383) 555-12-34, +7 (913) 555-98-76",
        "Часы работы: пн–пт 9:00–19:00, сб 10:00–16:00",
        "Гарантия на двери и фурнитуру — 24 месяца со дня установки",
        "Сайт: dveri-nsk.example",
    };
    std::string info;
    for (const char* line : shop)
        info += utf8ToCp1251(line) + "\r\n";
    config.addInfo(info);
    ReportSources sources;
    sources.tables[kOrderTable] = buildTable(kOrderTable, f.project);
    sources.tables[kPriceTable] = priceTable(150); // several pages
    const PdfJob job = printToPdf(config, sources, ReportChoice{true, true, false, false});
    const QStringList pages = pageTexts(job.file);
    QVERIFY(pages.size() >= 4);
    QCOMPARE(pages.size(), job.pdfPages);
    for (const char* line : shop)
        QVERIFY2(pages[0].contains(QString::fromUtf8(line)), line);
    for (qsizetype i = 0; i < pages.size(); ++i)
        QVERIFY2(pages[i].startsWith(QString::number(i + 1) + QLatin1Char(' ')), qPrintable(pages[i].left(40)));
}

void ReportPrinterTest::withoutAPrinterAPdfIsOffered() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("this machine has a printer");
    const struct {
        bool wanted;
        bool named; // a file chosen in the save dialog
        bool written;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        ScriptedPrompts answers;
        ConfigFolder config;
        answers.chooseFirst = c.wanted;
        const auto pdf = config.file("отчёт без принтера.pdf");
        answers.nextPath = c.named ? qtPath(pdf) : QString();
        ProjectFixture f;
        ReportSources sources;
        sources.tables[kOrderTable] = buildTable(kOrderTable, f.project);
        printReports(nullptr, sources, ReportChoice{true, false, false, false});
        QCOMPARE(answers.choices.size(), 1);
        QVERIFY(answers.choices[0].startsWith(QStringLiteral("Принтер не установлен")));
        QCOMPARE(answers.saveDialogs, c.wanted ? 1 : 0);
        QCOMPARE(std::filesystem::exists(pdf), c.written);
        QVERIFY(answers.errors.isEmpty());
    }
}

void ReportPrinterTest::printCommandFollowsTheDialog() {
    ConfigFolder config;
    ScriptedPrompts answers;
    PrintDialogPrompt saved = printDialogPrompt();
    int asked = 0;
    bool accept = false;
    const auto pdf = config.file("Заказ Иванова №7.pdf");
    printDialogPrompt() = [&](QPrinter& printer, QWidget*) {
        ++asked;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(qtPath(pdf));
        return accept;
    };
    ReportSources sources;
    sources.tables[kPriceTable] = priceTable(3);
    sources.configFolder = config.path;

    printReports(nullptr, sources, ReportChoice{});
    QCOMPARE(asked, 0); // nothing chosen: no dialog

    printReports(nullptr, sources, ReportChoice{false, true, false, false});
    QCOMPARE(asked, 1);
    QVERIFY(!std::filesystem::exists(pdf)); // cancelled: no job
    QVERIFY(answers.errors.isEmpty());

    accept = true;
    PrintLog log;
    printReports(nullptr, sources, ReportChoice{false, true, false, false}, &log);
    QCOMPARE(asked, 2);
    QVERIFY(answers.errors.isEmpty());
    QCOMPARE(log.pages.size(), size_t(1));
    QCOMPARE(countPdfPages(pdf), 1);
    QFile written(qtPath(pdf));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().startsWith("%PDF"));
    printDialogPrompt() = saved;
}

void ReportPrinterTest::documentThatCannotStartIsReported() {
    ConfigFolder config;
    ScriptedPrompts answers;
    PrintDialogPrompt saved = printDialogPrompt();
    printDialogPrompt() = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(qtPath(config.path / "missing" / "folder" / "job.pdf"));
        return true;
    };
    ReportSources sources;
    sources.tables[kPriceTable] = priceTable(3);
    PrintLog log;
    printReports(nullptr, sources, ReportChoice{false, true, false, false}, &log);
    QCOMPARE(answers.errors, QStringList{QStringLiteral("Ошибка печати. (StartDoc == -1)")});
    QVERIFY(log.pages.empty());
    printDialogPrompt() = saved;
}

void ReportPrinterTest::reportWindowPrintsTheChosenReports() {
    ProjectFixture f;
    RecordingHub hub;
    ScriptedPrompts answers;
    DlgPrint window(f.context(hub), DlgPrint::Mode::Print, nullptr);
    QVERIFY(window.okButton()->isEnabled());
    std::vector<bool> chosen;
    window.setPrintAction([&chosen](ReportChoice c) { chosen = {c.order, c.price, c.profiles, c.assembly}; });
    window.showCentred();
    window.setOn(DlgPrint::Profiles, false);
    window.okButton()->click();
    QCOMPARE(chosen, (std::vector<bool>{true, true, false, true}));
    QCOMPARE(hub.seen, (std::vector<Notification>{Notification::LockPanels, Notification::UnlockPanels}));
    QVERIFY(!window.isVisible());

    // Without a main window to ask, the window prints the Project's tables itself.
    ConfigFolder config;
    PrintDialogPrompt saved = printDialogPrompt();
    const auto pdf = config.file("window.pdf");
    printDialogPrompt() = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(qtPath(pdf));
        return true;
    };
    DlgPrint plain(f.context(hub), DlgPrint::Mode::Print, nullptr);
    for (auto t :
         {DlgPrint::Order, DlgPrint::Profiles, DlgPrint::Assembly, DlgPrint::CutPlan, DlgPrint::SheetPlan})
        plain.setOn(t, false);
    plain.showCentred();
    plain.okButton()->click();
    QCOMPARE(countPdfPages(pdf), 1);
    QVERIFY(answers.errors.isEmpty());
    printDialogPrompt() = saved;
}

void ReportPrinterTest::mainWindowPrintsTablesAndSketch() {
    ProjectFixture f;
    ScriptedPrompts answers;
    CDalvexDlg window(f.project, f.artwork);
    ConfigFolder config;
    PrintDialogPrompt saved = printDialogPrompt();
    const auto pdf = config.file("main.pdf");
    printDialogPrompt() = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(qtPath(pdf));
        return true;
    };
    window.draftView()->grab();
    const int rendersBefore = window.draftView()->renderCount();
    window.printReports(ReportChoice{true, true, true, true});
    QVERIFY(answers.errors.isEmpty());
    QVERIFY(countPdfPages(pdf) >= 4);
    // The sketch went to paper with a layout of its own: the screen keeps its picture.
    window.draftView()->grab();
    QCOMPARE(window.draftView()->renderCount(), rendersBefore);
    printDialogPrompt() = saved;
}

// Forty articles of six bars each, then twelve materials of three sheets each: every row printed once, in
// order, over several pages, none below the page's foot, and the reports after the others.
void ReportPrinterTest::cutPlanContinuesOverPagesRowByRow() {
    ConfigFolder config;
    ReportSources sources;
    for (int a = 0; a < 40; ++a) {
        ArticlePlan plan;
        plan.code = "JB" + std::to_string(a);
        plan.barLength = 55000;
        plan.billedBars = 6;
        for (int b = 0; b < 6; ++b)
            plan.bars.push_back(
                {{{"1-" + std::to_string(2 * b + 1), 26000, b}, {"1-" + std::to_string(2 * b + 2), 26000, b}},
                 2960});
        sources.cutPlans.push_back(plan);
    }
    sources.kerf = 40;
    for (int m = 0; m < 12; ++m) {
        MaterialSheets plan;
        plan.code = "H" + std::to_string(m);
        plan.sheetLength = 28000;
        plan.sheetWidth = 20700;
        plan.trim = 100;
        for (int s = 0; s < 3; ++s)
            plan.sheets.push_back(
                {{{"1-" + std::to_string(s + 1), 0, 20000, 8000, 100, 100, false}}, {}, {}});
        sources.sheetPlans.push_back(plan);
    }
    ProjectFixture f;
    sources.tables[kAssemblyTable] = buildTable(kAssemblyTable, f.project);
    ReportChoice choice;
    choice.assembly = true;
    choice.cutting = true;
    choice.sheets = true;
    const PdfJob job = printToPdf(config, sources, choice);
    QCOMPARE(job.status, PrintStatus::Ok);
    const auto& pages = job.log.pages;
    QCOMPARE(job.pdfPages, static_cast<int>(pages.size()));
    QCOMPARE(pages.front().report, Report::Assembly);
    QCOMPARE(pages.back().report, Report::SheetPlan);
    const PageArea area = pageArea(kDpi, job.width, job.height);
    std::vector<int> cutRows, sheetRows;
    int cutPages = 0, sheetPages = 0;
    for (const PrintedPage& page : pages) {
        if (page.report != Report::CutPlan && page.report != Report::SheetPlan) continue;
        const bool cut = page.report == Report::CutPlan;
        ++(cut ? cutPages : sheetPages);
        for (const PrintedRun& run : page.runs) {
            QVERIFY(run.rowCount > 0);
            QVERIFY(run.bottom <= area.bottom);
            for (int r = run.firstRow; r < run.firstRow + run.rowCount; ++r)
                (cut ? cutRows : sheetRows).push_back(r);
        }
    }
    QCOMPARE(cutRows, upTo(40 * (2 + 6)));
    QVERIFY(cutPages > 2);
    QCOMPARE(sheetRows, upTo(static_cast<int>(sheetRows.size())));
    QVERIFY(sheetRows.size() >= 12 * (2 + 1));
    QVERIFY(sheetPages > 2);
}

QTEST_MAIN(ReportPrinterTest)
#include "report_printer_test.moc"
