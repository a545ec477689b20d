#include "order_document.h"

#include "files/sketch_file.h"
#include "project/project.h"

#include <QFileInfo>

#include <utility>

namespace dalvex::ui {

OrderDocument::OrderDocument(Project& project, NotificationHub& hub, QObject* parent)
    : QObject(parent), project_(project), hub_(hub), editor_(project) {
    restart();
}

std::string OrderDocument::keyOf(const ProjectState& s) const {
    SketchFileData data;
    data.system = s.calculator;
    data.handleProfile = s.handleProfile;
    data.profileColor = s.profileColor;
    data.dividerProfile = s.dividerProfile;
    data.width = s.width;
    data.height = s.height;
    data.doorCount = s.doorCount;
    data.discountPercent = s.discountPercent;
    data.chipboardWidth = s.chipboardWidth;
    data.plinthHeight = s.plinthHeight;
    data.sketch = s.sketch;
    data.card = s.card;
    std::string key = writeSketchFile(data);
    // The options kept outside the file: every system's and every handle profile's bar length.
    for (const SystemSettings& system : s.systems) {
        key += static_cast<char>(system.noEdgeProfiles);
        key += system.rollerSet ? system.rollerSet->code : std::string();
        key += system.options.pivot.value_or(false) ? 'p' : '-';
        key += std::to_string(system.options.heightOffset.value_or(0));
        key += system.options.mountInside.value_or(false) ? 'i' : '-';
        key += system.options.runningProfile ? system.options.runningProfile->code : std::string();
        key += system.options.guideProfile ? system.options.guideProfile->code : std::string();
    }
    for (uint8_t choice : s.barChoices)
        key += static_cast<char>('0' + choice);
    return key;
}

void OrderDocument::setFilePath(const QString& path) {
    filePath_ = path;
    emit historyChanged();
}

void OrderDocument::markSaved() {
    editor_.markSaved();
    restoredUnsaved_ = false;
    emit historyChanged();
}

void OrderDocument::markRestored() {
    restoredUnsaved_ = true;
    emit historyChanged();
}

QString OrderDocument::title() const {
    const QString program = QStringLiteral("dalvex");
    if (filePath_.isEmpty() && !modified()) return program;
    const QString name = filePath_.isEmpty() ? QStringLiteral("Без имени") : QFileInfo(filePath_).fileName();
    return name + (modified() ? QStringLiteral("*") : QString()) + QStringLiteral(" — ") + program;
}

void OrderDocument::restart() {
    restoredUnsaved_ = false;
    editor_.clearHistory();
    committed_ = captureState(project_);
    committedKey_ = keyOf(committed_);
    committedId_ = editor_.stateId();
    emit historyChanged();
}

void OrderDocument::noteChange() {
    if (restoring_ || editor_.typing()) return;
    ProjectState now = captureState(project_);
    std::string key = keyOf(now);
    if (editor_.stateId() == committedId_ && key != committedKey_) editor_.recordStep(std::move(committed_));
    committed_ = std::move(now);
    committedKey_ = std::move(key);
    committedId_ = editor_.stateId();
    emit historyChanged();
}

void OrderDocument::settle() {
    if (editor_.typing()) editor_.endTyping();
    noteChange();
}

bool OrderDocument::travel(bool forward) {
    noteChange(); // a change not yet recorded is the step to undo first
    const Changes changes = forward ? editor_.redo() : editor_.undo();
    if (!changes.applied) return false;
    committed_ = captureState(project_);
    committedKey_ = keyOf(committed_);
    committedId_ = editor_.stateId();
    // Every panel shows the order afresh, as after opening it.
    restoring_ = true;
    for (Notification n : {Notification::SelectionChanged, Notification::Recalculated,
                           Notification::DiscountReload, Notification::SketchOpened})
        hub_.notify(n);
    restoring_ = false;
    emit historyChanged();
    return true;
}

bool OrderDocument::undo() {
    return travel(false);
}

bool OrderDocument::redo() {
    return travel(true);
}

} // namespace dalvex::ui
