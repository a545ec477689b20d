#include "web_session.h"

#include "edit_script.h"
#include "io/atomic_file.h"
#include "io/file_pack.h"
#include "io/utf8_path.h"
#include "json_writer.h"
#include "orders/shop_files.h"
#include "project/project_files.h"
#include "project/project_reports.h"
#include "project_json.h"
#include "view/sketch_gestures.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace dalvex::web {

namespace {

namespace fs = std::filesystem;
using exchange::JsonWriter;

// The resolution the margins of a view are worked out for: the page's CSS pixels.
constexpr int kPageDpi = 96;

void writeRect(JsonWriter& out, const PixelRect& r) {
    out.beginArray();
    out.value(r.left);
    out.value(r.top);
    out.value(r.width());
    out.value(r.height());
    out.endArray();
}

// Where a file of the data folder lies in the pack the page loaded.
std::string packPath(const fs::path& folder, const std::string& path) {
    return pathToUtf8(pathFromUtf8(path).lexically_relative(folder));
}

void writeChoices(JsonWriter& out, const Project& project) {
    const Catalogue& catalogue = project.catalogue();
    out.key("choices").beginObject();
    out.key("systems").beginArray();
    for (const DSSystem* system : catalogue.systems())
        out.value(system->code);
    out.endArray();
    out.key("handles").beginArray();
    if (project.calculator)
        for (const HandleProfile* handle : project.calculator->handleProfiles(project.options)) {
            out.beginObject();
            out.key("code").value(handle->code);
            out.key("name").value(handle->name);
            out.key("asymmetric").value(handle->asymmetric != 0);
            out.endObject();
        }
    out.endArray();
    out.key("colors").beginArray();
    if (project.handleProfile)
        for (const HandleColor& offered : project.handleProfile->colors()) {
            if (!offered.color) continue;
            out.beginObject();
            out.key("name").value(offered.color->code);
            char rgb[8];
            std::snprintf(rgb, sizeof rgb, "#%02x%02x%02x", offered.color->red, offered.color->green,
                          offered.color->blue);
            out.key("rgb").value(rgb);
            out.key("madeToOrder").value(offered.madeToOrder);
            out.endObject();
        }
    out.endArray();
    out.key("doorCounts").beginArray();
    if (project.calculator)
        for (int count : project.calculator->offeredDoorCounts(project.options))
            out.value(count);
    out.endArray();
    out.key("dividerProfiles").beginArray();
    if (project.calculator)
        for (const DividerProfile* divider : project.calculator->dividerProfiles) {
            out.beginObject();
            out.key("code").value(divider->code);
            out.key("name").value(divider->name);
            out.endObject();
        }
    out.endArray();
    const std::optional<bool> fixed =
        project.dividerProfile ? project.dividerProfile->fixedOrientation() : std::nullopt;
    out.key("fixedOrientation");
    if (fixed)
        out.value(*fixed);
    else
        out.null();
    out.key("usesPlinth").value(project.calculator && project.calculator->usesPlinth);
    out.endObject();
}

// The price calculation as the desktop program's table shows it: its sections, row by row.
void writeBill(JsonWriter& out, const Project& project) {
    out.key("bill").beginArray();
    for (const TableSection& section : buildTable(kPriceTable, project)) {
        out.beginObject();
        out.key("fractions").beginArray();
        for (double fraction : section.fractions)
            out.value(fraction);
        out.endArray();
        out.key("rows").beginArray();
        for (int r = 0; r < section.rowCount; ++r) {
            out.beginArray();
            for (int c = 0; c < section.columnCount; ++c) {
                const TableCell& cell = section.cell(c, r);
                out.beginObject();
                out.key("text").value(cell.text);
                out.key("bold").value(cell.bold);
                out.endObject();
            }
            out.endArray();
        }
        out.endArray();
        out.endObject();
    }
    out.endArray();
}

} // namespace

bool WebSession::start(std::string_view pack, const fs::path& folder, std::string& error) {
    if (started()) {
        error = "the shop's data is loaded already";
        return false;
    }
    const std::optional<std::vector<PackedFile>> files = unpackFiles(pack);
    if (!files) {
        error = "the shop's data is damaged";
        return false;
    }
    for (const PackedFile& file : *files) {
        const fs::path path = folder / pathFromUtf8(file.path);
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        if (ec || !writeFileAtomically(path, file.bytes)) {
            error = "the shop's data cannot be unpacked: " + file.path;
            return false;
        }
    }
    catalogue_ = std::make_unique<Catalogue>(folder);
    const fs::path config = catalogue_->configFolder();
    const CuttingSettingsRead cutting = loadCuttingSettings(config);
    warnings_ = catalogue_->priceListWarnings();
    warnings_.insert(warnings_.end(), cutting.problems.begin(), cutting.problems.end());
    shopText_ = shopInfoText(config);
    project_ = std::make_unique<Project>(*catalogue_, config, cutting.settings);
    editor_ = std::make_unique<ProjectEditor>(*project_);
    return true;
}

std::string WebSession::shopJson() const {
    const fs::path folder = catalogue_->programFolder();
    JsonWriter out;
    out.beginObject();
    out.key("text").value(shopText_);
    std::error_code ec;
    const fs::path logo = catalogue_->configFolder() / "logo.jpg";
    out.key("logo");
    if (fs::is_regular_file(logo, ec))
        out.value(packPath(folder, pathToUtf8(logo)));
    else
        out.null();
    out.key("collections").beginArray();
    for (const MaterialCollection& collection : catalogue_->collections()) {
        out.beginObject();
        out.key("name").value(collection.name);
        out.key("materials").beginArray();
        for (const Material& m : collection.materials) {
            out.beginObject();
            out.key("key").value(m.key());
            out.key("code").value(m.code);
            out.key("title").value(m.title());
            out.key("thickness").value(m.thickness);
            out.key("picture").value(packPath(folder, m.picturePath));
            out.endObject();
        }
        out.endArray();
        out.endObject();
    }
    out.endArray();
    out.key("warnings").beginArray();
    for (const std::string& warning : warnings_)
        out.value(warning);
    out.endArray();
    out.endObject();
    return out.text();
}

std::string WebSession::orderJson() const {
    std::string order = exchange::projectJson(*project_, warnings_);
    if (!order.empty() && order.back() == '\n') order.pop_back();
    return order;
}

std::string WebSession::stateJson() const {
    const Project& p = *project_;
    JsonWriter out;
    out.beginObject();
    writeChoices(out, p);
    writeBill(out, p);
    out.key("history").beginObject();
    out.key("canUndo").value(editor_->canUndo());
    out.key("undoLabel").value(editor_->undoLabel());
    out.key("canRedo").value(editor_->canRedo());
    out.key("redoLabel").value(editor_->redoLabel());
    out.endObject();
    // What the page shows of the order, named as in the calc document (which the largest sketch makes a
    // fifth of a megabyte: too much to write and read at every keystroke).
    out.key("order").beginObject();
    out.key("system").textOrNull(p.calculator ? &p.calculator->code : nullptr);
    out.key("handleProfile").textOrNull(p.handleProfile ? &p.handleProfile->code : nullptr);
    out.key("profileColor").textOrNull(p.profileColor ? &p.profileColor->code : nullptr);
    out.key("dividerProfile").textOrNull(p.dividerProfile ? &p.dividerProfile->code : nullptr);
    out.key("width").value(p.width);
    out.key("height").value(p.height);
    out.key("doorCount").value(p.doorCount);
    out.key("chipboardWidth").value(p.chipboardWidth);
    out.key("plinthHeight").value(p.plinthHeight);
    out.key("doors").beginArray();
    for (int d = 0; d < std::clamp(p.sketch.doorCount, 0, kMaxDoors); ++d) {
        out.beginObject();
        out.key("dividers").beginArray();
        for (const auto& [id, divider] : p.sketch.doors[d].dividers) {
            out.beginObject();
            out.key("id").value(id);
            out.key("vertical").value(divider.vertical != 0);
            out.endObject();
        }
        out.endArray();
        out.endObject();
    }
    out.endArray();
    exchange::writeCard(out, p.orderCard);
    out.key("grandTotalText").value(p.grandTotalText());
    out.endObject();
    out.endObject();
    return out.text();
}

std::string WebSession::apply(std::string_view script) {
    std::string error;
    const auto operations = exchange::parseScript(script, error);
    JsonWriter out;
    out.beginObject();
    if (!operations) {
        out.key("error").value(error);
        out.endObject();
        return out.text();
    }
    out.key("applied").beginArray();
    for (const exchange::ScriptOperation& operation : *operations) {
        const std::optional<EditOp> op = exchange::editOp(operation, *project_);
        out.value(op && editor_->apply(*op).applied);
    }
    out.endArray();
    out.endObject();
    return out.text();
}

std::string WebSession::layOut(int width, int height) {
    const DoorSketch& sketch = project_->sketch;
    layout_.currentDoor = -1;
    const view::Placement place =
        view::placeInView(sketch, -1, PixelRect{0, 0, std::max(width, 1), std::max(height, 1)}, kPageDpi);
    view::layOut(layout_, sketch, place.scale, place.origin);
    const int doors = std::clamp(sketch.doorCount, 0, kMaxDoors);
    JsonWriter out;
    out.beginObject();
    out.key("scale").value(place.scale);
    out.key("doors").beginArray();
    for (int d = 0; d < doors; ++d) {
        const view::DoorLayout& door = layout_.doors[static_cast<size_t>(d)];
        const Door& model = sketch.doors[d];
        out.beginObject();
        out.key("rect");
        writeRect(out, door.rect);
        out.key("frame").beginArray();
        for (const PixelRect& side : door.frame)
            writeRect(out, side);
        out.endArray();
        out.key("dividers").beginArray();
        for (const auto& [id, rect] : door.dividers) {
            out.beginObject();
            out.key("id").value(id);
            out.key("rect");
            writeRect(out, rect);
            out.endObject();
        }
        out.endArray();
        out.key("inserts").beginArray();
        for (const auto& [id, rect] : door.inserts) {
            const auto found = model.inserts.find(id);
            if (found == model.inserts.end()) continue;
            const Insert& insert = found->second;
            out.beginObject();
            out.key("id").value(id);
            out.key("rect");
            writeRect(out, rect);
            out.key("thicknessError").value(insert.thicknessError);
            out.key("material");
            if (insert.material) {
                const view::PicturePlacement picture =
                    view::placePicture(insert, rect, d, layout_.table, sketch.doorCount);
                out.beginObject();
                out.key("collection").value(insert.material->collection);
                out.key("key").value(insert.material->key());
                out.key("picture").beginArray();
                out.value(picture.width);
                out.value(picture.height);
                out.value(picture.sourceX);
                out.value(picture.sourceY);
                out.endArray();
                out.endObject();
            } else {
                out.null();
            }
            out.endObject();
        }
        out.endArray();
        out.endObject();
    }
    out.endArray();
    out.endObject();
    return out.text();
}

std::string WebSession::hitAt(int x, int y) {
    const DoorSketch& sketch = project_->sketch;
    const PixelPoint p{x, y};
    JsonWriter out;
    out.beginObject();
    out.key("insert");
    if (const view::ItemAt insert = view::insertAt(layout_, sketch, p)) {
        out.beginObject();
        out.key("door").value(insert.door);
        out.key("id").value(insert.id);
        const view::SplitPlace across = view::splitPlace(layout_, sketch, p, false);
        const view::SplitPlace along = view::splitPlace(layout_, sketch, p, true);
        out.key("across").value(across.position);
        out.key("along").value(along.position);
        out.endObject();
    } else {
        out.null();
    }
    out.key("divider");
    if (const view::ItemAt divider = view::dividerAt(layout_, sketch, p)) {
        out.beginObject();
        out.key("door").value(divider.door);
        out.key("id").value(divider.id);
        out.endObject();
    } else {
        out.null();
    }
    out.endObject();
    return out.text();
}

std::string WebSession::fileBytes() const {
    // Nothing rather than a file that would never open again.
    return sketchFileCanHold(project_->sketch) ? writeSketchBytes(*project_) : std::string();
}

SketchFileResult WebSession::openBytes(std::string_view bytes) {
    return editor_->openBytes(bytes);
}

} // namespace dalvex::web
