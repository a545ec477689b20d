#include "cli_app.h"

#include "calc/cut_plan.h"
#include "calc/cutting_settings.h"
#include "calc/ds_system.h"
#include "calc/sheet_plan.h"
#include "catalogue/catalogue.h"
#include "cli_batch.h"
#include "cli_journal.h"
#include "cli_options.h"
#include "cli_web.h"
#include "cut_plan_json.h"
#include "edit_script.h"
#include "files/sketch_file.h"
#include "files/sketch_link.h"
#include "io/data_folders.h"
#include "io/utf8_path.h"
#include "io/whole_file.h"
#include "orders/accounting.h"
#include "orders/workbook.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "project/project_reports.h"
#include "project_json.h"
#include "text/numbers.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <ostream>
#include <sstream>

namespace dalvex::cli {

namespace {

namespace fs = std::filesystem;
using exchange::ScriptOperation;

// The door counts of a list as a sentence: "1, 2 or 4".
std::string countsText(const std::vector<int>& counts) {
    std::string text;
    for (size_t k = 0; k < counts.size(); ++k) {
        if (k > 0) text += k + 1 == counts.size() ? " or " : ", ";
        text += std::to_string(counts[k]);
    }
    return text;
}

// A refused or malformed option value: its message for standard error.
struct Refusal {
    std::string message;
};

bool allDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Millimetres as typed (digits only) to tenths of a millimetre.
std::optional<int32_t> typedTenths(const std::string& text) {
    if (!allDigits(text) || text.size() > 9) return std::nullopt;
    return tenthsFromMillimetres(readInt(text));
}

std::optional<Refusal> applyLength(const std::optional<std::string>& value, const char* option,
                                   bool (Project::*setter)(int32_t), Project& project) {
    if (!value) return std::nullopt;
    const auto tenths = typedTenths(*value);
    if (!tenths) return Refusal{std::string(option) + " needs whole millimetres, not '" + *value + "'"};
    if (!(project.*setter)(*tenths)) return Refusal{std::string(option) + " " + *value + ": value refused"};
    return std::nullopt;
}

std::optional<Refusal> applyOptions(const CliOptions& o, Project& project) {
    const Catalogue& catalogue = project.catalogue();
    if (o.system) {
        const DSSystem* system = catalogue.findSystem(*o.system);
        if (!system) return Refusal{"--system " + *o.system + ": no such system"};
        if (system != project.calculator) project.selectSystem(system);
    }
    if (o.handle) {
        HandleProfile* handle = catalogue.findHandleProfile(*o.handle);
        const auto offered = project.calculator->handleProfiles(project.options);
        if (!handle || std::find(offered.begin(), offered.end(), handle) == offered.end())
            return Refusal{"--handle " + *o.handle + ": not a handle profile of " + project.calculator->code};
        project.setHandleProfile(handle);
    }
    if (o.color) {
        const ProfileColor* color = catalogue.findColor(*o.color);
        if (!color || !project.handleProfile || !project.handleProfile->offers(color))
            return Refusal{"--color " + *o.color + ": not a colour of the handle profile"};
        project.setProfileColor(color);
    }
    if (auto r = applyLength(o.width, "--width", &Project::setWidth, project)) return r;
    if (auto r = applyLength(o.height, "--height", &Project::setHeight, project)) return r;
    if (o.doors) {
        const auto counts = project.calculator->offeredDoorCounts(project.options);
        const int n = allDigits(*o.doors) && o.doors->size() < 4 ? readInt(*o.doors) : 0;
        if (std::find(counts.begin(), counts.end(), n) == counts.end())
            return Refusal{"--doors " + *o.doors + ": " + project.calculator->code + " offers " +
                           countsText(counts) + " doors"};
        project.setDoorCount(n);
    }
    if ((o.chipboard || o.plinth) && !project.calculator->usesPlinth)
        return Refusal{project.calculator->code + " has no plinth or chipboard width"};
    if (auto r = applyLength(o.chipboard, "--chipboard", &Project::setChipboardWidth, project)) return r;
    if (auto r = applyLength(o.plinth, "--plinth", &Project::setPlinthHeight, project)) return r;
    if (o.discount) {
        std::string text = *o.discount;
        std::replace(text.begin(), text.end(), ',', '.');
        const bool number = !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos &&
                            std::count(text.begin(), text.end(), '.') <= 1 && text != ".";
        if (!number || !project.setDiscountPercent(readNumber(text)))
            return Refusal{"--discount " + *o.discount + ": a percentage from 0 to 100 is needed"};
    }
    if (o.orderNumber) {
        if (!allDigits(*o.orderNumber) || o.orderNumber->size() > 254)
            return Refusal{"--order-number " + *o.orderNumber + ": digits only"};
        project.orderCard.orderNumber = *o.orderNumber;
    }
    return std::nullopt;
}

// The cutplan command's --kerf, --trim, --sheet-kerf or --sheet-trim: millimetres as the settings file takes
// them under `key`, into that field of `cutting`.
std::optional<Refusal> applyCuttingLength(const std::optional<std::string>& value, const char* key,
                                          int32_t max, int32_t CuttingSettings::*field,
                                          CuttingSettings& cutting) {
    if (!value) return std::nullopt;
    const bool oneLine = value->find_first_of("\r\n") == std::string::npos;
    const CuttingSettingsRead read = parseCuttingSettings(std::string(key) + " = " + *value);
    if (!oneLine || !read.problems.empty()) {
        std::string option = std::string("--") + key; // the settings file's sheet_kerf is --sheet-kerf
        std::replace(option.begin(), option.end(), '_', '-');
        return Refusal{option + " " + *value + ": millimetres from 0 to " + std::to_string(max / 10) +
                       " are needed"};
    }
    cutting.*field = read.settings.*field;
    return std::nullopt;
}

int usageError(std::ostream& err, const std::string& message) {
    err << "dalvex-cli: " << message << "\nTry 'dalvex-cli --help' for more information.\n";
    return kExitUsage;
}

int cannotWrite(std::ostream& err, const std::string& path) {
    err << "Ошибка сохранения файла " << path << "\n";
    return kExitFile;
}

// What one order is priced with, the same for every file.
struct OrderInputs {
    const Catalogue& catalogue;
    const fs::path& data;
    const fs::path& config; // the counter's and the shop's files
    const CuttingSettings& cutting;
    const std::vector<std::string>& warnings;
    const CliOptions& options;
    const std::vector<ScriptOperation>& script;
};

// One order: the file opened (or the default project), the options and the script applied, the command
// carried out. Standard output and error are gathered, so that orders priced side by side are written whole.
OrderRun runOrder(const OrderInputs& in, const std::string& input) {
    OrderRun run;
    std::ostringstream out;
    std::ostringstream err;
    const CliOptions& o = in.options;
    auto finish = [&](int exit) {
        run.out = out.str();
        run.err = err.str();
        run.exit = exit;
        return run;
    };

    Project project(in.catalogue, in.config);
    project.cutting = in.cutting;
    applyCuttingSettings(project.result, project.cutting);
    if (!input.empty() || o.link) {
        // A link that carries no sketch file is refused as a damaged file is.
        const std::optional<std::string> linked = o.link ? sketchLinkBytes(*o.link) : std::nullopt;
        const int opened = !o.link  ? project.open(pathFromUtf8(input))
                           : linked ? project.openBytes(*linked)
                                    : kSketchCannotOpen;
        if (opened == kSketchNewerVersion) {
            err << "Ошибка открытия файла: версия файла не поддерживается данной программой.\n";
            return finish(kExitFile);
        }
        if (opened != kSketchOk) {
            if (o.link)
                err << kNotASketchLinkMessage << "\n";
            else
                err << "Ошибка открытия файла " << input << "\n";
            return finish(kExitFile);
        }
    }
    if (auto refusal = applyOptions(o, project)) return finish(usageError(err, refusal->message));
    // The history starts with the script.
    ProjectEditor editor(project);
    const int done = exchange::applyScript(in.script, editor, err) == 0 ? kExitOk : kExitRefused;

    switch (o.command) {
    case Command::Calc:
        out << exchange::projectJson(project, in.warnings);
        return finish(done);
    case Command::Save:
        if (o.record ? !saveRecorded(project, o.output, o.journalFile, in.data, !o.dataFolder.empty(), err)
                     : project.save(pathFromUtf8(o.output)) != kSketchOk)
            return finish(cannotWrite(err, o.output));
        return finish(done);
    case Command::Xml:
        return finish(writeWorkbook(pathFromUtf8(o.output), project, o.sheets) ? done
                                                                               : cannotWrite(err, o.output));
    case Command::CutPlan:
        out << cutPlanJson(planArticles(project.result, project.cutting.kerf, project.cutting.trim),
                           project.cutting.kerf, project.cutting.trim,
                           planSheets(project.result, project.cutting));
        return finish(done);
    case Command::Csv:
        return finish(writeAccountingFile(pathFromUtf8(o.output), project) ? done
                                                                           : cannotWrite(err, o.output));
    case Command::Help:
    case Command::Web:
        break;
    }
    return finish(kExitOk);
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && args[0] == "journal") return runJournal(args, out, err);
    std::string error;
    const auto options = parseCommandLine(args, error);
    if (!options) return usageError(err, error);
    if (options->command == Command::Help) {
        out << usageText();
        return kExitOk;
    }
    if (options->command == Command::Web) {
        const fs::path data = options->dataFolder.empty() ? dataFolder() : pathFromUtf8(options->dataFolder);
        return writeSite(pathFromUtf8(options->output), data, err);
    }

    std::vector<ScriptOperation> script;
    if (options->script) {
        std::string text;
        if (*options->script == "-") {
            text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        } else if (!readWholeFile(pathFromUtf8(*options->script), text, kScriptFileLimit)) {
            err << "Ошибка открытия файла " << *options->script << "\n";
            return kExitFile;
        }
        auto parsed = exchange::parseScript(text, error);
        if (!parsed) return usageError(err, error);
        script = std::move(*parsed);
    }

    const fs::path data = options->dataFolder.empty() ? dataFolder() : pathFromUtf8(options->dataFolder);
    std::error_code ec;
    if (!fs::is_directory(data, ec)) return usageError(err, "data folder " + pathToUtf8(data) + " not found");

    const Catalogue catalogue(data);
    const fs::path config = configFolderOf(data);
    const CuttingSettingsRead read = loadCuttingSettings(config);
    // What could not be read is priced without (as the desktop program does), and said.
    std::vector<std::string> warnings = catalogue.priceListWarnings();
    warnings.insert(warnings.end(), read.problems.begin(), read.problems.end());
    for (const std::string& warning : warnings)
        err << "dalvex-cli: " << warning << "\n";
    CuttingSettings cutting = read.settings;
    if (auto r = applyCuttingLength(options->kerf, "kerf", kMaxKerf, &CuttingSettings::kerf, cutting))
        return usageError(err, r->message);
    if (auto r = applyCuttingLength(options->trim, "trim", kMaxTrim, &CuttingSettings::trim, cutting))
        return usageError(err, r->message);
    if (auto r = applyCuttingLength(options->sheetKerf, "sheet_kerf", kMaxKerf, &CuttingSettings::sheetKerf,
                                    cutting))
        return usageError(err, r->message);
    if (auto r = applyCuttingLength(options->sheetTrim, "sheet_trim", kMaxTrim, &CuttingSettings::sheetTrim,
                                    cutting))
        return usageError(err, r->message);

    const OrderInputs inputs{catalogue, data, config, cutting, warnings, *options, script};
    if (options->inputs.size() <= 1) {
        const OrderRun run =
            runOrder(inputs, options->inputs.empty() ? std::string() : options->inputs.front());
        out << run.out;
        err << run.err;
        return run.exit;
    }
    // Many orders on one catalogue: each priced on its own, written in the order the files were named. A
    // file that gives no document leaves "null" in its place.
    int exit = kExitOk;
    runInOrder(
        options->inputs.size(), options->jobs, [&](size_t i) { return runOrder(inputs, options->inputs[i]); },
        [&](const OrderRun& run) {
            out << (run.out.empty() ? std::string("null\n") : run.out);
            err << run.err;
            if (exit == kExitOk) exit = run.exit;
        });
    return exit;
}

} // namespace dalvex::cli
