#pragma once
// The report selection window: which reports to print (print mode) or to write into the workbook and the
// accounting file (xml mode). Its toggles keep their state between openings; while it is open the panels are
// locked.
#include "printing/report_printer.h"
#include "document/ui_context.h"

#include "dialogs/tool_dialog.h"

#include <array>
#include <functional>

namespace dalvex::ui {

class PictureButton;

// DlgPrint: the dialog that chooses the reports to print or to write to the workbook.
class DlgPrint : public ToolDialog {
    Q_OBJECT
public:
    enum class Mode { Print, Xml };
    enum Toggle { Order = 0, Price, Profiles, Assembly, Accounting, CutPlan, SheetPlan, ToggleCount };

    DlgPrint(const UiContext& context, Mode mode, QWidget* parent);

    Mode mode() const { return mode_; }
    // Shows the window centred over the main window and locks the panels.
    void showCentred();
    bool isOn(Toggle t) const;
    void setOn(Toggle t, bool on);
    PictureButton* toggleButton(Toggle t) const { return toggles_[static_cast<size_t>(t)]; }
    PictureButton* okButton() const { return ok_; }

    // What OK does in print mode, with the order, price, profiles and assembly toggles. Without one the
    // tables are printed straight from the Project, without the sketch.
    using PrintAction = std::function<void(ReportChoice chosen)>;
    void setPrintAction(PrintAction action) { printAction_ = std::move(action); }

    void accept() override;
    void reject() override;

private:
    // The four report toggles (the workbook's sheets are the same four).
    ReportChoice chosenReports() const;
    void writeFiles();
    void print();

    UiContext ctx_;
    Mode mode_;
    std::array<PictureButton*, ToggleCount> toggles_{};
    PictureButton* ok_;
    PictureButton* cancel_;
    PrintAction printAction_;
};

} // namespace dalvex::ui
