// Recording saves, their versions, the order's statuses and its payments.
#include "journal_test_support.h"

#include <climits>

namespace dalvex::journal {
namespace {

using testing::JournalTest;
using testing::orderRecord;

class Recording : public JournalTest {};

TEST_P(Recording, EverySaveIsAVersionAndTheLatestSaveIsTheOrder) {
    OrderRecord first = orderRecord("00041", "Иванов", "", "", 1700000000, std::string("first\0bytes", 11));
    OrderRecord second = orderRecord("00041", "Иванов Пётр", "8 912", "Пермь", 1700000600, "second bytes");
    second.grandTotal = 1234567;
    second.filePath = "/moved/00041.dlx";
    record(first);
    record(orderRecord("00042", "Петров", "", "", 1700000300));
    record(second);

    const auto details = journal_->order(41);
    ASSERT_TRUE(details) << details.status().message;
    EXPECT_EQ(details->summary.customer, "Иванов Пётр");
    EXPECT_EQ(details->summary.grandTotal, 1234567);
    EXPECT_EQ(details->latest.filePath, "/moved/00041.dlx");
    EXPECT_EQ(details->latest.system, "Далвекс");
    EXPECT_EQ(details->latest.doorCount, 4);
    ASSERT_EQ(details->versions.size(), 2u);
    EXPECT_EQ(details->versions[0].savedAt, 1700000000);
    EXPECT_EQ(details->versions[0].size, 11);
    EXPECT_EQ(details->versions[1].filePath, "/moved/00041.dlx");

    EXPECT_EQ(journal_->versionBytes(41, 0).value(), "second bytes");
    EXPECT_EQ(journal_->versionBytes(41, details->versions[0].id).value(), first.fileBytes);
    EXPECT_EQ(journal_->versionBytes(42, details->versions[0].id).status().code, JournalErrc::NotFound);
    EXPECT_TRUE(journal_->holdsVersion(41, first.fileBytes).value());
    EXPECT_FALSE(journal_->holdsVersion(42, first.fileBytes).value());

    EXPECT_EQ(found(""), (std::vector<int64_t>{42, 41}));
    EXPECT_EQ(journal_->count({}).value(), 2);
    EXPECT_EQ(journal_->order(40).status().code, JournalErrc::NotFound);
}

TEST_P(Recording, StatusesAreKeptWithTheirTimesAndOutliveLaterSaves) {
    record(orderRecord("00007", "Сидоров", "", "", 1000));
    const struct {
        OrderStatus status;
        int64_t at;
    } changes[] = {{OrderStatus::Ordered, 2000},
                   {OrderStatus::Ordered, 2500}, // the same status again is no change
                   {OrderStatus::InProduction, 3000},
                   {OrderStatus::Ready, 4000},
                   {OrderStatus::Installed, 5000}};
    for (const auto& c : changes)
        ASSERT_TRUE(journal_->setStatus(7, c.status, c.at, 0));
    record(orderRecord("00007", "Сидоров", "", "", 6000));

    const auto details = journal_->order(7);
    ASSERT_TRUE(details);
    EXPECT_EQ(details->summary.status, OrderStatus::Installed);
    std::vector<std::pair<OrderStatus, int64_t>> history;
    for (const StatusChange& s : details->statuses)
        history.emplace_back(s.status, s.at);
    EXPECT_EQ(history, (std::vector<std::pair<OrderStatus, int64_t>>{{OrderStatus::Estimate, 1000},
                                                                     {OrderStatus::Ordered, 2000},
                                                                     {OrderStatus::InProduction, 3000},
                                                                     {OrderStatus::Ready, 4000},
                                                                     {OrderStatus::Installed, 5000}}));
    EXPECT_EQ(journal_->setStatus(8, OrderStatus::Ready, 1, 0).code, JournalErrc::NotFound);
}

TEST_P(Recording, PaymentsAddUpAndTheRestIsOutstanding) {
    record(orderRecord("00009")); // grand total 9500,00
    ASSERT_TRUE(journal_->addPayment(9, {300000, 1700000100, "Предоплата", {}}, 0));
    ASSERT_TRUE(journal_->addPayment(9, {150050, 1700000200, "", {}}, 0));
    record(orderRecord("00009")); // a later save keeps what was paid

    const auto details = journal_->order(9);
    ASSERT_TRUE(details);
    EXPECT_EQ(details->summary.paid, 450050);
    EXPECT_EQ(details->summary.outstanding(), 950000 - 450050);
    ASSERT_EQ(details->payments.size(), 2u);
    EXPECT_EQ(details->payments[0].note, "Предоплата");
    EXPECT_EQ(details->payments[1].amount, 150050);
    EXPECT_EQ(journal_->find({}).value().front().paid, 450050);

    EXPECT_EQ(journal_->addPayment(10, {100, 1, "", {}}, 0).code, JournalErrc::NotFound);
    EXPECT_TRUE(journal_->check().value().empty());
}

// A payment is more than nothing and at most 99 999 999,99 руб.; the paid sum never overflows however many
// of the largest come, and stays the sum of the payments.
TEST_P(Recording, PaymentsStayWithinTheirLimits) {
    record(orderRecord("00009"));
    const struct {
        int64_t kopecks;
        bool taken;
    } payments[] = {
        {0, false}, {-100, false}, {INT64_MIN, false}, {9'999'999'999, true}, {10'000'000'000, false},
        {INT64_MAX, false}, {1, true},
    };
    int64_t paid = 0;
    for (const auto& p : payments) {
        EXPECT_EQ(journal_->addPayment(9, {p.kopecks, 1, "", {}}, 0).ok(), p.taken) << p.kopecks;
        if (p.taken) paid += p.kopecks;
    }
    EXPECT_EQ(journal_->order(9).value().summary.paid, paid);
    EXPECT_TRUE(journal_->check().value().empty());
}

// Every value reaches SQL as a bound parameter: texts that would be SQL, or would break a query built
// from text, are kept and read back exactly.
TEST_P(Recording, HostileTextsAreKeptExactly) {
    const std::string hostile[] = {
        "'); DROP TABLE orders; --",  "\"; DELETE FROM versions; --", std::string(10000, 'Z'),
        std::string("до\0после", 14), "NEAR(иван петр) OR * AND \"",  "Robert'); DROP TABLE payments;--",
    };
    int64_t number = 100;
    for (const std::string& text : hostile) {
        OrderRecord r = orderRecord(std::to_string(number), text, text, text, 1700000000, text);
        r.filePath = text;
        record(r);
        ASSERT_TRUE(journal_->addPayment(number, {100, 1, text, {}}, 0));
        const auto details = journal_->order(number);
        ASSERT_TRUE(details) << details.status().message;
        EXPECT_EQ(details->summary.customer, text);
        EXPECT_EQ(details->summary.phone, text);
        EXPECT_EQ(details->latest.filePath, text);
        EXPECT_EQ(details->payments.at(0).note, text);
        EXPECT_EQ(journal_->versionBytes(number, 0).value(), text);
        // Searching for it answers without an error.
        EXPECT_TRUE(journal_->find(textQuery(text))) << text.substr(0, 40);
        ++number;
    }
    EXPECT_EQ(journal_->count({}).value(), 6);
    EXPECT_TRUE(journal_->check().value().empty());
}

// Two desks on one journal: a change made on what a desk read before another desk changed the order is
// refused with the same words everywhere, and leaves the order as the other desk made it.
TEST_P(Recording, AChangeOfAStaleOrderIsRefused) {
    const int64_t first = record(orderRecord("00050", "Морозов"));
    std::unique_ptr<Journal> other = secondDesk();
    ASSERT_TRUE(other);
    const int64_t seen = journal_->order(50).value().summary.rowVersion;
    ASSERT_TRUE(other->setStatus(50, OrderStatus::Ordered, 2000, seen));

    const JournalStatus status = journal_->setStatus(50, OrderStatus::Cancelled, 3000, seen);
    EXPECT_EQ(status.code, JournalErrc::Stale);
    EXPECT_EQ(status.message, "Заказ изменён на другом рабочем месте");
    EXPECT_EQ(journal_->addPayment(50, {500, 3000, "Предоплата", {}}, seen).code, JournalErrc::Stale);
    const int64_t now = journal_->order(50).value().summary.rowVersion;
    EXPECT_TRUE(journal_->addPayment(50, {500, 3000, "Предоплата", {}}, now));

    // A save continues the version its desk opened: after the other desk's save it is refused.
    OrderRecord fromOther = orderRecord("00050", "Морозов И.", "", "", 4000, "other desk");
    fromOther.followsVersion = first;
    ASSERT_TRUE(other->record(fromOther));
    OrderRecord stale = orderRecord("00050", "Морозов П.", "", "", 5000, "this desk");
    stale.followsVersion = first;
    EXPECT_EQ(journal_->record(stale).status().code, JournalErrc::Stale);

    const auto details = journal_->order(50);
    ASSERT_TRUE(details);
    EXPECT_EQ(details->summary.customer, "Морозов И.");
    EXPECT_EQ(details->summary.status, OrderStatus::Ordered);
    EXPECT_EQ(details->summary.paid, 500);
    EXPECT_EQ(details->versions.size(), 2u);
}

// A save sent again (its answer lost with the connection) is recorded once, under the same version.
TEST_P(Recording, ASaveSentTwiceIsRecordedOnce) {
    OrderRecord r = orderRecord("00060");
    r.saveId = "3f2a-desk-2-save-17";
    const int64_t version = record(r);
    EXPECT_EQ(record(r), version);
    r.saveId = "3f2a-desk-2-save-18";
    EXPECT_NE(record(r), version);
    EXPECT_EQ(journal_->order(60).value().versions.size(), 2u);
    EXPECT_EQ(journal_->order(60).value().versions[0].saveId, "3f2a-desk-2-save-17");
}

// A number taken and not used is given back; one an order was saved under meanwhile (its file failed after the
// record) is not, so that no second order ever gets it.
TEST_P(Recording, AGivenBackNumberIsNeverOneAlreadySaved) {
    testing::TempFolder config;
    const auto unused = journal_->claimNumber(config.path(), "00001", "00001");
    ASSERT_TRUE(unused);
    journal_->releaseNumber(config.path(), *unused);
    const auto saved = journal_->claimNumber(config.path(), "00001", "00001");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->number, "00001");
    record(orderRecord("00001"));
    journal_->releaseNumber(config.path(), *saved);
    EXPECT_EQ(journal_->claimNumber(config.path(), "00001", "00001").value().number, "00002");
}

DALVEX_BOTH_BACKENDS(Recording);

} // namespace
} // namespace dalvex::journal
