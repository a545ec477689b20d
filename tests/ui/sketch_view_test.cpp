// The sketch view: the layout of doors, frame sides, dividers and inserts in pixels, the two picture caches,
// pictures stretched over several doors, and what the rendered view shows.
#include "sketch_view/draft_dlg.h"
#include "window/main_window.h"
#include "sketch_view/picture_cache.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "project/project_state.h"
#include "records/records.h"
#include "ui_test_support.h"
#include "view/sketch_layout.h"

#include <QPainter>
#include <QtTest>

#include <cmath>

using namespace dalvex;
using namespace dalvex::ui;
using namespace dalvex::view;
using dalvex::ui::test::ProjectFixture;
using dalvex::ui::test::RecordingHub;

namespace {

constexpr double kScale = 0.02; // 3000 mm doors of 1000 mm become 200 px wide
constexpr PixelPoint kOrigin{100, 50};

int f(int32_t v, double scale = kScale) {
    return static_cast<int>(std::ceil(v * scale));
}
int face(const Article* a) {
    return a ? a->faceWidth : 0;
}

// The sketch laid out at kScale from kOrigin, all doors or only `currentDoor`.
SketchLayout laid(const DoorSketch& s, int currentDoor = -1) {
    SketchLayout l;
    l.currentDoor = currentDoor;
    layOut(l, s, kScale, kOrigin);
    return l;
}

// Splits the insert across its middle (on the divider grid); the project recalculates.
Divider& splitInsert(Project& project, int door, int32_t insertId, bool vertical) {
    const Insert& in = project.sketch.doors[door].inserts.at(insertId);
    const int32_t middle = vertical ? (in.left + in.right) / 2 : (in.top + in.bottom) / 2;
    if (!ProjectEditor(project).apply(edit::Split{door, insertId, middle / 100 * 100, vertical}))
        qFatal("the insert could not be split");
    Door& d = project.sketch.doors[door];
    return d.dividers.at(d.nextDividerId - 1);
}

std::vector<const Material*> materialsWithPictures(int wanted) {
    std::vector<const Material*> found;
    for (const MaterialCollection& c : test::sampleCatalogue().collections())
        for (const Material& m : c.materials)
            if (static_cast<int>(found.size()) < wanted) found.push_back(&m);
    return found;
}

QColor pixel(const QImage& image, PixelPoint p) {
    return image.pixelColor(p.x, p.y);
}
PixelPoint centre(const PixelRect& r) {
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

int whitePixels(const QImage& image, const PixelRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += image.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
    return n;
}

} // namespace

class SketchViewTest : public QObject {
    Q_OBJECT

private slots:
    void doorsStandSideBySide();
    void leftSidesFollowTheRows();
    void rightSideWithoutProfile();
    void dividersAndInsertsFollowTheirNeighbours();
    void thinDividerIsThreePixelsWide();
    void gapTakesTheRemainder();
    void currentDoorStartsAtTheOrigin();
    void placesTheDrawingInTheMargins();
    void sourceCacheEmptiesWhenFull();
    void scaledCacheKeysAndFailures();
    void stretchedPictureRunsAcrossDoors();
    void rendersTheDefaultProject();
    void rendersMaterialsAndFailures();
    void insertSizesOnlyWhenAsked();
    void printingDrawsAllDoorsWithoutSizes();
    void openingASketchEmptiesTheCaches();
    void mainWindowShowsAFilledSketch();
};

void SketchViewTest::doorsStandSideBySide() {
    ProjectFixture fx;
    DoorSketch& s = fx.project.sketch;
    const SketchLayout l = laid(s);
    const DoorTable& table = l.table;
    QCOMPARE(l.scale, kScale);
    int left = kOrigin.x;
    for (int i = 0; i < s.doorCount; ++i) {
        const PixelRect& t = table[i];
        QCOMPARE(t.left, left);
        QCOMPARE(t.top, kOrigin.y);
        QCOMPARE(t.width(), static_cast<int>(s.doors[i].width * kScale));
        QCOMPARE(t.height(), static_cast<int>(s.doors[i].height * kScale));
        if (i > 0) QCOMPARE(l.doors[i].rect, t); // only door 0 is widened
        left = t.right;
    }
    // Door 0 is widened to the left by its left profile.
    const int w0 = f(face(s.doors[0].frame[kFrameLeft].profile));
    QVERIFY(w0 > 0);
    QCOMPARE(l.doors[0].rect.left, kOrigin.x - w0);
    QCOMPARE(l.doors[0].frame[kFrameLeft],
             (PixelRect{kOrigin.x - w0, kOrigin.y, kOrigin.x, table[0].bottom}));
}

void SketchViewTest::leftSidesFollowTheRows() {
    ProjectFixture fx;
    DoorSketch& s = fx.project.sketch;
    s.doors[0].row = 0;
    s.doors[1].row = 1; // overlaps door 0
    s.doors[2].row = 1; // meets door 1 edge to edge
    const SketchLayout l = laid(s);
    for (int i : {1, 2}) {
        const DoorLayout& d = l.doors[i];
        const int w0 = f(face(s.doors[i].frame[kFrameLeft].profile));
        QVERIFY(w0 > 0);
        const PixelRect side = d.frame[kFrameLeft];
        if (i == 1) {
            QCOMPARE(side.left, d.rect.left - w0);
            QCOMPARE(side.right, d.rect.left);
            QVERIFY(l.doors[0].rect.contains(PixelPoint{side.left, side.top})); // over the neighbour
        } else {
            QCOMPARE(side.left, d.rect.left);
            QCOMPARE(side.right, d.rect.left + w0);
        }
        // Top and bottom run between the vertical sides.
        QCOMPARE(d.frame[kFrameTop].left, side.right);
        QCOMPARE(d.frame[kFrameBottom].right, d.frame[kFrameRight].left);
        QCOMPARE(d.frame[kFrameTop].height(), f(face(s.doors[i].frame[kFrameTop].profile)));
        QCOMPARE(d.frame[kFrameBottom].bottom, d.rect.bottom);
    }
}

void SketchViewTest::rightSideWithoutProfile() {
    ProjectFixture fx;
    DoorSketch& s = fx.project.sketch;
    const Article* profile = s.doors[0].frame[kFrameRight].profile;
    QVERIFY(profile && profile->faceWidth > 0);
    s.doors[1].frame[kFrameRight].profile = nullptr;
    s.doors[2].frame[kFrameRight].profile = nullptr;
    const SketchLayout l = laid(s);
    QCOMPARE(l.doors[0].frame[kFrameRight].width(), f(profile->faceWidth));
    QCOMPARE(l.doors[1].frame[kFrameRight].width(), 4);
    QCOMPARE(l.doors[1].frame[kFrameRight].right, l.doors[1].rect.right);
    QVERIFY(l.doors[2].frame[kFrameRight].isEmpty()); // the last door: nothing
    QCOMPARE(l.doors[2].frame[kFrameTop].right, l.doors[2].rect.right);
}

void SketchViewTest::dividersAndInsertsFollowTheirNeighbours() {
    ProjectFixture fx;
    Project& p = fx.project;
    splitInsert(p, 1, 1, true);
    Door& door = p.sketch.doors[1];
    const int32_t verticalId = door.nextDividerId - 1;
    // Split the insert right of the vertical divider horizontally.
    int32_t rightInsert = 0;
    for (const auto& [id, in] : door.inserts)
        if (in.leftId == verticalId) rightInsert = id;
    QVERIFY(rightInsert != 0);
    splitInsert(p, 1, rightInsert, false);
    const int32_t horizontalId = door.nextDividerId - 1;
    const SketchLayout l = laid(p.sketch);
    const DoorLayout& at = l.doors[1];

    const Divider& v = door.dividers.at(verticalId);
    const PixelRect vr = at.divider(verticalId);
    const PixelRect hr = at.divider(horizontalId);
    const int wv = face(v.profile);
    QCOMPARE(vr.left, static_cast<int>(std::floor((v.axis - wv / 2) * kScale + 0.5)) + at.rect.left);
    QCOMPARE(vr.top, at.frame[kFrameTop].bottom);
    QCOMPARE(vr.bottom, at.frame[kFrameBottom].top);
    // The horizontal one starts at the vertical one and ends at the right side.
    QCOMPARE(door.dividers.at(horizontalId).startId, verticalId);
    QCOMPARE(hr.left, vr.right);
    QCOMPARE(hr.right, at.frame[kFrameRight].left);

    QCOMPARE(static_cast<int>(door.inserts.size()), 3);
    for (const auto& [id, in] : door.inserts) {
        const PixelRect r = at.insert(id);
        QCOMPARE(r.left, in.leftId ? at.divider(in.leftId).right : at.frame[kFrameLeft].right);
        QCOMPARE(r.right, in.rightId ? at.divider(in.rightId).left : at.frame[kFrameRight].left);
        QCOMPARE(r.top, in.topId ? at.divider(in.topId).bottom : at.frame[kFrameTop].bottom);
        QCOMPARE(r.bottom, in.bottomId ? at.divider(in.bottomId).top : at.frame[kFrameBottom].top);
        QVERIFY(!r.isEmpty());
    }
}

void SketchViewTest::thinDividerIsThreePixelsWide() {
    ProjectFixture fx;
    Divider& v = splitInsert(fx.project, 0, 1, true);
    DividerProfile thin;
    thin.faceWidth = 20; // 2 mm: 0.4 px at this scale
    v.profile = &thin;
    const int32_t id = fx.project.sketch.doors[0].nextDividerId - 1;
    SketchLayout l = laid(fx.project.sketch);
    const int right = static_cast<int>(std::floor((v.axis - 10) * kScale + 0.5)) + l.doors[0].rect.left +
                      static_cast<int>(std::floor(20 * kScale + 0.5));
    QCOMPARE(l.doors[0].divider(id).right, right);
    QCOMPARE(l.doors[0].divider(id).width(), 3);
    v.profile = nullptr; // no profile at all: still visible
    l = laid(fx.project.sketch);
    QCOMPARE(l.doors[0].divider(id).width(), 3);
}

void SketchViewTest::gapTakesTheRemainder() {
    ProjectFixture fx;
    DoorSketch& s = fx.project.sketch;
    s.doorsTotalWidth += 1234;
    const SketchLayout l = laid(s);
    QCOMPARE(l.gapRect.left, l.doors[2].rect.right);
    QCOMPARE(l.gapRect.top, kOrigin.y);
    QCOMPARE(l.gapRect.width(), static_cast<int>(1234 * kScale));
    QCOMPARE(l.gapRect.height(), static_cast<int>(s.doors[0].height * kScale));
    s.doorsTotalWidth -= 2000; // doors wider than the opening: no gap
    QVERIFY(laid(s).gapRect.isEmpty());
}

void SketchViewTest::currentDoorStartsAtTheOrigin() {
    ProjectFixture fx;
    DoorSketch& s = fx.project.sketch;
    s.doorsTotalWidth += 1000;
    const SketchLayout all = laid(s);
    const SketchLayout one = laid(s, 2);
    const int shift = all.table[0].width() + all.table[1].width();
    QCOMPARE(one.table[2].left, kOrigin.x);
    QCOMPARE(one.table[0].left, all.table[0].left - shift);
    QCOMPARE(one.gapRect.left, all.gapRect.left - shift);
    QCOMPARE(one.doors[2].frame[kFrameLeft].left, all.doors[2].frame[kFrameLeft].left - shift);
    QCOMPARE(one.doors[2].insert(1).right, all.doors[2].insert(1).right - shift);
}

void SketchViewTest::placesTheDrawingInTheMargins() {
    ProjectFixture fx;
    DoorSketch& s = fx.project.sketch;
    // 72 dpi: margins of 40 px, 10 px more at the top.
    const Placement p = placeInView(s, -1, PixelRect{0, 0, 1000, 600}, 72);
    const double expected = std::min(510.0 / s.height, 920.0 / s.doorsTotalWidth);
    QCOMPARE(p.scale, expected);
    QCOMPARE(p.origin.x, 40 + (920 - static_cast<int>(s.doorsTotalWidth * expected)) / 2);
    QCOMPARE(p.origin.y, 50 + (510 - static_cast<int>(s.height * expected)) / 2);
    const Placement one = placeInView(s, 1, PixelRect{0, 0, 1000, 600}, 72); // one door fills the height
    QCOMPARE(one.scale, std::min(510.0 / s.doors[1].height, 920.0 / s.doors[1].width));
    QCOMPARE(placeInView(s, 1, PixelRect{0, 0, 50, 50}, 72).scale, 0.0); // no room left
}

void SketchViewTest::sourceCacheEmptiesWhenFull() {
    const auto materials = materialsWithPictures(11);
    QCOMPARE(static_cast<int>(materials.size()), 11);
    PictureCache cache;
    for (int i = 0; i < 10; ++i)
        QVERIFY(cache.sourcePicture(materials[i]->picturePath));
    QCOMPARE(cache.sourceCount(), size_t{10});
    QVERIFY(cache.sourcePicture(materials[3]->picturePath)); // a hit keeps everything
    QCOMPARE(cache.sourceCount(), size_t{10});
    QVERIFY(cache.sourcePicture(materials[10]->picturePath));
    QCOMPARE(cache.sourceCount(), size_t{1});
    QVERIFY(!cache.holdsSource(materials[0]->picturePath));
    QVERIFY(cache.holdsSource(materials[10]->picturePath));
}

void SketchViewTest::scaledCacheKeysAndFailures() {
    PictureCache cache;
    QCOMPARE(PictureCache::scaledKey("/m/a.jpg", 30, 40), std::string("/m/a.jpg_30_40"));
    QVERIFY(!cache.sourcePicture("/no/such/picture.jpg"));
    QVERIFY(!cache.sourcePicture(""));

    const Material* m = materialsWithPictures(1).front();
    const QImage* held = cache.sourcePicture(m->picturePath);
    QVERIFY(held);
    const QImage copy = *held; // the cache's own picture goes with clear()
    const QImage* source = &copy;
    const QImage* scaled = cache.scaledPicture(m->picturePath, 30, 40, *source);
    QVERIFY(scaled);
    QCOMPARE(scaled->size(), QSize(30, 40));
    QVERIFY(cache.holdsScaled(m->picturePath + "_30_40"));
    QVERIFY(!cache.scaledPicture(m->picturePath, 0, 40, *source));
    QVERIFY(!cache.scaledPicture(m->picturePath, 30, 40000000, *source));
    QVERIFY(!cache.scaledPicture("x", 30, 40, QImage()));
    // Ten more sizes: the eleventh key on a full cache drops all.
    cache.clear();
    for (int w = 1; w <= 10; ++w)
        QVERIFY(cache.scaledPicture(m->picturePath, w, 5, *source));
    QCOMPARE(cache.scaledCount(), size_t{10});
    QVERIFY(cache.scaledPicture(m->picturePath, 11, 5, *source));
    QCOMPARE(cache.scaledCount(), size_t{1});
}

void SketchViewTest::stretchedPictureRunsAcrossDoors() {
    DoorTable table{};
    for (int i = 0; i < 4; ++i)
        table[i] = PixelRect{10 + 100 * i, 20, 110 + 100 * i, 220};
    Insert in;
    PixelRect r = table[2];
    QCOMPARE(placePicture(in, r, 2, table, 4).width, 100); // alone: its own size from (0, 0)
    QCOMPARE(placePicture(in, r, 2, table, 4).sourceX, 0);
    in.scaleByDoors = true;
    in.scaleFirstDoor = 1;
    in.scaleLastDoor = 3;
    PicturePlacement p = placePicture(in, r, 2, table, 4);
    QCOMPARE(p.width, 300);
    QCOMPARE(p.height, 200);
    QCOMPARE(p.sourceX, 100); // the middle third
    QCOMPARE(p.sourceY, 0);
    r = PixelRect{250, 120, 310, 220}; // right of a divider and below another, in door 2
    p = placePicture(in, r, 2, table, 4);
    QCOMPARE(p.sourceX, 140);
    QCOMPARE(p.sourceY, 100);
    in.scaleFirstDoor = 3; // a range that names no door
    in.scaleLastDoor = 1;
    QCOMPARE(placePicture(in, r, 2, table, 4).width, 60);
}

void SketchViewTest::rendersTheDefaultProject() {
    ProjectFixture fx;
    RecordingHub hub;
    DraftDlg view(fx.context(hub), nullptr);
    view.resize(900, 600);
    const QImage image = view.grab().toImage();
    const DoorSketch& s = fx.project.sketch;
    QVERIFY(!view.layout().stale);
    QCOMPARE(view.renderCount(), 1);
    QCOMPARE(pixel(image, {2, 2}), QColor(Qt::white));

    const ProfileColor* colour = fx.project.profileColor;
    QVERIFY(colour);
    const QImage hatch = fx.artwork.picture(kPictureHatchEmpty).toImage();
    for (int i = 0; i < 3; ++i) {
        const DoorLayout& d = view.layout().doors[i];
        const PixelRect side = d.frame[kFrameLeft];
        QVERIFY(side.width() >= 3);
        QCOMPARE(pixel(image, centre(side)), QColor(colour->red, colour->green, colour->blue));
        const PixelPoint c = centre(d.insert(1));
        QCOMPARE(pixel(image, c), hatch.pixelColor(c.x % hatch.width(), c.y % hatch.height()));
    }
    // Nothing changed: painting copies the picture; a change or a new size renders anew.
    view.grab();
    QCOMPARE(view.renderCount(), 1);
    emit fx.document.recalculated();
    view.grab();
    QCOMPARE(view.renderCount(), 2);
    view.resize(800, 600);
    view.grab();
    QCOMPARE(view.renderCount(), 3);
}

void SketchViewTest::rendersMaterialsAndFailures() {
    ProjectFixture fx;
    RecordingHub hub;
    DraftDlg view(fx.context(hub), nullptr);
    view.resize(900, 600);
    DoorSketch& s = fx.project.sketch;
    const Material* m = materialsWithPictures(1).front();
    Material broken;
    broken.picturePath = "/no/such/picture.jpg";
    s.doors[0].inserts.at(1).material = m;
    s.doors[1].inserts.at(1).material = m;
    s.doors[1].inserts.at(1).thicknessError = true;
    s.doors[2].inserts.at(1).material = &broken;
    // Door 1's insert carries a wrong thickness; doors 0 and 2 otherwise.
    view.redraw();
    const QImage image = view.grab().toImage();
    const SketchLayout& l = view.layout();

    const PixelRect r0 = l.doors[0].insert(1);
    const QImage scaled =
        QImage(QString::fromStdString(m->picturePath))
            .scaled(r0.width(), r0.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const PixelPoint c0 = centre(r0);
    QCOMPARE(pixel(image, c0).rgb(), scaled.pixelColor(c0.x - r0.left, c0.y - r0.top).rgb());
    QVERIFY(
        view.pictureCache().holdsScaled(PictureCache::scaledKey(m->picturePath, r0.width(), r0.height())));

    const QImage hatch = fx.artwork.picture(kPictureHatchError).toImage();
    const PixelPoint c1 = centre(l.doors[1].insert(1));
    QCOMPARE(pixel(image, c1), hatch.pixelColor(c1.x % hatch.width(), c1.y % hatch.height()));
    QCOMPARE(pixel(image, centre(l.doors[2].insert(1))), QColor(255, 60, 60));

    // One picture over doors 0..2: the middle door shows the middle part of it.
    for (int i = 0; i < 3; ++i) {
        Insert& in = s.doors[i].inserts.at(1);
        in.material = m;
        in.thicknessError = false;
        in.scaleByDoors = true;
        in.scaleFirstDoor = 0;
        in.scaleLastDoor = 2;
    }
    view.redraw();
    const QImage stretched = view.grab().toImage();
    const DoorTable& t = view.doorTable();
    const QImage whole =
        QImage(QString::fromStdString(m->picturePath))
            .scaled(t[2].right - t[0].left, t[2].height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const PixelRect r1 = l.doors[1].insert(1);
    const PixelPoint c = centre(r1);
    QCOMPARE(pixel(stretched, c).rgb(),
             whole.pixelColor(t[0].width() + c.x - t[1].left, c.y - t[1].top).rgb());
}

void SketchViewTest::insertSizesOnlyWhenAsked() {
    ProjectFixture fx;
    RecordingHub hub;
    DraftDlg view(fx.context(hub), nullptr);
    view.resize(900, 600);
    const PixelRect r = [&] {
        view.grab();
        return view.layout().doors[0].insert(1);
    }();
    // The hatch has no pure white; the size texts stand on white boxes.
    QCOMPARE(whitePixels(view.grab().toImage(), r), 0);
    ViewSettings sizes = fx.document.view();
    sizes.showInsertSizes = true;
    fx.document.setView(sizes); // the view renders anew when told
    const QImage withSizes = view.grab().toImage();
    QVERIFY(whitePixels(withSizes, r) > 50);
    // Three boxes: the thickness in the middle, the width at the bottom, the height at the left.
    const PixelPoint c = centre(r);
    QVERIFY(whitePixels(withSizes, PixelRect{c.x - 15, c.y - 6, c.x + 15, c.y + 6}) > 10);
    int leftWhite = 0;
    for (int y = r.top; y < r.bottom; ++y)
        leftWhite += pixel(withSizes, {r.left + 1, y}) == QColor(Qt::white) ? 1 : 0;
    QVERIFY(leftWhite > 10);
    int bottomWhite = 0;
    for (int x = r.left; x < r.right; ++x)
        bottomWhite += pixel(withSizes, {x, r.bottom - 1}) == QColor(Qt::white) ? 1 : 0;
    QVERIFY(bottomWhite > 10);
}

void SketchViewTest::printingDrawsAllDoorsWithoutSizes() {
    ProjectFixture fx;
    RecordingHub hub;
    DraftDlg view(fx.context(hub), nullptr);
    view.resize(900, 600);
    DoorSketch& s = fx.project.sketch;
    splitInsert(fx.project, 1, 1, false);
    QVERIFY(fx.editor.selectInsert(0, 1));
    ViewSettings shown = fx.document.view();
    shown.showInsertSizes = true;
    shown.shownDoor = 1;
    fx.document.setView(shown);
    view.grab();
    const SketchLayout screen = view.layout();
    QCOMPARE(screen.currentDoor, 1);
    const std::string bytes = writeSketchBytes(fx.project);
    const OrderOptions options = fx.project.options;
    const SketchSelection selection = fx.editor.selection();
    const int renders = view.renderCount();

    QImage page(1200, 900, QImage::Format_RGB32);
    page.fill(QColor(Qt::white));
    QRect area(100, 200, 1000, 600);
    {
        QPainter p(&page);
        view.drawForPrint(p, area);
    }
    // The page was laid out on its own: the order and the screen's layout are as they were.
    QCOMPARE(writeSketchBytes(fx.project), bytes);
    QVERIFY(fx.project.options == options);
    QVERIFY(fx.editor.selection() == selection);
    QVERIFY(fx.document.view() == shown);
    QVERIFY(view.layout() == screen);
    view.grab();
    QCOMPARE(view.renderCount(), renders);

    const double scale = std::min(600.0 / s.height, 1000.0 / s.doorsTotalWidth);
    QCOMPARE(area.top(), 200 + static_cast<int>(s.height * scale));
    SketchLayout printed;
    layOut(printed, s, scale,
           PixelPoint{100 + (1000 - static_cast<int>(s.doorsTotalWidth * scale)) / 2, 200});
    for (int i = 0; i < 3; ++i) {
        const PixelRect r = printed.doors[i].insert(1);
        QCOMPARE(r.top, 200 + f(face(s.doors[i].frame[kFrameTop].profile), scale));
        QCOMPARE(whitePixels(page, r), 0); // every door drawn, without sizes
    }
}

void SketchViewTest::openingASketchEmptiesTheCaches() {
    ProjectFixture fx;
    CDalvexDlg window(fx.project, fx.artwork);
    window.resize(1366, 860);
    DraftDlg& view = *window.draftView();
    fx.project.sketch.doors[0].inserts.at(1).material = materialsWithPictures(1).front();
    view.redraw();
    view.grab();
    QCOMPARE(view.pictureCache().sourceCount(), size_t{1});
    QCOMPARE(view.pictureCache().scaledCount(), size_t{1});
    const auto file = fx.folder / "opened.dlx";
    QCOMPARE(fx.project.save(file), kSketchOk);
    QCOMPARE(window.document()->editor().open(file), kSketchOk);
    QCOMPARE(view.pictureCache().sourceCount(), size_t{0});
    QCOMPARE(view.pictureCache().scaledCount(), size_t{0});
    const int renders = view.renderCount();
    view.grab();
    QCOMPARE(view.renderCount(), renders + 1);
}

// A sketch with dividers and materials in the whole window. DALVEX_SKETCH_SCREENSHOT=file.png keeps a
// picture.
void SketchViewTest::mainWindowShowsAFilledSketch() {
    ProjectFixture fx;
    Project& p = fx.project;
    CDalvexDlg window(p, fx.artwork);
    window.resize(1366, 860);
    DraftDlg* view = window.draftView();
    view->grab(); // lays the sketch out at the window's size
    auto splitHere = [&](int door, int32_t insertId, bool vertical) {
        splitInsert(p, door, insertId, vertical);
        view->redraw();
        view->grab();
    };
    splitHere(0, 1, false);
    splitHere(1, 1, false);
    splitHere(1, 2, false);
    splitHere(2, 1, true);
    const auto materials = materialsWithPictures(40);
    QVERIFY(materials.size() >= 30);
    const Material* picks[] = {materials[2], materials[14], materials[20], materials[29], materials[8]};
    int k = 0;
    ProjectEditor& editor = window.document()->editor();
    for (int d = 0; d < 3; ++d)
        for (const auto& [id, in] : p.sketch.doors[d].inserts)
            if (!(d == 1 && id == 2)) // one insert stays empty
                QVERIFY(editor.apply(edit::Fill{d, id, picks[k++ % 5]}));
    ViewSettings sizes = window.document()->view();
    sizes.showInsertSizes = true;
    window.document()->setView(sizes);
    const QImage shot = window.grab().toImage();
    const QPoint at = view->geometry().topLeft();
    const PixelRect empty = view->layout().doors[1].insert(2);
    const QImage hatch = fx.artwork.picture(kPictureHatchEmpty).toImage();
    const PixelPoint c{empty.left + 3, empty.top + 3};
    QCOMPARE(shot.pixelColor(at.x() + c.x, at.y() + c.y),
             hatch.pixelColor(c.x % hatch.width(), c.y % hatch.height()));
    const QString path = qEnvironmentVariable("DALVEX_SKETCH_SCREENSHOT");
    if (!path.isEmpty()) QVERIFY(shot.save(path));
}

QTEST_MAIN(SketchViewTest)
#include "sketch_view_test.moc"
