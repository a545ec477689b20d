#include "journal_server.h"

#include "pg_journal.h"

namespace dalvex::journal {

bool serverJournalsBuilt() {
    return true;
}

Outcome<std::unique_ptr<Journal>> openServerJournal(const std::string& conninfo) {
    auto opened = PgJournal::open(conninfo);
    if (!opened) return opened.status();
    return std::unique_ptr<Journal>(std::move(opened.value()));
}

JournalStatus migrateServerJournal(const std::string& conninfo, const std::string& deskRole) {
    return PgJournal::migrate(conninfo, deskRole);
}

Outcome<CopyReport> copyToServer(Journal& from, const std::string& conninfo) {
    auto opened = PgJournal::open(conninfo);
    if (!opened) return opened.status();
    JournalStore& to = *opened.value();
    const auto orders = from.find({});
    if (!orders) return orders.status();
    CopyReport report;
    // Oldest first, so that the server's counter and cards grow as the desk's did.
    for (auto o = orders->rbegin(); o != orders->rend(); ++o) {
        OrderVersions h;
        auto details = from.order(o->number);
        if (!details) return details.status();
        h.details = std::move(details.value());
        for (const VersionInfo& v : h.details.versions) {
            auto bytes = from.versionBytes(o->number, v.id);
            if (!bytes) return bytes.status();
            h.bytes.push_back(std::move(bytes.value()));
        }
        if (JournalStatus s = to.absorb(h); !s) return s;
        ++report.orders;
        report.versions += static_cast<int>(h.bytes.size());
    }
    return report;
}

} // namespace dalvex::journal
