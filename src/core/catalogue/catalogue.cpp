// Building the Catalogue: the calculators first (the price lists name systems), then the records.
#include "catalogue/catalogue.h"

#include "records/builtin_tables.h"

#include <utility>

namespace dalvex {

Catalogue::Catalogue(std::filesystem::path programFolder) : programFolder_(std::move(programFolder)) {
    int32_t index = 0;
    for (const builtin::SystemRow& row : builtin::systemRows()) {
        // The index is the row's, so that a system finds its lists and colour categories by it.
        std::unique_ptr<DSSystem> system = createSystem(index++, row.displayName, row.imageId);
        if (!system) continue;
        system->lookup = this;
        systemList_.push_back(system.get());
        systemStore_.push_back(std::move(system));
    }
    build(std::vector<SystemRecord*>(systemList_.begin(), systemList_.end()), profilesFolder(),
          materialsFolder());
    for (DSSystem* system : systemList_)
        system->bindRuleArticles();
}

Catalogue::~Catalogue() = default;

DSSystem* Catalogue::findSystem(std::string_view displayName) const {
    for (DSSystem* system : systemList_)
        if (system->code == displayName) return system;
    return nullptr;
}

} // namespace dalvex
