#include "project/project_state.h"

#include "catalogue/catalogue.h"
#include "project/project.h"

namespace dalvex {

ProjectState captureState(const Project& project) {
    ProjectState s;
    s.calculator = project.calculator;
    s.handleProfile = project.handleProfile;
    s.profileColor = project.profileColor;
    s.dividerProfile = project.dividerProfile;
    s.width = project.width;
    s.height = project.height;
    s.doorCount = project.doorCount;
    s.discountPercent = project.discountPercent;
    s.chipboardWidth = project.chipboardWidth;
    s.plinthHeight = project.plinthHeight;
    s.sketch = project.sketch;
    s.card = project.orderCard;
    const Catalogue& catalogue = project.catalogue();
    for (const DSSystem* system : catalogue.systems())
        s.systems.push_back({system->noEdgeProfiles, system->rollerSet, system->options()});
    for (const HandleProfile* handle : catalogue.handleProfiles())
        s.barChoices.push_back(handle->barChoice);
    return s;
}

void restoreState(Project& project, const ProjectState& s) {
    project.calculator = s.calculator;
    project.handleProfile = s.handleProfile;
    project.profileColor = s.profileColor;
    project.dividerProfile = s.dividerProfile;
    project.width = s.width;
    project.height = s.height;
    project.doorCount = s.doorCount;
    project.discountPercent = s.discountPercent;
    project.result.discountPercent = s.discountPercent;
    project.chipboardWidth = s.chipboardWidth;
    project.plinthHeight = s.plinthHeight;
    project.sketch = s.sketch;
    project.orderCard = s.card;
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

} // namespace dalvex
