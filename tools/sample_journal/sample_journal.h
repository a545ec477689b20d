#pragma once
// A dealer's journal made up for benchmarks and pictures: orders with Russian names, phones written the
// ways people write them, addresses, three years of dates, statuses and payments. The same count gives the
// same journal every time.
#include "journal.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace dalvex::sample {

// Order `number` of a journal whose orders are `spacing` seconds apart from 1 January 2022 on.
inline journal::OrderRecord sampleOrder(int number, int64_t spacing, std::mt19937& random,
                                        const std::string& bytes) {
    static constexpr std::array<const char*, 24> kSurnames = {
        "Иванов",  "Смирнов", "Кузнецов", "Попов",    "Васильев", "Петров",  "Соколов", "Михайлов",
        "Новиков", "Фёдоров", "Морозов",  "Волков",   "Алексеев", "Лебедев", "Семёнов", "Егоров",
        "Павлов",  "Козлов",  "Степанов", "Николаев", "Орлов",    "Андреев", "Макаров", "Никитин"};
    static constexpr std::array<const char*, 12> kNames = {"Александр", "Сергей",  "Дмитрий", "Андрей",
                                                           "Алексей",   "Максим",  "Елена",   "Ольга",
                                                           "Наталья",   "Татьяна", "Ирина",   "Светлана"};
    static constexpr std::array<const char*, 10> kStreets = {
        "ул. Ленина",  "ул. Мира",          "пр. Победы",  "ул. Гагарина",   "ул. Советская",
        "ул. Садовая", "Комсомольский пр.", "ул. Пушкина", "ул. Строителей", "ул. Лесная"};
    static constexpr std::array<const char*, 5> kCities = {"Екатеринбург", "Пермь", "Тюмень", "Челябинск",
                                                           "Курган"};
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const bool female = pick(2) == 1;
    const int nameIndex = female ? 6 + pick(6) : pick(6);
    journal::OrderRecord r;
    char text[64];
    std::snprintf(text, sizeof text, "%05d", number);
    r.card.orderNumber = text;
    r.card.customerName = std::string(kSurnames[static_cast<size_t>(pick(24))]) + (female ? "а " : " ") +
                          kNames[static_cast<size_t>(nameIndex)];
    const int code = 900 + pick(100);
    const int rest = pick(10000000);
    const char* formats[] = {"+7 (%03d) %03d-%02d-%02d", "8 %03d %03d %02d %02d", "8(%03d)%03d-%02d-%02d"};
    std::snprintf(text, sizeof text, formats[pick(3)], code, rest / 10000, rest / 100 % 100, rest % 100);
    r.card.phone = text;
    r.card.address = std::string(kCities[static_cast<size_t>(pick(5))]) + ", " +
                     kStreets[static_cast<size_t>(pick(10))] + ", " + std::to_string(1 + pick(120)) +
                     ", кв. " + std::to_string(1 + pick(200));
    r.card.orderDate = 1640995200 + number * spacing + pick(static_cast<int>(spacing));
    r.card.readyDate = r.card.orderDate + (7 + pick(21)) * 86400;
    r.card.assemblyCost = pick(3) == 0 ? 1500 : 0;
    r.itemsTotal = 2000000 + pick(8000000);
    r.discountPercent = pick(4) == 0 ? 5.0 : 0.0;
    r.grandTotal = r.itemsTotal - static_cast<int32_t>(r.itemsTotal * r.discountPercent / 100) +
                   100 * r.card.assemblyCost;
    r.system = "Далвекс";
    r.handleProfile = "DX01";
    r.color = "Белый глянец";
    r.width = 24000 + pick(16000);
    r.height = 24000 + pick(3000);
    r.doorCount = 2 + pick(3);
    r.filePath = "/home/dealer/Заказы/" + r.card.orderNumber + ".dlx";
    r.fileBytes = bytes;
    r.savedAt = r.card.orderDate;
    return r;
}

// Records orders 1..count in batches (one commit each), then gives some of them a status and a payment.
inline journal::JournalStatus fillSampleJournal(journal::Journal& journal, int count,
                                                const std::string& bytes) {
    std::mt19937 random(20240305);
    std::vector<journal::OrderRecord> batch;
    const int64_t spacing = std::max<int64_t>(60, 3 * 365 * 86400 / std::max(count, 1)); // three years
    for (int n = 1; n <= count; ++n) {
        batch.push_back(sampleOrder(n, spacing, random, bytes));
        if (batch.size() == 2000 || n == count) {
            if (journal::JournalStatus s = journal.recordAll(batch); !s) return s;
            batch.clear();
        }
    }
    // Statuses and payments for the last orders, as a shop has them.
    for (int n = std::max(1, count - 200); n <= count; ++n) {
        const auto status = static_cast<journal::OrderStatus>(random() % journal::kStatusCount);
        if (journal::JournalStatus s = journal.setStatus(n, status, 1700000000 + n, 0); !s) return s;
        if (n % 3 == 0)
            journal.addPayment(
                n, {1000000 + static_cast<int64_t>(random() % 1000000), 1700000000 + n, "Предоплата", {}}, 0);
    }
    return {};
}

} // namespace dalvex::sample
