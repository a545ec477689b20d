#include "project/door_widths.h"

#include "calc/ds_system.h"
#include "project/project.h"
#include "sketch/sketch_units.h"
#include "text/format.h"
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
        view.widthsMm.push_back(door.width / 10);
        view.rows.push_back(door.row);
        shownTexts_.push_back(format("%d", door.width / 10));
        sum += door.width;
    }
    view.remainderMm = clampToInt((sketch.doorsTotalWidth - sum) / 10);
    shownRemainder_ = view.remainderMm;
    return view;
}

int32_t DoorWidthsEditor::typedWidthMm(const std::vector<std::string>& typedWidths, int i) const {
    return i < static_cast<int>(typedWidths.size()) ? readInt(typedWidths[static_cast<size_t>(i)]) : 0;
}

int32_t DoorWidthsEditor::remainderFor(const std::vector<std::string>& typedWidths) const {
    int64_t remainder = project_.sketch.doorsTotalWidth / 10;
    for (int i = 0; i < doorCount(); ++i)
        remainder -= typedWidthMm(typedWidths, i);
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
        if (typedWidthMm(typedWidths, i) < kMinWidthMm)
            return {Outcome::RefusedTooNarrow, kMinWidthMm, false};
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
        const int32_t w = tenthsFromMillimetres(typedWidthMm(typedWidths, i));
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

std::string DoorWidthsEditor::positiveRemainderQuestion(int32_t remainderMm) {
    return format(
        "Суммарная ширина дверей меньше ширины проема на %d мм. Останется пустое пространсто, продолжить?",
        remainderMm);
}

std::string DoorWidthsEditor::negativeRemainderMessage(int32_t excessMm) {
    return format(
        "Суммарная ширина дверей больше ширины проема на %d мм. Уменьшите общую ширину дверей на это "
        "значение.",
        excessMm);
}

std::string DoorWidthsEditor::tooNarrowMessage(int32_t minimumMm) {
    return format("Ширина двери не должна быть меньше %d мм.", minimumMm);
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
