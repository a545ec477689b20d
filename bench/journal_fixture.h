#pragma once
// The journal the benchmarks measure: 100,000 made-up orders with their file bytes, made once into the build
// folder (a minute or so) and reused by later runs.
#include "sample_journal.h"
#include "sqlite_journal.h"

#include <filesystem>
#include <string>

namespace dalvex::bench {

inline constexpr int kLargeJournalOrders = 100000;

// The journal file; empty (with `problem` set) when it cannot be made.
inline std::filesystem::path largeJournal(const std::string& sketchBytes, std::string& problem) {
    const std::filesystem::path folder =
        std::filesystem::path(DALVEX_BINARY_DIR).parent_path() / "bench-journal";
    const std::filesystem::path file = folder / "journal-100k.sqlite";
    {
        auto opened = journal::SqliteJournal::open(file);
        if (!opened) {
            problem = opened.status().message;
            return {};
        }
        const auto count = opened.value()->count({});
        if (count && *count >= kLargeJournalOrders) return file;
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    auto made = journal::SqliteJournal::open(file);
    if (!made) {
        problem = made.status().message;
        return {};
    }
    if (const journal::JournalStatus s =
            sample::fillSampleJournal(*made.value(), kLargeJournalOrders, sketchBytes);
        !s) {
        problem = s.message;
        return {};
    }
    return file;
}

} // namespace dalvex::bench
