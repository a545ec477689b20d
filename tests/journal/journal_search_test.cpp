// Finding orders as the user types: names by word prefix in any letter case, phones whatever their writing,
// numbers, and the status and date filters.
#include "journal_test_support.h"

namespace dalvex::journal {
namespace {

using testing::JournalTest;
using testing::orderRecord;

class Search : public JournalTest {
protected:
    void SetUp() override {
        JournalTest::SetUp();
        if (!journal_) return;
        record(orderRecord("00001", "Иванов Пётр", "8 (912) 345-67-89", "ул. Ленина, 5", 1000));
        record(orderRecord("00002", "ЁЛКИН Семён", "+7 343 210-00-11", "Комсомольский пр., 12", 2000));
        record(orderRecord("00003", "иванова Анна", "89123450000; 8 (343) 555-44-33", "ул. Мира 7", 3000));
        record(orderRecord("00120", "Smith John", "2101122", "Lenina st", 4000));
    }
};

TEST_P(Search, FindsByNamePhoneNumberAndAddress) {
    const struct {
        const char* typed;
        std::vector<int64_t> numbers;
    } cases[] = {
        // Names: word prefixes, any letter case, Ё as Е.
        {"иван", {3, 1}},
        {"ИВАНОВ", {3, 1}},
        {"Иванова", {3}},
        {"пётр", {1}},
        {"петр", {1}},
        {"елкин", {2}},
        {"ёлкин", {2}},
        {"семен", {2}},
        {"john", {120}},
        {"ван", {}}, // inside a word is not a prefix
        {"Иванов Пётр", {1}},
        {"иван анна", {3}},
        // Phones, however written.
        {"8 (912) 345-67-89", {1}},
        {"+7 912 345 67 89", {1}},
        {"9123456789", {1}},
        {"912-345", {3, 1}},
        {"89123450000", {3}},
        {"+7 (343) 210", {2}},
        {"8 343 555", {3}},
        {"210 11 22", {120}},
        // Numbers with or without their zeros, and house numbers.
        {"120", {120}},
        {"00120", {120}},
        {"0000", {3, 2, 1}},
        {"1", {120, 2, 1}},
        {"Иванов 5", {1}},
        // Addresses by word, each script its own.
        {"ленин", {1}},
        {"lenina", {120}},
        // Any run of four digits or more within a phone; shorter runs only where a phone begins.
        {"45-67", {1}},
        {"1234567", {1}},
        {"555-44", {3}},
        {"0011", {2}},
        {"567", {}},
        // A blank text: everything; only punctuation or symbols: nothing.
        {"", {120, 3, 2, 1}},
        {"  - ", {}},
        {"*", {}},
        {"'", {}},
        {"%", {}},
        {"\xF0\x9F\x98\x80", {}}, // an emoji
        // Emoji, marks and invisible characters the same on every back end: symbols end a word, marks and
        // invisible characters are left out, й and ё composed as typed.
        {"иван \xF0\x9F\x98\x80", {3, 1}},
        {"иван\xF0\x9F\x98\x80", {3, 1}},
        {"ив\xE2\x80\xAEан", {3, 1}},     // a right-to-left override inside a word
        {"ив\xEF\xBF\xBDан", {3, 1}},     // a replacement character
        {"ив\xE2\x80\x8Bан", {3, 1}},     // a zero-width space
        {"пе\xCC\x88тр", {1}},             // ё made of е and a diaeresis
        {"и\xCC\x86ванов", {}},            // й made of и and a breve is й, not и
        {"иванов\xCC\x81", {3, 1}},        // an accent mark is left out
        {"Smi\xCC\x81th", {120}},           // so is a Latin one
        {"Sm\xC3\xADth", {120}},            // and the accented letter it makes
        {"иван\xFF", {3, 1}},               // a byte that is no UTF-8
        // What would be syntax is only text.
        {"иван*", {3, 1}},
        {"NEAR(иван", {}},
        {"иван OR петр", {}},
        {"\"", {}},
        {"'); DROP TABLE orders; --", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(found(c.typed), c.numbers) << c.typed;
    EXPECT_EQ(journal_->count({}).value(), 4);
    JournalQuery capped; // a window counts no further than it shows
    capped.limit = 2;
    EXPECT_EQ(journal_->count(capped).value(), 2);
}

TEST_P(Search, FiltersByStatusAndDateAndPages) {
    ASSERT_TRUE(journal_->setStatus(1, OrderStatus::Ordered, 5000, 0));
    ASSERT_TRUE(journal_->setStatus(3, OrderStatus::Cancelled, 5000, 0));
    const struct {
        JournalQuery query;
        std::vector<int64_t> numbers;
    } cases[] = {
        {{.statuses = {OrderStatus::Ordered}}, {1}},
        {{.text = "иван", .statuses = {OrderStatus::Ordered, OrderStatus::Cancelled}}, {3, 1}},
        {{.statuses = {OrderStatus::Estimate}}, {120, 2}},
        {{.statuses = {OrderStatus::Ready}}, {}},
        {{.from = 2000, .to = 3000}, {3, 2}},
        {{.from = 2001}, {120, 3}},
        {{.to = 1000}, {1}},
        {{.text = "иван", .from = 2000}, {3}},
        {{.offset = 1, .limit = 2}, {3, 2}},
        {{.offset = 3, .limit = 10}, {1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(found(c.query), c.numbers) << c.query.text;
        JournalQuery all = c.query;
        all.offset = 0;
        all.limit = -1;
        EXPECT_EQ(journal_->count(all).value(), static_cast<int64_t>(found(all).size())) << c.query.text;
    }
}

TEST_P(Search, ASaveWithANewCardIsFoundByItsNewWordsOnly) {
    record(orderRecord("00002", "Кузнецова Мария", "8 900 000-00-00", "", 2000));
    EXPECT_EQ(found("елкин"), std::vector<int64_t>{});
    EXPECT_EQ(found("кузн"), std::vector<int64_t>{2});
    EXPECT_EQ(found("8900"), std::vector<int64_t>{2});
}

DALVEX_BOTH_BACKENDS(Search);

} // namespace
} // namespace dalvex::journal
