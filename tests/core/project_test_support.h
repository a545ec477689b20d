#pragma once
// A project over a catalogue built from an empty temporary program folder: built-in records, no prices, no
// materials, no order counter.
#include "calc/systems.h"
#include "catalogue/catalogue.h"
#include "project/project.h"
#include "project/project_editor.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace dalvex::testing {

class ProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_.path() / "config");
        catalogue_ = std::make_unique<Catalogue>(folder_.path());
        project_ = std::make_unique<Project>(*catalogue_, folder_.path() / "config");
        editor_ = std::make_unique<ProjectEditor>(*project_);
    }

    // The order calculated anew after the test put something into its sketch by hand (a material of no
    // catalogue): setting the width it has recalculates it, as any change does.
    void recalculated() { ASSERT_TRUE(apply(edit::SetWidth{project_->width})); }
    // Whether the editor took the operation.
    bool apply(const EditOp& op) { return static_cast<bool>(editor_->apply(op)); }

    const DSSystem* system(const char* displayName) const {
        const DSSystem* s = catalogue_->findSystem(displayName);
        EXPECT_NE(s, nullptr) << displayName;
        return s;
    }
    const DSSystem* feldor() const { return system("Фелдор"); }
    // Фелдор's mounting as the project's order has it.
    int32_t& mountInside() const { return project_->options.of(kSystemFeldor).mountInside; }

    // Splits door `doorIndex` by a full-height vertical divider at `position`, the way a click would, without
    // going through the pixel layout.
    void splitVertically(int doorIndex, int32_t position) {
        const Door& door = project_->sketch.doors[doorIndex];
        ASSERT_EQ(door.inserts.size(), 1u);
        ASSERT_TRUE(door.dividers.empty());
        ASSERT_TRUE(apply(edit::Split{doorIndex, 1, position, true}));
    }

    TempFolder folder_{"dalvex-project"};
    std::unique_ptr<Catalogue> catalogue_;
    std::unique_ptr<Project> project_;
    std::unique_ptr<ProjectEditor> editor_;
};

} // namespace dalvex::testing
