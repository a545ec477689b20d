#include "orders/dates.h"

#include "text/format.h"

#include <ctime>
#include <limits>

namespace dalvex {

std::string formatLocalDate(int64_t secondsSinceEpoch) {
    long long day = 0;
    long long month = 0;
    long long year = 0;
    if (secondsSinceEpoch >= std::numeric_limits<std::time_t>::min() &&
        secondsSinceEpoch <= std::numeric_limits<std::time_t>::max()) {
        const auto moment = static_cast<std::time_t>(secondsSinceEpoch);
        std::tm parts{};
#if defined(_WIN32)
        const bool converted = localtime_s(&parts, &moment) == 0; // the same, under its Windows name
#else
        const bool converted = localtime_r(&moment, &parts) != nullptr;
#endif
        if (converted) {
            day = parts.tm_mday;
            month = parts.tm_mon + 1;
            // Widened first: tm_year + 1900 can overflow int for moments far in the future.
            year = static_cast<long long>(parts.tm_year) + 1900;
        }
    }
    return format("%02d.%02d.%d", day, month, year);
}

} // namespace dalvex
