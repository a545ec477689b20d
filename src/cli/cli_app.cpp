#include "cli_app.h"

#include "calc/ds_system.h"
#include "catalogue/catalogue.h"
#include "cli_batch.h"
#include "cli_journal.h"
#include "cli_options.h"
#include "cli_web.h"
#include "cut_plan_json.h"
#include "cutting/cut_plan.h"
#include "cutting/cutting_settings.h"
#include "cutting/sheet_plan.h"
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

// A length option: whole millimetres as typed, set by the editing operation `Op`.
template <class Op>
std::optional<Refusal> applyLength(const std::optional<std::string>& value, const char* option,
                                   ProjectEditor& editor) {
    if (!value) return std::nullopt;
    const auto tenths = typedTenths(*value);
    if (!tenths) return Refusal{std::string(option) + " needs whole millimetres, not '" + *value + "'"};
    if (!editor.apply(Op{*tenths})) return Refusal{std::string(option) + " " + *value + ": value refused"};
    return std::nullopt;
}

// The options as editing operations, in the order the help names them: the editor takes or refuses each as
// the desktop program does, and a refusal is told with what the option asked for. An option that names what
// the order has already is no change, not a refusal.
std::optional<Refusal> applyOptions(const CliOptions& o, ProjectEditor& editor) {
    const Project& project = editor.project();
    const Catalogue& catalogue = project.catalogue();
    if (o.system) {
        const DSSystem* system = catalogue.findSystem(*o.system);
        if (!system) return Refusal{"--system " + *o.system + ": no such system"};
        editor.apply(edit::SelectSystem{system});
    }
    if (o.handle) {
        const HandleProfile* handle = catalogue.findHandleProfile(*o.handle);
        if (!handle || (handle != project.handleProfile && !editor.apply(edit::SetHandleProfile{handle})))
            return Refusal{"--handle " + *o.handle + ": not a handle profile of " + project.calculator->code};
    }
    if (o.color) {
        const ProfileColor* color = catalogue.findColor(*o.color);
        if (!color || (color != project.profileColor && !editor.apply(edit::SetProfileColor{color})))
            return Refusal{"--color " + *o.color + ": not a colour of the handle profile"};
    }
    if (auto r = applyLength<edit::SetWidth>(o.width, "--width", editor)) return r;
    if (auto r = applyLength<edit::SetHeight>(o.height, "--height", editor)) return r;
    if (o.doors) {
        const int n = allDigits(*o.doors) && o.doors->size() < 4 ? readInt(*o.doors) : 0;
        if (n != project.doorCount && !editor.apply(edit::SetDoorCount{n}))
            return Refusal{"--doors " + *o.doors + ": " + project.calculator->code + " offers " +
                           countsText(project.calculator->offeredDoorCounts(project.options)) + " doors"};
    }
    // A system without a plinth refuses both lengths, whatever they say.
    const auto plinthRefusal = [&](std::optional<Refusal> r) {
        if (r && !project.calculator->usesPlinth)
            r = Refusal{project.calculator->code + " has no plinth or chipboard width"};
        return r;
    };
    if (auto r = plinthRefusal(applyLength<edit::SetChipboardWidth>(o.chipboard, "--chipboard", editor)))
        return r;
    if (auto r = plinthRefusal(applyLength<edit::SetPlinthHeight>(o.plinth, "--plinth", editor))) return r;
    if (o.discount) {
        std::string text = *o.discount;
        std::replace(text.begin(), text.end(), ',', '.');
        const bool number = !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos &&
                            std::count(text.begin(), text.end(), '.') <= 1 && text != ".";
        const double percent = number ? readNumber(text) : 0.0;
        if (!number || (percent != project.discountPercent && !editor.apply(edit::SetDiscount{percent})))
            return Refusal{"--discount " + *o.discount + ": a percentage from 0 to 100 is needed"};
    }
    if (o.orderNumber) {
        if (!allDigits(*o.orderNumber) || o.orderNumber->size() > 254)
            return Refusal{"--order-number " + *o.orderNumber + ": digits only"};
        OrderCard card = project.orderCard;
        card.orderNumber = *o.orderNumber;
        editor.apply(edit::SetOrderCard{card});
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

    Project project(in.catalogue, in.config, in.cutting);
    // The file and the options make the order the script starts from: a history of their own, which the
    // script's undo does not reach.
    ProjectEditor setUp(project);
    if (!input.empty() || o.link) {
        // A link that carries no sketch file is refused as a damaged file is.
        const std::optional<std::string> linked = o.link ? sketchLinkBytes(*o.link) : std::nullopt;
        const int opened = !o.link  ? setUp.open(pathFromUtf8(input))
                           : linked ? setUp.openBytes(*linked)
                                    : kSketchCannotOpen;
        if (opened != kSketchOk) {
            err << (o.link ? sketchLinkOpenMessage(opened) : sketchOpenMessage(SketchFileResult(opened), input))
                << "\n";
            return finish(kExitFile);
        }
    }
    if (auto refusal = applyOptions(o, setUp)) return finish(usageError(err, refusal->message));
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
