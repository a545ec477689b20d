#include "project_json.h"

#include "calc/ds_system.h"
#include "json_writer.h"
#include "project/project.h"
#include "records/records.h"

namespace dalvex::exchange {

namespace {

void codeOrNull(JsonWriter& out, const DSItem* item) {
    if (item)
        out.value(item->code);
    else
        out.null();
}

// The chosen system's options: those every system has, then those of its own.
void writeSettings(JsonWriter& out, const DSSystem& system, const OrderOptions& options) {
    const SystemOptions& mine = system.own(options);
    out.key("settings").beginObject();
    out.key("noEdgeProfiles").value(mine.noEdgeProfiles != 0);
    out.key("rollerSet");
    codeOrNull(out, mine.rollerSet);
    switch (system.ownOptions()) {
    case OwnOptions::Pivot:
        out.key("pivot").value(mine.pivot != 0);
        out.key("heightOffset").value(mine.heightOffset);
        break;
    case OwnOptions::Mounting:
        out.key("mountInside").value(mine.mountInside != 0);
        break;
    case OwnOptions::RailProfiles:
        // A profile the records lack is left out, as the systems' rules fall back to their defaults.
        if (mine.runningProfile) out.key("runningProfile").value(mine.runningProfile->code);
        if (mine.guideProfile) out.key("guideProfile").value(mine.guideProfile->code);
        break;
    case OwnOptions::None:
        break;
    }
    out.endObject();
}

void writeDoor(JsonWriter& out, const Door& door) {
    out.beginObject();
    out.key("index").value(door.index);
    out.key("width").value(door.width);
    out.key("height").value(door.height);
    out.key("row").value(door.row);
    out.key("frame").beginArray();
    for (const FrameProfile& side : door.frame) {
        out.beginObject();
        out.key("profile");
        codeOrNull(out, side.profile);
        out.key("cutLength").value(side.cutLength);
        out.key("number").value(side.number);
        out.endObject();
    }
    out.endArray();
    out.key("dividers").beginArray();
    for (const auto& [id, d] : door.dividers) {
        out.beginObject();
        out.key("id").value(id);
        out.key("vertical").value(d.vertical != 0);
        out.key("position").value(d.position);
        out.key("length").value(d.length);
        out.key("cutLength").value(d.cutLength);
        out.key("axis").value(d.axis);
        out.key("startId").value(d.startId);
        out.key("endId").value(d.endId);
        out.key("profile");
        codeOrNull(out, d.profile);
        out.key("number").value(d.number);
        out.endObject();
    }
    out.endArray();
    out.key("inserts").beginArray();
    for (const auto& [id, ins] : door.inserts) {
        out.beginObject();
        out.key("id").value(id);
        out.key("left").value(ins.left);
        out.key("top").value(ins.top);
        out.key("right").value(ins.right);
        out.key("bottom").value(ins.bottom);
        out.key("panelX").value(ins.panelX);
        out.key("panelY").value(ins.panelY);
        out.key("panelWidth").value(ins.panelWidth);
        out.key("panelHeight").value(ins.panelHeight);
        out.key("topId").value(ins.topId);
        out.key("leftId").value(ins.leftId);
        out.key("rightId").value(ins.rightId);
        out.key("bottomId").value(ins.bottomId);
        out.key("material");
        if (ins.material) {
            out.beginObject();
            out.key("collection").value(ins.material->collection);
            out.key("key").value(ins.material->key());
            out.key("code").value(ins.material->code);
            out.endObject();
        } else {
            out.null();
        }
        out.key("thicknessError").value(ins.thicknessError);
        out.key("number").value(ins.number);
        out.key("scaleByDoors").value(ins.scaleByDoors);
        out.key("scaleFirstDoor").value(ins.scaleFirstDoor);
        out.key("scaleLastDoor").value(ins.scaleLastDoor);
        out.endObject();
    }
    out.endArray();
    out.endObject();
}

void writeLines(JsonWriter& out, const CalcResult& r) {
    out.key("articleLines").beginArray();
    for (const ArticleLine& l : r.articleLines) {
        out.beginObject();
        out.key("code").value(l.code);
        out.key("name").value(l.name);
        out.key("barLength").value(l.barLength);
        out.key("quantity").value(l.quantity);
        out.key("amount").value(l.amount);
        out.key("error").value(l.error);
        out.key("wholeBars").value(l.wholeBars);
        out.endObject();
    }
    out.endArray();
    out.key("materialLines").beginArray();
    for (const MaterialLine& l : r.materialLines) {
        out.beginObject();
        out.key("name").value(l.name);
        out.key("description").value(l.description);
        out.key("thickness").value(l.thickness);
        out.key("area").value(l.area);
        out.key("amount").value(l.amount);
        out.key("error").value(l.error);
        out.endObject();
    }
    out.endArray();
    out.key("cutLines").beginArray();
    for (const CutLine& l : r.cutLines) {
        out.beginObject();
        out.key("label").value(l.label);
        out.key("code").value(l.code);
        out.key("name").value(l.name);
        out.key("length").value(l.length);
        out.key("number").value(l.number);
        out.key("doorIndex").value(l.doorIndex);
        out.endObject();
    }
    out.endArray();
    out.key("panelLines").beginArray();
    for (const PanelLine& l : r.panelLines) {
        out.beginObject();
        out.key("label").value(l.label);
        out.key("materialName").value(l.materialName);
        out.key("materialDescription").value(l.materialDescription);
        out.key("height").value(l.height);
        out.key("width").value(l.width);
        out.key("number").value(l.number);
        out.key("doorIndex").value(l.doorIndex);
        out.endObject();
    }
    out.endArray();
    out.key("doorLines").beginArray();
    for (const DoorLine& l : r.doorLines) {
        out.beginObject();
        out.key("doorNumber").value(l.doorNumber);
        out.key("kind").value(l.kind);
        out.key("code").value(l.code);
        out.key("name").value(l.name);
        out.key("number").value(l.number);
        out.endObject();
    }
    out.endArray();
}

} // namespace

void writeCard(JsonWriter& out, const OrderCard& card) {
    out.key("orderCard").beginObject();
    out.key("orderNumber").value(card.orderNumber);
    out.key("customerName").value(card.customerName);
    out.key("address").value(card.address);
    out.key("phone").value(card.phone);
    out.key("orderDate").value(card.orderDate);
    out.key("readyDate").value(card.readyDate);
    out.key("assemblyCost").value(card.assemblyCost);
    out.key("deliveryCost").value(card.deliveryCost);
    out.endObject();
}

std::string projectJson(Project& project, const std::vector<std::string>& warnings) {
    JsonWriter out;
    out.beginObject();
    out.key("system");
    codeOrNull(out, project.calculator);
    out.key("handleProfile");
    codeOrNull(out, project.handleProfile);
    out.key("profileColor");
    codeOrNull(out, project.profileColor);
    out.key("dividerProfile");
    codeOrNull(out, project.dividerProfile);
    out.key("width").value(project.width);
    out.key("height").value(project.height);
    out.key("doorCount").value(project.doorCount);
    out.key("chipboardWidth").value(project.chipboardWidth);
    out.key("plinthHeight").value(project.plinthHeight);
    out.key("discountPercent").value(project.discountPercent);
    if (project.calculator) writeSettings(out, *project.calculator, project.options);

    const DoorSketch& sketch = project.sketch;
    out.key("sketch").beginObject();
    out.key("width").value(sketch.width);
    out.key("height").value(sketch.height);
    out.key("doorCount").value(sketch.doorCount);
    out.key("doorsTotalWidth").value(sketch.doorsTotalWidth);
    out.key("profileCount").value(sketch.profileCount);
    out.endObject();
    out.key("doors").beginArray();
    for (int i = 0; i < sketch.doorCount && i < kMaxDoors; ++i)
        writeDoor(out, sketch.doors[i]);
    out.endArray();

    writeLines(out, project.result);
    writeCard(out, project.orderCard);
    out.key("itemsTotal").value(project.itemsTotal());
    out.key("discountAmount").value(project.discountAmount());
    out.key("grandTotal").value(project.grandTotal());
    out.key("grandTotalText").value(project.grandTotalText());
    out.key("warnings").beginArray();
    for (const std::string& warning : warnings)
        out.value(warning);
    out.endArray();
    out.endObject();
    return out.text() + "\n";
}

} // namespace dalvex::exchange
