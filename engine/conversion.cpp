// SPDX-License-Identifier: MIT
#include "conversion.h"

#include <algorithm>
#include <cstring>

#include "notations/code_pipeline.h"
#include "notations/notations.h"

namespace trelvane {

namespace {

// Hands every code of a source to onCodes, a block at a time, until it returns false.
// Returns the lone nibble the source ends on, or -1 (also when stopped early).
template <class Notation, class OnCodes>
int forEachCodeBlock(const SourceSpan& source, OnCodes onCodes) {
    auto reader = makeReader<Notation, char16_t>({source.ends});
    const char16_t* in = source.text.data();
    const char16_t* const end = in + source.text.size();
    Code block[kCodeBlock];
    while (in != end) {
        const std::size_t count = reader.read(in, end, block, kCodeBlock);
        if (!onCodes(block, count)) {
            return -1;
        }
    }
    const auto tail = reader.finish();
    if (tail.code >= 0) {
        const Code code = static_cast<Code>(tail.code);
        if (!onCodes(&code, 1)) {
            return -1;
        }
    }
    return tail.nibble;
}

}  // namespace

std::size_t nibbleCount(Mode mode, const SourceSpan& source) {
    const std::size_t nibbles = mode == Decimal
                                    ? 2 * DecimalNotation::numberCount(source.text, source.ends)
                                    : positionalNibbles(mode, source.text.size());
    return source.fromSecondNibble && nibbles > 0 ? nibbles - 1 : nibbles;
}

std::size_t leadingZeroNibbles(Mode mode, const SourceSpan& source) {
    const std::u16string_view text = source.text;
    if (mode == Texto) {  // only the character with code 0 has a high nibble of 0 and a low one
        if (source.fromSecondNibble) {
            if (text.empty()) {
                return 0;
            }
            return (codeOf(text[0]) & 15) != 0 ? 0
                                               : 1 + leadingZeroNibbles(Texto, {text.substr(1)});
        }
        const std::size_t first = text.find_first_not_of(u'\0');
        if (first == std::u16string_view::npos) {
            return 2 * text.size();
        }
        return 2 * first + (codeOf(text[first]) < 16 ? 1 : 0);
    }
    return visitNotation(mode, [&source](auto notation) {
        std::size_t zeros = 0;
        bool found = false;
        bool halfFirst = source.fromSecondNibble;  // only the first code's low nibble counts
        const int nibble =
            forEachCodeBlock<decltype(notation)>(source, [&](const Code* codes, std::size_t count) {
                std::size_t i = 0;
                if (halfFirst && count > 0) {
                    halfFirst = false;
                    if ((codes[0] & 15) != 0) {
                        found = true;
                        return false;
                    }
                    zeros = 1;
                    i = 1;
                }
                for (; i < count; ++i) {
                    if (codes[i] != 0) {
                        zeros += codes[i] < 16 ? 1 : 0;
                        found = true;
                        return false;
                    }
                    zeros += 2;
                }
                return true;
            });
        // A lone nibble counts unless it is the first nibble, which the span leaves out.
        if (!found && nibble == 0 && !halfFirst) {
            ++zeros;
        }
        return zeros;
    });
}

std::size_t convertedLength(Mode from, Mode to, const SourceSpan& source, TargetSpan target) {
    if (from == to) {
        return source.text.size();
    }
    const std::size_t nibbles = nibbleCount(from, source);
    switch (to) {
        case Binario:
            return BinaryNotation::units(nibbles);
        case Texto:
            // A span from the second nibble starts on half a code, which shows as nothing.
            if (source.fromSecondNibble) {
                return nibbles > 0 ? TextNotation::units(nibbles - 1) : 0;
            }
            return TextNotation::units(nibbles);
        case Hexadecimal:
            if (target.continues || nibbles == 0) {
                return nibbles;
            }
            // The leading zeros go; one digit always stays.
            return nibbles - std::min(leadingZeroNibbles(from, source), nibbles - 1);
        case Decimal:
            break;
    }
    std::size_t codes = 0;
    std::size_t digits = 0;
    // A span that starts on the second nibble of its first code writes nothing of that code
    // (half a code has no number), as convertInto leaves it out.
    bool skipFirst = source.fromSecondNibble;
    visitNotation(from, [&](auto notation) {
        forEachCodeBlock<decltype(notation)>(source, [&](const Code* block, std::size_t count) {
            if (skipFirst && count > 0) {
                skipFirst = false;
                ++block;
                --count;
            }
            // Summed in a local: the codes are bytes, which may alias the counts.
            std::size_t blockDigits = 0;
            for (std::size_t i = 0; i < count; ++i) {
                blockDigits += DecimalNotation::digitCount(block[i]);
            }
            codes += count;
            digits += blockDigits;
            return true;
        });
    });
    if (codes == 0) {
        return 0;
    }
    return digits + (target.continues ? codes : codes - 1);
}

void convertInto(Mode from, Mode to, const SourceSpan& source, TargetSpan target, char16_t* out,
                 std::size_t length) {
    if (from == to) {
        std::copy_n(source.text.data(), source.text.size(), out);
        return;
    }
    char16_t* const limit = out + length;
    visitNotation(from, [&](auto sourceNotation) {
        visitNotation(to, [&](auto targetNotation) {
            using Source = decltype(sourceNotation);
            using Target = decltype(targetNotation);
            auto reader = makeReader<Source, char16_t>({source.ends});
            auto writer = makeWriter<Target, char16_t>({target.continues, limit});
            const char16_t* in = source.text.data();
            const char16_t* const end = in + source.text.size();
            char16_t* at = out;
            if (source.fromSecondNibble && in != end) {
                Code first = 0;
                if (reader.read(in, end, &first, 1) == 0) {
                    return;  // a lone nibble, the one left out
                }
                at = writer.writeNibble(first & 15, at);
            }
            at = pumpCodes(reader, writer, in, end, at);
            finishCodes(reader, writer, at);
        });
    });
}

std::u16string convert(Mode from, Mode to, std::u16string_view source) {
    const SourceSpan span{source};
    std::u16string out(convertedLength(from, to, span), u'\0');
    convertInto(from, to, span, {}, out.data(), out.size());
    return out;
}

}  // namespace trelvane
