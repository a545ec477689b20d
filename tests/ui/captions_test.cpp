// Every caption of the sample data shows whole: the picture buttons and labels of the main window, the
// pickers of every system and handle profile, the divider picker, the tool dialogs and the thumbnails of
// every collection.
#include "dialogs/dlg_door_size.h"
#include "dialogs/dlg_print.h"
#include "panels/dlg_splitter.h"
#include "dialogs/dlg_zoom_material.h"
#include "window/main_window.h"
#include "panels/pickers.h"
#include "panels/right_panel_dlg.h"
#include "panels/thumb_list.h"
#include "panels/top_panel_dlg.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QtTest>

using namespace dalvex;
using namespace dalvex::ui;
using dalvex::ui::test::ProjectFixture;

namespace {

// The captions under `root` that are cut off, word-broken or outside their widget, named with where they are.
QStringList cutCaptions(QWidget* root, const QString& where) {
    QStringList cut;
    for (PictureButton* b : root->findChildren<PictureButton*>()) {
        if (!b->isVisibleTo(root) || b->text().trimmed().isEmpty()) continue;
        const PictureButton::CaptionLayout c = b->captionLayout();
        const QRect need = QFontMetrics(c.font).boundingRect(c.rect, c.flags, b->text());
        const bool whole = !(c.flags & Qt::TextWrapAnywhere) && c.rect.contains(need) &&
                           b->rect().contains(c.rect) && QFontInfo(c.font).pixelSize() >= 10;
        if (!whole) cut << where + QStringLiteral(": ") + b->text();
        if (b->toolTip() != b->text().trimmed()) cut << where + QStringLiteral(" (no tooltip): ") + b->text();
    }
    for (TextLabel* l : root->findChildren<TextLabel*>()) {
        if (!l->isVisibleTo(root) || l->text().isEmpty()) continue;
        const QRect need =
            QFontMetrics(l->textFont()).boundingRect(l->rect(), int(l->alignment()), l->text());
        const QWidget* parent = l->parentWidget();
        if (!l->rect().contains(need) || !parent->rect().contains(l->geometry()))
            cut << where + QStringLiteral(": ") + l->text();
    }
    if (auto* thumbs = qobject_cast<CThumbListCtrl*>(root)) {
        for (int i = 0; i < thumbs->count(); ++i) {
            const QString caption = thumbs->model()->index(i, 0).data().toString();
            const auto c = thumbs->captionLayout(QRect(QPoint(0, 0), thumbs->gridSize()), caption);
            const QRect need = QFontMetrics(c.font).boundingRect(c.rect, c.flags, c.text);
            if (!c.rect.contains(need) || QString(c.text).remove(QChar(0x200B)) != caption)
                cut << where + QStringLiteral(": ") + caption;
        }
    }
    return cut;
}

} // namespace

class CaptionsTest : public QObject {
    Q_OBJECT

private slots:
    void sampleCaptionsShowWhole();
};

void CaptionsTest::sampleCaptionsShowWhole() {
    ProjectFixture fx;
    Project& project = fx.project;
    CDalvexDlg window(project, fx.artwork);
    window.resize(CDalvexDlg::kMinWidth, CDalvexDlg::kMinHeight);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TopPanelDlg* top = window.topPanel();
    RightPanelDlg* right = window.rightPanel();
    QStringList cut = cutCaptions(&window, QStringLiteral("main window"));
    cut << cutCaptions(top->systemsPicker(), QStringLiteral("systems"));
    cut << cutCaptions(top->printDialog(), QStringLiteral("print"));
    cut << cutCaptions(top->exportDialog(), QStringLiteral("xml"));
    cut << cutCaptions(right->doorSizeDialog(), QStringLiteral("door widths"));
    cut << cutCaptions(right->zoomDialog(), QStringLiteral("scaling"));

    ProjectEditor& editor = window.document()->editor();
    for (const DSSystem* system : test::sampleCatalogue().systems()) {
        editor.apply(edit::SelectSystem{system});
        const QString name = QString::fromStdString(system->code);
        cut << cutCaptions(right, name);
        cut << cutCaptions(right->splitter(), name + QStringLiteral(" dividers"));
        cut << cutCaptions(top->handsPicker(), name + QStringLiteral(" handles"));
        for (HandleProfile* handle : system->handleProfiles(project.options)) {
            editor.apply(edit::SetHandleProfile{handle});
            const QString where = name + QStringLiteral(" ") + QString::fromStdString(handle->code);
            cut << cutCaptions(top, where);
            cut << cutCaptions(top->colorsPicker(), where + QStringLiteral(" colours"));
        }
    }

    right->tabButton(1)->click();
    cut << cutCaptions(right, QStringLiteral("fillings"));
    QComboBox* collections = right->collectionList();
    for (int i = 0; i < collections->count(); ++i) {
        collections->setCurrentIndex(i);
        cut << cutCaptions(right->thumbList(), collections->itemText(i));
    }
    cut.removeDuplicates();
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
