#pragma once
// The product knowledge: the records (built-in tables, price lists, material library) and the nine profile
// system calculators over them. Built once from a program folder and kept for the whole run: every pointer
// into it stays valid. Once built it is only read (const), so any number of orders, on any number of
// threads, share one catalogue: what an order chose lives in its own OrderOptions.
#include "calc/ds_system.h"
#include "records/record_store.h"

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

namespace dalvex {

class Catalogue : public RecordStore {
public:
    // Creates the calculators, builds the records from the built-in tables and the folders profiles/ and
    // materials/ of `programFolder`, and lets every calculator take the articles its rules name.
    explicit Catalogue(std::filesystem::path programFolder);
    ~Catalogue() override;

    const std::filesystem::path& programFolder() const { return programFolder_; }
    std::filesystem::path profilesFolder() const { return programFolder_ / "profiles"; }
    std::filesystem::path materialsFolder() const { return programFolder_ / "materials"; }
    std::filesystem::path configFolder() const { return programFolder_ / "config"; }

    const std::vector<const DSSystem*>& systems() const { return systemList_; }
    // Exact, case-sensitive comparison with the display names.
    const DSSystem* findSystem(std::string_view displayName) const;
    // The options a new order starts with: every system's defaults, every handle profile on its first bar.
    OrderOptions defaultOptions() const;

private:
    std::filesystem::path programFolder_;
    std::vector<std::unique_ptr<DSSystem>> systemStore_;
    std::vector<const DSSystem*> systemList_;
};

} // namespace dalvex
