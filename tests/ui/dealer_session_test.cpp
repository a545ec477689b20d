// What a dealer meets while working on an order: where the keys go, pictures spread over doors that are no
// longer there, the printed sketch, the hover frame after a recalculation, the card's text limits, the
// language of Qt's own dialogs and what printing leaves in the sketch view.
#include "catalogue/records.h"
#include "dlg_order.h"
#include "draft_dlg.h"
#include "info_panel_dlg.h"
#include "main_window.h"
#include "picture_cache.h"
#include "sketch_layout.h"
#include "top_panel_dlg.h"
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
    {
        QPainter p(&image);
        view.drawForPrint(p, area);
    }
    const PixelRect door = fx.project.sketch.doors[0].rect;
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
    QTest::mouseClick(view, Qt::LeftButton, {},
                      qpoint(centre(fx.project.sketch.doors[1].inserts.at(1).rect)));
    QVERIFY(!fx.project.sketch.selectedInsertRect().isEmpty());
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

QTEST_MAIN(DealerSessionTest)
#include "dealer_session_test.moc"
