// dalvex-ui-bench: what a user of the desktop program waits for. On the largest sketch: a width typed in the
// top panel, one step of a divider drag, a tab switch and opening the sketch file, each until the main window
// is repainted; the start of the program up to its first painted window on the sample data, on a material
// library of 5,000 pictures and on price lists of 100,000 lines, beside dalvex-cli on the same data; and the
// core's recalculation of the same sketch (recalc_bench.cpp, linked in), so the share of the window is seen.
#include "catalogue/catalogue.h"
#include "dalvex_app.h"
#include "journal/dlg_journal.h"
#include "panels/dlg_tabs.h"
#include "sketch_view/draft_dlg.h"
#include "io/utf8_path.h"
#include "journal_fixture.h"
#include "journal_session.h"
#include "journal/journal_table_model.h"
#include "largest_sketch.h"
#include "window/main_window.h"
#include "document/order_document.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "window/prompts.h"
#include "panels/top_panel_dlg.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace dalvex::bench {
namespace {

namespace fs = std::filesystem;
using ui::CDalvexDlg;

CDalvexApp* gApp = nullptr;
// The device pixel ratio the windows are drawn at (`--device-pixel-ratio=2`: a screen at 200 %).
double gPixelRatio = 1.0;

// Everything the benchmarks write (data folders, the sketch file, the program's settings and recovery file).
QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

fs::path scratchPath(const QString& name) {
    return ui::toPath(scratch().filePath(name));
}

const Material* mirror(const Catalogue& catalogue) {
    for (const MaterialCollection& c : catalogue.collections())
        for (const Material& m : c.materials)
            if (m.code == "ЗР-С4") return &m;
    const auto& all = catalogue.collections();
    return all.empty() || all.front().materials.empty() ? nullptr : &all.front().materials.front();
}

// The Project holds the largest sketch: Борвик, ten doors on 10 x 2.5 m, twenty dividers in each door, every
// insert a silver mirror, or with `mixed`, the inserts in turn of twelve materials from every collection
// (more pictures than the sketch view's caches hold). False when the sample data cannot give it.
bool makeLargest(Project& project, bool mixed = false) {
    ProjectEditor editor(project);
    editor.apply(edit::SelectSystem{project.catalogue().findSystem("Борвик")});
    if (!project.calculator) return false;
    editor.apply(edit::SetWidth{kLargestWidth});
    editor.apply(edit::SetHeight{kLargestHeight});
    editor.apply(edit::SetDoorCount{kMaxDoors});
    if (project.doorCount != kMaxDoors) return false;
    editor.apply(edit::ClearSketch{});
    fillLargestSketch(project.sketch, *project.calculator, mirror(project.catalogue()));
    if (mixed) {
        std::vector<const Material*> materials;
        for (size_t k = 0; materials.size() < 12; ++k) {
            bool any = false;
            for (const MaterialCollection& c : project.catalogue().collections())
                if (k < c.materials.size() && materials.size() < 12) {
                    materials.push_back(&c.materials[k]);
                    any = true;
                }
            if (!any) return false;
        }
        size_t next = 0;
        for (Door& door : project.sketch.doors)
            for (auto& [id, insert] : door.inserts)
                insert.material = materials[next++ % materials.size()];
    }
    editor.apply(edit::SetWidth{project.width}); // calculated anew, as after any change
    return true;
}

// How a step is finished before the next one: the whole window painted, then what else the event loop has to
// do after an input event (the named figures); or, what the user actually waits for, the event loop alone,
// which paints what the step marked for repainting (the "Seen" figures).
enum class Paint { Whole, Changed };

void repainted(QWidget& window, Paint how = Paint::Whole) {
    if (how == Paint::Whole) window.repaint();
    QCoreApplication::processEvents();
}

// The real main window on the largest sketch, shown and painted once.
class Session {
public:
    explicit Session(benchmark::State& state, bool mixed = false) : saved_(ui::prompts()) {
        ui::prompts().saveChanges = [](QWidget*, const QString&, const QString&) {
            return ui::SaveAnswer::Discard;
        };
        ui::prompts().error = [this](QWidget*, const QString& text, const QString&) { error_ = text; };
        if (!makeLargest(gApp->project(), mixed)) {
            state.SkipWithError("the sample data has no ten-door Борвик");
            return;
        }
        window_ = std::make_unique<CDalvexDlg>(gApp->project(), gApp->artwork(), scratch().filePath("state"));
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get())) state.SkipWithError("the window was not shown");
        if (window_->devicePixelRatio() != gPixelRatio)
            state.SkipWithError("the window is not drawn at the device pixel ratio asked for");
        repainted(*window_);
    }
    ~Session() {
        window_.reset();
        ui::prompts() = saved_;
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool ok() const { return window_ != nullptr; }
    CDalvexDlg& window() { return *window_; }
    const QString& error() const { return error_; }

private:
    ui::Prompts saved_;
    std::unique_ptr<CDalvexDlg> window_;
    QString error_;
};

void BM_UiWidthChange(benchmark::State& state, Paint how, bool mixed) {
    Session s(state, mixed);
    if (!s.ok()) return;
    QLineEdit* width = s.window().topPanel()->widthEdit();
    // Two widths in turn, as typed: every iteration is a change.
    const QString widths[] = {QString::number(kLargestWidth / 10 - 10), QString::number(kLargestWidth / 10)};
    int i = 0;
    for (auto _ : state) {
        width->setText(widths[i++ % 2]);
        repainted(s.window(), how);
    }
    if (gApp->project().width != kLargestWidth && gApp->project().width != kLargestWidth - 100)
        state.SkipWithError("the width edit did not reach the Project");
}

void sendMouse(QWidget* view, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(view->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
}

void BM_UiDividerDragStep(benchmark::State& state, Paint how) {
    Session s(state);
    if (!s.ok()) return;
    ui::DraftDlg* view = s.window().draftView();
    // The middle divider of the first door, under the mouse, then pressed.
    const PixelRect r = view->layout().doors[0].divider(kLargestDividers / 2);
    const QPoint start((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    sendMouse(view, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    sendMouse(view, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    repainted(s.window());
    if (!view->dragging()) {
        state.SkipWithError("no divider under the mouse");
        return;
    }
    const QPoint origin(view->dragPoint().x, view->dragPoint().y);
    int i = 0;
    for (auto _ : state) {
        // Up and down by two pixels: each step moves the outline.
        sendMouse(view, QEvent::MouseMove, origin + QPoint(0, i++ % 2 ? 2 : -2), Qt::NoButton,
                  Qt::LeftButton);
        repainted(s.window(), how);
    }
    // Released where it started: the sketch stays as it was.
    sendMouse(view, QEvent::MouseMove, origin, Qt::NoButton, Qt::LeftButton);
    sendMouse(view, QEvent::MouseButtonRelease, origin, Qt::LeftButton, Qt::NoButton);
}

constexpr int kProfilesTab = 3;

void BM_UiTabSwitch(benchmark::State& state, Paint how) {
    Session s(state);
    if (!s.ok()) return;
    ui::DlgTabs* tabs = s.window().tabBar();
    int i = 0;
    for (auto _ : state) {
        tabs->select(i++ % 2 ? 0 : kProfilesTab);
        repainted(s.window(), how);
    }
    tabs->select(0);
}

// The switch to "Профили" after a width change on the sketch tab (not timed): what the tab costs when its
// table must be made afresh.
void BM_UiTabSwitchAfterChange(benchmark::State& state, Paint how) {
    Session s(state);
    if (!s.ok()) return;
    ui::DlgTabs* tabs = s.window().tabBar();
    QLineEdit* width = s.window().topPanel()->widthEdit();
    const QString widths[] = {QString::number(kLargestWidth / 10 - 10), QString::number(kLargestWidth / 10)};
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tabs->select(0);
        width->setText(widths[i++ % 2]);
        repainted(s.window());
        state.ResumeTiming();
        tabs->select(kProfilesTab);
        repainted(s.window(), how);
    }
    tabs->select(0);
}

void BM_UiOpenFile(benchmark::State& state, Paint how) {
    Session s(state);
    if (!s.ok()) return;
    const fs::path file = scratchPath(QStringLiteral("largest.dlx"));
    if (gApp->project().save(file) != 0) {
        state.SkipWithError("cannot save the largest sketch");
        return;
    }
    const QString path = QString::fromStdString(pathToUtf8(file));
    for (auto _ : state) {
        s.window().topPanel()->openRecent(path);
        repainted(s.window(), how);
    }
    if (!s.error().isEmpty()) state.SkipWithError(s.error().toStdString().c_str());
    if (gApp->project().sketch.doors[kMaxDoors - 1].dividers.size() != kLargestDividers)
        state.SkipWithError("the file did not give the largest sketch");
}

// --- Data folders for the start-up ---

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first five fields of a list's heading (Код;Название;Изображение;Цена;Толщина in Windows-1251).
std::string listHeading(const fs::path& list) {
    const std::string text = readText(list);
    std::string heading = text.substr(0, text.find('\r'));
    size_t at = 0;
    for (int field = 0; field < 5 && at != std::string::npos; ++field)
        at = heading.find(';', at == 0 ? 0 : at + 1);
    return at == std::string::npos ? heading : heading.substr(0, at);
}

// One line of a material list: code, name, picture, price, thickness 4 mm.
void appendLine(std::string& list, const char* prefix, int i, const std::string& picture, int price) {
    const std::string n = std::to_string(i);
    for (const std::string& field : {prefix + n, "Material " + n, picture, std::to_string(price)}) {
        list += field;
        list += ';';
    }
    list += "4\r\n";
}

// The folder of this benchmark, dalvex, dalvex-cli and the sample data (a copy of the folder runs the same).
fs::path programFolder() {
    return ui::toPath(QCoreApplication::applicationDirPath());
}

fs::path copySample(const QString& name) {
    const fs::path folder = scratchPath(name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* sub : {"profiles", "materials", "config"})
        fs::copy(programFolder() / sub, folder / sub, fs::copy_options::recursive);
    return folder;
}

// The sample data with one more collection of 5,000 materials, each with its own small JPEG picture.
fs::path library5000() {
    static const fs::path folder = [] {
        const fs::path data = copySample(QStringLiteral("library5000"));
        const fs::path collection = data / "materials" / pathFromUtf8("Библиотека");
        fs::create_directories(collection / "images");
        std::string list = listHeading(data / "materials" / pathFromUtf8("Стекло") / "price.csv") + "\r\n";
        for (int i = 0; i < 5000; ++i) {
            const QString name = QStringLiteral("lib_%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
            QImage picture(160, 120, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 37 % 360, 60 + i % 150, 120 + i % 120));
            QPainter p(&picture);
            p.setPen(QColor::fromHsv(i * 11 % 360, 200, 90));
            for (int y = i % 7; y < 120; y += 7)
                p.drawLine(0, y, 160, y + i % 40);
            p.end();
            picture.save(QString::fromStdString(pathToUtf8(collection / "images")) + "/" + name, "JPG", 80);
            appendLine(list, "LIB-", i, name.toStdString(), 1000 + i % 2000);
        }
        std::ofstream(collection / "price.csv", std::ios::binary) << list;
        return data;
    }();
    return folder;
}

// The sample data with each of the five collections' lists grown to 100,000 lines, the lines naming the
// collection's pictures in turn.
fs::path largeLists() {
    static const fs::path folder = [] {
        const fs::path data = copySample(QStringLiteral("large"));
        for (const auto& entry : fs::directory_iterator(data / "materials")) {
            const fs::path list = entry.path() / "price.csv";
            std::vector<std::string> pictures;
            for (const auto& picture : fs::directory_iterator(entry.path() / "images"))
                if (picture.is_regular_file() && picture.path().extension() == ".jpg")
                    pictures.push_back(pathToUtf8(picture.path().filename()));
            if (pictures.empty()) continue;
            std::sort(pictures.begin(), pictures.end());
            std::string text = listHeading(list) + "\r\n";
            for (int i = 0; i < 100000; ++i)
                appendLine(text, "L", i, pictures[static_cast<size_t>(i) % pictures.size()], 900 + i % 3000);
            std::ofstream(list, std::ios::binary) << text;
        }
        return data;
    }();
    return folder;
}

// One start of a program to its end, timed from the start of the child process.
void timeProcess(benchmark::State& state, const QString& program, const QStringList& arguments) {
    for (auto _ : state) {
        QProcess child;
        child.setStandardOutputFile(QProcess::nullDevice());
        child.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer clock;
        clock.start();
        child.start(program, arguments);
        const bool finished = child.waitForFinished(120000);
        const qint64 ns = clock.nsecsElapsed();
        if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            state.SkipWithError(("the program failed: " + program.toStdString()).c_str());
            return;
        }
        state.SetIterationTime(static_cast<double>(ns) * 1e-9);
    }
}

QString binary(const char* name) {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromUtf8(name);
}

QStringList dataArguments(const fs::path& data) {
    if (data.empty()) return {};
    return {QStringLiteral("--data"), QString::fromStdString(pathToUtf8(data))};
}

// The desktop program started as a user starts it, on the offscreen platform, up to its first painted window.
void BM_UiStartup(benchmark::State& state, fs::path (*data)()) {
    const fs::path folder = data ? data() : fs::path();
    timeProcess(state, binary("dalvex"),
                QStringList{QStringLiteral("--quit-after-start")} + dataArguments(folder));
}

void BM_CliCalcStartup(benchmark::State& state, fs::path (*data)()) {
    const fs::path folder = data ? data() : fs::path();
    timeProcess(state, binary("dalvex-cli"), QStringList{QStringLiteral("calc")} + dataArguments(folder));
}

// "Журнал заказов" on 100,000 orders: the window made, shown and painted with its first rows.
void BM_UiJournalOpens(benchmark::State& state) {
    std::string problem;
    const fs::path file = largeJournal(writeSketchBytes(gApp->project()), problem);
    if (file.empty()) {
        state.SkipWithError(problem.c_str());
        return;
    }
    journal::JournalSession session(file, gApp->project().configFolder());
    struct Hub : ui::NotificationHub {
        void notify(ui::Notification) override {}
    } hub;
    ProjectEditor editor(gApp->project());
    ui::OrderDocument document(editor);
    ui::UiContext ctx{gApp->project(), editor, gApp->artwork(), hub, ui::applicationFont(), &document};
    ctx.journal = &session;
    int64_t rows = 0;
    for (auto _ : state) {
        ui::DlgJournal window(ctx, nullptr);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("the window was not shown");
        repainted(window);
        rows = window.model()->rowCount();
    }
    state.SetLabel(std::to_string(rows) + " rows read of 100000");
}

void registerAll() {
    // At another device pixel ratio every name ends in "/dpr" and the ratio.
    const std::string ratio =
        gPixelRatio == 1.0 ? std::string() : "/dpr" + QString::number(gPixelRatio).toStdString();
    const auto name = [&ratio](std::string base) { return base + ratio; };
    for (const auto& [suffix, how] :
         {std::pair{"/largest", Paint::Whole}, std::pair{"Seen/largest", Paint::Changed}})
        benchmark::RegisterBenchmark(name(std::string("BM_UiWidthChange") + suffix).c_str(), BM_UiWidthChange,
                                     how, false)
            ->Unit(benchmark::kMillisecond);
    // The same with twelve pictures in the sketch.
    benchmark::RegisterBenchmark(name("BM_UiWidthChange/largestMixed").c_str(), BM_UiWidthChange,
                                 Paint::Whole, true)
        ->Unit(benchmark::kMillisecond);
    for (const auto& [base, run] : {std::pair{"BM_UiDividerDragStep", &BM_UiDividerDragStep},
                                    std::pair{"BM_UiTabSwitch", &BM_UiTabSwitch},
                                    std::pair{"BM_UiTabSwitchAfterChange", &BM_UiTabSwitchAfterChange},
                                    std::pair{"BM_UiOpenFile", &BM_UiOpenFile}})
        for (const auto& [suffix, how] :
             {std::pair{"/largest", Paint::Whole}, std::pair{"Seen/largest", Paint::Changed}})
            benchmark::RegisterBenchmark(name(base + std::string(suffix)).c_str(), run, how)
                ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(name("BM_UiJournalOpens/100000").c_str(), BM_UiJournalOpens)
        ->Unit(benchmark::kMillisecond);
    using Data = fs::path (*)();
    for (const auto& [folder, data] :
         {std::pair{"sample", Data{nullptr}}, std::pair{"library5000", &library5000},
          std::pair{"large", &largeLists}}) {
        benchmark::RegisterBenchmark(name(std::string("BM_UiStartup/") + folder).c_str(), BM_UiStartup, data)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        if (std::string(folder) != "library5000")
            benchmark::RegisterBenchmark(name(std::string("BM_CliCalcStartup/") + folder).c_str(),
                                         BM_CliCalcStartup, data)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    }
}

} // namespace
} // namespace dalvex::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // Our own argument, left over by the benchmark library's: the screen's scaling, for the windows here and
    // for the programs started.
    const std::string ratioArgument = "--device-pixel-ratio=";
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).starts_with(ratioArgument)) {
            const QByteArray value = QByteArray(argv[i] + ratioArgument.size());
            bool ok = false;
            dalvex::bench::gPixelRatio = value.toDouble(&ok);
            if (!ok || dalvex::bench::gPixelRatio < 1.0 || dalvex::bench::gPixelRatio > 4.0) return 1;
            qputenv("QT_SCALE_FACTOR", value);
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            break;
        }
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // No window system: the windows are painted off screen, here and in the programs started.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The settings, recent files and recovery file of the programs go to the scratch folder, not the user's.
    const QString home = dalvex::bench::scratch().path();
    qputenv("XDG_CONFIG_HOME", QDir(home).filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(home).filePath(QStringLiteral("data")).toLocal8Bit());
    CDalvexApp app(argc, argv);
    dalvex::bench::gApp = &app;
    dalvex::bench::registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
