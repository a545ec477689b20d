#pragma once
// The divider type picker: one button per divider profile of the current system; a click makes that profile
// the one new dividers get.
#include "panels/pickers.h"

namespace dalvex::ui {

// DlgSplitter: the divider type picker.
class DlgSplitter : public Picker {
    Q_OBJECT
public:
    DlgSplitter(const UiContext& context, QWidget* parent);
    // Rebuilds the buttons when they were made for another system.
    void selectionChanged();
    int builtForSystem() const { return builtForSystem_; }

    // "ДСП-ДСП", "ДСП-Стекло" or "Универсальный" for divider kinds 0, 1, 2.
    static QString kindWord(int dividerKind);

protected:
    void choose(const PickerEntry& entry) override;

private:
    void build();
    int builtForSystem_ = -1;
};

} // namespace dalvex::ui
