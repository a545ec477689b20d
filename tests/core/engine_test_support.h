#pragma once
// Records with the values of the built-in tables and small sketches built by hand, for the engine's tests.
#include "calc/systems.h"
#include "records/records.h"
#include "sketch/door_sketch.h"

#include <memory>
#include <string>
#include <vector>

namespace dalvex::test {

// Owns the records the calculators under test point to.
struct Records {
    std::vector<std::unique_ptr<Article>> store;
    std::vector<std::unique_ptr<Material>> materials;

    template <class T> T* add(T* record) {
        store.emplace_back(record);
        return record;
    }

    Article* article(const std::string& code, int32_t kind, int32_t face = 0, int32_t join = 0,
                     int32_t inset = 0, int32_t bar = 0, int32_t price = 0) {
        auto* a = add(new Article);
        a->code = code;
        a->name = "Артикул " + code;
        a->kind = kind;
        a->faceWidth = face;
        a->joinDeduction = join;
        a->fillingInset = inset;
        a->barLength1 = bar;
        a->prices[kCategoryStandard] = price;
        return a;
    }

    HandleProfile* handle(const std::string& code, int32_t face, int32_t join, int32_t inset, int32_t bar1,
                          int32_t bar2, int32_t asymmetric, int32_t price = 0) {
        auto* h = add(new HandleProfile);
        h->code = code;
        h->name = "Профиль ручка";
        h->faceWidth = face;
        h->joinDeduction = join;
        h->fillingInset = inset;
        h->barLength1 = bar1;
        h->barLength2 = bar2;
        h->asymmetric = asymmetric;
        h->prices[kCategoryStandard] = price;
        return h;
    }

    DividerProfile* divider(const std::string& code, int32_t face, int32_t join, int32_t inset, int32_t bar,
                            int32_t cross, int32_t price = 0) {
        auto* d = add(new DividerProfile);
        d->code = code;
        d->name = "Разделитель";
        d->faceWidth = face;
        d->joinDeduction = join;
        d->fillingInset = inset;
        d->barLength1 = bar;
        d->crossDeduction = cross;
        d->crossDeduction2 = cross;
        d->prices[kCategoryStandard] = price;
        return d;
    }

    RollerSet* rollers(const std::string& code, int32_t symmetry, uint8_t perWardrobe, uint8_t doorsPerSet,
                       int32_t price = 0) {
        auto* r = add(new RollerSet);
        r->code = code;
        r->name = "Комплект роликов";
        r->symmetry = symmetry;
        r->perWardrobe = perWardrobe;
        r->doorsPerSet = doorsPerSet;
        r->prices[kCategoryStandard] = price;
        return r;
    }

    const Material* material(const std::string& code, int32_t thickness, int32_t price,
                             const std::string& picture, bool fromFolder = false) {
        auto m = std::make_unique<Material>();
        m->code = code;
        m->name = "Материал " + code;
        m->thickness = thickness;
        m->pricePerSquareMetre = price;
        m->picturePath = picture;
        m->fromFolder = fromFolder;
        materials.push_back(std::move(m));
        return materials.back().get();
    }
};

// Borvik's lists with the values of the built-in tables (prices chosen by the tests).
inline void fillBorvik(DSSystem& s, Records& r) {
    s.addHandleProfile(r.handle("JB01", 260, 252, 171, 55000, 48000, 1, 10000));
    s.addHandleProfile(r.handle("JB300N", 500, 490, 410, 55000, 0, 0, 10000));
    s.addHandleProfile(r.handle("JB100", 360, 346, 270, 55000, 0, 1, 10000));
    s.addDividerProfile(r.divider("JB09", 280, 280, 74, 59000, 95, 5000));
    s.addDividerProfile(r.divider("JB91", 100, 100, 10, 59000, 45, 4000));
    s.addArticle(r.article("JB02", kKindRailProfile, 400, 0, 0, 59000, 1000));
    s.addArticle(r.article("JB03", kKindRailProfile, 400, 0, 0, 59000, 1100));
    s.addArticle(r.article("JB04", kKindRailProfile, 0, 0, 0, 59000, 1200));
    s.addArticle(r.article("JB05", kKindRailProfile, 0, 0, 0, 59000, 1300));
    s.addArticle(r.article("JB06", kKindRailProfile, 0, 0, 0, 59000, 1400));
    s.addArticle(r.article("JB07", kKindRailProfile, 570, 570, 470, 59000, 2000));
    s.addArticle(r.article("JB08", kKindRailProfile, 205, 205, 120, 59000, 2100));
    s.addArticle(r.article("JB13", kKindStrip, 0, 0, 30, 0, 300));
    s.addArticle(r.article("JB14", kKindFitting, 0, 0, 0, 0, 500));
    s.addArticle(r.article("JB17", kKindStrip, 0, 0, 10, 0, 200));
    s.addArticle(r.rollers("JB10/11B", 2, 0, 1, 70000));
    s.addArticle(r.rollers("JB010/011B", 1, 0, 1, 60000));
    s.addArticle(r.rollers("JB16", 0, 0, 2, 90000));
}

// A divider spanning the whole door, splitting insert `id` into it and a new insert after it.
inline Divider& splitWhole(Door& door, int32_t insertId, bool vertical, int32_t position,
                           const DividerProfile* profile) {
    const int32_t dividerId = door.nextDividerId++;
    const int32_t newId = door.nextInsertId++;
    Divider& d = door.dividers[dividerId];
    d.vertical = vertical ? 1 : 0;
    d.position = position;
    d.profile = profile;
    Insert& before = door.inserts[insertId];
    Insert after = before;
    after.material = before.material;
    if (vertical) {
        d.startId = before.topId;
        d.endId = before.bottomId;
        before.rightId = dividerId;
        after.leftId = dividerId;
    } else {
        d.startId = before.leftId;
        d.endId = before.rightId;
        before.bottomId = dividerId;
        after.topId = dividerId;
    }
    door.inserts[newId] = after;
    door.rescale(true);
    return d;
}

} // namespace dalvex::test
