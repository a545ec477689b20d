#pragma once
// The vertical tab bar along the left edge: the sketch editor, the four result tables and the
// cutting plan.
#include "panels/panel.h"

#include <array>

namespace dalvex::ui {

class PictureButton;

// DlgTabs: the tab bar at the left of the window.
class DlgTabs : public Panel {
    Q_OBJECT
public:
    static constexpr int kWidth = 39;
    static constexpr int kTabCount = 6;

    DlgTabs(const UiContext& context, QWidget* parent);

    int selected() const { return selected_; }
    void select(int tab); // re-places the buttons and says so
    PictureButton* tab(int i) const { return tabs_[static_cast<size_t>(i)]; }

signals:
    void tabChanged(int tab);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void place();

    std::array<PictureButton*, kTabCount> tabs_{};
    int selected_ = 0;
};

} // namespace dalvex::ui
