// The right panel: its pages and the controls each system shows, the lists of the system page and what
// choosing in them does, the divider tools, clearing the sketch, the fillings page with its thumbnails, and
// the door widths, divider type and scaling dialogs it owns.
#include "calc/systems.h"
#include "dialogs/dlg_door_size.h"
#include "panels/dlg_splitter.h"
#include "dialogs/dlg_zoom_material.h"
#include "io/whole_file.h"
#include "window/main_window.h"
#include "panels/right_panel_dlg.h"
#include "panels/thumb_list.h"
#include "panels/top_panel_dlg.h"
#include "widgets/qt_text.h"
#include "ui_test_support.h"
#include "widgets/picture_button.h"
#include "widgets/text_label.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QtTest>

#include <functional>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::ui::test;

namespace {

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// Answers the OK / Cancel questions as the test says and records them.
struct ScriptedQuestions {
    bool answer = true;
    QStringList texts;
    QStringList captions;
    decltype(Prompts::question) saved = prompts().question;
    ScriptedQuestions() {
        prompts().question = [this](QWidget*, const QString& text, const QString& caption) {
            texts << text;
            captions << caption;
            return answer;
        };
    }
    ~ScriptedQuestions() { prompts().question = saved; }
};

struct PanelFixture {
    ProjectFixture f;
    RecordingHub hub;
    RightPanelDlg panel{f.context(hub), nullptr};
    QStringList heard; // the hub's notifications and the document's signals, in order
    Announced announced{f.document, &heard};
    PanelFixture() {
        panel.resize(RightPanelDlg::kWidth, 700);
        hub.log = &heard;
    }
    // Chosen as the picker chooses: the panel follows the document.
    void choose(const char* system) { f.editor.apply(edit::SelectSystem{systemNamed(system)}); }
    void selectFirstInsert(int door) {
        QVERIFY(f.editor.selectInsert(
            door, f.project.sketch.doors[static_cast<size_t>(door)].inserts.begin()->first));
    }
    const Insert& firstInsert(int door) const {
        return f.project.sketch.doors[static_cast<size_t>(door)].inserts.begin()->second;
    }
    SystemOptions& options(SystemKind kind) { return f.project.options.of(kind); }
    const ViewSettings& view() const { return f.document.view(); }
    int recalculated() const { return announced.count("recalculated"); }
};

// The first collection in the panel's (sorted) list.
const MaterialCollection* shownCollection(const RightPanelDlg& panel) {
    return sampleCatalogue().findCollection(panel.collectionList()->currentText().toStdString());
}

} // namespace

class RightPanelTest : public QObject {
    Q_OBJECT

private slots:
    void pagesShowTheirControls();
    void gerlitShowsItsProfileButtonsInsteadOfTheDividerTools();
    void gerlitButtonsToggleTheProfiles();
    void heightOffsetOnlyForBorvikWithoutPivot();
    void doorsShownListSetsTheCurrentDoor();
    void theDoorShownResetsWithTheDoors();
    void barLengthChoiceStaysWithTheHandleProfile();
    void rollerSetChoiceSetsTheCalculator();
    void pivotOfferedForBorvikWithUpToTwoDoors();
    void showSizesToggleFlipsTheFlag();
    void dividerTypePickerOffersTheSystemsProfiles();
    void orientationFollowsTheProfilesFlag();
    void drawModeNeedsAProfile();
    void drawModeShowsOnTheFillingsPage();
    void clearingAsksFirst();
    void collectionsAndThumbnails();
    void thumbnailFillsTheSelectedInsert();
    void thumbnailWithScalingOpensTheScalingDialog();
    void thumbnailIsBlankOrStretched();
    void thumbnailsAreMadeOnlyWhenSeen();
    void doorWidthsDialogShowsTheDoors();
    void doorWidthsDialogMessages();
    void doorWidthsDialogRowsWinOverWidths();
    void doorWidthsDialogFeldorRowsFixed();
    void scalingDialogRanges();
    void scalingDialogWithoutSelectionClosesAtOnce();
    void dialogsLockTheMainWindowButStayUsable();
};

void RightPanelTest::pagesShowTheirControls() {
    PanelFixture p;
    QCOMPARE(p.panel.page(), 0);
    QWidget* systemPage[] = {p.panel.doorParametersButton(), p.panel.doorsShownList(),
                             p.panel.barLengthList(),        p.panel.rollerList(),
                             p.panel.insertSizesButton(),    p.panel.dividerButton(),
                             p.panel.orientationButton(),    p.panel.drawModeButton(),
                             p.panel.clearButton(),          p.panel.chooseTypeLabel()};
    QWidget* fillingPage[] = {p.panel.collectionList(), p.panel.scalingButton(), p.panel.thumbList()};
    for (int page : {0, 1, 0}) {
        p.panel.tabButton(page)->click();
        QCOMPARE(p.panel.page(), page);
        for (QWidget* w : systemPage)
            QCOMPARE(w->isHidden(), page != 0);
        for (QWidget* w : fillingPage)
            QCOMPARE(w->isHidden(), page != 1);
        QVERIFY(p.panel.runningButton()->isHidden());
    }
}

void RightPanelTest::gerlitShowsItsProfileButtonsInsteadOfTheDividerTools() {
    PanelFixture p;
    p.choose("Герлит");
    for (int page : {0, 1}) {
        p.panel.showPage(page);
        for (QWidget* w :
             {static_cast<QWidget*>(p.panel.dividerButton()), static_cast<QWidget*>(p.panel.clearButton()),
              static_cast<QWidget*>(p.panel.orientationButton()),
              static_cast<QWidget*>(p.panel.drawModeButton()),
              static_cast<QWidget*>(p.panel.chooseTypeLabel())})
            QVERIFY(w->isHidden());
        QCOMPARE(p.panel.runningButton()->isHidden(), page != 0);
        QCOMPARE(p.panel.guideButton()->isHidden(), page != 0);
    }
    p.choose("Борвик");
    p.panel.showPage(0);
    QVERIFY(p.panel.runningButton()->isHidden());
    QVERIFY(!p.panel.dividerButton()->isHidden());
}

void RightPanelTest::gerlitButtonsToggleTheProfiles() {
    PanelFixture p;
    p.choose("Герлит");
    const SystemOptions& gerlit = p.options(kSystemGerlit);
    const Article* running = gerlit.runningProfile;
    const Article* guide = gerlit.guideProfile;
    QVERIFY(running && guide);
    const int recalculated = p.recalculated();
    p.panel.runningButton()->click();
    QVERIFY(gerlit.runningProfile != running);
    QCOMPARE(p.recalculated(), recalculated + 1);
    QCOMPARE(p.panel.runningButton()->text(), QString::fromStdString(gerlit.runningProfile->code));
    p.heard.clear();
    p.panel.guideButton()->click();
    QCOMPARE(p.recalculated(), recalculated + 2);
    QCOMPARE(p.panel.guideButton()->text(), QString::fromStdString(gerlit.guideProfile->code));
    // The guide is a choice of the system.
    QCOMPARE(p.heard, (QStringList{"choices", "recalculated", "totals"}));
    // The catalogue is not touched: another order starts on the defaults.
    QCOMPARE(sampleCatalogue().defaultOptions().of(kSystemGerlit).runningProfile, running);
}

void RightPanelTest::heightOffsetOnlyForBorvikWithoutPivot() {
    PanelFixture p;
    const SystemOptions& borvik = p.options(kSystemBorvik);
    QCOMPARE(borvik.pivot, 0);
    QVERIFY(!p.panel.heightOffsetList()->isHidden());
    QVERIFY(!p.panel.heightOffsetLabel()->isHidden());
    QCOMPARE(items(p.panel.heightOffsetList()), (QStringList{"-40", "-33"}));
    // Choosing -33 moves the door height and recalculates.
    const int recalculated = p.recalculated();
    p.panel.heightOffsetList()->setCurrentIndex(1);
    QCOMPARE(borvik.heightOffset, -33);
    QCOMPARE(p.recalculated(), recalculated + 1);
    QCOMPARE(p.panel.heightOffsetList()->currentText(), QStringLiteral("-33"));
    // Hidden on the other page and for other systems.
    p.panel.showPage(1);
    QVERIFY(p.panel.heightOffsetList()->isHidden());
    p.panel.showPage(0);
    p.choose("Лантес");
    QVERIFY(p.panel.heightOffsetList()->isHidden());
}

void RightPanelTest::doorsShownListSetsTheCurrentDoor() {
    PanelFixture p;
    QCOMPARE(items(p.panel.doorsShownList()), (QStringList{"Все", "1", "2", "3"}));
    QCOMPARE(p.panel.doorsShownList()->currentIndex(), 0);
    p.selectFirstInsert(0);
    p.panel.doorsShownList()->setCurrentIndex(2);
    QCOMPARE(p.view().currentDoor(p.f.project.sketch.doorCount), 1);
    QVERIFY(!p.f.editor.selection().hasInsert());
    // Only how the order is shown changed: the views follow, nothing is recalculated and no step is made.
    QCOMPARE(p.heard, QStringList{"view"});
    QVERIFY(!p.f.editor.canUndo());
    QVERIFY(p.f.editor.apply(edit::SetDoorCount{4}));
    QCOMPARE(items(p.panel.doorsShownList()), (QStringList{"Все", "1", "2", "3", "4"}));
}

void RightPanelTest::theDoorShownResetsWithTheDoors() {
    // With door 2 shown: what rebuilds the doors or counts them anew shows all doors again; anything else,
    // an opened file included, keeps door 2.
    struct Row {
        const char* name;
        std::function<void(PanelFixture&)> act;
        bool allShown;
    };
    const Row rows[] = {
        {"3, 4, 3 doors",
         [](PanelFixture& p) {
             QVERIFY(p.f.editor.apply(edit::SetDoorCount{4}));
             QVERIFY(p.f.editor.apply(edit::SetDoorCount{3}));
         },
         true},
        {"Очистить", [](PanelFixture& p) { QVERIFY(p.f.editor.apply(edit::ClearSketch{})); }, true},
        {"undo of a door count",
         [](PanelFixture& p) {
             QVERIFY(p.f.editor.apply(edit::SetDoorCount{4}));
             p.panel.doorsShownList()->setCurrentIndex(2);
             QVERIFY(p.f.document.undo());
         },
         true},
        {"width",
         [](PanelFixture& p) { QVERIFY(p.f.editor.apply(edit::SetWidth{p.f.project.width + 1000})); }, false},
        {"opened file",
         [](PanelFixture& p) {
             const auto file = p.f.folder / "shown.dlx";
             QCOMPARE(p.f.project.save(file), kSketchOk);
             QCOMPARE(p.f.editor.open(file), kSketchOk);
         },
         false},
    };
    for (const Row& row : rows) {
        PanelFixture p;
        p.panel.doorsShownList()->setCurrentIndex(2);
        row.act(p);
        const int expected = row.allShown ? -1 : 1;
        QVERIFY2(p.view().currentDoor(p.f.project.sketch.doorCount) == expected, row.name);
        QVERIFY2(p.panel.doorsShownList()->currentIndex() == expected + 1, row.name);
    }
}

void RightPanelTest::barLengthChoiceStaysWithTheHandleProfile() {
    PanelFixture p;
    HandleProfile* two = nullptr;
    HandleProfile* one = nullptr;
    for (const DSSystem* s : sampleCatalogue().systems())
        for (HandleProfile* h : s->handleProfiles(p.f.project.options)) {
            if (!two && h->barLength2 > 0) {
                two = h;
                p.f.editor.apply(edit::SelectSystem{s});
            }
        }
    for (HandleProfile* h : p.f.project.calculator->handleProfiles(p.f.project.options))
        if (h->barLength2 == 0) one = h;
    QVERIFY(two);
    p.f.editor.apply(edit::SetHandleProfile{two});
    QCOMPARE(p.f.project.options.barChoice(*two), 1);
    QCOMPARE(p.panel.barLengthList()->count(), 2);
    QCOMPARE(p.panel.barLengthList()->itemText(0),
             QString::number(two->barLength1 / 10000.0, 'f', 1).replace('.', ',') + QStringLiteral(" м"));
    const int recalculated = p.recalculated();
    p.panel.barLengthList()->setCurrentIndex(1);
    QCOMPARE(p.f.project.options.barChoice(*two), uint8_t{2});
    QCOMPARE(p.recalculated(), recalculated + 1);
    if (one) {
        p.f.editor.apply(edit::SetHandleProfile{one});
        QCOMPARE(p.panel.barLengthList()->count(), 1);
        p.f.editor.apply(edit::SetHandleProfile{two});
        QCOMPARE(p.panel.barLengthList()->currentIndex(), 1);
    }
}

void RightPanelTest::rollerSetChoiceSetsTheCalculator() {
    PanelFixture p;
    const DSSystem* withSets = nullptr;
    for (const DSSystem* s : sampleCatalogue().systems())
        if (!withSets && s->systemKind != kSystemBorvik && s->rollerSets().size() >= 2) withSets = s;
    QVERIFY(withSets);
    const RollerSet*& chosen = withSets->own(p.f.project.options).rollerSet;
    chosen = withSets->rollerSets().front();
    p.f.editor.apply(edit::SelectSystem{withSets});
    QStringList codes;
    for (const RollerSet* set : withSets->rollerSets())
        codes << QString::fromStdString(set->code);
    QCOMPARE(items(p.panel.rollerList()), codes);
    QCOMPARE(p.panel.rollerList()->currentIndex(), 0);
    const int recalculated = p.recalculated();
    p.panel.rollerList()->setCurrentIndex(1);
    QCOMPARE(chosen, withSets->rollerSets()[1]);
    QCOMPARE(p.recalculated(), recalculated + 1);
    // The bill of materials was collected with the new set.
    bool listed = false;
    for (const ArticleLine& line : p.f.project.result.articleLines)
        listed = listed || line.code == withSets->rollerSets()[1]->code;
    QVERIFY(listed);
    // Without a chosen set only "стандартные" is offered.
    chosen = nullptr;
    p.panel.refillLists();
    QCOMPARE(items(p.panel.rollerList()), QStringList{"стандартные"});
}

void RightPanelTest::pivotOfferedForBorvikWithUpToTwoDoors() {
    PanelFixture p;
    const SystemOptions& borvik = p.options(kSystemBorvik);
    QVERIFY(!items(p.panel.rollerList()).contains("пивотный мех."));
    QVERIFY(p.f.editor.apply(edit::SetDoorCount{2}));
    QCOMPARE(items(p.panel.rollerList()).last(), QStringLiteral("пивотный мех."));
    const RollerSet* set = borvik.rollerSet;
    p.panel.rollerList()->setCurrentIndex(p.panel.rollerList()->count() - 1);
    QCOMPARE(borvik.pivot, uint8_t{1});
    QCOMPARE(borvik.rollerSet, set);
    QVERIFY(p.panel.heightOffsetList()->isHidden());
    QVERIFY(p.panel.heightOffsetLabel()->isHidden());
    QCOMPARE(p.panel.rollerList()->currentText(), QStringLiteral("пивотный мех."));
    p.panel.rollerList()->setCurrentIndex(0);
    QCOMPARE(borvik.pivot, uint8_t{0});
    QVERIFY(!p.panel.heightOffsetList()->isHidden());
}

void RightPanelTest::showSizesToggleFlipsTheFlag() {
    PanelFixture p;
    QVERIFY(!p.view().showInsertSizes);
    p.panel.insertSizesButton()->click();
    QVERIFY(p.view().showInsertSizes);
    QVERIFY(p.panel.insertSizesButton()->isChecked());
    // A preference of the program: the views follow, the order and its history stay.
    QCOMPARE(p.heard, QStringList{"view"});
    QVERIFY(!p.f.editor.canUndo());
    p.panel.insertSizesButton()->click();
    QVERIFY(!p.view().showInsertSizes);
    QVERIFY(!p.panel.insertSizesButton()->isChecked());
}

void RightPanelTest::dividerTypePickerOffersTheSystemsProfiles() {
    PanelFixture p;
    for (const DSSystem* s : sampleCatalogue().systems()) {
        p.choose(s->code.c_str());
        DlgSplitter* picker = p.panel.splitter();
        QCOMPARE(picker->builtForSystem(), s->index);
        QCOMPARE(picker->entries().size(), s->dividerProfiles.size());
        QCOMPARE(picker->width(), 101 * static_cast<int>(s->dividerProfiles.size() + 1));
        for (size_t i = 0; i < s->dividerProfiles.size(); ++i) {
            const DividerProfile* d = s->dividerProfiles[i];
            QCOMPARE(picker->entries()[i].id, 501 + static_cast<int>(i));
            QCOMPARE(picker->entries()[i].text,
                     QString::fromStdString(d->code) + " (" + DlgSplitter::kindWord(d->dividerKind) + ")");
        }
        if (s->dividerProfiles.empty()) {
            p.panel.toggleSplitter();
            QVERIFY(picker->isHidden());
        }
    }
    QCOMPARE(DlgSplitter::kindWord(0), QStringLiteral("ДСП-ДСП"));
    QCOMPARE(DlgSplitter::kindWord(1), QStringLiteral("ДСП-Стекло"));
    QCOMPARE(DlgSplitter::kindWord(2), QStringLiteral("Универсальный"));

    // Choosing a profile sets it, announces it and closes the picker.
    p.choose("Борвик");
    const DSSystem* borvik = p.f.project.calculator;
    QVERIFY(borvik->dividerProfiles.size() >= 2);
    p.panel.dividerButton()->click();
    QVERIFY(p.panel.splitter()->isVisible());
    p.heard.clear();
    p.panel.splitter()->click(502);
    QCOMPARE(p.f.project.dividerProfile, borvik->dividerProfiles[1]);
    QVERIFY(p.panel.splitter()->isHidden());
    QCOMPARE(p.heard, QStringList{"choices"});
    QCOMPARE(p.panel.dividerButton()->text(), QString::fromStdString(borvik->dividerProfiles[1]->code));
    // The close button changes nothing.
    p.panel.dividerButton()->click();
    p.panel.splitter()->click(500);
    QVERIFY(p.panel.splitter()->isHidden());
    QCOMPARE(p.f.project.dividerProfile, borvik->dividerProfiles[1]);
}

void RightPanelTest::orientationFollowsTheProfilesFlag() {
    PanelFixture p;
    // The default profile allows both orientations and the program starts with horizontal dividers.
    QVERIFY(p.f.project.dividerProfile);
    QCOMPARE(p.f.project.dividerProfile->flag, 0);
    QVERIFY(!p.view().dividersVertical);
    p.panel.orientationButton()->click();
    QVERIFY(p.view().dividersVertical);
    p.panel.orientationButton()->click();
    QVERIFY(!p.view().dividersVertical);

    // A profile made for one orientation fixes it, whichever was chosen; the button cannot turn it.
    int fixedProfiles = 0;
    for (const DSSystem* system : sampleCatalogue().systems()) {
        for (const DividerProfile* d : system->dividerProfiles) {
            if (d->flag == 0) continue;
            ++fixedProfiles;
            p.choose(system->code.c_str());
            p.f.editor.apply(edit::SetDividerProfile{d}); // unless the system started with it
            QCOMPARE(p.f.project.dividerProfile, d);
            for (bool chosen : {false, true}) {
                ViewSettings view = p.view();
                view.dividersVertical = chosen;
                p.f.document.setView(view);
                QCOMPARE(p.view().dividersVertical, d->flag == 2);
                p.panel.orientationButton()->click();
                QCOMPARE(p.view().dividersVertical, d->flag == 2);
            }
        }
    }
    QVERIFY(fixedProfiles > 0); // Нордел's JN09 takes horizontal dividers only
    // Without a profile the button does nothing.
    p.choose("Герлит");
    p.panel.showPage(0);
    const bool before = p.view().dividersVertical;
    p.panel.orientationButton()->click();
    QCOMPARE(p.view().dividersVertical, before);
}

void RightPanelTest::drawModeNeedsAProfile() {
    PanelFixture p;
    QVERIFY(!p.view().drawDividers);
    p.panel.drawModeButton()->click();
    QVERIFY(p.view().drawDividers);
    p.panel.drawModeButton()->click();
    QVERIFY(!p.view().drawDividers);
    p.panel.drawModeButton()->click();
    QVERIFY(p.view().drawDividers);
    // A system without divider profiles switches the drawing off, and it cannot be switched on there.
    p.choose("Герлит");
    QVERIFY(!p.view().drawDividers);
    p.panel.drawModeButton()->click();
    QVERIFY(!p.view().drawDividers);
}

void RightPanelTest::drawModeShowsOnTheFillingsPage() {
    PanelFixture p;
    p.panel.show();
    PictureButton* notice = p.panel.drawModeNotice();
    const int thumbsTop = p.panel.thumbList()->y();
    for (const bool drawing : {false, true}) {
        if (drawing) p.panel.drawModeButton()->click();
        p.panel.showPage(1);
        // A click in the sketch meant to pick an insert would draw a divider: the page says so.
        QCOMPARE(notice->isVisible(), drawing);
        if (drawing) QVERIFY(!p.panel.thumbList()->geometry().intersects(notice->geometry()));
        p.panel.showPage(0);
        QVERIFY(!notice->isVisible());
    }
    p.panel.showPage(1);
    QCOMPARE(notice->text(), QStringLiteral("Установка включена"));
    QVERIFY(p.panel.thumbList()->y() > thumbsTop);
    notice->click();
    QVERIFY(!p.view().drawDividers);
    QVERIFY(!notice->isVisible());
    QCOMPARE(p.panel.thumbList()->y(), thumbsTop);
}

void RightPanelTest::clearingAsksFirst() {
    PanelFixture p;
    ScriptedQuestions questions;
    Project& project = p.f.project;
    const Material* m = &sampleCatalogue().collections().front().materials.front();
    QVERIFY(project.sketch.fillInsert(1, project.sketch.doors[1].inserts.begin()->first, m));
    QCOMPARE(p.firstInsert(1).material, m);

    questions.answer = false;
    p.panel.clearButton()->click();
    QCOMPARE(questions.texts, QStringList{"Очистить эскиз, удалив все разделители и материалы?"});
    QCOMPARE(questions.captions, QStringList{"Подтверждение"});
    QCOMPARE(p.firstInsert(1).material, m);
    QCOMPARE(p.recalculated(), 0);

    questions.answer = true;
    p.panel.clearButton()->click();
    QCOMPARE(p.firstInsert(1).material, nullptr);
    QCOMPARE(p.f.project.sketch.doors[1].inserts.size(), size_t{1});
    QCOMPARE(p.recalculated(), 1);
    QCOMPARE(p.f.editor.undoLabel(), edit::ClearSketch::kLabel);
}

void RightPanelTest::collectionsAndThumbnails() {
    PanelFixture p;
    QStringList names;
    for (const std::string& n : sampleCatalogue().collectionNames())
        names << QString::fromStdString(n);
    QVERIFY(names.size() >= 2);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    QCOMPARE(items(p.panel.collectionList()), names);
    QCOMPARE(p.panel.collectionList()->currentIndex(), 0);
    for (int i : {0, 1}) {
        p.panel.collectionList()->setCurrentIndex(i);
        const MaterialCollection* c = shownCollection(p.panel);
        QVERIFY(c);
        CThumbListCtrl* thumbs = p.panel.thumbList();
        QCOMPARE(thumbs->count(), static_cast<int>(c->materials.size()));
        QCOMPARE(thumbs->picturesFolder(), QString::fromStdString(c->picturesFolder));
        // Each thumbnail reads as the tables read: the material's name, and its name and code on the tooltip;
        // the key stays behind for picking.
        for (int k = 0; k < thumbs->count(); ++k) {
            const Material& m = c->materials[static_cast<size_t>(k)];
            const QModelIndex row = thumbs->model()->index(k, 0);
            QCOMPARE(row.data(Qt::DisplayRole).toString(), QString::fromStdString(m.name));
            QCOMPARE(row.data(Qt::ToolTipRole).toString(), QString::fromStdString(m.title()));
            QCOMPARE(row.data(CThumbListCtrl::kKeyRole).toString(), QString::fromStdString(m.key()));
            QCOMPARE(row.data(Qt::DecorationRole).value<QPixmap>().size(), QSize(62, 62));
        }
    }
    // Sub-folder pictures are named with a backslash on every platform; paths outside the folder by file
    // name.
    QCOMPARE(CThumbListCtrl::keyOf("/m/images/sub/a.jpg", "/m/images"), QStringLiteral("sub\\a.jpg"));
    QCOMPARE(CThumbListCtrl::keyOf("/m/images/a.jpg", "/m/images"), QStringLiteral("a.jpg"));
    QCOMPARE(CThumbListCtrl::keyOf("/other/b.png", "/m/images"), QStringLiteral("b.png"));
    QCOMPARE(CThumbListCtrl::keyOf("/m", "/m/images"), QStringLiteral("m"));
}

void RightPanelTest::thumbnailFillsTheSelectedInsert() {
    PanelFixture p;
    p.panel.showPage(1);
    const MaterialCollection* c = shownCollection(p.panel);
    QVERIFY(c && c->materials.size() >= 2);
    CThumbListCtrl* thumbs = p.panel.thumbList();
    // Nothing selected in the sketch: nothing happens.
    thumbs->setCurrentRow(0);
    QCOMPARE(p.firstInsert(0).material, nullptr);
    QCOMPARE(p.recalculated(), 0);

    p.selectFirstInsert(2);
    thumbs->setCurrentRow(1);
    QCOMPARE(p.firstInsert(2).material, &c->materials[1]);
    QVERIFY(!p.firstInsert(2).scaleByDoors);
    QCOMPARE(p.heard, (QStringList{"recalculated", "totals"}));
    QCOMPARE(p.f.editor.undoLabel(), edit::Fill::kLabel); // one step, undone exactly
    QVERIFY(p.f.document.undo());
    QCOMPARE(p.firstInsert(2).material, nullptr);
    p.selectFirstInsert(2); // undo leaves nothing selected

    // The same thumbnail again only after a click in the sketch took its selection mark away.
    thumbs->setCurrentRow(1);
    QCOMPARE(p.firstInsert(2).material, nullptr);
    p.panel.forgetThumbChoice();
    QVERIFY(thumbs->pickedKey().isEmpty());
    thumbs->setCurrentRow(1);
    QVERIFY(p.firstInsert(2).material != nullptr);
}

void RightPanelTest::thumbnailWithScalingOpensTheScalingDialog() {
    PanelFixture p;
    p.panel.showPage(1);
    p.panel.scalingButton()->click();
    QVERIFY(p.view().scaleOnFill);
    QVERIFY(p.panel.scalingButton()->isChecked());
    p.selectFirstInsert(1);
    p.heard.clear();
    p.panel.thumbList()->setCurrentRow(0);
    DlgZoomMaterial* zoom = p.panel.zoomDialog();
    QVERIFY(zoom->isVisible());
    QVERIFY(zoom->material());
    QCOMPARE(p.firstInsert(1).material, nullptr); // not applied until the dialog says how
    QCOMPARE(p.heard, QStringList{"lock"});
    zoom->fitInsert();
    QVERIFY(zoom->isHidden());
    QCOMPARE(p.firstInsert(1).material, zoom->material());
    QCOMPARE(p.heard, (QStringList{"lock", "recalculated", "totals", "unlock"}));
    // Cancel leaves the insert as it was.
    p.panel.forgetThumbChoice();
    p.panel.thumbList()->setCurrentRow(1);
    QVERIFY(zoom->isVisible());
    const Material* before = p.firstInsert(1).material;
    zoom->reject();
    QVERIFY(zoom->isHidden());
    QCOMPARE(p.firstInsert(1).material, before);
    QCOMPARE(p.hub.seen.back(), Notification::UnlockPanels);
}

void RightPanelTest::thumbnailIsBlankOrStretched() {
    const auto folder = uniqueTempFolder("thumbs");
    auto write = [&](const char* name, QSize size, QColor colour) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.setPixelColor(0, 0, Qt::black);
        const QString path = QString::fromStdString((folder / name).string());
        QVERIFY(image.save(path));
    };
    write("exact.png", QSize(62, 62), Qt::red);
    write("wide.png", QSize(200, 20), Qt::blue);
    const auto path = [&](const char* name) { return QString::fromStdString((folder / name).string()); };
    const QImage exact = CThumbListCtrl::thumbnail(path("exact.png")).toImage();
    QCOMPARE(exact.size(), QSize(62, 62));
    QCOMPARE(exact.pixelColor(0, 0), QColor(Qt::black)); // unscaled: the single pixel stays
    QCOMPARE(exact.pixelColor(61, 61), QColor(Qt::red));
    const QImage wide = CThumbListCtrl::thumbnail(path("wide.png")).toImage();
    QCOMPARE(wide.size(), QSize(62, 62));
    QCOMPARE(wide.pixelColor(31, 60), QColor(Qt::blue)); // stretched over the whole height
    // A missing picture, and one above the size a picture may have (a real picture with a long tail, which
    // the decoder would otherwise take), are blank.
    std::filesystem::copy_file(folder / "exact.png", folder / "huge.png");
    std::filesystem::resize_file(folder / "huge.png", kPictureFileLimit + 1);
    for (const char* name : {"none.png", "huge.png"}) {
        const QImage blank = CThumbListCtrl::thumbnail(path(name)).toImage();
        QCOMPARE(blank.size(), QSize(62, 62));
        QCOMPARE(blank.pixelColor(30, 30), QColor(Qt::white));
    }
    // An unreadable picture still lists its item and text.
    CThumbListCtrl list;
    list.setPaths({path("exact.png"), path("none.png")}, QString::fromStdString(folder.string()));
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.model()->index(1, 0).data().toString(), QStringLiteral("none.png"));
    std::filesystem::remove_all(folder);
}

void RightPanelTest::thumbnailsAreMadeOnlyWhenSeen() {
    const auto folder = uniqueTempFolder("lazy");
    QImage image(QSize(62, 62), QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString picture = QString::fromStdString((folder / "red.png").string());
    QVERIFY(image.save(picture));
    CThumbListCtrl list;
    list.resize(300, 300);
    list.setPaths(QStringList(500, picture), QString::fromStdString(folder.string()));
    list.show();
    QTRY_VERIFY(list.thumbnailMade(0));
    QVERIFY(!list.thumbnailMade(499));
    QCOMPARE(list.grab().toImage().pixelColor(list.visualRect(list.model()->index(0, 0)).center() +
                                              list.viewport()->pos()),
             QColor(Qt::red));
    list.scrollToBottom();
    QTRY_VERIFY(list.thumbnailMade(499));
    QVERIFY(!list.thumbnailMade(250));
    std::filesystem::remove_all(folder);
}

void RightPanelTest::doorWidthsDialogShowsTheDoors() {
    PanelFixture p;
    DlgDoorSize* dlg = p.panel.doorSizeDialog();
    QVERIFY(dlg->isHidden());
    p.panel.doorParametersButton()->click();
    QVERIFY(dlg->isVisible());
    QCOMPARE(p.hub.seen, std::vector<Notification>{Notification::LockPanels});
    const DoorSketch& sketch = p.f.project.sketch;
    QCOMPARE(dlg->height(), 25 * 3 + 140);
    QCOMPARE(dlg->width(), 286);
    int32_t sum = 0;
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(dlg->widthEdit(i)->isHidden(), i >= 3);
        QCOMPARE(dlg->rowList(i)->isHidden(), i >= 3);
        if (i >= 3) continue;
        QCOMPARE(dlg->widthEdit(i)->text(), ui::millimetresText(sketch.doors[static_cast<size_t>(i)].width));
        QCOMPARE(dlg->rowList(i)->currentIndex(), sketch.doors[static_cast<size_t>(i)].row);
        QCOMPARE(dlg->doorLabel(i)->text(), QStringLiteral("Дверь %1").arg(i + 1));
        sum += sketch.doors[static_cast<size_t>(i)].width;
    }
    QCOMPARE(dlg->remainderEdit()->text(), QString::number((sketch.doorsTotalWidth - sum) / 10));
    // Emptying an edit adds that door's width to the remainder.
    const double before = dlg->remainderEdit()->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    const double door0 = dlg->widthEdit(0)->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    dlg->widthEdit(0)->clear();
    QCOMPARE(dlg->remainderEdit()->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(), before + door0);
    dlg->widthEdit(0)->setText(QString::number(door0 + 7));
    QCOMPARE(dlg->remainderEdit()->text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(), before - 7);
    // Cancel unlocks and changes nothing.
    dlg->cancelButton()->click();
    QVERIFY(dlg->isHidden());
    QCOMPARE(p.hub.seen.back(), Notification::UnlockPanels);
    QCOMPARE(sketch.doors[0].width / 10.0, door0);

    // Ten doors: every row shown, 390 pixels high.
    p.choose("Лантес");
    QVERIFY(p.f.editor.apply(edit::SetDoorCount{10}));
    dlg->open();
    QCOMPARE(dlg->height(), 390);
    for (int i = 0; i < 10; ++i)
        QVERIFY(!dlg->widthEdit(i)->isHidden());
    dlg->reject();
}

void RightPanelTest::doorWidthsDialogMessages() {
    PanelFixture p;
    ScriptedPrompts errors;
    ScriptedQuestions questions;
    Project& project = p.f.project;
    DoorSketch& sketch = project.sketch;
    DlgDoorSize* dlg = p.panel.doorSizeDialog();
    // Three doors that share the opening exactly.
    // The last door takes the opening's tenth of a millimetre, so that whole widths leave a whole remainder.
    auto setWidths = [&](std::initializer_list<int> mm) {
        int i = 0;
        const int last = static_cast<int>(mm.size()) - 1;
        for (int w : mm) {
            dlg->widthEdit(i)->setText(i == last ? ui::millimetresText(w * 10 + sketch.doorsTotalWidth % 10)
                                                 : QString::number(w));
            ++i;
        }
    };
    dlg->open();
    const int total = static_cast<int>(sketch.doorsTotalWidth / 10);
    const int a = total / 3;
    const int c = total - 2 * a;
    setWidths({a, a, c});
    QCOMPARE(dlg->remainderEdit()->text(), QStringLiteral("0"));

    // A gap: asked first; Cancel keeps the dialog open and the doors as they were.
    setWidths({a - 10, a, c});
    QCOMPARE(dlg->remainderEdit()->text(), QStringLiteral("10"));
    const int32_t width0 = sketch.doors[0].width;
    questions.answer = false;
    dlg->okButton()->click();
    QCOMPARE(questions.texts,
             QStringList{QString::fromStdString(DoorWidthsEditor::positiveRemainderQuestion(100))});
    QCOMPARE(questions.captions, QStringList{"Ошибка"});
    QVERIFY(dlg->isVisible());
    QCOMPARE(sketch.doors[0].width, width0);

    // Too wide: refused with the excess.
    setWidths({a + 10, a, c});
    QCOMPARE(dlg->remainderEdit()->text(), QStringLiteral("-10"));
    dlg->okButton()->click();
    QCOMPARE(errors.errors,
             QStringList{QString::fromStdString(DoorWidthsEditor::negativeRemainderMessage(100))});
    QCOMPARE(errors.captions, QStringList{"Ошибка"});
    QVERIFY(dlg->isVisible());

    // A door below 100 mm although the total fits.
    setWidths({99, a + (a - 99), c});
    QCOMPARE(dlg->remainderEdit()->text(), QStringLiteral("0"));
    dlg->okButton()->click();
    QCOMPARE(errors.errors.last(), QString::fromStdString(DoorWidthsEditor::tooNarrowMessage(1000)));
    QVERIFY(dlg->isVisible());
    QCOMPARE(sketch.doors[0].width, width0);

    // An emptied edit: the gap question first, then the width check refuses it.
    questions.answer = true;
    setWidths({a, a, c});
    dlg->widthEdit(1)->clear();
    dlg->okButton()->click();
    QCOMPARE(questions.texts.size(), 2);
    QCOMPARE(errors.errors.last(), QString::fromStdString(DoorWidthsEditor::tooNarrowMessage(1000)));
    QVERIFY(dlg->isVisible());

    // A confirmed gap is applied and the dialog closes.
    p.heard.clear();
    setWidths({a - 10, a, c});
    dlg->okButton()->click();
    QVERIFY(dlg->isHidden());
    QCOMPARE(sketch.doors[0].width, (a - 10) * 10);
    QCOMPARE(sketch.doors[1].width, a * 10);
    QCOMPARE(p.heard, (QStringList{"recalculated", "totals", "unlock"}));
}

void RightPanelTest::doorWidthsDialogRowsWinOverWidths() {
    PanelFixture p;
    p.choose("Лантес");
    DoorSketch& sketch = p.f.project.sketch;
    DlgDoorSize* dlg = p.panel.doorSizeDialog();
    dlg->open();
    QVERIFY(dlg->rowList(1)->isEnabled());
    const int newRow = sketch.doors[1].row == 0 ? 1 : 0;
    dlg->rowList(1)->setCurrentIndex(newRow);
    dlg->widthEdit(0)->setText("500"); // ignored: a change of rows shares the opening out again
    dlg->okButton()->click();
    QVERIFY(dlg->isHidden());
    QCOMPARE(sketch.doors[1].row, newRow);
    QVERIFY(sketch.doors[0].width != 5000);
    int32_t sum = 0;
    for (int i = 0; i < sketch.doorCount; ++i)
        sum += sketch.doors[static_cast<size_t>(i)].width;
    QVERIFY(std::abs(sketch.doorsTotalWidth - sum) < 10 * sketch.doorCount);
}

void RightPanelTest::doorWidthsDialogFeldorRowsFixed() {
    PanelFixture p;
    p.choose("Фелдор");
    DlgDoorSize* dlg = p.panel.doorSizeDialog();
    dlg->open();
    for (int i = 0; i < p.f.project.sketch.doorCount; ++i)
        QVERIFY(!dlg->rowList(i)->isEnabled());
    dlg->reject();
    p.choose("Борвик");
    dlg->open();
    QVERIFY(dlg->rowList(0)->isEnabled());
    dlg->reject();
}

void RightPanelTest::scalingDialogRanges() {
    PanelFixture p;
    QVERIFY(p.f.editor.apply(edit::SetDoorCount{4}));
    const Material* m = &sampleCatalogue().collections().front().materials.front();
    DlgZoomMaterial* zoom = p.panel.zoomDialog();
    QCOMPARE(zoom->lastRangeStart(), -1);

    p.selectFirstInsert(2);
    zoom->openFor(m);
    QCOMPARE(items(zoom->fromList()), (QStringList{"1", "2", "3"}));
    QCOMPARE(items(zoom->toList()), (QStringList{"3", "4"}));
    QCOMPARE(zoom->fromList()->currentText(), QStringLiteral("1"));
    QCOMPARE(zoom->toList()->currentText(), QStringLiteral("3"));
    zoom->fromList()->setCurrentIndex(0);
    zoom->toList()->setCurrentIndex(0);
    zoom->fitDoors();
    QVERIFY(zoom->isHidden());
    const Insert& filled = p.firstInsert(2);
    QCOMPARE(filled.material, m);
    QVERIFY(filled.scaleByDoors);
    QCOMPARE(filled.scaleFirstDoor, 0);
    QCOMPARE(filled.scaleLastDoor, 2);
    QCOMPARE(zoom->lastRangeStart(), 0);
    QCOMPARE(zoom->lastRangeEnd(), 2);

    // The remembered range is shown where the lists hold it.
    p.selectFirstInsert(1);
    zoom->openFor(m);
    QCOMPARE(items(zoom->fromList()), (QStringList{"1", "2"}));
    QCOMPARE(zoom->fromList()->currentText(), QStringLiteral("1"));
    QCOMPARE(items(zoom->toList()), (QStringList{"2", "3", "4"}));
    QCOMPARE(zoom->toList()->currentText(), QStringLiteral("3"));
    zoom->reject();
    p.selectFirstInsert(3);
    zoom->openFor(m);
    QCOMPARE(zoom->fromList()->currentText(), QStringLiteral("1"));
    QCOMPARE(items(zoom->toList()), QStringList{"4"});
    QCOMPARE(zoom->toList()->currentText(), QStringLiteral("4"));
    zoom->reject();
    QCOMPARE(p.firstInsert(3).material, nullptr);
}

void RightPanelTest::scalingDialogWithoutSelectionClosesAtOnce() {
    PanelFixture p;
    const Material* m = &sampleCatalogue().collections().front().materials.front();
    DlgZoomMaterial* zoom = p.panel.zoomDialog();
    zoom->openFor(m);
    QVERIFY(zoom->isHidden());
    QCOMPARE(p.hub.seen, (std::vector<Notification>{Notification::LockPanels, Notification::UnlockPanels}));
    // Without a material both buttons only close it.
    p.selectFirstInsert(0);
    zoom->openFor(nullptr);
    QVERIFY(zoom->isVisible());
    zoom->fitInsert();
    QVERIFY(zoom->isHidden());
    QCOMPARE(p.firstInsert(0).material, nullptr);
    QCOMPARE(p.recalculated(), 0);
}

void RightPanelTest::dialogsLockTheMainWindowButStayUsable() {
    ProjectFixture f;
    CDalvexDlg main(f.project, f.artwork);
    RightPanelDlg* panel = main.rightPanel();
    QVERIFY(main.minimiseButtonShown());
    panel->doorParametersButton()->click();
    DlgDoorSize* dlg = panel->doorSizeDialog();
    QVERIFY(!panel->isEnabled());
    QVERIFY(!main.topPanel()->isEnabled());
    QVERIFY(!main.minimiseButtonShown());
    QVERIFY(dlg->isEnabled());
    QVERIFY(dlg->okButton()->isEnabled());
    dlg->okButton()->click(); // the widths as shown: applied, closed
    QVERIFY(dlg->isHidden());
    QVERIFY(panel->isEnabled());
    QVERIFY(main.minimiseButtonShown());
    // The panel follows the document: a new door count comes back as a recalculation.
    QVERIFY(main.document()->editor().apply(edit::SetDoorCount{5}));
    QCOMPARE(panel->doorsShownList()->count(), 6);
}

QTEST_MAIN(RightPanelTest)
#include "right_panel_test.moc"
