#include "printing/report_sources.h"

#include "sketch_view/picture_cache.h"
#include "project/project.h"
#include "project/project_reports.h"
#include "widgets/qt_text.h"
#include "sketch_view/sketch_painter.h"
#include "document/ui_context.h"

#include <QPainter>

namespace dalvex::ui {

void drawSketchForPrint(const UiContext& ctx, QPainter& painter, QRect& rect) {
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    // The pictures scaled for the page are kept only while the page is drawn: they would push the screen's
    // pictures out of the caches.
    PictureCache pagePictures;
    printSketch(painter, rect, ctx.project.sketch,
                SketchStyle{ctx.artwork, pagePictures, ctx.project.profileColor, false, dpi, dpi});
}

ReportSources reportSourcesOf(const UiContext& ctx) {
    const Project& project = ctx.project;
    ReportSources sources;
    for (int kind = 0; kind < 4; ++kind)
        sources.tables[static_cast<size_t>(kind)] = buildTable(kind, project);
    sources.configFolder = project.configFolder();
    sources.drawSketch = [&ctx](QPainter& painter, QRect& rect) { drawSketchForPrint(ctx, painter, rect); };
    const CuttingSettings& cutting = project.cutting;
    sources.cutPlans = planArticles(project.result, cutting.kerf, cutting.trim);
    sources.kerf = cutting.kerf;
    sources.trim = cutting.trim;
    sources.sheetPlans = planSheets(project.result, cutting);
    sources.sheetKerf = cutting.sheetKerf;
    sources.sheetTrim = cutting.sheetTrim;
    return sources;
}

} // namespace dalvex::ui
