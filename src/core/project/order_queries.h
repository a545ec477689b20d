#pragma once
// What the clients ask of the order without changing it, decided here so that the desktop program and
// dalvex-cli cannot disagree.
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

} // namespace dalvex
