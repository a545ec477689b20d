#include "orders/order_numbers.h"

#include "io/atomic_file.h"
#include "io/file_lock.h"
#include "io/whole_file.h"
#include "text/format.h"
#include "text/numbers.h"

#include <algorithm>
#include <ctime>

namespace dalvex {

namespace {

std::filesystem::path counterPath(const std::filesystem::path& configFolder) {
    return configFolder / "number.txt";
}

// Every read-advance-write of the counter holds this lock, so two programs never both take a number. The
// counter itself is replaced by rename, so the lock lives in a file of its own beside it.
std::filesystem::path lockPath(const std::filesystem::path& configFolder) {
    return configFolder / "number.txt.lock";
}

// The counter's value, the whole number it holds (past 99999 too); 1 when it is missing, unreadable or not
// above 0.
int32_t readCounter(const std::filesystem::path& configFolder) {
    std::string text;
    if (!readWholeFile(counterPath(configFolder), text, kConfigFileLimit)) return 1;
    const int32_t n = readInt(text);
    return n > 0 ? n : 1;
}

} // namespace

void resetOrderCard(OrderCard& card, const std::filesystem::path& configFolder, int64_t now) {
    card.orderNumber = nextOrderNumber(configFolder);
    card.customerName.clear();
    card.address.clear();
    card.phone.clear();
    card.orderDate = now;
    card.readyDate = now;
    card.assemblyCost = 0;
    card.deliveryCost = 0;
}

void resetOrderCard(OrderCard& card, const std::filesystem::path& configFolder) {
    resetOrderCard(card, configFolder, static_cast<int64_t>(std::time(nullptr)));
}

std::string nextOrderNumber(const std::filesystem::path& configFolder) {
    // Read under the lock as well: on Windows a program reading the counter makes another's replacement of it
    // fail, and that number would be handed out twice.
    const FileLock lock(lockPath(configFolder));
    return format("%05d", readCounter(configFolder));
}

namespace {

// Under the counter's lock: moves it past `used`; answers the counter afterwards. A number typed by hand
// below the counter never moves it back; a failed write leaves the old counter in place, there is nobody to
// tell.
int32_t moveCounterPast(const std::filesystem::path& configFolder, int32_t stored, int32_t used) {
    if (used < stored) return stored;
    const int64_t next = int64_t{used} + 1;
    return writeFileAtomically(counterPath(configFolder), format("%d", static_cast<long long>(next)))
               ? readCounter(configFolder)
               : stored;
}

} // namespace

OrderNumberClaim claimOrderNumber(const std::filesystem::path& configFolder, const std::string& cardNumber,
                                  const std::string& offered, int32_t floor) {
    const FileLock lock(lockPath(configFolder));
    OrderNumberClaim claim;
    claim.counterBefore = std::max(readCounter(configFolder), floor);
    const bool offeredNumberGone =
        !offered.empty() && cardNumber == offered && readInt(cardNumber) < claim.counterBefore;
    claim.number = offeredNumberGone ? format("%05d", claim.counterBefore) : cardNumber;
    claim.counterAfter = moveCounterPast(configFolder, claim.counterBefore, readInt(claim.number));
    return claim;
}

void releaseOrderNumber(const std::filesystem::path& configFolder, const OrderNumberClaim& claim) {
    const FileLock lock(lockPath(configFolder));
    if (claim.counterAfter == claim.counterBefore || readCounter(configFolder) != claim.counterAfter) return;
    writeFileAtomically(counterPath(configFolder), format("%d", claim.counterBefore));
}

int32_t raiseOrderCounter(const std::filesystem::path& configFolder, int32_t next) {
    const FileLock lock(lockPath(configFolder));
    const int32_t stored = readCounter(configFolder);
    return next > stored ? moveCounterPast(configFolder, stored, next - 1) : stored;
}

} // namespace dalvex
