// SPDX-License-Identifier: MIT
#include "edit_conversion.h"

#include <algorithm>

#include "notations/notations.h"
#include "notations/unit_scan.h"

namespace trelvane {

namespace {

// The target edit that replaces the target's nibbles [first, end) (of `total` before the
// edit, of which the first `zeros` were leading zeros left out of a hexadecimal target) with
// the conversion of `span`. For targets of whole codes the nibbles are whole codes.
std::optional<TargetEdit> replaceNibbles(Mode to, std::u16string_view target, std::size_t first,
                                         std::size_t end, std::size_t total, std::size_t zeros,
                                         const SourceSpan& span) {
    TargetEdit edit;
    edit.source = span;
    if (to != Decimal) {  // every position stands for a fixed number of nibbles
        if (target.size() + positionalUnits(to, zeros) != positionalUnits(to, total)) {
            return std::nullopt;
        }
        edit.position = positionalUnits(to, first) - positionalUnits(to, zeros);
        edit.removed = positionalUnits(to, end - first);
        // A hexadecimal target goes on past its leading zeros, which lie before `first`.
        edit.target.continues = first > 0;
        return edit;
    }
    const std::size_t count = total / 2;
    const std::size_t k0 = first / 2;
    const std::size_t k1 = end / 2;
    if (k1 > count || (count == 0) != target.empty()) {
        return std::nullopt;
    }
    const auto from = DecimalNotation::numberPosition(target, count, k0);
    if (!from) {
        return std::nullopt;
    }
    // The end of the replaced numbers: on from their start when that is nearer.
    std::optional<std::size_t> to_;
    if (k1 == k0) {
        to_ = from;
    } else if (k1 - k0 < count - k1) {
        const std::size_t blank = findNthUnit(target.substr(*from), kBlank, k1 - k0);
        if (blank != std::u16string_view::npos) {
            to_ = *from + blank + 1;
        }
    } else {
        to_ = DecimalNotation::numberPosition(target, count, k1);
    }
    if (!to_) {
        return std::nullopt;
    }
    if (k1 < count) {  // numbers follow: the new ones end on a blank of their own
        edit.position = *from;
        edit.removed = *to_ - *from;
        edit.blankAfter = true;
    } else if (k0 == 0) {
        edit.position = 0;
        edit.removed = target.size();
    } else if (k0 == count) {  // numbers added at the end, after a blank
        edit.position = target.size();
        edit.removed = 0;
        edit.target.continues = true;
    } else {  // the last numbers: the blank before them goes with them
        edit.position = *from - 1;
        edit.removed = target.size() - edit.position;
        edit.target.continues = true;
    }
    return edit;
}

// A source of text, binary or hexadecimal: every position stands for a fixed number of
// nibbles.
std::optional<TargetEdit> positionalSourceEdit(Mode from, Mode to, std::u16string_view source,
                                               TextChange edit, std::u16string_view target) {
    const std::size_t oldLength = source.size() - edit.inserted + edit.removed;
    const std::size_t oldNibbles = positionalNibbles(from, oldLength);
    const std::size_t newNibbles = positionalNibbles(from, source.size());
    auto positionOf = [from](std::size_t nibble) { return positionalUnits(from, nibble); };
    // The nibbles the first `length` units touch, one they hold in part counted.
    auto touchedNibbles = [&](std::size_t length) {
        const std::size_t whole = positionalNibbles(from, length);
        return whole + (positionOf(whole) < length ? 1 : 0);
    };
    const std::size_t unit = nibblesPerPiece(to);
    const std::size_t grown =
        std::max(edit.inserted, edit.removed) - std::min(edit.inserted, edit.removed);
    const auto grownNibbles = static_cast<std::ptrdiff_t>(positionalNibbles(from, grown));

    // The nibbles before the edited units stay; so do those after them, shifted, unless the
    // edit moves the grouping of what follows (then the rest of the text is converted): a
    // shift by part of a nibble, or by part of the target's smallest piece.
    std::size_t first = positionalNibbles(from, edit.position);
    std::size_t endNew = touchedNibbles(edit.position + edit.inserted);
    const std::ptrdiff_t nibbleShift = edit.inserted >= edit.removed ? grownNibbles : -grownNibbles;
    bool toTheEnd = positionOf(positionalNibbles(from, grown)) != grown;
    first -= first % unit;
    toTheEnd = toTheEnd || nibbleShift % static_cast<std::ptrdiff_t>(unit) != 0;
    if (!toTheEnd) {
        endNew += (unit - endNew % unit) % unit;
        toTheEnd = endNew >= newNibbles;
    }
    const std::size_t endOld =
        toTheEnd ? oldNibbles - oldNibbles % unit
                 : static_cast<std::size_t>(static_cast<std::ptrdiff_t>(endNew) - nibbleShift);
    const std::size_t spanEnd = toTheEnd ? source.size() : positionOf(endNew);
    if (endOld < first || endOld > oldNibbles) {
        return std::nullopt;
    }

    // A hexadecimal target keeps its leading zeros out: they must lie before the edit.
    std::size_t zeros = 0;
    if (to == Hexadecimal) {
        zeros = leadingZeroNibbles(from, {source.substr(0, positionOf(first))});
        if (zeros >= first) {
            return std::nullopt;
        }
    }

    // The reading starts on a whole code; an odd first nibble is left out.
    const std::size_t codeStart = first - first % 2;
    SourceSpan span{source.substr(positionOf(codeStart), spanEnd - positionOf(codeStart))};
    span.fromSecondNibble = first % 2 == 1;
    return replaceNibbles(to, target, first, endOld, oldNibbles, zeros, span);
}

// A decimal source: numbers of any length, found by their blanks.
std::optional<TargetEdit> decimalSourceEdit(Mode to, std::u16string_view source, TextChange edit,
                                            std::u16string_view target) {
    const std::size_t lastNumberEnd = source.find_last_not_of(kBlank);
    if (lastNumberEnd == std::u16string_view::npos) {
        return std::nullopt;  // no number left: the whole conversion says what the target shows
    }
    const std::size_t end = lastNumberEnd + 1;  // the trailing blanks read as nothing
    const std::size_t start = DecimalNotation::numberStart(source, edit.position);
    const std::size_t before = countUnit(source.substr(0, start), kBlank);  // numbers before

    // A hexadecimal target keeps its leading zeros out: they must end in a number before the
    // edit (the numbers before it are those up to the blank before it, every blank counted).
    std::size_t zeros = 0;
    if (to == Hexadecimal) {
        if (before == 0) {
            return std::nullopt;
        }
        zeros = leadingZeroNibbles(Decimal,
                                   {source.substr(0, start - 1), DecimalNotation::Ends::Exact});
        if (zeros >= 2 * before) {
            return std::nullopt;
        }
    }
    if (to == Decimal) {
        return std::nullopt;
    }
    // The numbers the target showed: its whole codes, with the leading zeros it leaves out.
    const std::size_t oldCount = (positionalNibbles(to, target.size()) + zeros) / 2;

    const std::size_t blankAfter = source.find(kBlank, edit.position + edit.inserted);
    if (blankAfter != std::u16string_view::npos && blankAfter < end) {
        // Numbers follow the edited ones: only these change.
        const std::size_t following =
            countUnit(source.substr(blankAfter, end - blankAfter), kBlank);
        if (oldCount < before + following + 1) {
            return std::nullopt;
        }
        const std::size_t edited = oldCount - before - following;
        SourceSpan span{source.substr(start, blankAfter - start), DecimalNotation::Ends::Exact};
        return replaceNibbles(to, target, 2 * before, 2 * (before + edited), 2 * oldCount, zeros,
                              span);
    }
    // The edit reaches the last number: the rest is converted. Numbers that only the trailing
    // blanks of one text made (before the edit or after it) are not kept.
    // The blanks before `start` are counted already; past the end of the last number there
    // are only blanks.
    const std::size_t newCount =
        (start <= end ? before + countUnit(source.substr(start, end - start), kBlank)
                      : before - (start - end)) +
        1;
    const std::size_t kept = std::min({before, oldCount, newCount});
    if (to == Hexadecimal && zeros >= 2 * kept) {
        return std::nullopt;
    }
    const std::size_t from = start - (before - kept);  // those numbers were empty: blanks
    SourceSpan span{source.substr(from)};
    return replaceNibbles(to, target, 2 * kept, 2 * oldCount, 2 * oldCount, zeros, span);
}

}  // namespace

std::size_t TargetEdit::length(Mode from, Mode to) const {
    if (copy) {
        return source.text.size();
    }
    const std::size_t length = convertedLength(from, to, source, target);
    return length + (blankAfter && length > 0 ? 1 : 0);
}

void TargetEdit::write(Mode from, Mode to, char16_t* out, std::size_t length) const {
    if (copy) {
        std::copy(source.text.begin(), source.text.end(), out);
        return;
    }
    const bool blank = blankAfter && length > 0;
    convertInto(from, to, source, target, out, length - (blank ? 1 : 0));
    if (blank) {
        out[length - 1] = kBlank;
    }
}

std::optional<TargetEdit> targetEditFor(Mode from, Mode to, std::u16string_view source,
                                        TextChange edit, std::u16string_view target) {
    if (edit.position + edit.inserted > source.size() ||
        source.size() - edit.inserted + edit.removed < edit.position + edit.removed) {
        return std::nullopt;
    }
    if (from == to) {
        if (target.size() != source.size() - edit.inserted + edit.removed) {
            return std::nullopt;
        }
        TargetEdit copy;
        copy.position = edit.position;
        copy.removed = edit.removed;
        copy.source.text = source.substr(edit.position, edit.inserted);
        copy.copy = true;
        return copy;
    }
    if (from == Decimal) {
        return decimalSourceEdit(to, source, edit, target);
    }
    return positionalSourceEdit(from, to, source, edit, target);
}

TextChange combineChanges(TextChange first, TextChange second) {
    // The span both cover, in the text between the two changes.
    const std::size_t start = std::min(first.position, second.position);
    const std::size_t end =
        std::max(first.position + first.inserted, second.position + second.removed);
    return {start, end - first.inserted + first.removed - start,
            end + second.inserted - second.removed - start};
}

}  // namespace trelvane
