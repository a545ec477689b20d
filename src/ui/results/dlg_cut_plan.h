#pragma once
// The "Раскрой" tab: the cutting plan of every article bought in whole bars, then the sheets of every
// material bought in sheets, drawn to scale and scrolled vertically, each under a line naming the kerf and
// trim it was made with. Hidden behind another tab, the plans are only marked stale when the Project changes,
// and made when they are shown or read.
#include "cutting/cut_plan.h"
#include "cutting/sheet_plan.h"
#include "panels/panel.h"

#include <vector>

class QScrollArea;

namespace dalvex::ui {

// DlgCutPlan: the "Раскрой" tab.
class DlgCutPlan : public Panel {
    Q_OBJECT
public:
    DlgCutPlan(const UiContext& context, QWidget* parent);

    // Plans the Project's result afresh and redraws.
    void rebuild();
    bool stale() const { return stale_; }
    // The plans of the Project as it is now (a stale plan is made first).
    const std::vector<ArticlePlan>& plans();
    // The kerf and trim the plans were made with, 0.1 mm.
    int32_t kerf();
    int32_t trim();
    // The sheets of the Project as it is now, and the settings they were made with.
    const std::vector<MaterialSheets>& sheetPlans();
    const CuttingSettings& sheetSettings();
    QWidget* canvas() const { return canvas_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class CutPlanCanvas;
    // The figures changed: the plan is made again when shown.
    void orderChanged();
    void relayout();
    void refresh() {
        if (stale_) rebuild();
    }

    std::vector<ArticlePlan> plans_;
    std::vector<MaterialSheets> sheetPlans_;
    CuttingSettings settings_; // the settings both plans were made with
    bool stale_ = true;
    QScrollArea* scroll_ = nullptr;
    QWidget* canvas_ = nullptr;
};

} // namespace dalvex::ui
