// SPDX-License-Identifier: MIT
#include "notations/decimal_notation.h"

#include "notations/unit_scan.h"
#include "numeric.h"

namespace trelvane {

Code DecimalNotation::codeOfNumber(std::u16string_view number) {
    const double value = readNumber(number);
    if (value > 255.0) {
        return 255;
    }
    const double rounded = roundHalfEven(value);
    // Below 0 there is no code: such a number gives 0, like one that is not a number.
    return rounded >= 0.0 ? static_cast<Code>(rounded) : 0;
}

std::size_t DecimalNotation::numberCount(std::u16string_view text, Ends ends) {
    if (ends == Ends::Trimmed) {
        const std::size_t last = text.find_last_not_of(kBlank);
        if (last == std::u16string_view::npos) {
            return 0;
        }
        text = text.substr(0, last + 1);
    }
    return countUnit(text, kBlank) + 1;
}

std::size_t DecimalNotation::numberStart(std::u16string_view text, std::size_t position) {
    const std::size_t blank = text.substr(0, position).find_last_of(kBlank);
    return blank == std::u16string_view::npos ? 0 : blank + 1;
}

std::optional<std::size_t> DecimalNotation::numberPosition(std::u16string_view text,
                                                           std::size_t count, std::size_t k) {
    if (k == 0) {
        return 0;
    }
    if (k == count) {
        return text.size();
    }
    // The blank before number k, looked for from the nearer end.
    const std::size_t blank =
        k <= count / 2 ? findNthUnit(text, kBlank, k) : findNthUnitFromEnd(text, kBlank, count - k);
    if (blank == std::u16string_view::npos) {
        return std::nullopt;
    }
    return blank + 1;
}

}  // namespace trelvane
