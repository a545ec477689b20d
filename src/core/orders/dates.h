#pragma once
// Order dates as the reports show them: the local calendar date, the time of day left out.
#include <cstdint>
#include <string>

namespace dalvex {

// "%02d.%02d.%d" of the local day, month and four-digit year of a count of seconds since 1970-01-01 00:00
// UTC. A moment the C library cannot turn into a local date gives "00.00.0".
std::string formatLocalDate(int64_t secondsSinceEpoch);

} // namespace dalvex
