#include "dialogs/dlg_print.h"

#include "widgets/dialog_units.h"
#include "orders/accounting.h"
#include "orders/report_tables.h"
#include "document/order_document.h"
#include "orders/workbook.h"
#include "project/project.h"
#include "project/project_reports.h"
#include "window/prompts.h"
#include "widgets/qt_text.h"
#include "printing/report_printer.h"
#include "printing/report_sources.h"
#include "widgets/picture_button.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace dalvex::ui {
namespace {

QRect units(int x, int y, int w, int h) {
    return {dluX(x), dluY(y), dluX(w), dluY(h)};
}

struct ToggleRow {
    int x, y, w, h;
    const char* printText;
    const char* xmlText;
};

constexpr ToggleRow kRows[] = {
    {7, 7, 143, 18, "Информация о заказе + эскиз", "Информация о заказе"},
    {7, 24, 143, 17, "Рассчет цены", "Рассчет цены"},
    {7, 41, 143, 17, "Профили и материалы", "Профили и материалы"},
    {7, 58, 143, 18, "Информация по сборке", "Информация по сборке"},
    {7, 75, 143, 18, nullptr, "Информация для 1С"},
    {7, 75, 143, 18, "Раскрой профилей", nullptr},
    {7, 92, 143, 18, "Раскрой листов", nullptr},
};

// The print window has one row more than the xml window: the sheet cutting plan.
constexpr int kPrintRows = 17;

// The accounting file lies beside the workbook under the same name with the extension "csv".
QString accountingPath(const QString& workbookPath) {
    const QFileInfo info(workbookPath);
    if (info.suffix().isEmpty()) return workbookPath + QStringLiteral(".csv");
    return workbookPath.left(workbookPath.size() - info.suffix().size()) + QStringLiteral("csv");
}

} // namespace

DlgPrint::DlgPrint(const UiContext& context, Mode mode, QWidget* parent)
    : ToolDialog(context.hub, parent,
                 Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      ctx_(context), mode_(mode) {
    setWindowTitle(mode == Mode::Print ? QStringLiteral("Печать") : QStringLiteral("Сохранить в xml"));
    const int extra = mode == Mode::Print ? kPrintRows : 0;
    setFixedSize(dluX(157), dluY(126 + extra));
    const QFont font = ctx_.buttonFont;
    for (size_t i = 0; i < toggles_.size(); ++i) {
        const ToggleRow& row = kRows[i];
        auto* b = new PictureButton(this);
        b->setGeometry(units(row.x, row.y, row.w, row.h));
        b->setToggle(ctx_.artwork.picture(kPictureBoxOff), ctx_.artwork.picture(kPictureBoxOn));
        b->setChecked(true);
        b->setCaptionFont(font);
        const char* text = mode == Mode::Print ? row.printText : row.xmlText;
        b->setCaption(text ? QString::fromUtf8(text) : QString(), PictureButton::CaptionPlacement::Right);
        if (!text) b->hide();
        toggles_[i] = b;
    }
    ok_ = new PictureButton(this);
    ok_->setGeometry(units(14, 98 + extra, 69, 21));
    ok_->setPicture(ctx_.artwork.picture(mode == Mode::Print ? kPicturePrint : kPictureSave));
    ok_->setCaptionFont(font);
    ok_->setCaption(mode == Mode::Print ? QStringLiteral("Печать") : QStringLiteral("Сохранить"),
                    PictureButton::CaptionPlacement::Right);
    ok_->setFramed(true);
    cancel_ = new PictureButton(this);
    cancel_->setGeometry(units(86, 98 + extra, 56, 21));
    cancel_->setCaptionFont(font);
    cancel_->setCaption(QStringLiteral("Отмена"), PictureButton::CaptionPlacement::Right);
    cancel_->setFramed(true);
    connect(ok_, &QAbstractButton::clicked, this, &DlgPrint::accept);
    connect(cancel_, &QAbstractButton::clicked, this, &DlgPrint::reject);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(ctx_.artwork.picture(kPicturePanelBack)));
    setPalette(pal);
}

bool DlgPrint::isOn(Toggle t) const {
    return toggles_[static_cast<size_t>(t)]->isChecked();
}
void DlgPrint::setOn(Toggle t, bool on) {
    toggles_[static_cast<size_t>(t)]->setChecked(on);
}

void DlgPrint::showCentred() {
    lockPanels();
    centreOnMainWindow();
    show();
    raise();
    activateWindow();
}

void DlgPrint::reject() {
    unlockPanels();
    QDialog::reject();
}

void DlgPrint::accept() {
    unlockPanels();
    if (mode_ == Mode::Xml)
        writeFiles();
    else
        print();
    QDialog::accept();
}

ReportChoice DlgPrint::chosenReports() const {
    ReportChoice chosen{isOn(Order), isOn(Price), isOn(Profiles), isOn(Assembly)};
    chosen.cutting = isOn(CutPlan);
    chosen.sheets = isOn(SheetPlan);
    return chosen;
}

void DlgPrint::print() {
    const ReportChoice chosen = chosenReports();
    if (printAction_) {
        printAction_(chosen);
        return;
    }
    printReports(this, reportSourcesOf(ctx_), chosen);
}

void DlgPrint::writeFiles() {
    const ReportChoice chosen = chosenReports();
    const WorkbookSheets sheets{chosen.order, chosen.price, chosen.profiles, chosen.assembly};
    const bool accounting = isOn(Accounting);
    if (!sheets.any() && !accounting) return;
    const Project& project = ctx_.project;
    const QString path = prompts().savePath(this, QStringLiteral("XML файлы (*.xml)"), QStringLiteral("xml"),
                                            qs(project.orderCard.orderNumber));
    if (path.isEmpty()) return;
    auto failed = [this](const QString& file) {
        prompts().error(this, QStringLiteral("Ошибка сохранения файла ") + QDir::toNativeSeparators(file),
                        QStringLiteral("Ошибка"));
    };
    if (!writeWorkbook(toPath(path), project, sheets)) {
        failed(path);
        return;
    }
    QStringList written;
    if (sheets.any()) written << QFileInfo(path).fileName();
    if (accounting) {
        const QString csv = accountingPath(path);
        if (!writeAccountingFile(toPath(csv), project)) {
            failed(csv);
            return;
        }
        written << QFileInfo(csv).fileName();
    }
    // Where the files went, on the info line: the dialog's folder is not always the one the user expects.
    if (ctx_.document)
        ctx_.document->tell(QStringLiteral("Записано в папку %1: %2")
                                .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()),
                                     written.join(QStringLiteral(", "))),
                            OrderDocument::Word::Done);
}

} // namespace dalvex::ui
