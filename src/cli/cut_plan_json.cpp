#include "cut_plan_json.h"

#include "json_writer.h"

namespace dalvex::cli {

namespace {

void writePiece(JsonWriter& out, const PlannedPiece& piece) {
    out.beginObject();
    out.key("label").value(piece.label);
    out.key("length").value(piece.length);
    out.key("doorIndex").value(piece.doorIndex);
    out.endObject();
}

} // namespace

std::string cutPlanJson(const std::vector<ArticlePlan>& plans, int32_t kerf, int32_t trim) {
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
        out.key("error");
        if (plan.error.empty())
            out.null();
        else
            out.value(plan.error);
        out.key("tooLong").beginArray();
        for (const PlannedPiece& piece : plan.tooLong)
            writePiece(out, piece);
        out.endArray();
        out.endObject();
    }
    out.endArray();
    out.endObject();
    return out.text() + "\n";
}

} // namespace dalvex::cli
