#include "journal_numbers.h"

#include "journal_types.h"

#include <algorithm>
#include <limits>

namespace dalvex::journal {

int32_t counterValue(int64_t journalNumber) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(journalNumber, 1, std::numeric_limits<int32_t>::max() - 1));
}

OrderNumberClaim claimInStep(const std::filesystem::path& configFolder, int64_t journalNext,
                             const std::string& cardNumber, const std::string& offered) {
    return claimOrderNumber(configFolder, cardNumber, offered, counterValue(journalNext));
}

int64_t journalNextAfter(const OrderNumberClaim& claim) {
    return std::max<int64_t>(claim.counterAfter, orderKey(claim.number) + 1);
}

} // namespace dalvex::journal
