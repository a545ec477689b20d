#include "cli_options.h"

#include "cli_journal.h"

#include <map>

namespace dalvex::cli {

std::string usageText() {
    return "Usage:\n"
           "  dalvex-cli calc [FILE.dlx...] [options] [--jobs N]\n"
           "                                                  print the project as JSON; several files one\n"
           "                                                  document each, in their order, priced on N "
           "threads\n"
           "  dalvex-cli save OUT.dlx [FILE.dlx] [options]    write the project as a sketch file\n"
           "  dalvex-cli xml OUT.xml [FILE.dlx] [options] [--sheets order,price,profiles,assembly]\n"
           "                                                  write the spreadsheet workbook\n"
           "  dalvex-cli csv OUT.csv [FILE.dlx] [options]     write the file for the 1C accounting software\n"
           "  dalvex-cli cutplan [FILE.dlx] [options] [--kerf MM] [--trim MM] [--sheet-kerf MM] "
           "[--sheet-trim MM]\n"
           "                                                  print the cutting plan of the profile bars and of "
           "the\n"
           "                                                  sheets as JSON (kerfs and trims default to "
           "config/cutting.txt)\n"
           "  dalvex-cli web DIR [--data DATA]                write the shop's web site (the page, its module and\n"
           "                                                  the shop's data) into DIR\n" +
           journalUsageText() +
           "\n"
           "Options (applied in this order after opening FILE, or to the default project):\n"
           "  --system NAME       profile system by its display name (e.g. Борвик)\n"
           "  --handle CODE       handle profile offered by the system (e.g. JB01)\n"
           "  --color NAME        profile colour offered by the handle profile\n"
           "  --width MM          opening width in millimetres\n"
           "  --height MM         opening (or wardrobe) height in millimetres\n"
           "  --doors N           number of doors\n"
           "  --chipboard MM      chipboard width in millimetres\n"
           "  --plinth MM         plinth height in millimetres\n"
           "  --discount PERCENT  discount in per cent (0 to 100)\n"
           "  --order-number N    order number (digits)\n"
           "  --link URL          open the order a link of the web page carries instead of FILE.dlx\n"
           "  --script FILE       a JSON array of editing operations applied after the options (- reads\n"
           "                      standard input)\n"
           "  --data DIR          folder holding profiles/, materials/ and config/ (default: beside the "
           "program)\n"
           "  --record            save: record the saved file in the order journal\n"
           "  --journal FILE      save: record it in this journal file instead of the usual one\n"
           "  --help              this text\n"
           "\n"
           "Exit codes: 0 success, 2 bad usage, a refused value or a malformed script, 3 a file that cannot\n"
           "be opened or written, 4 written after a script operation was refused, 5 the journal's check "
           "found\n"
           "problems.\n";
}

std::optional<CliOptions> parseCommandLine(const std::vector<std::string>& args, std::string& error) {
    CliOptions o;
    if (args.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    const std::map<std::string, Command> commands = {{"calc", Command::Calc},       {"save", Command::Save},
                                                     {"xml", Command::Xml},         {"csv", Command::Csv},
                                                     {"cutplan", Command::CutPlan}, {"web", Command::Web},
                                                     {"--help", Command::Help},
                                                     {"-h", Command::Help},         {"help", Command::Help}};
    const auto found = commands.find(args[0]);
    if (found == commands.end()) {
        error = "unknown command '" + args[0] + "'";
        return std::nullopt;
    }
    o.command = found->second;
    if (o.command == Command::Help) return o;

    const std::map<std::string, std::optional<std::string> CliOptions::*> valued = {
        {"--system", &CliOptions::system},       {"--handle", &CliOptions::handle},
        {"--color", &CliOptions::color},         {"--width", &CliOptions::width},
        {"--height", &CliOptions::height},       {"--doors", &CliOptions::doors},
        {"--chipboard", &CliOptions::chipboard}, {"--plinth", &CliOptions::plinth},
        {"--discount", &CliOptions::discount},   {"--order-number", &CliOptions::orderNumber},
        {"--script", &CliOptions::script}};

    std::vector<std::string> files;
    std::optional<std::string> sheets;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.command = Command::Help;
            return o;
        }
        if (a == "--record" && o.command == Command::Save) {
            o.record = true;
            continue;
        }
        if (a.rfind("--", 0) == 0) {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return std::nullopt;
            }
            const std::string& v = args[++i];
            if (a == "--data") {
                o.dataFolder = v;
            } else if (a == "--link" && o.command != Command::Web) {
                o.link = v;
            } else if (a == "--jobs" && o.command == Command::Calc) {
                const bool digits =
                    !v.empty() && v.size() <= 2 && v.find_first_not_of("0123456789") == std::string::npos;
                o.jobs = digits ? std::stoi(v) : 0;
                if (o.jobs < 1 || o.jobs > kMaxJobs) {
                    error = "--jobs " + v + ": a number of threads from 1 to " + std::to_string(kMaxJobs);
                    return std::nullopt;
                }
            } else if (a == "--journal" && o.command == Command::Save) {
                o.journalFile = v;
                o.record = true;
            } else if (a == "--sheets" && o.command == Command::Xml) {
                sheets = v;
            } else if (a == "--kerf" && o.command == Command::CutPlan) {
                o.kerf = v;
            } else if (a == "--trim" && o.command == Command::CutPlan) {
                o.trim = v;
            } else if (a == "--sheet-kerf" && o.command == Command::CutPlan) {
                o.sheetKerf = v;
            } else if (a == "--sheet-trim" && o.command == Command::CutPlan) {
                o.sheetTrim = v;
            } else if (auto it = valued.find(a); it != valued.end() && o.command != Command::Web) {
                o.*(it->second) = v;
            } else {
                error = "unknown option " + a;
                return std::nullopt;
            }
            continue;
        }
        files.push_back(a);
    }

    const std::size_t outputs = o.command == Command::Calc || o.command == Command::CutPlan ? 0 : 1;
    if (files.size() < outputs) {
        error = "the output file is missing";
        return std::nullopt;
    }
    if (files.size() > outputs + 1 && o.command != Command::Calc) {
        error = "too many file arguments";
        return std::nullopt;
    }
    if (outputs) o.output = files[0];
    o.inputs.assign(files.begin() + static_cast<std::ptrdiff_t>(outputs), files.end());
    if (o.link && !o.inputs.empty()) {
        error = "--link names the order: no FILE.dlx with it";
        return std::nullopt;
    }
    if (o.command == Command::Web && !o.inputs.empty()) {
        error = "too many file arguments";
        return std::nullopt;
    }

    if (sheets) {
        o.sheets = WorkbookSheets{};
        std::size_t start = 0;
        while (start <= sheets->size()) {
            const std::size_t comma = sheets->find(',', start);
            const std::string name =
                sheets->substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (name == "order")
                o.sheets.order = true;
            else if (name == "price")
                o.sheets.price = true;
            else if (name == "profiles")
                o.sheets.profiles = true;
            else if (name == "assembly")
                o.sheets.assembly = true;
            else {
                error = "unknown worksheet '" + name + "' (order, price, profiles, assembly)";
                return std::nullopt;
            }
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    return o;
}

} // namespace dalvex::cli
