#pragma once
// The ten profile systems. The geometry of a system lives in system_<name>.cpp and its bill of materials in
// collect_<name>.cpp; the options an order chose for a system come in the OrderOptions of each call.
#include "calc/ds_system.h"

namespace dalvex {

class DSSystemLantes : public DSSystem {
public:
    DSSystemLantes(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
};

class DSSystemDalvex : public DSSystem {
public:
    DSSystemDalvex(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) const override;
    int32_t minPlinthHeight() const override;
};

class DSSystemBorvik : public DSSystem {
public:
    DSSystemBorvik(int32_t index, std::string name, int32_t imageId);
    const Article* pivotMechanism = nullptr; // emitted in pivot mode (JB16)
    // Pivot mode as it applies to a sketch: pivot fittings hold at most two doors.
    bool pivotActive(const DoorSketch& sketch, const OrderOptions& options) const {
        return own(options).pivot != 0 && sketch.doorCount <= 2;
    }

    void bindRuleArticles() override;
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    void assignRows(DoorSketch& sketch, OrderOptions& options) const override;
    void writeSettings(BinaryWriter& out, const OrderOptions& options) const override;
    void readSettings(BinaryReader& in, int version, OrderOptions& options) const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const override;
    void collectFillings(DoorSketch& sketch, CalcResult& result) const override;
};

class DSSystemWenlor : public DSSystem {
public:
    DSSystemWenlor(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) const override;
    int32_t minPlinthHeight() const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const override;
};

class DSSystemSenfil : public DSSystem {
public:
    DSSystemSenfil(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const override;
};

class DSSystemGerlit : public DSSystem {
public:
    DSSystemGerlit(int32_t index, std::string name, int32_t imageId);

    SystemOptions defaultOptions() const override; // JG01 running, JG04 guide
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    void toggleRunningProfile(OrderOptions& options) const override;
    void toggleGuideProfile(OrderOptions& options) const override;
};

class DSSystemFeldor : public DSSystem {
public:
    DSSystemFeldor(int32_t index, std::string name, int32_t imageId);

    int handleProfileCount(const OrderOptions& options) const override;
    // Inside mounting offers every handle profile of the records except the outside-only JB150.
    std::vector<HandleProfile*> handleProfiles(const OrderOptions& options) const override;
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    int maxDoorCount(const OrderOptions& options) const override;
    bool isSingleRow(const OrderOptions& options) const override;
    std::vector<int> offeredDoorCounts(const OrderOptions& options) const override;
    void assignRows(DoorSketch& sketch, OrderOptions& options) const override;
    void writeSettings(BinaryWriter& out, const OrderOptions& options) const override;
    void readSettings(BinaryReader& in, int version, OrderOptions& options) const override;
    int clampDoorCount(int n, const OrderOptions& options) const override;
    void computeDividerCutLengths(DoorSketch& sketch) const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const override;
    void collectFillings(DoorSketch& sketch, CalcResult& result) const override;

private:
    bool inside(const OrderOptions& options) const { return own(options).mountInside != 0; }
};

class DSSystemQuorin : public DSSystem {
public:
    DSSystemQuorin(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const override;
};

class DSSystemZerkan : public DSSystem {
public:
    DSSystemZerkan(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) const override;
    int32_t minPlinthHeight() const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const override;
};

class DSSystemNordel : public DSSystem {
public:
    DSSystemNordel(int32_t index, std::string name, int32_t imageId);
    void recompute(DoorSketch& sketch, const OrderOptions& options, bool keepDoorWidths) const override;
    void collect(DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                 const ProfileColor* color) const override;
    void setSketchHeight(DoorSketch& sketch, int32_t height, int32_t chipboardWidth,
                         int32_t plinthHeight) const override;
    int32_t minPlinthHeight() const override;
    void adjustPanel(Insert& insert, int32_t topInset, int32_t bottomInset) const override;
};

} // namespace dalvex
