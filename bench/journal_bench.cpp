// The order journal on 100,000 orders, in an SQLite file and on a PostgreSQL server over its Unix socket: a
// search as the window runs it at each pause in typing (the first page and the count), recording one save
// with its file's bytes including the durable commit, and four desks taking numbers and recording at once.
#include "journal_fixture.h"

#include "catalogue/catalogue.h"
#include "orders/order_numbers.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_files.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <mutex>
#include <set>

namespace dalvex::bench {
namespace {

// The bytes of a four-door Далвекс order, what a dealer's file is like.
const std::string& orderBytes() {
    static const std::string bytes = [] {
        const Catalogue catalogue{std::filesystem::path(DALVEX_BINARY_DIR)};
        Project project(catalogue, catalogue.configFolder());
        ProjectEditor editor(project);
        editor.apply(edit::SelectSystem{catalogue.findSystem("Далвекс")});
        editor.apply(edit::SetDoorCount{4});
        return writeSketchBytes(project);
    }();
    return bytes;
}

// The journal of each back end, opened once for the benchmarks that use one desk.
journal::Journal* openLarge(benchmark::State& state, Backend backend) {
    static std::unique_ptr<journal::Journal> opened[2];
    std::unique_ptr<journal::Journal>& j = opened[static_cast<int>(backend)];
    if (!j) {
        auto made = openLargeJournal(backend, orderBytes());
        if (!made) {
            state.SkipWithError(made.status().message.c_str());
            return nullptr;
        }
        j = std::move(made.value());
    }
    return j.get();
}

Backend backendOf(const benchmark::State& state) {
    return static_cast<Backend>(state.range(0));
}

const char* const kSearches[] = {
    "",               // the whole list, newest first
    "иван",           // a common name's prefix: thousands of orders
    "Смирнова Елена", // two words
    "+7 (912) 345",   // a phone as written
    "8 9",            // the shortest phone prefix: most of the journal
    "50000",          // a number
    "ленина 5",       // street and house
    "нет такого",     // nothing
};

void BM_JournalSearch(benchmark::State& state) {
    journal::Journal* j = openLarge(state, backendOf(state));
    if (!j) return;
    // As the window asks: the first page, and the count up to the "more than" it shows.
    journal::JournalQuery page = journal::textQuery(kSearches[state.range(1)]);
    page.limit = 200;
    journal::JournalQuery counting = page;
    counting.limit = 10001;
    int64_t found = 0;
    for (auto _ : state) {
        const auto rows = j->find(page);
        const auto count = j->count(counting);
        if (!rows || !count) {
            state.SkipWithError("the search failed");
            return;
        }
        found = *count;
        benchmark::DoNotOptimize(rows->size());
    }
    state.SetLabel(std::string(backendName(backendOf(state))) + " «" + kSearches[state.range(1)] + "»: " +
                   (found > 10000 ? std::string("more than 10000") : std::to_string(found)) + " orders");
}
// Wall clock: the server's work is done in its own processes.
BENCHMARK(BM_JournalSearch)
    ->ArgsProduct({{0, 1}, benchmark::CreateDenseRange(0, 7, 1)})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_JournalRecord(benchmark::State& state) {
    journal::Journal* j = openLarge(state, backendOf(state));
    if (!j) return;
    std::mt19937 random(7);
    int number = kLargeJournalOrders + 1;
    for (auto _ : state) {
        const journal::OrderRecord r = sample::sampleOrder(number, 900, random, orderBytes());
        // A new order and then a second version of it, in turn.
        if (!j->record(r)) {
            state.SkipWithError("recording failed");
            return;
        }
        number += state.iterations() % 2;
    }
    state.SetLabel(std::string(backendName(backendOf(state))) + ", " + std::to_string(orderBytes().size()) +
                   " bytes of file, durable commit");
}
BENCHMARK(BM_JournalRecord)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(200)->UseRealTime();

// Four desks saving new orders at once on the server, each on a connection and a counter file of its own: a
// number taken from the journal, then the order recorded under it. Every number must come out once and every
// order be recorded. The time is the shop's wall clock per order (a desk waits four times as long for its
// own), items_per_second the shop's orders a second. Not on SQLite: its file serves the programs of one
// computer, and four writers that never pause keep its lock from a waiting one for longer than it waits.
int64_t ordersIn(journal::Journal& j) {
    const auto count = j.count({});
    return count ? *count : -1;
}

struct FourDesks {
    std::set<std::string> numbers;
    int claims = 0;
    int64_t before = 0;
    std::string problem;
};

void BM_JournalFourDesks(benchmark::State& state) {
    static FourDesks desks;
    static std::mutex lock;
    const Backend backend = backendOf(state);
    const std::filesystem::path config = std::filesystem::path(DALVEX_BINARY_DIR).parent_path() / "bench-desks" /
                                         std::to_string(state.thread_index());
    std::error_code ec;
    std::filesystem::create_directories(config, ec);
    std::unique_ptr<journal::Journal> desk;
    {
        std::lock_guard<std::mutex> hold(lock); // the first desk fills the journal when it is new
        auto opened = openLargeJournal(backend, orderBytes());
        if (opened) desk = std::move(opened.value());
        if (state.thread_index() == 0) {
            desks = {};
            desks.before = desk ? ordersIn(*desk) : -1;
        }
    }
    if (!desk) {
        state.SkipWithError("the journal did not open");
        return;
    }
    std::mt19937 random(static_cast<unsigned>(state.thread_index()));
    for (auto _ : state) {
        const std::string offered = nextOrderNumber(config);
        const auto claimed = desk->claimNumber(config, offered, offered);
        journal::OrderRecord r = sample::sampleOrder(kLargeJournalOrders, 900, random, orderBytes());
        if (claimed) r.card.orderNumber = claimed->number;
        const auto recorded = claimed ? desk->record(r) : journal::Outcome<int64_t>(claimed.status());
        std::lock_guard<std::mutex> hold(lock);
        if (!recorded) desks.problem = recorded.status().message;
        desks.numbers.insert(r.card.orderNumber);
        ++desks.claims;
    }
    state.SetItemsProcessed(state.iterations()); // summed over the desks: the shop's orders a second
    if (state.thread_index() != 0) return;
    const int64_t after = ordersIn(*desk);
    std::lock_guard<std::mutex> hold(lock);
    if (desks.problem.empty() && static_cast<int>(desks.numbers.size()) != desks.claims)
        desks.problem = "a number was taken twice";
    if (desks.problem.empty() && after - desks.before != desks.claims) desks.problem = "an order was not recorded";
    if (!desks.problem.empty()) state.SkipWithError(desks.problem.c_str());
    state.SetLabel(std::string(backendName(backend)) + ": " + std::to_string(desks.claims) +
                   " orders, every number once");
}
BENCHMARK(BM_JournalFourDesks)
    ->Arg(static_cast<int>(Backend::Server))
    ->Threads(4)
    ->Iterations(250)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace dalvex::bench
