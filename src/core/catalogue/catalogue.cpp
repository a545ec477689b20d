// Building the Catalogue: the calculators first (the price lists name systems), then the records.
#include "catalogue/catalogue.h"

#include "records/builtin_tables.h"

#include <utility>

namespace dalvex {

Catalogue::Catalogue(std::filesystem::path programFolder) : programFolder_(std::move(programFolder)) {
    int32_t index = 0;
    std::vector<SystemRecord*> records;
    for (const builtin::SystemRow& row : builtin::systemRows()) {
        // The index is the row's, so that a system finds its lists and colour categories by it.
        std::unique_ptr<DSSystem> system = createSystem(index++, row.displayName, row.imageId);
        if (!system) continue;
        system->lookup = this;
        records.push_back(system.get());
        systemList_.push_back(system.get());
        systemStore_.push_back(std::move(system));
    }
    build(records, profilesFolder(), materialsFolder());
    for (const std::unique_ptr<DSSystem>& system : systemStore_)
        system->bindRuleArticles();
}

Catalogue::~Catalogue() = default;

const DSSystem* Catalogue::findSystem(std::string_view displayName) const {
    for (const DSSystem* system : systemList_)
        if (system->code == displayName) return system;
    return nullptr;
}

OrderOptions Catalogue::defaultOptions() const {
    OrderOptions options;
    for (const DSSystem* system : systemList_)
        system->own(options) = system->defaultOptions();
    return options;
}

} // namespace dalvex
