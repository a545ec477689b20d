#include "cli_script.h"

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

namespace dalvex::cli {

namespace {

using nlohmann::json;

enum class FieldType { Integer, Boolean, Real, Text, IntegerList };

struct FieldSpec {
    std::string_view name;
    FieldType type;
    bool required = true;
};

// Every operation a script may name, with its fields.
const std::map<std::string, std::vector<FieldSpec>, std::less<>>& operationTable() {
    using T = FieldType;
    static const std::map<std::string, std::vector<FieldSpec>, std::less<>> table = {
        {"split",
         {{"door", T::Integer}, {"insert", T::Integer}, {"position", T::Integer}, {"vertical", T::Boolean}}},
        {"removeDivider", {{"door", T::Integer}, {"divider", T::Integer}}},
        {"moveDivider", {{"door", T::Integer}, {"divider", T::Integer}, {"position", T::Integer}}},
        {"moveJoint", {{"door", T::Integer}, {"delta", T::Integer}}},
        {"insertSize",
         {{"door", T::Integer}, {"divider", T::Integer}, {"size", T::Integer}, {"after", T::Boolean}}},
        {"pasteDoor", {{"from", T::Integer}, {"to", T::Integer}}},
        {"alignDividers", {{"door", T::Integer}, {"vertical", T::Boolean}}},
        {"fill",
         {{"door", T::Integer},
          {"insert", T::Integer},
          {"material", T::Text},
          {"collection", T::Text, false},
          {"firstDoor", T::Integer, false},
          {"lastDoor", T::Integer, false}}},
        {"clearMaterial", {{"door", T::Integer}, {"insert", T::Integer}}},
        {"doorWidths", {{"widths", T::IntegerList}, {"rows", T::IntegerList, false}}},
        {"system", {{"name", T::Text}}},
        {"handle", {{"code", T::Text}}},
        {"color", {{"name", T::Text}}},
        {"dividerProfile", {{"code", T::Text}}},
        {"width", {{"mm", T::Integer}}},
        {"height", {{"mm", T::Integer}}},
        {"doors", {{"count", T::Integer}}},
        {"chipboard", {{"mm", T::Integer}}},
        {"plinth", {{"mm", T::Integer}}},
        {"discount", {{"percent", T::Real}}},
        {"toggleOption", {}},
        {"rollers", {{"entry", T::Text}}},
        {"heightOffset", {{"mm", T::Integer}}},
        {"barLength", {{"choice", T::Integer}}},
        {"undo", {}},
        {"redo", {}},
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

Changes apply(const ScriptOperation& op, ProjectEditor& editor) {
    Project& project = editor.project();
    const Catalogue& catalogue = project.catalogue();
    auto i = [&op](std::string_view f) { return op.integer(f).value_or(0); };
    auto t = [&op](std::string_view f) { return op.text(f).value_or(std::string()); };
    const std::string& n = op.name;
    if (n == "split") return editor.split(i("door"), i("insert"), i("position"), i("vertical") != 0);
    if (n == "removeDivider") return editor.removeDivider(i("door"), i("divider"));
    if (n == "moveDivider") return editor.moveDivider(i("door"), i("divider"), i("position"));
    if (n == "moveJoint") return editor.moveJoint(i("door"), i("delta"));
    if (n == "insertSize") return editor.setInsertSize(i("door"), i("divider"), i("size"), i("after") != 0);
    if (n == "pasteDoor") return editor.pasteDoor(i("from"), i("to"));
    if (n == "alignDividers") return editor.alignDividers(i("door"), i("vertical") != 0);
    if (n == "fill") {
        const Material* m = materialFor(catalogue, t("material"), op.text("collection"));
        if (!m) return {};
        if (op.integer("firstDoor"))
            return editor.fillAcrossDoors(i("door"), i("insert"), m, i("firstDoor"), i("lastDoor"));
        return editor.fill(i("door"), i("insert"), m);
    }
    if (n == "clearMaterial") return editor.clearMaterial(i("door"), i("insert"));
    if (n == "doorWidths") {
        std::vector<std::string> typed;
        for (int32_t mm : op.list("widths").value_or(std::vector<int32_t>{}))
            typed.push_back(std::to_string(mm));
        // Rows left out keep the doors' own.
        return editor.setDoorWidths(typed, op.list("rows").value_or(std::vector<int32_t>{}));
    }
    if (n == "system") return editor.selectSystem(catalogue.findSystem(t("name")));
    if (n == "handle") return editor.setHandleProfile(catalogue.findHandleProfile(t("code")));
    if (n == "color") return editor.setProfileColor(catalogue.findColor(t("name")));
    if (n == "dividerProfile") return editor.setDividerProfile(catalogue.findDividerProfile(t("code")));
    if (n == "width") return editor.setWidth(tenthsFromMillimetres(i("mm")));
    if (n == "height") return editor.setHeight(tenthsFromMillimetres(i("mm")));
    if (n == "doors") return editor.setDoorCount(i("count"));
    if (n == "chipboard") return editor.setChipboardWidth(tenthsFromMillimetres(i("mm")));
    if (n == "plinth") return editor.setPlinthHeight(tenthsFromMillimetres(i("mm")));
    if (n == "discount") return editor.setDiscountPercent(op.real("percent").value_or(-1.0));
    if (n == "toggleOption") return editor.toggleOption();
    if (n == "rollers") return editor.chooseRollerEntry(t("entry"));
    if (n == "heightOffset") return editor.setHeightOffset(i("mm"));
    if (n == "barLength") return editor.chooseBarLength(i("choice"));
    if (n == "undo") return editor.undo();
    if (n == "redo") return editor.redo();
    return {};
}

} // namespace

std::optional<std::string> ScriptOperation::text(std::string_view field) const {
    return lookUp(texts, field);
}

std::optional<int32_t> ScriptOperation::integer(std::string_view field) const {
    const std::optional<int64_t> v = lookUp(integers, field);
    return v ? std::optional<int32_t>(static_cast<int32_t>(*v)) : std::nullopt;
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
        for (const auto& [key, value] : item.items()) {
            if (key == "op") continue;
            const auto field = std::find_if(known->second.begin(), known->second.end(),
                                            [&key](const FieldSpec& f) { return f.name == key; });
            if (field == known->second.end()) {
                error = named + ": unknown field '" + excerpt(key) + "'";
                return std::nullopt;
            }
            if (std::string fault = takeField(*field, value, parsed); !fault.empty()) {
                error = named + ": " + fault;
                return std::nullopt;
            }
        }
        for (const FieldSpec& f : known->second)
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

int applyScript(const std::vector<ScriptOperation>& script, ProjectEditor& editor, std::ostream& err) {
    int refused = 0;
    for (size_t k = 0; k < script.size(); ++k) {
        if (apply(script[k], editor).applied) continue;
        err << "dalvex-cli: operation " << k + 1 << " (" << script[k].name << ") refused\n";
        ++refused;
    }
    return refused;
}

std::string countsText(const std::vector<int>& counts) {
    std::string text;
    for (size_t k = 0; k < counts.size(); ++k) {
        if (k > 0) text += k + 1 == counts.size() ? " or " : ", ";
        text += std::to_string(counts[k]);
    }
    return text;
}

} // namespace dalvex::cli
