// The article lines and their cut lines, as every collector builds them.
#include "calc/bar_count.h"
#include "calc/ds_system.h"
#include "calc/geometry_util.h"
#include "calc/line_text.h"
#include "text/format.h"
#include "text/numbers.h"

#include <algorithm>

namespace dalvex {

namespace {

// Price per metre times a length in 0.1 mm, truncated to whole kopecks. A price the list could not hold
// makes any length of it more than the totals can hold.
int32_t priceOfLength(int32_t pricePerMetre, int64_t length) {
    if (pricePerMetre == kPriceOutOfRange && length > 0) return kPriceOutOfRange;
    return truncToInt(static_cast<double>(pricePerMetre) * static_cast<double>(length) / 10000.0);
}

ArticleLine lineOf(const Article& article) {
    ArticleLine line;
    line.code = article.code;
    line.name = article.name;
    return line;
}

bool boughtInWholeBars(int32_t kind) {
    return kind == kKindHandleProfile || kind == kKindBackDoorProfile || kind == kKindMainProfile;
}

} // namespace

ArticleLine DSSystem::barLine(const Article* article, const std::vector<int32_t>& pieces,
                              const ProfileColor* color, const OrderOptions& options) const {
    if (article == nullptr) return {};
    ArticleLine line = lineOf(*article);
    const int32_t price = article->priceFor(color, index);
    // Bought by length or in bars, the pieces are cut from the article's bars.
    line.pieces = pieces;
    if (!boughtInWholeBars(article->kind)) {
        line.pieceBar = options.barLength(*article);
        int64_t total = 0;
        for (int32_t p : pieces)
            total += p;
        line.quantity = clampToInt(total);
        line.amount = priceOfLength(price, line.quantity);
        return line;
    }
    const int32_t bar = options.barLength(*article);
    const int64_t barPrice = priceOfLength(price, bar);
    line.wholeBars = 1;
    line.barLength = bar;
    const int64_t bars = billedBarCount(pieces, bar);
    // A piece longer than a whole bar cannot be cut at all, whether it starts a bar or follows others.
    if (std::any_of(pieces.begin(), pieces.end(), [bar](int32_t p) { return p > bar; }))
        line.error = tooLongText(bar);
    line.quantity = clampToInt(bars);
    line.amount = clampToInt(bars * barPrice);
    return line;
}

ArticleLine DSSystem::lengthLine(const Article* article, int32_t length, const ProfileColor* color) const {
    if (article == nullptr) return {};
    ArticleLine line = lineOf(*article);
    line.quantity = length;
    line.amount = priceOfLength(article->priceFor(color, index), length);
    return line;
}

ArticleLine DSSystem::pieceLine(const Article* article, int32_t count) const {
    if (article == nullptr) return {};
    ArticleLine line = lineOf(*article);
    line.quantity = count;
    line.amount = clampToInt(int64_t{article->standardPrice()} * count);
    line.wholeBars = 1;
    return line;
}

void DSSystem::addLengthCut(CalcResult& result, const ArticleLine& line, int32_t length) const {
    result.cutLines.push_back(
        {labelText(result.profileGroup, 0), line.code, line.name, tenthsText(length), "0", -1});
    ++result.profileGroup;
}

void DSSystem::addCountCut(CalcResult& result, const ArticleLine& line, int32_t count) const {
    result.cutLines.push_back(
        {labelText(result.profileGroup, 0), line.code, line.name, countText(count), "0", -1});
    ++result.profileGroup;
}

void DSSystem::emitLength(CalcResult& result, const Article* article, int32_t length,
                          const ProfileColor* color) const {
    if (article == nullptr) return;
    result.articleLines.push_back(lengthLine(article, length, color));
    addLengthCut(result, result.articleLines.back(), length);
}

void DSSystem::emitPieces(CalcResult& result, const Article* article, int32_t count) const {
    if (article == nullptr) return;
    result.articleLines.push_back(pieceLine(article, count));
    addCountCut(result, result.articleLines.back(), count);
}

void DSSystem::emitRollerSet(const DoorSketch& sketch, const OrderOptions& options, CalcResult& result,
                             const RollerSet* fallback, int32_t fallbackQuantity) const {
    const int32_t doors = doorsOf(sketch);
    const RollerSet* rollerSet = own(options).rollerSet;
    const RollerSet* set = rollerSet != nullptr ? rollerSet : fallback;
    if (set == nullptr) return;
    int32_t quantity = rollerSetQuantity(doors, set);
    if (rollerSet == nullptr && fallbackQuantity >= 0) quantity = fallbackQuantity;
    ArticleLine line = pieceLine(set, quantity);
    // The system's own default always fits; a chosen set is checked against the handle profile.
    if (rollerSet != nullptr && !rollerSetFits(sketch, rollerSet))
        line.error = "ОШИБКА: Ролики не подходят к выбранным ручкам.";
    result.articleLines.push_back(std::move(line));
    addCountCut(result, result.articleLines.back(), quantity);
}

} // namespace dalvex
