#pragma once
// Scripts of editing operations (dalvex-cli's --script FILE, the browser page's edits): a JSON array of
// operations, each read into the EditOp the desktop program's gestures make, and applied through the same
// editor.
#include "project/edit_op.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dalvex {
class Project;
class ProjectEditor;
} // namespace dalvex

namespace dalvex::exchange {

// One operation of a script, its fields checked against the operation's table: every field known, every
// required one present, each of its type, integers within 32 bits.
struct ScriptOperation {
    std::string name;
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::pair<std::string, int64_t>> integers;
    std::vector<std::pair<std::string, double>> reals;
    std::vector<std::pair<std::string, std::vector<int32_t>>> lists;

    std::optional<std::string> text(std::string_view field) const;
    std::optional<int32_t> integer(std::string_view field) const; // also booleans, as 0 and 1
    int32_t number(std::string_view field) const;                 // a required integer
    bool flag(std::string_view field) const;                      // a required boolean
    std::optional<double> real(std::string_view field) const;
    std::optional<std::vector<int32_t>> list(std::string_view field) const;
};

// Reads a whole script. On a fault (not JSON, not an array of objects, an unknown operation or field, a
// missing or mistyped field, an integer outside 32 bits) returns nullopt and tells where in `error`.
std::optional<std::vector<ScriptOperation>> parseScript(std::string_view text, std::string& error);

// The edit an operation of a parsed script names, for the project as it is now (none for an operation no
// script may name); names the catalogue does not know are left null, for the editor to refuse.
std::optional<EditOp> editOp(const ScriptOperation& op, const Project& project);

// Applies the operations in order; a refused one changes nothing, is reported on `err` as
// "dalvex-cli: operation N (NAME) refused", and the script goes on. Returns the number refused.
int applyScript(const std::vector<ScriptOperation>& script, ProjectEditor& editor, std::ostream& err);

} // namespace dalvex::exchange
