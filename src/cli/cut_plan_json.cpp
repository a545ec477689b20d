#include "cut_plan_json.h"

#include "json_writer.h"

namespace dalvex::cli {

using exchange::JsonWriter;

namespace {

void writePiece(JsonWriter& out, const PlannedPiece& piece) {
    out.beginObject();
    out.key("label").value(piece.label);
    out.key("length").value(piece.length);
    out.key("doorIndex").value(piece.doorIndex);
    out.endObject();
}

// A panel as its panel line names it; placed on a sheet, where and which way.
void writePanel(JsonWriter& out, const PlannedPanel& panel, bool placed) {
    out.beginObject();
    out.key("label").value(panel.label);
    out.key("doorIndex").value(panel.doorIndex);
    if (placed) {
        out.key("x").value(panel.x);
        out.key("y").value(panel.y);
    }
    out.key("width").value(panel.width);
    out.key("height").value(panel.height);
    if (placed)
        out.key("rotated").value(panel.rotated);
    else
        out.key("reason").value(panel.reason);
    out.endObject();
}

void writeSheet(JsonWriter& out, const PlannedSheet& sheet) {
    out.beginObject();
    out.key("panels").beginArray();
    for (const PlannedPanel& panel : sheet.panels)
        writePanel(out, panel, true);
    out.endArray();
    out.key("cuts").beginArray();
    for (const SheetCut& cut : sheet.cuts) {
        out.beginObject();
        out.key("stage").value(cut.stage);
        out.key("x").value(cut.x);
        out.key("y").value(cut.y);
        out.key("length").value(cut.length);
        out.key("along").value(cut.alongLength ? "length" : "width");
        out.endObject();
    }
    out.endArray();
    out.key("offcut");
    if (sheet.offcut.length > 0) {
        out.beginObject();
        out.key("x").value(sheet.offcut.x);
        out.key("y").value(sheet.offcut.y);
        out.key("length").value(sheet.offcut.length);
        out.key("width").value(sheet.offcut.width);
        out.endObject();
    } else {
        out.null();
    }
    out.endObject();
}

void writeMaterial(JsonWriter& out, const MaterialSheets& m) {
    out.beginObject();
    out.key("code").value(m.code);
    out.key("name").value(m.name);
    out.key("thickness").value(m.thickness);
    out.key("sheetLength").value(m.sheetLength);
    out.key("sheetWidth").value(m.sheetWidth);
    out.key("kerf").value(m.kerf);
    out.key("trim").value(m.trim);
    out.key("grain").value(m.grain);
    out.key("areaBound").value(m.areaBound);
    out.key("proved").value(m.proved);
    out.key("utilisation").value(m.utilisation());
    out.key("sheets").beginArray();
    for (const PlannedSheet& sheet : m.sheets)
        writeSheet(out, sheet);
    out.endArray();
    // Panels no sheet can give (or all of them when the sheet size is unknown), with the reason; null and
    // empty when every panel is planned.
    out.key("error").textOrNull(m.error.empty() ? nullptr : &m.error);
    out.key("leftOut").beginArray();
    for (const PlannedPanel& panel : m.leftOut)
        writePanel(out, panel, false);
    out.endArray();
    out.endObject();
}

} // namespace

std::string cutPlanJson(const std::vector<ArticlePlan>& plans, int32_t kerf, int32_t trim,
                        const std::vector<MaterialSheets>& sheets) {
    JsonWriter out;
    out.beginObject();
    out.key("kerf").value(kerf);
    out.key("trim").value(trim);
    out.key("articles").beginArray();
    for (const ArticlePlan& plan : plans) {
        out.beginObject();
        out.key("code").value(plan.code);
        out.key("name").value(plan.name);
        out.key("barLength").value(plan.barLength);
        // The bill's own bar count; null for an article it buys by length.
        out.key("billedBars");
        if (plan.byLength)
            out.null();
        else
            out.value(plan.billedBars);
        out.key("bars").beginArray();
        for (const PlannedBar& bar : plan.bars) {
            out.beginObject();
            out.key("pieces").beginArray();
            for (const PlannedPiece& piece : bar.pieces)
                writePiece(out, piece);
            out.endArray();
            out.key("offcut").value(bar.offcut);
            out.endObject();
        }
        out.endArray();
        // Pieces no bar can give, with the bill's message; null and empty when every piece is cut.
        out.key("error").textOrNull(plan.error.empty() ? nullptr : &plan.error);
        out.key("tooLong").beginArray();
        for (const PlannedPiece& piece : plan.tooLong)
            writePiece(out, piece);
        out.endArray();
        out.endObject();
    }
    out.endArray();
    out.key("sheets").beginArray();
    for (const MaterialSheets& m : sheets)
        writeMaterial(out, m);
    out.endArray();
    out.endObject();
    return out.text() + "\n";
}

} // namespace dalvex::cli
