#include "journal_json.h"

#include "json_writer.h"
#include "project_json.h"

namespace dalvex::cli {

using exchange::JsonWriter;

namespace {

using namespace dalvex::journal;

void writeSummaryFields(JsonWriter& out, const OrderSummary& o) {
    out.key("number").value(o.number);
    out.key("orderNumber").value(o.numberText);
    out.key("customerName").value(o.customer);
    out.key("phone").value(o.phone);
    out.key("address").value(o.address);
    out.key("orderDate").value(o.orderDate);
    out.key("readyDate").value(o.readyDate);
    out.key("grandTotal").value(o.grandTotal);
    out.key("paid").value(o.paid);
    out.key("outstanding").value(o.outstanding());
    out.key("status").value(statusName(o.status));
    out.key("savedAt").value(o.savedAt);
}

// The desk that made a version, status or payment, where the journal knows it (a server's).
void deskOf(JsonWriter& out, const std::string& desk) {
    if (!desk.empty()) out.key("desk").value(desk);
}

void writeTexts(JsonWriter& out, const std::vector<std::string>& texts) {
    out.beginArray();
    for (const std::string& t : texts)
        out.value(t);
    out.endArray();
}

} // namespace

std::string ordersJson(const std::string& journal, int64_t count, const std::vector<OrderSummary>& rows) {
    JsonWriter out;
    out.beginObject();
    out.key("journal").value(journal);
    out.key("count").value(count);
    out.key("orders").beginArray();
    for (const OrderSummary& o : rows) {
        out.beginObject();
        writeSummaryFields(out, o);
        out.endObject();
    }
    out.endArray();
    out.endObject();
    return out.text() + "\n";
}

std::string orderJson(const OrderDetails& d) {
    const OrderRecord& r = d.latest;
    JsonWriter out;
    out.beginObject();
    writeSummaryFields(out, d.summary);
    exchange::writeCard(out, r.card);
    out.key("discountPercent").value(r.discountPercent);
    out.key("itemsTotal").value(r.itemsTotal);
    out.key("system").value(r.system);
    out.key("handleProfile").value(r.handleProfile);
    out.key("profileColor").value(r.color);
    out.key("width").value(r.width);
    out.key("height").value(r.height);
    out.key("doorCount").value(r.doorCount);
    out.key("filePath").value(r.filePath);
    out.key("versions").beginArray();
    for (const VersionInfo& v : d.versions) {
        out.beginObject();
        out.key("id").value(v.id);
        out.key("savedAt").value(v.savedAt);
        out.key("filePath").value(v.filePath);
        out.key("grandTotal").value(v.grandTotal);
        out.key("size").value(v.size);
        deskOf(out, v.desk);
        out.endObject();
    }
    out.endArray();
    out.key("statuses").beginArray();
    for (const StatusChange& s : d.statuses) {
        out.beginObject();
        out.key("status").value(statusName(s.status));
        out.key("at").value(s.at);
        deskOf(out, s.desk);
        out.endObject();
    }
    out.endArray();
    out.key("payments").beginArray();
    for (const Payment& p : d.payments) {
        out.beginObject();
        out.key("amount").value(p.amount);
        out.key("paidOn").value(p.paidOn);
        out.key("note").value(p.note);
        deskOf(out, p.desk);
        out.endObject();
    }
    out.endArray();
    out.endObject();
    return out.text() + "\n";
}

std::string importJson(const ImportReport& report) {
    JsonWriter out;
    out.beginObject();
    out.key("recorded").value(report.recorded);
    out.key("skipped").value(report.skipped);
    out.key("damaged");
    writeTexts(out, report.damaged);
    out.key("failed");
    writeTexts(out, report.failed);
    out.endObject();
    return out.text() + "\n";
}

std::string checkJson(const std::string& journal, const std::vector<std::string>& problems) {
    JsonWriter out;
    out.beginObject();
    out.key("journal").value(journal);
    out.key("ok").value(problems.empty());
    out.key("problems");
    writeTexts(out, problems);
    out.endObject();
    return out.text() + "\n";
}

} // namespace dalvex::cli
