#pragma once
// The logic of the door widths dialog: each door's width (millimetres with one decimal) and row, the
// remainder of the opening that the typed widths leave uncovered, and the checks made before the values are
// applied.
#include <cstdint>
#include <string>
#include <vector>

namespace dalvex {

class EditPass;
class Project;

// What the dialog shows when it opens.
struct DoorWidthsView {
    std::vector<int32_t> widths; // one per door, 0.1 mm
    std::vector<int32_t> rows;   // 0 first row, 1 second row
    int32_t remainder = 0;       // doorsTotalWidth - sum of the widths, 0.1 mm
    bool rowsEditable = true;    // false for Feldor, whose rows follow its mounting option
};

class DoorWidthsEditor {
public:
    enum class Outcome {
        Applied,                  // the model was changed and recalculated; the dialog may close
        AskPositiveRemainder,     // a gap would remain: ask, then apply again with confirmPositive
        RefusedNegativeRemainder, // the doors would be wider than the opening
        RefusedTooNarrow,         // a typed width is below the minimum
    };
    struct Result {
        Outcome outcome = Outcome::Applied;
        int32_t value = 0;        // the length the message shows (0.1 mm); 0 when applied
        bool rowsChanged = false; // applied as a change of rows (typed widths ignored)
    };

    static constexpr int32_t kMinWidth = 1000; // 100 mm

    // Reads `project`: the dialog works on a Project it may not change.
    explicit DoorWidthsEditor(const Project& project);

    int doorCount() const;
    // The values to show; also remembers them so that an untouched entry keeps the remainder shown at
    // opening.
    DoorWidthsView begin();
    // The remainder for the typed widths in 0.1 mm: doorsTotalWidth minus their sum (empty or non-numeric
    // reads 0).
    int32_t remainderFor(const std::vector<std::string>& typedWidths) const;
    // "ОК": rows first; then the remainder (a positive one needs confirmPositive); then the width check; then
    // the widths are applied to `project` (the one this editor reads) and the doors recalculated keeping
    // them. Anything refused changes nothing.
    Result apply(EditPass pass, Project& project, const std::vector<std::string>& typedWidths,
                 const std::vector<int32_t>& rows, bool confirmPositive);
    // What apply would answer, changing nothing: the dialog asks and refuses through this, and leaves the
    // change itself to the order's editing operation.
    Result check(const std::vector<std::string>& typedWidths, const std::vector<int32_t>& rows,
                 bool confirmPositive) const;

    static std::string positiveRemainderQuestion(int32_t remainder);
    static std::string negativeRemainderMessage(int32_t excess);
    static std::string tooNarrowMessage(int32_t minimum);
    // The text for an outcome that needs a message box; empty for Applied.
    static std::string message(const Result& result);

private:
    bool rowsEditable() const;
    int32_t typedWidth(const std::vector<std::string>& typedWidths, int i) const;

    const Project& project_;
    std::vector<std::string> shownTexts_;
    int32_t shownRemainder_ = 0;
};

} // namespace dalvex
