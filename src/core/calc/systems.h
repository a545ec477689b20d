#pragma once
// The ten profile systems. Each class holds its own options; the geometry of a system lives in
// system_<name>.cpp and its bill of materials in collect_<name>.cpp.
#include "calc/ds_system.h"

namespace dalvex {

class DSSystemLantes : public DSSystem {
public:
    DSSystemLantes(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
};

class DSSystemDalvex : public DSSystem {
public:
    DSSystemDalvex(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) override;
    int32_t minPlinthHeight() const override;
};

class DSSystemBorvik : public DSSystem {
public:
    DSSystemBorvik(int32_t index, std::string name, int32_t imageId);
    const Article* pivotMechanism = nullptr; // emitted in pivot mode (JB16)
    uint8_t pivot = 0;                       // pivot fittings instead of sliding
    int32_t heightOffset = -40;              // door height relative to the opening, whole millimetres
    // Pivot mode as it applies to a sketch: pivot fittings hold at most two doors.
    bool pivotActive(const DoorSketch& sketch) const { return pivot != 0 && sketch.doorCount <= 2; }

    void bindRuleArticles() override;
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    void assignRows(DoorSketch& sketch) override;
    void writeSettings(BinaryWriter& out) const override;
    void readSettings(BinaryReader& in, int version) override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) override;
    void collectFillings(DoorSketch& sketch, CalcResult& result) override;
    SystemOptions options() const override;
    void setOptions(const SystemOptions& o) override;
};

class DSSystemWenlor : public DSSystem {
public:
    DSSystemWenlor(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) override;
    int32_t minPlinthHeight() const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) override;
};

class DSSystemSenfil : public DSSystem {
public:
    DSSystemSenfil(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) override;
};

class DSSystemGerlit : public DSSystem {
public:
    DSSystemGerlit(int32_t index, std::string name, int32_t imageId);
    const Article* runningProfile = nullptr; // JG01 or JG02
    const Article* guideProfile = nullptr;   // JG03 or JG04

    void bindRuleArticles() override;
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    void toggleRunningProfile() override;
    void toggleGuideProfile() override;
    SystemOptions options() const override;
    void setOptions(const SystemOptions& o) override;
};

class DSSystemFeldor : public DSSystem {
public:
    DSSystemFeldor(int32_t index, std::string name, int32_t imageId);
    int32_t mountInside = 1;

    int handleProfileCount() const override;
    // Inside mounting offers every handle profile of the records except the outside-only JB150.
    std::vector<HandleProfile*> handleProfiles() const override;
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    int maxDoorCount() const override;
    bool isSingleRow() const override;
    std::vector<int> offeredDoorCounts() const override;
    void assignRows(DoorSketch& sketch) override;
    void writeSettings(BinaryWriter& out) const override;
    void readSettings(BinaryReader& in, int version) override;
    int clampDoorCount(int n) const override;
    SystemOptions options() const override;
    void setOptions(const SystemOptions& o) override;
    void computeDividerCutLengths(DoorSketch& sketch) override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) override;
    void collectFillings(DoorSketch& sketch, CalcResult& result) override;
};

class DSSystemQuorin : public DSSystem {
public:
    DSSystemQuorin(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) override;
};

class DSSystemZerkan : public DSSystem {
public:
    DSSystemZerkan(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) override;
    int32_t minPlinthHeight() const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) override;
};

class DSSystemNordel : public DSSystem {
public:
    DSSystemNordel(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, bool keepDoorWidths) override;
    void collect(DoorSketch& sketch, CalcResult& result, const ProfileColor* color) override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) override;
    int32_t minPlinthHeight() const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) override;
};

} // namespace dalvex
