// The order journal on 100,000 orders: a search as the window runs it at each pause in typing (the first page
// and the count), and recording one save with its file's bytes including the durable commit.
#include "journal_fixture.h"

#include "catalogue/catalogue.h"
#include "project/project.h"
#include "project/project_files.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace dalvex::bench {
namespace {

// The bytes of a four-door Далвекс order, what a dealer's file is like.
const std::string& orderBytes() {
    static const std::string bytes = [] {
        const Catalogue catalogue{std::filesystem::path(DALVEX_BINARY_DIR)};
        Project project(catalogue, catalogue.configFolder());
        if (const DSSystem* dalvex = catalogue.findSystem("Далвекс")) project.selectSystem(dalvex);
        project.setDoorCount(4);
        return writeSketchBytes(project);
    }();
    return bytes;
}

journal::SqliteJournal* openLarge(benchmark::State& state) {
    static std::unique_ptr<journal::SqliteJournal> opened;
    if (!opened) {
        std::string problem;
        const std::filesystem::path file = largeJournal(orderBytes(), problem);
        auto j = file.empty() ? journal::Outcome<std::unique_ptr<journal::SqliteJournal>>(
                                    journal::JournalStatus{journal::JournalErrc::Failed, problem})
                              : journal::SqliteJournal::open(file);
        if (!j) {
            state.SkipWithError(j.status().message.c_str());
            return nullptr;
        }
        opened = std::move(j.value());
    }
    return opened.get();
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
    journal::SqliteJournal* j = openLarge(state);
    if (!j) return;
    // As the window asks: the first page, and the count up to the "more than" it shows.
    journal::JournalQuery page = journal::textQuery(kSearches[state.range(0)]);
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
    state.SetLabel(std::string("«") + kSearches[state.range(0)] + "»: " +
                   (found > 10000 ? std::string("more than 10000") : std::to_string(found)) + " orders");
}
BENCHMARK(BM_JournalSearch)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

void BM_JournalRecord(benchmark::State& state) {
    journal::SqliteJournal* j = openLarge(state);
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
    state.SetLabel(std::to_string(orderBytes().size()) + " bytes of file, durable commit");
}
BENCHMARK(BM_JournalRecord)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace
} // namespace dalvex::bench
