#pragma once
// The texts of result lines built from integers ("%d", the "%d-%d" labels and "%0.1f" of a length in 0.1 mm),
// written directly rather than through the general formatter: a large sketch has hundreds of cut and panel
// lines and these texts were most of its recalculation time. They read exactly as the formatter writes them.
#include "calc/calc_result.h"
#include "text/format.h"

#include <cstdint>
#include <string>

namespace dalvex {

inline std::string countText(int32_t value) {
    return std::to_string(value);
}

inline std::string labelText(int32_t group, int32_t index) {
    std::string text = std::to_string(group);
    text += '-';
    text += std::to_string(index);
    return text;
}

// "%0.1f" of tenths / 10: a whole number of tenths has exactly one decimal, written with the decimal comma.
inline std::string tenthsText(int32_t tenths) {
    const int64_t v = tenths;
    const uint64_t magnitude = static_cast<uint64_t>(v < 0 ? -v : v);
    std::string text = v < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    text += ',';
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

// The cut line of one profile piece of an article: label (current profile group, piece), the line's code and
// name, the cut length in millimetres with one decimal, the piece's number on the sketch, and its door.
inline CutLine pieceCut(const CalcResult& result, int32_t piece, const ArticleLine& line, int32_t cutLength,
                        int32_t number, int32_t doorIndex) {
    return {labelText(result.profileGroup, piece),
            line.code,
            line.name,
            tenthsText(cutLength),
            countText(number),
            doorIndex};
}

// The error of a whole-bar line with a piece longer than its bar.
inline std::string tooLongText(int32_t barLength) {
    return format("ОШИБКА! Есть отрезки профилей больше %2.1f м.", barLength / 10000.0);
}

} // namespace dalvex
