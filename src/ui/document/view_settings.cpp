#include "document/view_settings.h"

#include "project/project.h"

namespace dalvex::ui {

void ViewSettings::follow(const Project& project) {
    const DividerProfile* profile = project.dividerProfile;
    if (!profile) drawDividers = false;
    dividersVertical = dalvex::dividersVertical(profile, dividersVertical);
}

ViewSettings startingView(const Project& project) {
    ViewSettings view;
    view.dividersVertical = dalvex::dividersVertical(project.dividerProfile, std::nullopt);
    return view;
}

} // namespace dalvex::ui
