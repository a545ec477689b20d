#include "edit_script.h"

#include "catalogue/catalogue.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "text/excerpt.h"
#include "text/numbers.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <limits>
#include <map>
#include <ostream>

namespace dalvex::exchange {

namespace {

using nlohmann::json;

enum class FieldType { Integer, Boolean, Real, Text, IntegerList };

struct FieldSpec {
    std::string_view name;
    FieldType type;
    bool required = true;
};

// The material a fill names by its key (as the calc JSON gives it), within a collection when one is named;
// null when there is none, or when the key names materials of more than one collection and none is named.
const Material* materialFor(const Catalogue& catalogue, const std::string& key,
                            const std::optional<std::string>& collection) {
    if (collection) {
        const MaterialCollection* c = catalogue.findCollection(*collection);
        return c ? c->find(key) : nullptr;
    }
    const Material* found = nullptr;
    for (const MaterialCollection& c : catalogue.collections())
        if (const Material* m = c.find(key)) {
            if (found) return nullptr;
            found = m;
        }
    return found;
}

// An operation of a script: its fields, and the EditOp they make. Names the catalogue does not know make an
// operation the editor refuses.
struct OperationForm {
    std::vector<FieldSpec> fields;
    EditOp (*build)(const ScriptOperation& op, const Project& project);
};

// Every operation a script may name.
const std::map<std::string, OperationForm, std::less<>>& operationTable() {
    using T = FieldType;
    using O = ScriptOperation;
    using P = Project;
    static const std::map<std::string, OperationForm, std::less<>> table = {
        {"split",
         {{{"door", T::Integer}, {"insert", T::Integer}, {"position", T::Integer}, {"vertical", T::Boolean}},
          [](const O& o, const P&) -> EditOp {
              return edit::Split{o.number("door"), o.number("insert"), o.number("position"),
                                 o.flag("vertical")};
          }}},
        {"removeDivider",
         {{{"door", T::Integer}, {"divider", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::RemoveDivider{o.number("door"), o.number("divider")};
          }}},
        {"moveDivider",
         {{{"door", T::Integer}, {"divider", T::Integer}, {"position", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::MoveDivider{o.number("door"), o.number("divider"), o.number("position")};
          }}},
        {"moveJoint",
         {{{"door", T::Integer}, {"delta", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::MoveJoint{o.number("door"), o.number("delta")};
          }}},
        {"insertSize",
         {{{"door", T::Integer}, {"divider", T::Integer}, {"size", T::Integer}, {"after", T::Boolean}},
          [](const O& o, const P&) -> EditOp {
              return edit::InsertSize{o.number("door"), o.number("divider"), o.number("size"),
                                      o.flag("after")};
          }}},
        {"pasteDoor",
         {{{"from", T::Integer}, {"to", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::PasteDoor{o.number("from"), o.number("to")};
          }}},
        {"alignDividers",
         {{{"door", T::Integer}, {"vertical", T::Boolean}},
          [](const O& o, const P&) -> EditOp {
              return edit::AlignDividers{o.number("door"), o.flag("vertical")};
          }}},
        {"fill",
         {{{"door", T::Integer},
           {"insert", T::Integer},
           {"material", T::Text},
           {"collection", T::Text, false},
           {"firstDoor", T::Integer, false},
           {"lastDoor", T::Integer, false}},
          [](const O& o, const P& p) -> EditOp {
              // Without firstDoor and lastDoor the picture is fitted to the insert.
              return edit::Fill{o.number("door"), o.number("insert"),
                                materialFor(p.catalogue(), o.text("material").value_or(""), o.text("collection")),
                                o.integer("firstDoor").value_or(-1), o.integer("lastDoor").value_or(-1)};
          }}},
        {"clearMaterial",
         {{{"door", T::Integer}, {"insert", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::ClearMaterial{o.number("door"), o.number("insert")};
          }}},
        {"doorWidths",
         {{{"widths", T::IntegerList}, {"rows", T::IntegerList, false}},
          [](const O& o, const P&) -> EditOp {
              edit::DoorWidths op;
              for (int32_t mm : o.list("widths").value_or(std::vector<int32_t>{}))
                  op.widths.push_back(std::to_string(mm));
              // Rows left out keep the doors' own.
              op.rows = o.list("rows").value_or(std::vector<int32_t>{});
              return op;
          }}},
        {"clearSketch", {{}, [](const O&, const P&) -> EditOp { return edit::ClearSketch{}; }}},
        {"system",
         {{{"name", T::Text}},
          [](const O& o, const P& p) -> EditOp {
              return edit::SelectSystem{p.catalogue().findSystem(o.text("name").value_or(""))};
          }}},
        {"handle",
         {{{"code", T::Text}},
          [](const O& o, const P& p) -> EditOp {
              return edit::SetHandleProfile{p.catalogue().findHandleProfile(o.text("code").value_or(""))};
          }}},
        {"color",
         {{{"name", T::Text}},
          [](const O& o, const P& p) -> EditOp {
              return edit::SetProfileColor{p.catalogue().findColor(o.text("name").value_or(""))};
          }}},
        {"dividerProfile",
         {{{"code", T::Text}},
          [](const O& o, const P& p) -> EditOp {
              return edit::SetDividerProfile{p.catalogue().findDividerProfile(o.text("code").value_or(""))};
          }}},
        {"width",
         {{{"mm", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::SetWidth{tenthsFromMillimetres(o.number("mm"))};
          }}},
        {"height",
         {{{"mm", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::SetHeight{tenthsFromMillimetres(o.number("mm"))};
          }}},
        {"doors",
         {{{"count", T::Integer}},
          [](const O& o, const P&) -> EditOp { return edit::SetDoorCount{o.number("count")}; }}},
        {"chipboard",
         {{{"mm", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::SetChipboardWidth{tenthsFromMillimetres(o.number("mm"))};
          }}},
        {"plinth",
         {{{"mm", T::Integer}},
          [](const O& o, const P&) -> EditOp {
              return edit::SetPlinthHeight{tenthsFromMillimetres(o.number("mm"))};
          }}},
        {"discount",
         {{{"percent", T::Real}},
          [](const O& o, const P&) -> EditOp {
              return edit::SetDiscount{o.real("percent").value_or(-1.0)};
          }}},
        {"toggleOption", {{}, [](const O&, const P&) -> EditOp { return edit::ToggleOption{}; }}},
        {"rollers",
         {{{"entry", T::Text}},
          [](const O& o, const P&) -> EditOp { return edit::ChooseRollers{o.text("entry").value_or("")}; }}},
        {"heightOffset",
         {{{"mm", T::Integer}},
          [](const O& o, const P&) -> EditOp { return edit::SetHeightOffset{o.number("mm")}; }}},
        {"barLength",
         {{{"choice", T::Integer}},
          [](const O& o, const P&) -> EditOp { return edit::ChooseBarLength{o.number("choice")}; }}},
        {"runningProfile", {{}, [](const O&, const P&) -> EditOp { return edit::ToggleRunningProfile{}; }}},
        {"guideProfile", {{}, [](const O&, const P&) -> EditOp { return edit::ToggleGuideProfile{}; }}},
        {"card",
         {{{"customerName", T::Text, false}, {"phone", T::Text, false}, {"address", T::Text, false}},
          [](const O& o, const P& p) -> EditOp {
              // The fields not named keep what the card holds.
              OrderCard card = p.orderCard;
              card.customerName = o.text("customerName").value_or(card.customerName);
              card.phone = o.text("phone").value_or(card.phone);
              card.address = o.text("address").value_or(card.address);
              return edit::SetOrderCard{card};
          }}},
        {"undo", {{}, [](const O&, const P&) -> EditOp { return edit::Undo{}; }}},
        {"redo", {{}, [](const O&, const P&) -> EditOp { return edit::Redo{}; }}},
    };
    return table;
}

bool fitsInt32(const json& v) {
    if (v.is_number_unsigned())
        return v.get<uint64_t>() <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    if (v.is_number_integer()) {
        const int64_t i = v.get<int64_t>();
        return i >= std::numeric_limits<int32_t>::min() && i <= std::numeric_limits<int32_t>::max();
    }
    return false;
}

// Checks one field against its type and stores it; an empty answer when it fits, else what is wrong.
std::string takeField(const FieldSpec& wanted, const json& v, ScriptOperation& op) {
    const std::string name(wanted.name);
    switch (wanted.type) {
    case FieldType::Integer:
        if (!v.is_number_integer()) return "'" + name + "' must be an integer";
        if (!fitsInt32(v)) return "'" + name + "' is outside 32 bits";
        op.integers.emplace_back(name, v.get<int64_t>());
        return {};
    case FieldType::Boolean:
        if (!v.is_boolean()) return "'" + name + "' must be true or false";
        op.integers.emplace_back(name, v.get<bool>() ? 1 : 0);
        return {};
    case FieldType::Real:
        if (!v.is_number()) return "'" + name + "' must be a number";
        op.reals.emplace_back(name, v.get<double>());
        return {};
    case FieldType::Text:
        if (!v.is_string()) return "'" + name + "' must be a text";
        op.texts.emplace_back(name, v.get<std::string>());
        return {};
    case FieldType::IntegerList: {
        if (!v.is_array()) return "'" + name + "' must be an array of integers";
        std::vector<int32_t> values;
        for (const json& item : v) {
            if (!item.is_number_integer()) return "'" + name + "' must be an array of integers";
            if (!fitsInt32(item)) return "'" + name + "' holds a number outside 32 bits";
            values.push_back(static_cast<int32_t>(item.get<int64_t>()));
        }
        op.lists.emplace_back(name, std::move(values));
        return {};
    }
    }
    return {};
}

template <class Value>
std::optional<Value> lookUp(const std::vector<std::pair<std::string, Value>>& fields, std::string_view name) {
    for (const auto& [key, value] : fields)
        if (key == name) return value;
    return std::nullopt;
}

} // namespace

std::optional<std::string> ScriptOperation::text(std::string_view field) const {
    return lookUp(texts, field);
}

std::optional<int32_t> ScriptOperation::integer(std::string_view field) const {
    const std::optional<int64_t> v = lookUp(integers, field);
    return v ? std::optional<int32_t>(static_cast<int32_t>(*v)) : std::nullopt;
}

int32_t ScriptOperation::number(std::string_view field) const {
    return integer(field).value_or(0);
}

bool ScriptOperation::flag(std::string_view field) const {
    return number(field) != 0;
}

std::optional<double> ScriptOperation::real(std::string_view field) const {
    return lookUp(reals, field);
}

std::optional<std::vector<int32_t>> ScriptOperation::list(std::string_view field) const {
    return lookUp(lists, field);
}

std::optional<std::vector<ScriptOperation>> parseScript(std::string_view text, std::string& error) {
    json document;
    try {
        document = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& e) {
        // The parser's message quotes the token it stopped at, which may be the rest of the file.
        error = "script is not JSON: " + excerpt(e.what(), 4 * kExcerptLength);
        return std::nullopt;
    }
    if (!document.is_array()) {
        error = "script must be an array of operations";
        return std::nullopt;
    }
    std::vector<ScriptOperation> script;
    for (size_t k = 0; k < document.size(); ++k) {
        const json& item = document[k];
        const std::string where = "script operation " + std::to_string(k + 1);
        if (!item.is_object()) {
            error = where + ": not an object";
            return std::nullopt;
        }
        const auto op = item.find("op");
        if (op == item.end() || !op->is_string()) {
            error = where + ": 'op' must name the operation";
            return std::nullopt;
        }
        ScriptOperation parsed;
        parsed.name = op->get<std::string>();
        const auto known = operationTable().find(parsed.name);
        if (known == operationTable().end()) {
            error = where + ": unknown operation '" + excerpt(parsed.name) + "'";
            return std::nullopt;
        }
        const std::string named = where + " (" + parsed.name + ")";
        for (const auto& entry : item.items()) {
            // (Named apart: clang 14 cannot capture a structured binding.)
            const std::string& key = entry.key();
            const json& value = entry.value();
            if (key == "op") continue;
            const auto field = std::find_if(known->second.fields.begin(), known->second.fields.end(),
                                            [&key](const FieldSpec& f) { return f.name == key; });
            if (field == known->second.fields.end()) {
                error = named + ": unknown field '" + excerpt(key) + "'";
                return std::nullopt;
            }
            if (std::string fault = takeField(*field, value, parsed); !fault.empty()) {
                error = named + ": " + fault;
                return std::nullopt;
            }
        }
        for (const FieldSpec& f : known->second.fields)
            if (f.required && !item.contains(std::string(f.name))) {
                error = named + ": '" + std::string(f.name) + "' is missing";
                return std::nullopt;
            }
        if (item.contains("firstDoor") != item.contains("lastDoor")) {
            error = named + ": 'firstDoor' and 'lastDoor' come together";
            return std::nullopt;
        }
        script.push_back(std::move(parsed));
    }
    return script;
}

std::optional<EditOp> editOp(const ScriptOperation& op, const Project& project) {
    const auto form = operationTable().find(op.name);
    if (form == operationTable().end()) return std::nullopt;
    return form->second.build(op, project);
}

int applyScript(const std::vector<ScriptOperation>& script, ProjectEditor& editor, std::ostream& err) {
    int refused = 0;
    for (size_t k = 0; k < script.size(); ++k) {
        const std::optional<EditOp> op = editOp(script[k], editor.project());
        if (op && editor.apply(*op).applied) continue;
        err << "dalvex-cli: operation " << k + 1 << " (" << script[k].name << ") refused\n";
        ++refused;
    }
    return refused;
}

} // namespace dalvex::exchange
