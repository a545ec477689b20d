#include "orders/order_numbers.h"

#include "io/executable_folder.h"
#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "node_skips.h"
#include "self_process.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace dalvex {
namespace {

namespace fs = std::filesystem;

class OrderCounter : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("dalvex-counter-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(folder_, ec);
    }
    void writeCounter(const std::string& text) const {
        std::ofstream(folder_ / "number.txt", std::ios::binary) << text;
    }
    std::string counter() const {
        std::string text;
        if (!readWholeFile(folder_ / "number.txt", text, 64u << 20)) return "<missing>";
        return text;
    }
    // An order saved with `number` (not the one offered).
    void advanceWith(const std::string& number, const fs::path& folder) const {
        claimOrderNumber(folder, number, {});
    }
    void advanceWith(const std::string& number) const { advanceWith(number, folder_); }

    fs::path folder_;
};

TEST_F(OrderCounter, NextNumberFromCounterText) {
    const struct {
        const char* stored;
        const char* expected;
    } cases[] =
        {
            {"43", "00043"},    {"1", "00001"},         {"99999", "99999"},
            {"0", "00001"},     {"-5", "00001"},        {"abc", "00001"},
            {"", "00001"},      {"12a", "00012"},       {"123456", "123456"}, // the whole number is read
            {"7\r\n", "00007"}, {"000000042", "00042"},
        };
    for (const auto& c : cases) {
        writeCounter(c.stored);
        EXPECT_EQ(nextOrderNumber(folder_), c.expected) << "counter \"" << c.stored << "\"";
        EXPECT_EQ(counter(), c.stored) << "reading must not change the counter";
    }
}

TEST_F(OrderCounter, MissingCounterStartsAtOneAndAdvancesToTwo) {
    EXPECT_EQ(nextOrderNumber(folder_), "00001");
    OrderCard card;
    resetOrderCard(card, folder_, 0);
    EXPECT_EQ(card.orderNumber, "00001");
    advanceWith(card.orderNumber);
    EXPECT_EQ(counter(), "2");
    EXPECT_EQ(nextOrderNumber(folder_), "00002");
}

TEST_F(OrderCounter, AdvanceNeverMovesBack) {
    const struct {
        const char* used;
        const char* after;
    } cases[] = {
        {"00043", "44"}, // the offered number
        {"40", "43"},    // an older number typed by hand leaves the counter
        {"120", "121"},  // a newer one moves it on
        {"", "43"},      // an empty number reads as 0
    };
    for (const auto& c : cases) {
        writeCounter("43");
        advanceWith(c.used);
        EXPECT_EQ(counter(), c.after) << "used \"" << c.used << "\"";
    }
}

// Past 99999 the counter keeps counting: no number comes round again.
TEST_F(OrderCounter, KeepsCountingPastFiveDigits) {
    const struct {
        const char* stored;
        const char* offered;
        const char* after;
    } cases[] = {
        {"99999", "99999", "100000"},
        {"100000", "100000", "100001"},
        {"123456", "123456", "123457"},
        {"999999999\n", "999999999", "1000000000"},
    };
    for (const auto& c : cases) {
        writeCounter(c.stored);
        const std::string offered = nextOrderNumber(folder_);
        EXPECT_EQ(offered, c.offered) << "counter \"" << c.stored << "\"";
        EXPECT_EQ(claimOrderNumber(folder_, offered, offered).number, c.offered);
        EXPECT_EQ(counter(), c.after);
        EXPECT_EQ(nextOrderNumber(folder_), c.after);
    }
}

TEST_F(OrderCounter, AdvanceOverABrokenCounterStartsAgain) {
    writeCounter("xyz");
    advanceWith("00001");
    EXPECT_EQ(counter(), "2");
}

TEST_F(OrderCounter, HugeNumberDoesNotOverflow) {
    advanceWith("2147483647999");
    EXPECT_EQ(counter(), "2147483648");
}

TEST_F(OrderCounter, UnwritableCounterIsSkippedSilently) {
    const fs::path missing = folder_ / "no" / "such" / "folder";
    EXPECT_EQ(nextOrderNumber(missing), "00001");
    advanceWith("00005", missing);
    EXPECT_FALSE(fs::exists(missing));

    // A folder in the way of the counter file can be neither read nor replaced.
    fs::create_directory(folder_ / "number.txt");
    EXPECT_EQ(nextOrderNumber(folder_), "00001");
    advanceWith("00005");
    EXPECT_TRUE(fs::is_directory(folder_ / "number.txt"));
}

TEST_F(OrderCounter, ResetStartsANewOrder) {
    writeCounter("43");
    OrderCard card;
    card.orderNumber = "7";
    card.customerName = "Иванов";
    card.address = "ул. Ленина, 1";
    card.phone = "555";
    card.assemblyCost = 1500;
    card.deliveryCost = 300;
    resetOrderCard(card, folder_, 1330905600);
    EXPECT_EQ(card.orderNumber, "00043");
    EXPECT_TRUE(card.customerName.empty());
    EXPECT_TRUE(card.address.empty());
    EXPECT_TRUE(card.phone.empty());
    EXPECT_EQ(card.orderDate, 1330905600);
    EXPECT_EQ(card.readyDate, 1330905600);
    EXPECT_EQ(card.assemblyCost, 0);
    EXPECT_EQ(card.deliveryCost, 0);
    EXPECT_EQ(counter(), "43");

    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    resetOrderCard(card, folder_);
    EXPECT_GE(card.orderDate, before);
    EXPECT_LE(card.orderDate, static_cast<int64_t>(std::time(nullptr)));
    EXPECT_EQ(card.readyDate, card.orderDate);
}

// The two processes of the concurrency test below: this same test binary started again with the folder in
// an environment variable. Run alone it has nothing to do.
constexpr const char* kCounterFolderVariable = "DALVEX_TEST_COUNTER_FOLDER";
constexpr int kTakesPerProcess = 100;

TEST(OrderCounterProcess, TakesNumbers) {
    const char* folder = std::getenv(kCounterFolderVariable);
    if (!folder) GTEST_SKIP() << "started by OrderCounter.TwoProcessesNeverTakeTheSameNumber";
    std::string taken;
    // Each take is a program that offered the counter's number on a new card and now saves the order.
    for (int i = 0; i < kTakesPerProcess; ++i) {
        const std::string offered = nextOrderNumber(pathFromUtf8(folder));
        taken += claimOrderNumber(pathFromUtf8(folder), offered, offered).number + "\n";
    }
    std::ofstream(pathFromUtf8(folder) / ("taken-" + std::to_string(testing::processId()) + ".txt"),
                  std::ios::binary)
        << taken;
}

TEST_F(OrderCounter, TwoProcessesNeverTakeTheSameNumber) {
    DALVEX_SKIP_UNDER_NODE("child processes");
    testing::setChildVariable(kCounterFolderVariable, folder_);
    const auto first = testing::startTests("dalvex_core_tests", "OrderCounterProcess.*");
    const auto second = testing::startTests("dalvex_core_tests", "OrderCounterProcess.*");
    testing::setChildVariable(kCounterFolderVariable, {});
    ASSERT_NE(first, testing::kNoProcess);
    ASSERT_NE(second, testing::kNoProcess);
    EXPECT_EQ(testing::waitFor(first), 0);
    EXPECT_EQ(testing::waitFor(second), 0);

    std::vector<std::string> numbers;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        if (entry.path().filename().string().rfind("taken-", 0) != 0) continue;
        std::string text;
        ASSERT_TRUE(readWholeFile(entry.path(), text, 64u << 20));
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            numbers.push_back(line);
    }
    ASSERT_EQ(numbers.size(), 2u * kTakesPerProcess);
    EXPECT_EQ(std::set<std::string>(numbers.begin(), numbers.end()).size(), numbers.size())
        << "a number twice";
    EXPECT_EQ(counter(), std::to_string(2 * kTakesPerProcess + 1));
}

} // namespace
} // namespace dalvex
