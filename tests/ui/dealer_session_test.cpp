// What a dealer meets while working on an order: where the keys go, pictures spread over doors that are no
// longer there, the printed sketch, the hover frame after a recalculation, the card's text limits, the
// language of Qt's own dialogs and what printing leaves in the sketch view.
#include "panels/dlg_order.h"
#include "sketch_view/draft_dlg.h"
#include "panels/info_panel_dlg.h"
#include "window/main_window.h"
#include "sketch_view/picture_cache.h"
#include "records/records.h"
#include "window/russian_texts.h"
#include "sketch_view/sketch_painter.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::ProjectFixture;
using dalvex::ui::test::RecordingHub;

namespace {

const Material* pictureMaterial() {
    for (const MaterialCollection& c : test::sampleCatalogue().collections())
        for (const Material& m : c.materials)
            if (!QImage(QString::fromStdString(m.picturePath)).isNull()) return &m;
    qFatal("the sample library has no readable picture");
}

PixelPoint centre(const PixelRect& r) {
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

QPoint qpoint(PixelPoint p) {
    return {p.x, p.y};
}

// A white page of the given resolution, as a printer would report it.
QImage page(int dpi, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

// The dark rows inside the circle above door 1 (of the first row): the height of its number against the
// circle's diameter.
double doorNumberShare(int dpi) {
    ProjectFixture fx;
    RecordingHub hub;
    DraftDlg view(fx.context(hub), nullptr);
    QImage image = page(dpi, QSize(dpi * 8, dpi * 6));
    QRect area(dpi, dpi, dpi * 6, dpi * 4);
    const PixelRect door = pageLayout(fx.project.sketch, area).doors[0].rect;
    {
        QPainter p(&image);
        view.drawForPrint(p, area);
    }
    const int d = dpi * 23 / 72;
    const int bottom = door.top - dpi * 6 / 72;
    const int cx = door.left + door.width() / 2;
    int first = -1, last = -1;
    // Inside the circle, clear of its outline.
    for (int y = bottom - d + d / 6; y < bottom - d / 6; ++y)
        for (int x = cx - d / 3; x < cx + d / 3; ++x)
            if (qGray(image.pixel(x, y)) < 160) {
                if (first < 0) first = y;
                last = y;
            }
    return first < 0 ? 0.0 : static_cast<double>(last - first + 1) / d;
}

} // namespace

class DealerSessionTest : public QObject {
    Q_OBJECT

private slots:
    void keysReachTheDimensionsOnlyFromTheirEdits();
    void pictureOverMissingDoorsCoversTheDoorsLeft();
    void printedDoorNumbersKeepTheirSize();
    void hoverFollowsARecalculation();
    void cardTextsStopAtWhatTheFileKeeps();
    void qtTextsAndDatesAreRussian();
    void printingLeavesTheScreenPictures();
};

void DealerSessionTest::keysReachTheDimensionsOnlyFromTheirEdits() {
    ProjectFixture fx;
    CDalvexDlg window(fx.project, fx.artwork);
    window.resize(1366, 860);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    TopPanelDlg* top = window.topPanel();
    const QList<QWidget*> dimensions{top->heightEdit(), top->widthEdit(), top->plinthEdit(),
                                     top->chipboardEdit()};
    auto pressBackspace = [&] {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : &window, Qt::Key_Backspace);
    };
    QVERIFY(!dimensions.contains(QApplication::focusWidget()));

    DraftDlg* view = window.draftView();
    view->grab();
    QTest::mouseClick(view, Qt::LeftButton, {}, qpoint(centre(view->layout().doors[1].insert(1))));
    QVERIFY(
        !view::selectedInsertRect(view->layout(), fx.project.sketch, window.document()->editor().selection())
             .isEmpty());
    pressBackspace();
    QCOMPARE(fx.project.height, 20000);

    // Clicked into, the edit takes the keys; Enter commits and leaves it, and so does a click in the view.
    QLineEdit* height = top->heightEdit();
    QTest::mouseClick(height, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), height);
    QTest::keyClick(height, Qt::Key_End);
    QTest::keyClick(height, Qt::Key_Backspace);
    QCOMPARE(fx.project.height, 2000);
    QTest::keyClicks(height, QStringLiteral("0"));
    QTest::keyClick(height, Qt::Key_Return);
    QVERIFY(QApplication::focusWidget() != height);
    pressBackspace();
    QCOMPARE(fx.project.height, 20000);
    QTest::mouseClick(height, Qt::LeftButton);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(3, 3));
    pressBackspace();
    QCOMPARE(fx.project.height, 20000);
}

void DealerSessionTest::pictureOverMissingDoorsCoversTheDoorsLeft() {
    ProjectFixture fx;
    Project& project = fx.project;
    fx.editor.apply(edit::SelectSystem{test::systemNamed("Лантес")});
    QVERIFY(fx.editor.apply(edit::SetDoorCount{4}));
    const Material* m = pictureMaterial();
    for (int i = 0; i < 4; ++i)
        QVERIFY(fx.editor.apply(edit::Fill{i, 1, m, 0, 3}));
    QVERIFY(fx.editor.apply(edit::SetDoorCount{2}));
    const Insert& in = project.sketch.doors[1].inserts.at(1);
    QCOMPARE(in.scaleLastDoor, 3); // kept: back to four doors, the picture spreads over four again

    RecordingHub hub;
    DraftDlg view(fx.context(hub), nullptr);
    view.resize(900, 600);
    const QImage shot = view.grab().toImage();
    const view::DoorTable& t = view.doorTable();
    const QImage whole =
        QImage(QString::fromStdString(m->picturePath))
            .scaled(t[1].right - t[0].left, t[1].height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const PixelPoint c = centre(view.layout().doors[1].insert(1));
    QCOMPARE(shot.pixelColor(c.x, c.y).rgb(),
             whole.pixelColor(t[0].width() + c.x - t[1].left, c.y - t[1].top).rgb());

    // The printed order page draws the same.
    QImage paper = page(300, QSize(2400, 1800));
    QRect area(100, 100, 2200, 1500);
    const PixelPoint pc = centre(pageLayout(project.sketch, area).doors[1].insert(1));
    {
        QPainter p(&paper);
        view.drawForPrint(p, area);
    }
    QVERIFY(paper.pixelColor(pc.x, pc.y) != QColor(255, 60, 60));
}

void DealerSessionTest::printedDoorNumbersKeepTheirSize() {
    const double screen = doorNumberShare(96);
    QVERIFY(screen > 0.2);
    QVERIFY(qAbs(doorNumberShare(600) - screen) < 0.25 * screen);
}

void DealerSessionTest::hoverFollowsARecalculation() {
    ProjectFixture fx;
    CDalvexDlg window(fx.project, fx.artwork);
    window.resize(1366, 860);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DraftDlg* view = window.draftView();
    InfoPanelDlg* info = window.infoPanel();
    view->grab();
    const DoorSketch& sketch = fx.project.sketch;
    const PixelRect insert = view->layout().doors[0].insert(1);
    const QPoint at(insert.left + insert.width() / 2, insert.bottom - 5);
    QTest::mouseMove(view, at);
    QCOMPARE(view->hoverRect(), insert);
    const QString before = info->secondLine();

    window.topPanel()->heightEdit()->setText(QStringLiteral("1200"));
    QCOMPARE(fx.project.height, 12000);
    view->grab();
    const PixelRect now = view->layout().doors[0].insert(1);
    QCOMPARE(view->hoverRect(), now.contains(PixelPoint{at.x(), at.y()}) ? now : PixelRect{});
    QVERIFY(info->secondLine() != before);
    if (!now.isEmpty() && now.contains(PixelPoint{at.x(), at.y()}))
        QVERIFY(info->secondLine().contains(
            QString::number(qRound(sketch.doors[0].inserts.at(1).panelHeight / 10.0))));
}

void DealerSessionTest::cardTextsStopAtWhatTheFileKeeps() {
    ProjectFixture fx;
    RecordingHub hub;
    DlgOrder panel(fx.context(hub), nullptr);
    const OrderCard& card = fx.project.orderCard;
    const std::string OrderCard::*fields[] = {&OrderCard::orderNumber, &OrderCard::customerName,
                                              &OrderCard::address, &OrderCard::phone};
    const QList<QLineEdit*> edits{panel.numberEdit(), panel.nameEdit(), panel.addressEdit(),
                                  panel.phoneEdit()};
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->clear();
        edits[i]->insert(QString(300, QLatin1Char('7')));
        QCOMPARE(QString::fromStdString(card.*fields[i]).size(), 254);
    }
}

void DealerSessionTest::qtTextsAndDatesAreRussian() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // a system set up in English
    installRussianTranslations();
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
    QVERIFY(QCoreApplication::translate("QFileDialog", "Look in:") != QStringLiteral("Look in:"));

    ProjectFixture fx;
    RecordingHub hub;
    DlgOrder panel(fx.context(hub), nullptr);
    for (QDateEdit* d : {panel.orderDateEdit(), panel.readyDateEdit()}) {
        QCOMPARE(d->locale().language(), QLocale::Russian);
        QCOMPARE(d->calendarWidget()->locale().language(), QLocale::Russian);
    }
    QLocale::setDefault(QLocale::c());
}

void DealerSessionTest::printingLeavesTheScreenPictures() {
    ProjectFixture fx;
    RecordingHub hub;
    DraftDlg view(fx.context(hub), nullptr);
    view.resize(900, 600);
    const Material* m = pictureMaterial();
    for (int i = 0; i < 3; ++i)
        fx.project.sketch.doors[i].inserts.at(1).material = m;
    view.redraw();
    view.grab();
    const PixelRect r = view.layout().doors[0].insert(1);
    const std::string screenKey = PictureCache::scaledKey(m->picturePath, r.width(), r.height());
    QVERIFY(view.pictureCache().holdsScaled(screenKey));
    const size_t sources = view.pictureCache().sourceCount();
    const size_t scaled = view.pictureCache().scaledCount();

    QImage paper = page(600, QSize(4800, 3600));
    QRect area(200, 200, 4400, 3000);
    {
        QPainter p(&paper);
        view.drawForPrint(p, area);
    }
    QCOMPARE(view.pictureCache().sourceCount(), sources);
    QCOMPARE(view.pictureCache().scaledCount(), scaled);
    QVERIFY(view.pictureCache().holdsScaled(screenKey));
    // The page had a layout of its own: the screen keeps its picture.
    const int renders = view.renderCount();
    view.grab();
    QCOMPARE(view.renderCount(), renders);
}

QTEST_MAIN(DealerSessionTest)
#include "dealer_session_test.moc"
