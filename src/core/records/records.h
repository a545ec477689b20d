#pragma once
// The record types of the product knowledge: articles of the maker with their special kinds, profile colours
// with their price categories, and the filling materials of the material library. Records are created once by
// the record store and never copied or freed while the program runs, so plain pointers to them stay valid.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dalvex {

struct ProfileColor;
struct HandleProfile;

// The head shared by every catalogue record and by the system calculators.
struct DSItem {
    int32_t index = 0;   // position of the record in its list
    std::string code;    // article code; the display name for systems and colours
    int32_t imageId = 0; // 58 x 58 picture shown in the pickers; 0 = none
    std::string name;    // description of an article; empty for systems and colours
};

// Price categories: the price column of an article that applies to a colour.
enum PriceCategory : int32_t {
    kCategoryNone = 0,
    kCategoryStandard = 1, // "стандарт"
    kCategoryPremium = 2,  // "премиум"
    kCategoryAnod = 3,     // "анод"
    kCategoryBasic = 4,    // "базовый"
    kCategoryNew = 5,      // "новинка"
    kCategorySale = 6,     // "акция"
    kCategoryChrome = 7,   // "хром"
    kCategoryGloss = 8,    // "глянец"
};
inline constexpr int kCategoryCount = 8;

// A price a list named that kopecks in 32 bits cannot hold (21,474,836.48 roubles or more) is kept as this,
// so that a line priced with it becomes an error instead of a wrong amount.
inline constexpr int32_t kPriceOutOfRange = INT32_MAX;

// Maps a lower-cased, trimmed word of the price lists to its category; any other word gives kCategoryNone.
PriceCategory priceCategoryFromWord(const std::string& word);

// Article kinds.
enum ArticleKind : int32_t {
    kKindHandleProfile = 0,
    kKindDividerProfile = 1,
    kKindFitting = 2,
    kKindBackDoorProfile = 3,
    kKindRailProfile = 4, // horizontal, guide or running profile
    kKindMainProfile = 5,
    kKindRollerSet = 6,
    kKindStrip = 7, // seal, brush or insert strip
};

struct Article : DSItem {
    Article() = default;
    Article(const Article&) = delete;
    Article& operator=(const Article&) = delete;
    virtual ~Article() = default;

    int32_t faceWidth = 0; // width seen on the door face; for a handle profile also the overlap of two doors
    int32_t joinDeduction = 0; // taken off each end of a profile cut to fit against this one
    int32_t fillingInset =
        0;                  // outer edge of this profile to the filling panel's edge (a divider: both sides)
    int32_t barLength1 = 0; // stock bar lengths; 0 = no such bar
    int32_t barLength2 = 0;
    // Price in kopecks per category: prices[c] for category c = 1..8; prices[0] is unused.
    std::array<int32_t, kCategoryCount + 1> prices{};
    int32_t kind = kKindFitting;

    // The price for a profile of this colour in the system with this index: the colour's category price when
    // that category is 2..8 and its price is above 0, else the standard price. No colour: the standard price.
    int32_t priceFor(const ProfileColor* color, int systemIndex) const;
    int32_t standardPrice() const { return prices[kCategoryStandard]; }
};

struct ProfileColor : DSItem {
    uint8_t red = 0, green = 0, blue = 0;
    // Price category of the colour in each of the nine systems (by system index); every entry starts as 1.
    std::array<int32_t, 9> categories{1, 1, 1, 1, 1, 1, 1, 1, 1};
};

struct HandleColor {
    const ProfileColor* color = nullptr;
    bool madeToOrder = false; // supplied on order only ("Под заказ")
};

struct HandleProfile : Article {
    HandleProfile() { kind = kKindHandleProfile; }
    std::vector<HandleColor> colorList; // stock colours first, then the made-to-order ones; repeats allowed
    int32_t asymmetric = 0;

    const std::vector<HandleColor>& colors() const { return colorList; }
    bool offers(const ProfileColor* color) const;
};

struct DividerProfile : Article {
    DividerProfile() { kind = kKindDividerProfile; }
    int32_t crossDeduction = 0; // applied to a divider whose end abuts this divider
    int32_t crossDeduction2 = 0;
    int32_t dividerKind = 0; // 0 chipboard-chipboard, 1 chipboard-glass, 2 all-purpose
    int32_t flag = 0;        // new dividers: 0 either orientation, 1 horizontal only, 2 vertical only

    // The orientation the profile allows, when it allows only one (true vertical).
    std::optional<bool> fixedOrientation() const;
};

// The orientation of the dividers a click draws: the profile's own where it allows only one, else the one
// chosen; until one is chosen, horizontal. Decided here once for every program.
bool dividersVertical(const DividerProfile* profile, std::optional<bool> chosen);

struct RollerSet : Article {
    RollerSet() { kind = kKindRollerSet; }
    int32_t symmetry = 0;    // 0 fits every handle profile; 1 only asymmetric = 0; 2 only asymmetric = 1
    uint8_t perWardrobe = 0; // 0: doorsPerSet sets per door; 1: one set serves doorsPerSet doors
    uint8_t doorsPerSet = 0;

    int32_t quantity(int32_t doorCount) const;
    bool fits(const HandleProfile* handleProfile) const;
};

// What the catalogue knows of one profile system besides its calculation: its display name (code), picture,
// and the records it offers. The price lists add roller sets to it by display name.
struct SystemRecord : DSItem {
    SystemRecord() = default;
    SystemRecord(const SystemRecord&) = delete;
    SystemRecord& operator=(const SystemRecord&) = delete;
    virtual ~SystemRecord() = default;

    std::vector<HandleProfile*> handleProfileList; // the system's handle profiles, in catalogue order
    std::vector<DividerProfile*> dividerProfiles;
    std::vector<Article*> articles; // every other article the system may emit, roller sets included
    // The set the roller price list configured first: an order starts with it; null = the system's own rule.
    RollerSet* defaultRollerSet = nullptr;

    // Lookups in the system's own lists (exact code comparison).
    HandleProfile* findHandleProfile(std::string_view wanted) const;
    DividerProfile* findDividerProfile(std::string_view wanted) const;
    Article* findArticle(std::string_view wanted) const;
    bool hasArticle(std::string_view wanted) const { return findArticle(wanted) != nullptr; }
    void addHandleProfile(HandleProfile* p) { handleProfileList.push_back(p); }
    void addDividerProfile(DividerProfile* p) { dividerProfiles.push_back(p); }
    void addArticle(Article* a) { articles.push_back(a); }
    // 0 when no set is chosen (`chosen` null); else the number of roller sets among the articles.
    int configuredRollerSetCount(const RollerSet* chosen) const;
    std::vector<RollerSet*> rollerSets() const;
    std::vector<DividerProfile*> dividerProfileList() const { return dividerProfiles; }
    bool hasDividerProfile(const DividerProfile* p) const;
};

// One filling material of a collection.
struct Material {
    std::string collection;
    std::string code;                // column "код"
    std::string picturePath;         // full path of the picture file
    std::string name;                // column "название"
    int32_t width = 0;               // of the stock sheet, whole millimetres (0: not given)
    int32_t length = 0;              // of the stock sheet, whole millimetres (0: not given)
    int32_t pricePerSquareMetre = 0; // kopecks, whole roubles only
    int32_t thickness = 0;           // 0.1 mm, whole millimetres only
    bool fromFolder = false;         // the picture comes from a picture sub-folder
    // Column "текстура": whether the sheet's decor has a direction; unset when the list does not say.
    std::optional<bool> grain;

    // The picture's file name; for a material from a sub-folder the sub-folder, a backslash and the file
    // name. The backslash is used on every platform because sketch files store the key.
    std::string key() const;
    // The material as a person reads it: its name and code, "Дуб Бардолино натуральный (H1145 ST10)"; a
    // picture of a sub-folder adds its key, which tells it from the other pictures of its folder. Without a
    // name, the key.
    std::string title() const;
};

struct MaterialCollection {
    std::string name;           // the sub-folder of materials/
    std::string listPath;       // full path of its price.csv
    std::string picturesFolder; // full path of its images folder, without a trailing separator
    std::vector<Material> materials;

    // 0 read; 1 the list cannot be opened; 2 empty or without a line end; 3 a required column is missing.
    int load();
    const Material* find(const std::string& key) const;
    std::vector<std::string> picturePaths() const;
};

} // namespace dalvex
