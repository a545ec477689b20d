#pragma once
// Small rules that several collectors share: how many roller or fitting sets a wardrobe needs, and the bottom
// rails of the systems that run on the Zerkan track.
#include <cstdint>
#include <string_view>

namespace dalvex {

// One set for every two doors, a last door counting as a pair of its own.
inline int32_t setsForPairs(int32_t doorCount) {
    return doorCount / 2 + doorCount % 2;
}

// The default roller sets of the two-row systems that sell a set per wardrobe section: three-door sets when
// the doors group in threes, otherwise two-door sets (an odd door count takes one more).
struct SectionRollers {
    std::string_view code;
    int32_t quantity = 0;
};

inline SectionRollers sectionRollers(int32_t doorCount, std::string_view twoDoorSet,
                                     std::string_view threeDoorSet) {
    if (doorCount % 3 == 0) return {threeDoorSet, doorCount / 3};
    return {twoDoorSet, setsForPairs(doorCount)};
}

// The running and the bottom guide profile of the Zerkan track, both cut shorter than the opening.
inline constexpr std::string_view kZerkanTrack[] = {"JZ01", "JZ05"};
inline constexpr int32_t kZerkanTrackDeduction = 32;

} // namespace dalvex
