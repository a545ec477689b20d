#include "project/project_editor.h"

#include "project/choice_edits.h"
#include "project/option_edits.h"
#include "project/project.h"
#include "project/sketch_edits.h"

#include <type_traits>

namespace dalvex {

ProjectEditor::ProjectEditor(Project& project) : project_(project) {
    history_.clear();
}

Changes ProjectEditor::apply(const EditOp& op, std::string_view mergeKey) {
    Changes changes;
    if (std::holds_alternative<edit::Undo>(op) || std::holds_alternative<edit::Redo>(op)) {
        changes = std::holds_alternative<edit::Undo>(op) ? history_.undo(EditPass{}, project_)
                                                                : history_.redo(EditPass{}, project_);
        // What was selected may name other items in the state put back.
        if (changes) selection_.clearInsert();
    } else {
        EditTarget target{project_, selection_, claims_, EditPass{}};
        changes = history_.record(EditPass{}, project_, label(op), mergeKey, [&] {
            return std::visit(
                [&](const auto& o) -> Changes {
                    using Op = std::decay_t<decltype(o)>;
                    if constexpr (std::is_same_v<Op, edit::Undo> || std::is_same_v<Op, edit::Redo>)
                        return {};
                    else {
                        // After a choice the door count is one the system offers, in the same step.
                        Changes c = edits::make(target, o);
                        if (c.choices) c |= edits::offerDoorCount(target);
                        return c;
                    }
                },
                op);
        });
    }
    if (changes) announce(changes);
    return changes;
}

void ProjectEditor::announce(const Changes& changes) {
    dropVanished(selection_, project_.sketch);
    if (listener_) listener_(changes);
}

SketchFileResult ProjectEditor::open(const std::filesystem::path& path) {
    return opened(project_.open(EditPass{}, path));
}

SketchFileResult ProjectEditor::openBytes(std::string_view bytes) {
    return opened(project_.openBytes(EditPass{}, bytes));
}

SketchFileResult ProjectEditor::openAsNewOrder(std::string_view bytes) {
    const SketchFileResult result = project_.openBytes(EditPass{}, bytes);
    if (result == kSketchOk) project_.offerNextOrderNumber(EditPass{});
    return opened(result);
}

SketchFileResult ProjectEditor::opened(SketchFileResult result) {
    if (result != kSketchOk) return result;
    selection_ = {};
    history_.clear();
    announce(Changes::everything());
    return result;
}

Changes ProjectEditor::newOrder() {
    project_.newOrderCard(EditPass{});
    history_.clear();
    Changes c;
    c.applied = c.card = c.totals = true;
    announce(c);
    return c;
}

void ProjectEditor::releaseOrderNumber() {
    claims_.release(project_);
}

bool ProjectEditor::selectInsert(int door, int32_t insertId) {
    selection_.insertDoor = door;
    selection_.insertId = insertId;
    dropVanished(selection_, project_.sketch);
    return selection_.hasInsert();
}

void ProjectEditor::clearSelection() {
    selection_.clearInsert();
    selection_.clearDivider();
}

void ProjectEditor::copyDoor(int door) {
    selection_.copiedDoor = door;
}

} // namespace dalvex
