#pragma once
// What the printed reports show, made from the order itself: the same pages whether or not a tab of the
// window was ever shown, and printing leaves the tabs as they were.
#include "printing/report_printer.h"

class QPainter;
class QRect;

namespace dalvex::ui {

struct UiContext;

// The order's doors as printed into `rect`, whose top moves below the drawing: no sizes on paper, the door
// numbers keep their size in points.
void drawSketchForPrint(const UiContext& ctx, QPainter& painter, QRect& rect);
// The tables, the sketch and the cutting plans of the order.
ReportSources reportSourcesOf(const UiContext& ctx);

} // namespace dalvex::ui
