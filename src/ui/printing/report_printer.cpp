#include "printing/report_printer.h"

#include "results/cut_plan_drawing.h"
#include "orders/report_tables.h"
#include "orders/shop_files.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "results/sheet_plan_drawing.h"
#include "results/table_layout.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <climits>
#include <string>

namespace dalvex::ui {
namespace {

const QColor kGridColor(130, 130, 130);
const QColor kSignatureLineColor(100, 100, 100);

// Points of the device's resolution, in device units.
int points(int dpi, int pt) {
    return dpi * pt / 72;
}

// The page-number font, also used for the signature block and the information text: 12 points.
QFont pageFont(int dpi) {
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(std::max(1, points(dpi, 12)));
    f.setWeight(QFont::Normal);
    return f;
}

int wrappedHeight(const QFontMetrics& fm, int width, const QString& text) {
    return fm.boundingRect(QRect(0, 0, std::max(1, width), INT_MAX / 4), Qt::TextWordWrap, text).height();
}

// The shop's logo in any format the decoder knows.
QImage loadLogo(const std::filesystem::path& configFolder) {
    const std::string bytes = shopLogoBytes(configFolder);
    if (bytes.empty()) return {};
    return QImage::fromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// Grid of the rows of one section printed on this page: the left line and one after each column down the
// printed rows, a line above the first row and one under each row.
void drawGrid(QPainter& painter, int left, const SectionLayout& sl, const PrintedRun& run) {
    int right = left;
    for (int w : sl.widthPx)
        right += w;
    painter.setPen(QPen(kGridColor, 1));
    painter.drawLine(left, run.top, left, run.bottom);
    int x = left;
    for (int w : sl.widthPx) {
        x += w;
        painter.drawLine(x, run.top, x, run.bottom);
    }
    painter.drawLine(left, run.top, right, run.top);
    int y = run.top;
    for (int r = run.firstRow; r < run.firstRow + run.rowCount; ++r) {
        y += sl.rowHeights[static_cast<size_t>(r)];
        painter.drawLine(left, y, right, y);
    }
}

void drawRow(QPainter& painter, const TableSection& section, const SectionLayout& sl, int row, int left,
             int top, const Paddings& pad, const QFont& normal, const QFont& bold) {
    const int height = sl.rowHeights[static_cast<size_t>(row)];
    int x = left;
    painter.setPen(Qt::black);
    for (int c = 0; c < section.columnCount; ++c) {
        const int width = sl.widthPx[static_cast<size_t>(c)];
        const TableCell& cell = section.cell(c, row);
        if (!cell.text.empty()) {
            painter.setFont(cell.bold ? bold : normal);
            const QRect box(QPoint(x + pad.left, top + pad.top), QPoint(x + width - 1, top + height - 1));
            const QString text = cellText(section, c, row);
            const QFontMetrics fm(painter.font(), painter.device());
            painter.drawText(box, cellTextFlags(fm, width, pad, text), text);
        }
        x += width;
    }
}

// One print job on one device: the page counter, the page rectangle, the logo.
class Job {
public:
    Job(QPagedPaintDevice& device, QPainter& painter, const ReportSources& sources, PrintLog* log)
        : device_(device), painter_(painter), sources_(sources), log_(log), dpi_(device.logicalDpiY()),
          base_(pageArea(dpi_, device.width(), device.height())), font_(pageFont(dpi_)),
          logo_(sources.configFolder.empty() ? QImage() : loadLogo(sources.configFolder)) {
        if (log_) log_->logo = !logo_.isNull();
    }

    bool orderPage() {
        PageArea area;
        PrintedPage page;
        if (!beginPage(Report::Order, area, page)) return false;
        TablePrintState state;
        printTablePage(painter_, dpi_, sources_.tables[kOrderTable], kOrderTable, area, state, &page.runs);

        area.top += points(dpi_, 20);
        page.sketchTop = area.top;
        // The sketch leaves room below it for the signatures and the whole shop text.
        PageArea sketch = area;
        sketch.bottom -= std::max(points(dpi_, 110), footHeight(area));
        if (sources_.drawSketch && sketch.width() > 0 && sketch.height() > 0) {
            QRect r = sketch.toRect();
            painter_.save();
            sources_.drawSketch(painter_, r);
            painter_.restore();
            area.top = std::max(area.top, r.top());
        }
        page.sketchBottom = area.top;

        area.top += points(dpi_, 10);
        signatures(area, page);
        endPage(std::move(page));
        return true;
    }

    bool tableReport(Report report) {
        const int kind = static_cast<int>(report == Report::Price      ? kPriceTable
                                          : report == Report::Profiles ? kProfilesTable
                                                                       : kAssemblyTable);
        TablePrintState state;
        bool finished = false;
        while (!finished) {
            PageArea area;
            PrintedPage page;
            if (!beginPage(report, area, page)) return false;
            finished = printTablePage(painter_, dpi_, sources_.tables[static_cast<size_t>(kind)], kind, area,
                                      state, &page.runs);
            endPage(std::move(page));
        }
        return true;
    }

    // The cutting plan to scale, under its title and the kerf and trim it was made with.
    bool cutPlanReport() {
        const QFont font = planFont();
        const int line = QFontMetrics(font, &device_).height();
        const int32_t longest = longestBar(sources_.cutPlans);
        const std::vector<CutPlanRow> rows = cutPlanRows(sources_.cutPlans);
        const auto height = [&](size_t i) { return cutPlanRowHeight(rows[i], line); };
        return planReport({Report::CutPlan,
                           QStringLiteral("Раскрой профилей: пропил %1 мм, торцовка %2 мм")
                               .arg(millimetresText(sources_.kerf), millimetresText(sources_.trim)),
                           rows.size(), height,
                           // A title is not left alone at the foot of a page.
                           [&](size_t i) {
                               return rows[i].kind == CutPlanRow::Kind::Bar
                                          ? height(i)
                                          : height(i) + 3 * line + 3 * line / 2;
                           },
                           [&](size_t i, const QRect& rect) {
                               drawCutPlanRow(painter_, sources_.cutPlans, rows[i], rect, font, sources_.kerf,
                                              sources_.trim, longest);
                           }});
    }

    // The sheets to scale, under the title naming the kerf and trim they were made with.
    bool sheetPlanReport() {
        const QFont font = planFont();
        const int line = QFontMetrics(font, &device_).height();
        // Two rows of sheets to a page.
        const SheetScale scale = sheetScale(sources_.sheetPlans, base_.width(), line, base_.height() * 2 / 5);
        const std::vector<SheetPlanRow> rows = sheetPlanRows(sources_.sheetPlans, scale);
        const auto height = [&](size_t i) {
            return sheetPlanRowHeight(sources_.sheetPlans, rows[i], scale, line);
        };
        const QString title =
            sources_.sheetPlans.empty()
                ? QStringLiteral("Раскрой листов: нет панелей для раскроя.")
                : QStringLiteral("Раскрой листов: пропил %1 мм, торцовка %2 мм по краям листа")
                      .arg(millimetresText(sources_.sheetKerf), millimetresText(sources_.sheetTrim));
        return planReport({Report::SheetPlan, title, rows.size(), height,
                           // A material's title and summary go with its first sheets.
                           [&](size_t i) {
                               int keep = height(i);
                               for (size_t k = i;
                                    k + 1 < rows.size() && rows[k].kind != SheetPlanRow::Kind::Sheets; ++k)
                                   keep += height(k + 1);
                               return keep;
                           },
                           [&](size_t i, const QRect& rect) {
                               drawSheetPlanRow(painter_, sources_.sheetPlans, rows[i], rect, font, scale);
                           }});
    }

private:
    // A plan drawn row by row under its title, continued over pages a whole row at a time.
    struct PlanRows {
        Report report;
        QString title;
        size_t count = 0;
        std::function<int(size_t)> height;
        std::function<int(size_t)> keep; // the room a row needs at the foot of a page
        std::function<void(size_t, const QRect&)> draw;
    };

    bool planReport(const PlanRows& rows) {
        size_t next = 0;
        do {
            PageArea area;
            PrintedPage page;
            if (!beginPage(rows.report, area, page)) return false;
            if (next == 0) {
                painter_.setFont(font_);
                painter_.setPen(Qt::black);
                const int titleHeight = QFontMetrics(font_, &device_).height();
                painter_.drawText(QRect(area.left, area.top, area.width(), titleHeight), Qt::AlignLeft,
                                  rows.title);
                area.top += titleHeight * 3 / 2;
            }
            bool printed = false;
            PrintedRun run{0, static_cast<int>(next), 0, area.top, area.top};
            while (next < rows.count) {
                const int h = rows.height(next);
                if (printed && area.top + rows.keep(next) > area.bottom) break;
                rows.draw(next, QRect(area.left, area.top, area.width(), h));
                area.top += h;
                printed = true;
                ++next;
                ++run.rowCount;
                run.bottom = area.top;
            }
            page.runs.push_back(run);
            endPage(std::move(page));
        } while (next < rows.count);
        return true;
    }

    // The plans' own font: 9 points.
    QFont planFont() const {
        QFont font = pageFont(dpi_);
        font.setPixelSize(std::max(1, points(dpi_, 9)));
        return font;
    }

    bool beginPage(Report report, PageArea& area, PrintedPage& page) {
        if (!first_ && !device_.newPage()) return false;
        first_ = false;
        area = base_;
        page.number = counter_;
        page.report = report;
        page.numberTop = area.top;

        painter_.setFont(font_);
        painter_.setPen(Qt::black);
        const QFontMetrics fm(font_, &device_);
        const QString text = QString::number(counter_);
        const int textWidth = fm.horizontalAdvance(text);
        const int textHeight = fm.height();
        painter_.drawText(QRect((area.right - textWidth) / 2, area.top, textWidth + 1, textHeight),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
        area.top += textHeight + static_cast<int>(0.2 * textHeight);

        if (!logo_.isNull()) {
            const float ratio = static_cast<float>(area.width()) / static_cast<float>(logo_.width());
            const int height = static_cast<int>(static_cast<float>(logo_.height()) * ratio);
            painter_.save();
            painter_.setRenderHint(QPainter::SmoothPixmapTransform);
            painter_.drawImage(QRect(area.left, area.top, area.width(), height), logo_);
            painter_.restore();
            area.top += height + points(dpi_, 10);
        }
        page.contentTop = area.top;
        return true;
    }

    void endPage(PrintedPage page) {
        ++counter_;
        if (log_) log_->pages.push_back(std::move(page));
    }

    QString shopText() const {
        return sources_.configFolder.empty() ? QString() : qs(shopInfoText(sources_.configFolder));
    }

    // The signatures and the shop text under them, at the width of `area`.
    int footHeight(const PageArea& area) const {
        const QFontMetrics fm(font_, &device_);
        const SignatureLayout probe = signatureLayout(area, 0, 0);
        const int h1 = wrappedHeight(fm, probe.leftBox.width(), kTaken);
        const int h2 = wrappedHeight(fm, probe.rightBox.width(), kAgreed);
        const SignatureLayout s = signatureLayout(area, h1, h2);
        const QString info = shopText();
        return s.infoTop - area.top + (info.isEmpty() ? 0 : wrappedHeight(fm, area.width(), info));
    }

    inline static const QString kTaken = QStringLiteral("Заказ принял(а).");
    inline static const QString kAgreed = QStringLiteral("С условиями заказа ознакомлен(а) и согласен(а).");

    void signatures(const PageArea& area, PrintedPage& page) {
        painter_.setFont(font_);
        painter_.setPen(Qt::black);
        const QFontMetrics fm(font_, &device_);
        const SignatureLayout probe = signatureLayout(area, 0, 0);
        const int h1 = wrappedHeight(fm, probe.leftBox.width(), kTaken);
        const int h2 = wrappedHeight(fm, probe.rightBox.width(), kAgreed);
        const SignatureLayout s = signatureLayout(area, h1, h2);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        painter_.drawText(QRect(s.leftBox.left(), s.leftBox.top(), s.leftBox.width(), h1), flags, kTaken);
        painter_.drawText(QRect(s.rightBox.left(), s.rightBox.top(), s.rightBox.width(), h2), flags, kAgreed);
        painter_.setPen(QPen(kSignatureLineColor, 1));
        painter_.drawLine(s.leftBox.left(), s.lineY, s.leftBox.left() + s.leftBox.width(), s.lineY);
        painter_.drawLine(s.rightBox.left(), s.lineY, s.rightBox.left() + s.rightBox.width(), s.lineY);
        page.signatureTop = area.top;
        page.signatureLineY = s.lineY;
        page.infoTop = s.infoTop;
        page.leftTextHeight = h1;
        page.rightTextHeight = h2;

        // Across the whole page: every line of the shop's text, wrapped within the page.
        const QString info = shopText();
        if (info.isEmpty() || s.infoTop >= area.bottom) return;
        painter_.setPen(Qt::black);
        painter_.drawText(QRect(area.left, s.infoTop, area.width(), area.bottom - s.infoTop), flags, info);
        page.infoPrinted = true;
    }

    QPagedPaintDevice& device_;
    QPainter& painter_;
    const ReportSources& sources_;
    PrintLog* log_;
    int dpi_;
    PageArea base_;
    QFont font_;
    QImage logo_;
    int counter_ = 1;
    bool first_ = true;
};

bool askPrinter(QPrinter& printer, QWidget* parent) {
    // Without a printer the print dialog has nothing to offer (on Windows it does not even open): a PDF file
    // instead, when the user wants one.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        if (!prompts().choose(parent, QStringLiteral("Принтер не установлен. Сохранить отчёты в файл PDF?"),
                              QStringLiteral("Печать"), QStringLiteral("Сохранить PDF"),
                              QStringLiteral("Отмена")))
            return false;
        const QString path = prompts().savePath(parent, QStringLiteral("Файлы PDF (*.pdf)"),
                                                QStringLiteral("pdf"), printer.docName());
        if (path.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
#ifdef Q_OS_WIN
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
#else
    // Elsewhere printing to a file is how a PDF is made.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
#endif
    return dialog.exec() == QDialog::Accepted;
}

bool runJob(Job& job, ReportChoice choice) {
    bool ok = !choice.order || job.orderPage();
    if (ok && choice.price) ok = job.tableReport(Report::Price);
    if (ok && choice.profiles) ok = job.tableReport(Report::Profiles);
    if (ok && choice.assembly) ok = job.tableReport(Report::Assembly);
    if (ok && choice.cutting) ok = job.cutPlanReport();
    if (ok && choice.sheets) ok = job.sheetPlanReport();
    return ok;
}

} // namespace

PageArea pageArea(int dpi, int printableWidth, int printableHeight) {
    return {points(dpi, 50), points(dpi, 40), printableWidth - points(dpi, 25),
            printableHeight - points(dpi, 40)};
}

SignatureLayout signatureLayout(const PageArea& area, int leftTextHeight, int rightTextHeight) {
    const int w = area.width();
    const int gap = static_cast<int>(0.05 * w);
    const int height = std::max(0, area.bottom - area.top);
    SignatureLayout s;
    s.leftBox = QRect(area.left, area.top, std::max(0, w - w / 2 - gap), height);
    const int rightLeft = area.left + w / 2 + gap;
    s.rightBox = QRect(rightLeft, area.top, std::max(0, area.right - rightLeft), height);
    const int low = std::min(leftTextHeight, rightTextHeight);
    const int high = std::max(leftTextHeight, rightTextHeight);
    s.lineY = area.top + high + static_cast<int>(1.5 * low);
    s.infoTop = area.top + high + static_cast<int>(2.5 * low);
    return s;
}

bool printTablePage(QPainter& painter, int dpi, const std::vector<TableSection>& sections, int kind,
                    PageArea& area, TablePrintState& state, std::vector<PrintedRun>* runs) {
    const QFont normal = tableFont(dpi, false);
    const QFont bold = tableFont(dpi, true);
    const Paddings pad = Paddings::forDpi(dpi);
    const int gap = points(dpi, kind == kProfilesTable ? 60 : 15);
    const int count = static_cast<int>(sections.size());
    int first = 0, firstRow = 0;
    if (state.section >= 0 && state.section < count) {
        first = state.section;
        firstRow = std::max(0, state.row);
    }
    bool printedAny = false;
    painter.save();
    for (int s = first; s < count; ++s) {
        const TableSection& section = sections[static_cast<size_t>(s)];
        // Measured on its own in the page's width; the screen's layout stays as it is.
        const std::vector<SectionLayout> measured =
            layoutSections({section}, area.width(), dpi, painter.device());
        const SectionLayout& sl = measured.front();
        const int left = area.left + sl.leftPx;
        PrintedRun run{s, s == first ? firstRow : 0, 0, area.top, area.top};
        bool stopped = false;
        for (int r = run.firstRow; r < section.rowCount; ++r) {
            const int height = sl.rowHeights[static_cast<size_t>(r)];
            if (area.top + height > area.bottom) {
                if (printedAny) {
                    state = {s, r};
                    stopped = true;
                    break;
                }
                // Nothing printed yet, so the row fits on no page: printed cut off, or the table would never
                // end.
                painter.setClipRect(area.toRect());
            }
            drawRow(painter, section, sl, r, left, area.top, pad, normal, bold);
            area.top += height;
            run.rowCount += 1;
            run.bottom = area.top;
            printedAny = true;
        }
        if (run.rowCount > 0) {
            drawGrid(painter, left, sl, run);
            painter.setClipping(false);
            if (runs) runs->push_back(run);
        }
        if (stopped) {
            painter.restore();
            return false;
        }
        state = {};
        area.top += gap;
    }
    painter.restore();
    return true;
}

QString printStatusMessage(PrintStatus status) {
    switch (status) {
    case PrintStatus::Ok:
        return {};
    case PrintStatus::StartDocFailed:
        return QStringLiteral("Ошибка печати. (StartDoc == -1)");
    case PrintStatus::StartPageFailed:
        return QStringLiteral("Ошибка печати. (StartPage <= 0)");
    case PrintStatus::EndDocFailed:
        return QStringLiteral("Ошибка печати. (EndDoc == 0)");
    }
    return {};
}

PrintStatus printReportsOn(QPagedPaintDevice& device, const ReportSources& sources, ReportChoice choice,
                           PrintLog* log) {
    QPainter painter;
    if (!painter.begin(&device)) return PrintStatus::StartDocFailed;
    Job job(device, painter, sources, log);
    const bool ok = runJob(job, choice);
    if (!ok) {
        // The pages so far are not sent anywhere.
        if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->abort();
        painter.end();
        return PrintStatus::StartPageFailed;
    }
    return painter.end() ? PrintStatus::Ok : PrintStatus::EndDocFailed;
}

PrintStatus printJournalList(QPagedPaintDevice& device, const TableSection& list, const QString& heading) {
    QPainter painter;
    if (!painter.begin(&device)) return PrintStatus::StartDocFailed;
    const int dpi = device.logicalDpiY();
    const QFont font = pageFont(dpi);
    const int line = QFontMetrics(font, &device).height();
    const std::vector<TableSection> sections{list};
    TablePrintState state;
    bool finished = false;
    for (int page = 1; !finished; ++page) {
        if (page > 1 && !device.newPage()) {
            painter.end();
            return PrintStatus::StartPageFailed;
        }
        PageArea area = pageArea(dpi, device.width(), device.height());
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(area.left, area.top, area.width(), line), Qt::AlignLeft, heading);
        painter.drawText(QRect(area.left, area.top, area.width(), line), Qt::AlignRight,
                         QStringLiteral("Страница %1").arg(page));
        area.top += line * 3 / 2;
        finished = printTablePage(painter, dpi, sections, -1, area, state);
    }
    return painter.end() ? PrintStatus::Ok : PrintStatus::EndDocFailed;
}

PrintDialogPrompt& printDialogPrompt() {
    static PrintDialogPrompt prompt = askPrinter;
    return prompt;
}

void printReports(QWidget* parent, const ReportSources& sources, ReportChoice choice, PrintLog* log) {
    if (!choice.any()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Рассчет дверей"));
    if (!printDialogPrompt()(printer, parent)) return;
    const PrintStatus status = printReportsOn(printer, sources, choice, log);
    if (status == PrintStatus::Ok) return;
    QString title = QGuiApplication::applicationDisplayName();
    if (title.isEmpty()) title = QStringLiteral("dalvex");
    prompts().error(parent, printStatusMessage(status), title);
}

} // namespace dalvex::ui
