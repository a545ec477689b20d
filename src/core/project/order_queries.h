#pragma once
// What the clients ask of the order without changing it, decided here so that the desktop program and
// dalvex-cli cannot disagree.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {

class Project;

inline constexpr std::string_view kStandardRollersEntry = "стандартные";
inline constexpr std::string_view kPivotEntry = "пивотный мех.";

// The roller list as the right panel shows it: the roller sets the price list configured (or "стандартные"),
// then "пивотный мех." where pivot fittings are offered (Борвик with one or two doors); and the entry now
// chosen.
std::vector<std::string> rollerEntries(const Project& project);
std::string currentRollerEntry(const Project& project);

// The system's option of the top panel, which edit::ToggleOption switches: Фелдор's inside mounting, else
// the edge profiles of a system that offers them. Its label and whether it is on; none when the system
// offers neither.
struct OptionToggle {
    std::string_view label;
    bool on = false;
};
std::optional<OptionToggle> optionToggle(const Project& project);

// Борвик's height offsets without pivot fittings (edit::SetHeightOffset), whole millimetres, in the order they
// are offered; the first is the order's own until it chooses.
inline constexpr int32_t kHeightOffsets[] = {-40, -33};
bool isHeightOffset(int32_t millimetres);

// Whether the order offers Борвик's height offsets (kHeightOffsets): the system has pivot fittings on offer
// and the doors slide.
bool offersHeightOffset(const Project& project);

// The sizes (0.1 mm) a panel beside a divider may be given, on either side: from the least extent a panel
// keeps to what leaves the panel across the divider that least. Empty when the door shows no such divider.
struct SizeRange {
    int32_t low = 0;
    int32_t high = -1;
    bool holds(int32_t size) const { return size >= low && size <= high; }
};
SizeRange insertSizeRange(const Project& project, int door, int32_t divider);

} // namespace dalvex
