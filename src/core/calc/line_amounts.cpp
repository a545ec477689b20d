#include "calc/line_amounts.h"

namespace dalvex {

namespace {

bool negativeQuantity(const ArticleLine& line) {
    return line.quantity < 0;
}
bool negativeQuantity(const MaterialLine& line) {
    return line.area < 0;
}

// Checks one line against the sum of the lines before it; a line that passes is added to the sum.
template <class Line> void checkLine(Line& line, int64_t& sum) {
    if (!line.error.empty()) return;
    if (line.amount < 0) {
        line.error = negativeQuantity(line) ? kNegativeQuantityText : kNegativePriceText;
    } else if (sum + line.amount > kMaxItemsTotal) {
        line.error = kAmountTooLargeText;
    } else {
        sum += line.amount;
    }
}

} // namespace

void checkLineAmounts(CalcResult& result) {
    int64_t sum = 0;
    for (ArticleLine& line : result.articleLines)
        checkLine(line, sum);
    for (MaterialLine& line : result.materialLines)
        checkLine(line, sum);
    result.totalsDirty = true;
}

} // namespace dalvex
