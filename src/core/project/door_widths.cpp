#include "project/door_widths.h"

#include "calc/ds_system.h"
#include "project/project.h"
#include "sketch/sketch_units.h"
#include "text/format.h"
#include "text/millimetres.h"
#include "text/numbers.h"

#include <algorithm>

namespace dalvex {

DoorWidthsEditor::DoorWidthsEditor(const Project& project) : project_(project) {}

int DoorWidthsEditor::doorCount() const {
    return sketch::doorsInUse(project_.sketch.doorCount);
}

bool DoorWidthsEditor::rowsEditable() const {
    return !(project_.calculator && project_.calculator->systemKind == kSystemFeldor);
}

DoorWidthsView DoorWidthsEditor::begin() {
    const DoorSketch& sketch = project_.sketch;
    DoorWidthsView view;
    view.rowsEditable = rowsEditable();
    int64_t sum = 0;
    shownTexts_.clear();
    for (int i = 0; i < doorCount(); ++i) {
        const Door& door = sketch.doors[i];
        view.widths.push_back(door.width);
        view.rows.push_back(door.row);
        shownTexts_.push_back(millimetresText(door.width));
        sum += door.width;
    }
    view.remainder = clampToInt(sketch.doorsTotalWidth - sum);
    shownRemainder_ = view.remainder;
    return view;
}

int32_t DoorWidthsEditor::typedWidth(const std::vector<std::string>& typedWidths, int i) const {
    if (i >= static_cast<int>(typedWidths.size())) return 0;
    return readMillimetres(typedWidths[static_cast<size_t>(i)]).value_or(0);
}

int32_t DoorWidthsEditor::remainderFor(const std::vector<std::string>& typedWidths) const {
    int64_t remainder = project_.sketch.doorsTotalWidth;
    for (int i = 0; i < doorCount(); ++i)
        remainder -= typedWidth(typedWidths, i);
    return clampToInt(remainder);
}

DoorWidthsEditor::Result DoorWidthsEditor::check(const std::vector<std::string>& typedWidths,
                                                 const std::vector<int32_t>& rows,
                                                 bool confirmPositive) const {
    const DoorSketch& sketch = project_.sketch;
    const int n = doorCount();

    // A change of rows wins over typed widths: the calculator shares the opening out again under the new
    // rows.
    if (rowsEditable())
        for (int i = 0; i < n && i < static_cast<int>(rows.size()); ++i)
            if ((rows[static_cast<size_t>(i)] != 0 ? 1 : 0) != sketch.doors[i].row)
                return {Outcome::Applied, 0, true};

    // Entries left as they were shown keep the remainder shown with them.
    const bool untouched = shownTexts_.size() == static_cast<size_t>(n) &&
                           typedWidths.size() >= shownTexts_.size() &&
                           std::equal(shownTexts_.begin(), shownTexts_.end(), typedWidths.begin());
    const int32_t remainder = untouched ? shownRemainder_ : remainderFor(typedWidths);
    if (remainder > 0 && !confirmPositive) return {Outcome::AskPositiveRemainder, remainder, false};
    if (remainder < 0)
        return {Outcome::RefusedNegativeRemainder, clampToInt(-static_cast<int64_t>(remainder)), false};

    for (int i = 0; i < n; ++i)
        if (typedWidth(typedWidths, i) < kMinWidth) return {Outcome::RefusedTooNarrow, kMinWidth, false};
    return {Outcome::Applied, 0, false};
}

DoorWidthsEditor::Result DoorWidthsEditor::apply(EditPass pass, Project& project,
                                                 const std::vector<std::string>& typedWidths,
                                                 const std::vector<int32_t>& rows, bool confirmPositive) {
    const Result result = check(typedWidths, rows, confirmPositive);
    if (result.outcome != Outcome::Applied) return result;
    DoorSketch& sketch = project.sketch;
    const int n = doorCount();
    if (result.rowsChanged) {
        for (int i = 0; i < n; ++i) {
            Door& door = sketch.doors[i];
            if (door.width != 0) {
                door.previousWidth = door.width;
                door.width = 0;
            }
            if (i < static_cast<int>(rows.size())) door.row = rows[static_cast<size_t>(i)] != 0 ? 1 : 0;
        }
        sketch.resizePending = true;
        project.recalculate(pass, false);
        return result;
    }

    for (int i = 0; i < n; ++i) {
        Door& door = sketch.doors[i];
        const int32_t w = typedWidth(typedWidths, i);
        if (w != door.width) {
            door.previousWidth = door.width;
            door.width = w;
        }
        // The dividers keep their proportions in the new width.
        door.rescale(false);
    }
    project.recalculate(pass, true);
    return result;
}

std::string DoorWidthsEditor::positiveRemainderQuestion(int32_t remainder) {
    return format(
        "Суммарная ширина дверей меньше ширины проема на %s мм. Останется пустое пространсто, продолжить?",
        millimetresText(remainder));
}

std::string DoorWidthsEditor::negativeRemainderMessage(int32_t excess) {
    return format(
        "Суммарная ширина дверей больше ширины проема на %s мм. Уменьшите общую ширину дверей на это "
        "значение.",
        millimetresText(excess));
}

std::string DoorWidthsEditor::tooNarrowMessage(int32_t minimum) {
    return format("Ширина двери не должна быть меньше %s мм.", millimetresText(minimum));
}

std::string DoorWidthsEditor::message(const Result& result) {
    switch (result.outcome) {
    case Outcome::AskPositiveRemainder:
        return positiveRemainderQuestion(result.value);
    case Outcome::RefusedNegativeRemainder:
        return negativeRemainderMessage(result.value);
    case Outcome::RefusedTooNarrow:
        return tooNarrowMessage(result.value);
    case Outcome::Applied:
        break;
    }
    return {};
}

} // namespace dalvex
