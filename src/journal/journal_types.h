#pragma once
// The journal's plain records: what a save records, a row of the list, an order's whole story, and what the
// list is asked for.
#include "records/order_card.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dalvex::journal {

// The order's life, in the order it usually goes; Cancelled can follow any of them.
enum class OrderStatus : int {
    Estimate = 0, // Расчёт
    Ordered = 1,  // Заказ
    InProduction = 2,
    Ready = 3,
    Installed = 4,
    Cancelled = 5,
};
inline constexpr int kStatusCount = 6;

// "Расчёт", "Заказ", "В производстве", "Готов", "Установлен", "Отменён".
std::string_view statusName(OrderStatus status);
// A status by its Russian name (any letter case) or its key (estimate, order, production, ready, installed,
// cancelled); nothing for anything else.
std::optional<OrderStatus> statusFromText(std::string_view text);
// A status read back from storage; nothing for a value no status has.
std::optional<OrderStatus> statusFromValue(int64_t value);

// One save of an order: its card, totals and choices, and the file with its bytes.
struct OrderRecord {
    OrderCard card;
    double discountPercent = 0.0;
    int32_t itemsTotal = 0; // kopecks
    int32_t grandTotal = 0;
    std::string system;        // the system's display name
    std::string handleProfile; // the handle profile's code; empty without one
    std::string color;         // the colour's name; empty without one
    int32_t width = 0;         // 0.1 mm
    int32_t height = 0;
    int32_t doorCount = 0;
    std::string filePath; // UTF-8
    std::string fileBytes;
    int64_t savedAt = 0; // seconds since 1970-01-01 00:00 UTC
    // The version of the order this save continues (the one the program opened or recorded last): when the
    // order has a later one, made elsewhere, the save is refused. 0: not checked.
    int64_t followsVersion = 0;
    // Names this save wherever it travels: recorded once however often it is sent (empty: not named).
    std::string saveId;
    // A save waiting in a queue: the journal it is meant for (Journal::identity(), or "at " and where the
    // journal was while the program could not learn which it is; empty in queues of earlier programs).
    std::string meantFor;
};

// The key an order is kept under: the integer value of its number's leading digits (0 for none).
int64_t orderKey(std::string_view orderNumber);

// A row of the list.
struct OrderSummary {
    int64_t number = 0;
    std::string numberText; // as on the card
    std::string customer;
    std::string phone;
    std::string address;
    int64_t orderDate = 0;
    int64_t readyDate = 0;
    int32_t grandTotal = 0; // kopecks
    int64_t paid = 0;       // kopecks
    OrderStatus status = OrderStatus::Estimate;
    int64_t savedAt = 0; // the last save
    // Grows with every change of the order (a save, a status, a payment): a change made on what was read
    // before is refused when it has moved.
    int64_t rowVersion = 0;

    int64_t outstanding() const { return int64_t{grandTotal} - paid; }
};

struct VersionInfo {
    int64_t id = 0;
    int64_t savedAt = 0;
    std::string filePath;
    int32_t grandTotal = 0;
    int64_t size = 0;
    std::string saveId; // empty for a save that was not named
    std::string desk;   // the desk's role on a server that made it; empty in a desk's own journal
};

struct StatusChange {
    OrderStatus status = OrderStatus::Estimate;
    int64_t at = 0;
    std::string desk; // as VersionInfo::desk
};

struct Payment {
    int64_t amount = 0; // kopecks
    int64_t paidOn = 0; // seconds since 1970-01-01 00:00 UTC
    std::string note;   // "Предоплата", ...
    std::string desk;   // as VersionInfo::desk; not asked for when a payment is added
};

// An order's whole story: the latest save, every version, every status and every payment, oldest first.
struct OrderDetails {
    OrderSummary summary;
    OrderRecord latest; // without the file's bytes
    std::vector<VersionInfo> versions;
    std::vector<StatusChange> statuses;
    std::vector<Payment> payments;
};

// What the list is asked for: the search text, the statuses shown (none chosen: all), the order date range
// (seconds, both ends included), and the page.
struct JournalQuery {
    std::string text{};
    std::vector<OrderStatus> statuses{};
    std::optional<int64_t> from{};
    std::optional<int64_t> to{};
    int64_t offset = 0;
    int64_t limit = -1; // -1: every row
};

inline JournalQuery textQuery(std::string text) {
    JournalQuery q;
    q.text = std::move(text);
    return q;
}

} // namespace dalvex::journal
