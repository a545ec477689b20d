#include "project/project_state.h"

#include "catalogue/catalogue.h"
#include "project/project.h"
#include "project/project_files.h"

namespace dalvex {

ProjectState captureState(const Project& project) {
    ProjectState s;
    s.order = fileDataOf(project);
    const Catalogue& catalogue = project.catalogue();
    for (const DSSystem* system : catalogue.systems())
        s.systems.push_back({system->noEdgeProfiles, system->rollerSet, system->options()});
    for (const HandleProfile* handle : catalogue.handleProfiles())
        s.barChoices.push_back(handle->barChoice);
    return s;
}

void restoreState(Project& project, const ProjectState& s) {
    takeFileData(project, s.order);
    const Catalogue& catalogue = project.catalogue();
    for (size_t i = 0; i < s.systems.size() && i < catalogue.systems().size(); ++i) {
        DSSystem& system = *catalogue.systems()[i];
        system.noEdgeProfiles = s.systems[i].noEdgeProfiles;
        system.rollerSet = s.systems[i].rollerSet;
        system.setOptions(s.systems[i].options);
    }
    for (size_t i = 0; i < s.barChoices.size() && i < catalogue.handleProfiles().size(); ++i)
        catalogue.handleProfiles()[i]->barChoice = s.barChoices[i];
    if (!project.dividerProfile) project.drawDividers = false;
    project.recalculate(true);
}

std::string stateKey(const ProjectState& s) {
    std::string key = writeSketchFile(s.order);
    // The options kept outside the file.
    for (const SystemSettings& system : s.systems) {
        const SystemOptions& o = system.options;
        key += static_cast<char>('0' + system.noEdgeProfiles);
        key += system.rollerSet ? system.rollerSet->code : std::string();
        key += o.pivot.value_or(false) ? 'p' : '-';
        key += std::to_string(o.heightOffset.value_or(0));
        key += o.mountInside.value_or(false) ? 'i' : '-';
        key += o.runningProfile ? o.runningProfile->code : std::string();
        key += o.guideProfile ? o.guideProfile->code : std::string();
        key += ';';
    }
    for (uint8_t choice : s.barChoices)
        key += static_cast<char>('0' + choice);
    return key;
}

} // namespace dalvex
