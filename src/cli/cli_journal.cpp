#include "cli_journal.h"

#include "cli_app.h"
#include "journal_export.h"
#include "journal_import.h"
#include "journal_json.h"
#include "journal_place.h"
#include "journal_server.h"
#include "journal_session.h"
#include "sqlite_journal.h"
#include "order_record.h"

#include "catalogue/catalogue.h"
#include "cutting/cutting_settings.h"
#include "files/sketch_link.h"
#include "io/data_folders.h"
#include "io/executable_folder.h"
#include "io/utf8_path.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_files.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <ostream>

namespace dalvex::cli {
namespace {

namespace fs = std::filesystem;
using namespace dalvex::journal;

// What the journal commands were given: the command, its positional arguments and the options.
struct JournalArgs {
    std::string command;
    std::vector<std::string> positional;
    std::map<std::string, std::string> options; // without the leading "--"
};

constexpr std::string_view kOptions[] = {"journal", "data", "status", "from", "to", "search", "date", "grant"};

std::optional<JournalArgs> parse(const std::vector<std::string>& args, std::string& error) {
    JournalArgs a;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) == 0) {
            const std::string name = arg.substr(2);
            if (std::find(std::begin(kOptions), std::end(kOptions), name) == std::end(kOptions)) {
                error = "unknown option " + arg;
                return std::nullopt;
            }
            if (i + 1 >= args.size()) {
                error = "option " + arg + " needs a value";
                return std::nullopt;
            }
            a.options[name] = args[++i];
        } else if (a.command.empty()) {
            a.command = arg;
        } else {
            a.positional.push_back(arg);
        }
    }
    if (a.command.empty()) error = "journal: no command given";
    return a.command.empty() ? std::nullopt : std::optional<JournalArgs>(a);
}

int usage(std::ostream& err, const std::string& message) {
    err << "dalvex-cli: " << message << "\nTry 'dalvex-cli --help' for more information.\n";
    return kExitUsage;
}

// A calendar date, "YYYY-MM-DD" or "DD.MM.YYYY", as the first second of that local day.
std::optional<int64_t> localDayStart(const std::string& text) {
    int y = 0, m = 0, d = 0;
    char tail = 0;
    const bool iso = std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) == 3;
    const bool russian = !iso && std::sscanf(text.c_str(), "%2d.%2d.%4d%c", &d, &m, &y, &tail) == 3;
    if ((!iso && !russian) || y < 1970 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
    std::tm day{};
    day.tm_year = y - 1900;
    day.tm_mon = m - 1;
    day.tm_mday = d;
    day.tm_isdst = -1;
    const std::time_t start = std::mktime(&day);
    if (start == static_cast<std::time_t>(-1) || day.tm_mday != d) return std::nullopt; // 31.02 is no day
    return static_cast<int64_t>(start);
}

// The list's filters from --status a,b --from DATE --to DATE.
std::optional<JournalQuery> queryOf(const JournalArgs& a, std::string text, std::string& error) {
    JournalQuery q;
    q.text = std::move(text);
    if (auto s = a.options.find("status"); s != a.options.end()) {
        std::size_t start = 0;
        while (start <= s->second.size()) {
            const std::size_t comma = s->second.find(',', start);
            const std::string name =
                s->second.substr(start, comma == std::string::npos ? comma : comma - start);
            const std::optional<OrderStatus> status = statusFromText(name);
            if (!status) {
                error = "--status " + name +
                        ": not a status (Расчёт, Заказ, В производстве, Готов, Установлен, "
                        "Отменён)";
                return std::nullopt;
            }
            q.statuses.push_back(*status);
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    for (const char* bound : {"from", "to"}) {
        const auto it = a.options.find(bound);
        if (it == a.options.end()) continue;
        const std::optional<int64_t> day = localDayStart(it->second);
        if (!day) {
            error = std::string("--") + bound + " " + it->second + ": a date such as 2024-03-05 is needed";
            return std::nullopt;
        }
        if (std::string_view(bound) == "from")
            q.from = *day;
        else
            q.to = *day + 86399; // the whole last day
    }
    return q;
}

std::optional<int64_t> orderNumberArg(const std::string& text) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return orderKey(text);
}

int journalFailed(std::ostream& err, const JournalStatus& status) {
    err << "dalvex-cli: " << status.message << "\n";
    return status.code == JournalErrc::NotFound || status.code == JournalErrc::Refused ? kExitUsage
                                                                                       : kExitFile;
}

fs::path dataFolderOf(const JournalArgs& a) {
    const auto it = a.options.find("data");
    return it == a.options.end() ? dataFolder() : pathFromUtf8(it->second);
}

JournalTarget journalTargetOf(const JournalArgs& a, const fs::path& data) {
    const auto it = a.options.find("journal");
    return journalTarget(it == a.options.end() ? std::string() : it->second, data,
                         isPortable(data, a.options.count("data") != 0), configFolderOf(data));
}

int64_t now() {
    return static_cast<int64_t>(std::time(nullptr));
}

// The commands that need the journal open, each with its journal.
int runOpen(const JournalArgs& a, const fs::path& data, JournalSession& session, std::ostream& out,
            std::ostream& err) {
    Journal& journal = *session.journal();
    const std::string& command = a.command;
    const auto& p = a.positional;
    const auto positionals = [&](std::size_t least, std::size_t most) {
        return p.size() >= least && p.size() <= most;
    };
    std::string error;
    if (command == "list" || command == "search" || command == "export") {
        const bool search = command == "search";
        const bool exporting = command == "export";
        if (!positionals(1, 1) && (search || exporting))
            return usage(err, "journal " + command + ": one argument");
        if (command == "list" && !p.empty()) return usage(err, "journal list takes no argument");
        const auto searched = a.options.find("search");
        const std::string text = search                        ? p[0]
                                 : searched != a.options.end() ? searched->second
                                                               : std::string();
        const std::optional<JournalQuery> query = queryOf(a, text, error);
        if (!query) return usage(err, error);
        const auto rows = journal.find(*query);
        if (!rows) return journalFailed(err, rows.status());
        if (!exporting) {
            out << ordersJson(journal.location(), static_cast<int64_t>(rows->size()), *rows);
            return kExitOk;
        }
        if (!writeJournalWorkbook(pathFromUtf8(p[0]), *rows)) {
            err << "Ошибка сохранения файла " << p[0] << "\n";
            return kExitFile;
        }
        return kExitOk;
    }
    if (command == "show" || command == "status" || command == "pay") {
        const bool show = command == "show";
        if (show ? !positionals(1, 1) : command == "status" ? !positionals(2, 2) : !positionals(2, 3))
            return usage(err, "journal " + command + ": wrong number of arguments");
        const std::optional<int64_t> number = orderNumberArg(p[0]);
        if (!number)
            return usage(err, "journal " + command + " " + p[0] + ": an order number (digits) is needed");
        JournalStatus status;
        if (command == "status") {
            const std::optional<OrderStatus> chosen = statusFromText(p[1]);
            if (!chosen) return usage(err, "journal status " + p[1] + ": not a status");
            status = journal.setStatus(*number, *chosen, now(), 0);
        } else if (command == "pay") {
            const std::optional<int64_t> amount = kopecksFromText(p[1]);
            if (!amount || *amount == 0)
                return usage(err, "journal pay " + p[1] + ": an amount in roubles is needed");
            int64_t paidOn = now();
            if (auto d = a.options.find("date"); d != a.options.end()) {
                const std::optional<int64_t> day = localDayStart(d->second);
                if (!day) return usage(err, "--date " + d->second + ": a date such as 2024-03-05 is needed");
                paidOn = *day + 12 * 3600; // noon: the day stays the same in any time zone nearby
            }
            status = journal.addPayment(*number, {*amount, paidOn, p.size() > 2 ? p[2] : std::string(), {}}, 0);
        }
        if (!status) return journalFailed(err, status);
        const auto details = journal.order(*number);
        if (!details) return journalFailed(err, details.status());
        out << orderJson(*details);
        return kExitOk;
    }
    if (command == "import") {
        if (!positionals(1, 1)) return usage(err, "journal import: one folder");
        const Catalogue catalogue(data);
        out << importJson(importFolder(journal, catalogue, pathFromUtf8(p[0]), configFolderOf(data)));
        return kExitOk;
    }
    if (command == "import-link") {
        if (!positionals(1, 1)) return usage(err, "journal import-link: one link");
        const Catalogue catalogue(data);
        const fs::path config = configFolderOf(data);
        // Priced by the shop's cutting settings, as the desk prices it.
        Project project(catalogue, config, loadCuttingSettings(config).settings);
        ProjectEditor editor(project);
        editor.setNumberKeeper(&session);
        // A customer's order is a new order of the shop: the next number, as a save at the desk takes it.
        const std::optional<std::string> bytes = sketchLinkBytes(p[0]);
        const int opened = bytes ? editor.openAsNewOrder(*bytes) : kSketchCannotOpen;
        if (opened != kSketchOk) {
            err << sketchLinkOpenMessage(opened) << "\n";
            return kExitFile;
        }
        editor.apply(edit::ClaimOrderNumber{});
        const auto outcome = session.record(recordOf(project, std::string(), writeSketchBytes(project), now()));
        if (outcome != JournalSession::Recorded::Now) {
            if (const auto message = session.takeRecordMessage(outcome)) err << *message << "\n";
            return kExitJournal;
        }
        const auto details = journal.order(orderKey(project.orderCard.orderNumber));
        if (!details) return journalFailed(err, details.status());
        out << orderJson(*details);
        return kExitOk;
    }
    if (command == "backup") {
        if (!positionals(1, 1)) return usage(err, "journal backup: one file");
        const JournalStatus status = journal.backup(pathFromUtf8(p[0]));
        return status ? kExitOk : journalFailed(err, status);
    }
    if (command == "check") {
        if (!p.empty()) return usage(err, "journal check takes no argument");
        const auto checked = journal.check();
        std::vector<std::string> problems = checked ? *checked : std::vector<std::string>{checked.status().message};
        // Saves kept for a journal that is not this one (gone, or another server) wait in the queue: named.
        for (std::string& waiting : session.waitingElsewhere())
            problems.push_back(std::move(waiting));
        out << checkJson(journal.location(), problems);
        return problems.empty() ? kExitOk : kExitJournal;
    }
    return usage(err, "journal: unknown command '" + command + "'");
}

} // namespace

fs::path configFolderOf(const fs::path& dataFolder) {
    const fs::path user = userConfigFolder();
    return user.empty() ? dataFolder / "config" : configFolderFor(executableFolder(), dataFolder, user / "config");
}

std::string journalUsageText() {
    return "  dalvex-cli journal list [--status S[,S...]] [--from DATE] [--to DATE]\n"
           "                                                  print the journal's orders as JSON\n"
           "  dalvex-cli journal search TEXT [filters]        the orders a number, name, phone or address "
           "finds\n"
           "  dalvex-cli journal show NUMBER                  one order: card, versions, statuses, payments\n"
           "  dalvex-cli journal status NUMBER STATUS         Расчёт, Заказ, \"В производстве\", Готов, "
           "Установлен,\n"
           "                                                  Отменён\n"
           "  dalvex-cli journal pay NUMBER AMOUNT [NOTE] [--date DATE]\n"
           "                                                  a payment in roubles (1500 or 1500,50)\n"
           "  dalvex-cli journal export OUT.xml [--search TEXT] [filters]\n"
           "                                                  the orders as a spreadsheet workbook\n"
           "  dalvex-cli journal import FOLDER                record every .dlx below the folder\n"
           "  dalvex-cli journal import-link URL              record the order a link of the shop's page "
           "carries,\n"
           "                                                  with the next order number\n"
           "  dalvex-cli journal backup FILE                  a copy of the whole journal\n"
           "  dalvex-cli journal check                        the journal's integrity check\n"
           "  dalvex-cli journal migrate [--grant ROLE]       make or update the tables on the server (as their\n"
           "                                                  owner); ROLE, the desks' role, may then use them\n"
           "  dalvex-cli journal copy --to SERVER             copy this desk's journal to the server (again:\n"
           "                                                  nothing twice)\n"
           "  Journal options: --journal FILE or --journal postgresql://... (instead of the usual journal:\n"
           "  config/journal.txt's server, else journal.sqlite), --data DIR; DATE is 2024-03-05 or 05.03.2024.\n";
}

namespace {

// `journal migrate` and `journal copy --to SERVER`: the commands that move a journal onto a server.
int runServerCommand(const JournalArgs& a, const JournalTarget& target, std::ostream& out, std::ostream& err) {
    if (!a.positional.empty()) return usage(err, "journal " + a.command + " takes no argument");
    if (a.command == "migrate") {
        if (target.server.empty())
            return usage(err, "journal migrate: name the server with --journal postgresql://... or config/journal.txt");
        const auto grant = a.options.find("grant");
        const JournalStatus status =
            migrateServerJournal(target.server, grant == a.options.end() ? std::string() : grant->second);
        if (!status) return journalFailed(err, status);
        out << "{\"migrated\":true}\n";
        return kExitOk;
    }
    const auto to = a.options.find("to");
    if (to == a.options.end() || !namesServer(to->second))
        return usage(err, "journal copy: --to postgresql://... names the server");
    if (!target.server.empty()) return usage(err, "journal copy: --journal names this desk's journal file");
    auto from = SqliteJournal::open(target.file);
    if (!from) return journalFailed(err, from.status());
    const Outcome<CopyReport> copied = copyToServer(*from.value(), to->second);
    if (!copied) return journalFailed(err, copied.status());
    out << "{\"orders\":" << copied->orders << ",\"versions\":" << copied->versions << "}\n";
    return kExitOk;
}

} // namespace

int runJournal(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    const std::optional<JournalArgs> a = parse(args, error);
    if (!a) return usage(err, error);
    const fs::path data = dataFolderOf(*a);
    // "--to" is the list's last date, and for copy the server.
    if (a->command == "migrate" || a->command == "copy")
        return runServerCommand(*a, journalTargetOf(*a, data), out, err);
    const JournalTarget target = journalTargetOf(*a, data);
    // Only import-link takes an order number, as a save at the desk does; the other commands leave the
    // counter as the desktop program keeps it. Commands that only read the journal leave the saves waiting
    // for it to a program that records.
    const bool reads = a->command == "list" || a->command == "search" || a->command == "show" ||
                       a->command == "export" || a->command == "check" || a->command == "backup";
    JournalSession session(target, a->command == "import-link" ? configFolderOf(data) : fs::path(),
                           reads ? JournalSession::Use::Reads : JournalSession::Use::Records);
    if (!session.on()) {
        if (a->command == "check") {
            std::vector<std::string> problems{session.offMessage()};
            for (std::string& waiting : session.waitingElsewhere())
                problems.push_back(std::move(waiting));
            out << checkJson(session.location(), problems);
            return kExitJournal;
        }
        err << session.offMessage() << "\n";
        return kExitFile;
    }
    return runOpen(*a, data, session, out, err);
}

bool saveRecorded(const Project& project, const std::string& savedPath, const std::string& chosen,
                  const fs::path& dataFolder, bool dataNamed, std::ostream& err) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(pathFromUtf8(savedPath), ec);
    JournalSession session(
        journalTarget(chosen, dataFolder, isPortable(dataFolder, dataNamed), project.configFolder()), {});
    // A server away is told with the save's outcome below, once.
    if (!session.on() && !session.offline()) err << session.offMessage() << "\n";
    const auto saved = session.save(
        recordOf(project, pathToUtf8(ec ? pathFromUtf8(savedPath) : absolute), writeSketchBytes(project), now()),
        [&] { return project.save(pathFromUtf8(savedPath)) == kSketchOk; });
    if (!saved.written) return false;
    if (const auto message = session.takeRecordMessage(saved.recorded)) err << *message << "\n";
    return true;
}

} // namespace dalvex::cli
