#include "document/edit_typing.h"

#include <QLineEdit>

#include <string>

namespace dalvex::ui {

Changes EditTyping::apply(ProjectEditor& editor, const EditOp& op, const QLineEdit* edit) {
    const std::string key =
        edit ? edit->objectName().toStdString() + ' ' + std::to_string(count_) : std::string();
    applying_ = true;
    const Changes changes = editor.apply(op, key);
    applying_ = false;
    return changes;
}

} // namespace dalvex::ui
