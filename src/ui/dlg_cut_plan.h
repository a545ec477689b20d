#pragma once
// The "Раскрой" tab: the cutting plan of every article bought in whole bars, drawn to scale and scrolled
// vertically, under a line naming the kerf and trim it was made with.
#include "calc/cut_plan.h"
#include "panel.h"

#include <vector>

class QScrollArea;

namespace dalvex::ui {

class DlgCutPlan : public Panel {
    Q_OBJECT
public:
    DlgCutPlan(const UiContext& context, QWidget* parent);

    // Plans the Project's result afresh and redraws.
    void rebuild();
    const std::vector<ArticlePlan>& plans() const { return plans_; }
    // The kerf and trim the plans were made with, 0.1 mm.
    int32_t kerf() const { return kerf_; }
    int32_t trim() const { return trim_; }
    QWidget* canvas() const { return canvas_; }

protected:
    void onNotification(Notification n) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class CutPlanCanvas;
    void relayout();

    std::vector<ArticlePlan> plans_;
    int32_t kerf_ = 0;
    int32_t trim_ = 0;
    QScrollArea* scroll_ = nullptr;
    QWidget* canvas_ = nullptr;
};

} // namespace dalvex::ui
