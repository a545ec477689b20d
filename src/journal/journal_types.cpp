#include "journal_types.h"

#include "search_terms.h"

#include <array>

namespace dalvex::journal {
namespace {

struct StatusNames {
    OrderStatus status;
    std::string_view name;
    std::string_view key;
};

constexpr std::array<StatusNames, kStatusCount> kStatuses = {{
    {OrderStatus::Estimate, "Расчёт", "estimate"},
    {OrderStatus::Ordered, "Заказ", "order"},
    {OrderStatus::InProduction, "В производстве", "production"},
    {OrderStatus::Ready, "Готов", "ready"},
    {OrderStatus::Installed, "Установлен", "installed"},
    {OrderStatus::Cancelled, "Отменён", "cancelled"},
}};

} // namespace

std::string_view statusName(OrderStatus status) {
    for (const StatusNames& s : kStatuses)
        if (s.status == status) return s.name;
    return {};
}

std::optional<OrderStatus> statusFromText(std::string_view text) {
    const std::string folded = foldForSearch(text);
    for (const StatusNames& s : kStatuses)
        if (folded == foldForSearch(s.name) || folded == s.key) return s.status;
    return std::nullopt;
}

std::optional<OrderStatus> statusFromValue(int64_t value) {
    if (value < 0 || value >= kStatusCount) return std::nullopt;
    return static_cast<OrderStatus>(value);
}

int64_t orderKey(std::string_view orderNumber) {
    // As the card reads its number: the leading digits; past 18 digits the key stops growing.
    int64_t key = 0;
    for (char c : orderNumber) {
        if (c < '0' || c > '9') break;
        if (key > 99'999'999'999'999'999) break;
        key = key * 10 + (c - '0');
    }
    return key;
}

} // namespace dalvex::journal
