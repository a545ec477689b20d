#include "journal_import.h"

#include "order_record.h"

#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_files.h"
#include "text/text_case.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <tuple>
#include <utility>

namespace dalvex::journal {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kImportBatch = 100;

struct Found {
    int64_t changedAt;
    fs::path path;
};

int64_t changedAt(const fs::path& file) {
    std::error_code ec;
    const auto written = fs::last_write_time(file, ec);
    if (ec) return 0;
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

// Every .dlx below `folder` (any letter case), without following links to folders, skipping what cannot be
// read.
std::vector<Found> sketchFilesBelow(const fs::path& folder) {
    std::vector<Found> found;
    std::error_code ec;
    auto it = fs::recursive_directory_iterator(folder, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        if (toLower(pathToUtf8(it->path().extension())) != ".dlx") continue;
        found.push_back({changedAt(it->path()), it->path()});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return std::tie(a.changedAt, a.path) < std::tie(b.changedAt, b.path);
    });
    return found;
}

} // namespace

ImportReport importFolder(Journal& journal, const Catalogue& catalogue, const fs::path& folder,
                          const fs::path& configFolder) {
    ImportReport report;
    // Recorded a batch at a time: one durable commit per batch instead of one per file.
    std::vector<OrderRecord> batch;
    const auto flush = [&] {
        if (batch.empty()) return;
        if (journal.recordAll(batch)) {
            report.recorded += static_cast<int>(batch.size());
        } else {
            // One by one, to name the files the journal refuses.
            for (const OrderRecord& r : batch) {
                const Outcome<int64_t> version = journal.record(r);
                if (version)
                    ++report.recorded;
                else
                    report.failed.push_back(r.filePath + ": " + version.status().message);
            }
        }
        batch.clear();
    };
    for (const Found& file : sketchFilesBelow(folder)) {
        const std::string name = pathToUtf8(file.path);
        std::string bytes;
        // Each file is read into a project of its own: an older file keeps what the project held before.
        Project project(catalogue, configFolder);
        if (!readWholeFile(file.path, bytes, kSketchFileLimit) ||
            ProjectEditor(project).openBytes(bytes) != kSketchOk) {
            report.damaged.push_back(name);
            continue;
        }
        const int64_t number = orderKey(project.orderCard.orderNumber);
        const Outcome<bool> held = journal.holdsVersion(number, bytes);
        const bool inBatch = std::any_of(batch.begin(), batch.end(), [&](const OrderRecord& r) {
            return orderKey(r.card.orderNumber) == number && r.fileBytes == bytes;
        });
        if ((held && *held) || inBatch) {
            ++report.skipped;
            continue;
        }
        if (!held) {
            report.failed.push_back(name + ": " + held.status().message);
            continue;
        }
        batch.push_back(recordOf(project, name, std::move(bytes), file.changedAt));
        if (batch.size() >= kImportBatch) flush();
    }
    flush();
    return report;
}

} // namespace dalvex::journal
