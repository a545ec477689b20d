#pragma once
// The command line of dalvex-cli: a command, its file arguments and the options applied to the project.
#include "orders/workbook.h"

#include <optional>
#include <string>
#include <vector>

namespace dalvex::cli {

enum class Command { Calc, Save, Xml, Csv, CutPlan, Web, Help };

struct CliOptions {
    Command command = Command::Help;
    std::string output; // save, xml, csv: the file to write; web: the site's folder
    // The sketch files to open first (calc takes any number, the others one); none: the default project.
    std::vector<std::string> inputs;
    // The order sent as a link, opened instead of a file.
    std::optional<std::string> link;
    // calc: the number of threads the files are priced on.
    int jobs = 1;
    std::string dataFolder;
    // Options, applied in this order after opening.
    std::optional<std::string> system, handle, color;
    std::optional<std::string> width, height, doors, chipboard, plinth, discount, orderNumber;
    // The script of editing operations applied after the options ("-": standard input).
    std::optional<std::string> script;
    // The cutplan command's kerf and trim in millimetres, for the bars and for the sheets, instead of those
    // of config/cutting.txt.
    std::optional<std::string> kerf, trim, sheetKerf, sheetTrim;
    // save: record the saved file in the journal (the usual one, or --journal FILE, which implies it).
    bool record = false;
    std::string journalFile;
    // Worksheets of the xml command.
    WorkbookSheets sheets{true, true, true, true};
};

// Parses the arguments (without the program name). On bad usage returns nullopt and sets `error`.
std::optional<CliOptions> parseCommandLine(const std::vector<std::string>& args, std::string& error);

// The most threads --jobs takes.
inline constexpr int kMaxJobs = 64;

// The text printed by --help.
std::string usageText();

} // namespace dalvex::cli
