#include "orders/order_numbers.h"

#include "io/atomic_file.h"
#include "text/format.h"
#include "text/numbers.h"

#include <ctime>
#include <fstream>

namespace dalvex {

namespace {

std::filesystem::path counterPath(const std::filesystem::path& configFolder) {
    return configFolder / "number.txt";
}

// Only the first five characters count: the counter serves order numbers up to 99999.
constexpr std::streamsize kCounterChars = 5;

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
    std::ifstream in(counterPath(configFolder), std::ios::binary);
    if (!in) return "00001";
    char head[kCounterChars] = {};
    in.read(head, kCounterChars);
    const int32_t n = readInt(std::string_view(head, static_cast<size_t>(in.gcount())));
    return n > 0 ? format("%05d", n) : std::string("00001");
}

void advanceOrderNumber(const std::filesystem::path& configFolder, const OrderCard& card) {
    const int64_t stored = readInt(nextOrderNumber(configFolder));
    const int64_t used = readInt(card.orderNumber);
    // A number typed by hand below the counter never moves it back.
    if (used < stored) return;
    // A failed write leaves the old counter in place; there is nobody to tell.
    writeFileAtomically(counterPath(configFolder), format("%d", static_cast<long long>(used + 1)));
}

} // namespace dalvex
