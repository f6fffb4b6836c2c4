// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "chain_reference.h"
#include "conversion.h"
#include "memory_window.h"
#include "test_support.h"

// Properties of the direct conversions and of edits that convert only their span, over random
// texts in every pair of modes.
namespace {

using namespace trelvane;
using namespace trelvane::testkit;

constexpr Mode kModes[] = {Texto, Binario, Hexadecimal, Decimal};

// Random texts shaped like a notation: its digits, runs of leading zeros, blanks where the
// notation has them, numbers above 255 and empty numbers, now and then a foreign character.
class Texts {
  public:
    explicit Texts(unsigned seed) : random_(seed) {}

    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    bool oneIn(std::size_t n) { return below(n) == 0; }

    std::u16string in(Mode mode, bool mayBeForeign = true) {
        const std::size_t length = oneIn(8) ? below(400) : below(40);
        std::u16string text;
        if (oneIn(4)) {  // leading zeros of the whole text
            text.append(below(6), mode == Texto ? u'\0' : u'0');
        }
        if (mode == Decimal && oneIn(3)) {
            text += plainNumbers(length + below(100));
            if (oneIn(3)) {  // trailing blanks
                text.append(below(40), u' ');
            }
        }
        while (text.size() < length) {
            text += unit(mode);
        }
        if (mayBeForeign && oneIn(6)) {
            text.insert(below(text.size() + 1), 1, kForeign[below(std::size(kForeign))]);
        }
        return text;
    }

    char16_t unit(Mode mode) {
        switch (mode) {
            case Binario:
                return oneIn(12) ? u' ' : u"01"[below(2)];
            case Hexadecimal:
                return u"0123456789abcdefABCDEF"[below(22)];
            case Decimal:
                return oneIn(4) ? u' ' : static_cast<char16_t>(u'0' + below(10));
            case Texto:
                break;
        }
        return oneIn(10) ? kForeign[below(std::size(kForeign))]
                         : charOf(static_cast<std::uint8_t>(below(256)));
    }

    // Numbers as decimal is written, one blank apart, now and then a longer one or two blanks:
    // long runs of them are read many units at a time.
    std::u16string plainNumbers(std::size_t length) {
        std::u16string text;
        while (text.size() < length) {
            const std::size_t digits = oneIn(40) ? 4 : 1 + below(3);
            for (std::size_t i = 0; i < digits; ++i) {
                text += static_cast<char16_t>(u'0' + below(10));
            }
            text += oneIn(40) ? u"  " : u" ";
        }
        text.resize(length);
        return text;
    }

  private:
    static constexpr char16_t kForeign[] = {u'x', u'G', u'\t',     u'\n', u'\r', u',',   u'.',
                                            u'-', u'ñ', u'\u3042', u'\0', u'€',  0xD83D, u'\u00A0'};
    std::mt19937 random_;
};

// A whole conversion into storage of the length it announces, followed by units it must not
// touch.
std::u16string convertWithinItsLength(Mode from, Mode to, const std::u16string& text) {
    constexpr char16_t kUnwritten = 0xFFFF;  // no notation writes it
    const SourceSpan span{text};
    const std::size_t length = convertedLength(from, to, span);
    std::u16string out(length + 64, kUnwritten);
    convertInto(from, to, span, {}, out.data(), length);
    EXPECT_EQ(out.substr(length), std::u16string(64, kUnwritten)) << "written past its length";
    out.resize(length);
    return out;
}

// The engine's conversion of every pair against the chain of procedures, for any text; and
// the dispatch of a pasted text (detection, blank filter, validation, chain) against the same.
TEST(Conversions, EveryPairGivesWhatTheChainOfProceduresGives) {
    Texts texts(2024);
    for (Mode from : kModes) {
        for (Mode to : kModes) {
            for (CodeField source : {A, B}) {
                for (int round = 0; round < 150; ++round) {
                    const std::u16string text = texts.in(from);
                    SCOPED_TRACE(std::string(modeName(from)) + " -> " + modeName(to) + " \"" +
                                 readable(text) + "\"");
                    ASSERT_EQ(readable(convertWithinItsLength(from, to, text)),
                              readable(reference::chain(from, to, text)));

                    MemoryWindow w;
                    chooseSourceAndTarget(w, source, from, to);
                    const CodeField target = otherField(source);
                    w.field(target).text = u"shown before";
                    w.focus(source);
                    w.paste(source, text);
                    // An empty paste into the empty field changes nothing.
                    const auto expected =
                        text.empty() ? reference::Dispatched{from, text, u"shown before"}
                                     : reference::dispatch(from, to, text, u"shown before");
                    ASSERT_EQ(w.dispatch.mode(source), expected.sourceMode);
                    ASSERT_EQ(readable(w.field(source).text), readable(expected.source));
                    ASSERT_EQ(readable(w.field(target).text), readable(expected.target));
                }
            }
        }
    }
}

// A span that starts on the second nibble of its first code (an edit that begins inside a
// code) writes exactly the length it announces, whatever the target: the nibbles after the
// first, where half a code shows as nothing in text and decimal.
TEST(Conversions, ASpanFromTheSecondNibbleWritesTheLengthItAnnounces) {
    constexpr char16_t kUnwritten = 0xFFFF;  // no notation writes it
    const std::u16string beyond(16, kUnwritten);
    Texts texts(31);
    for (Mode from : {Texto, Binario, Hexadecimal}) {
        const std::size_t unitsOfACode = from == Texto ? 1 : from == Binario ? 8 : 2;
        for (Mode to : kModes) {
            if (to == from) {
                continue;
            }
            for (int round = 0; round < 100; ++round) {
                const std::u16string text = texts.in(from, false);
                SCOPED_TRACE(std::string(modeName(from)) + " -> " + modeName(to) + " \"" +
                             readable(text) + "\"");
                SourceSpan span{text};
                span.fromSecondNibble = true;
                const std::size_t length = convertedLength(from, to, span);
                std::u16string out(length, kUnwritten);
                out += beyond;
                convertInto(from, to, span, {}, out.data(), length);

                // The references: the codes after the first, or the binary digits after the
                // first four.
                const std::u16string codesAfter = text.substr(std::min(unitsOfACode, text.size()));
                const std::u16string digits = from == Binario ? text : convert(from, Binario, text);
                const std::u16string digitsAfter =
                    digits.substr(std::min<std::size_t>(4, digits.size()));
                std::u16string expected;
                switch (to) {
                    case Binario:
                        expected = digitsAfter.substr(0, digitsAfter.size() / 4 * 4);
                        break;
                    case Hexadecimal:
                        expected = convert(Binario, Hexadecimal, digitsAfter);
                        break;
                    default:
                        expected = convert(from, to, codesAfter);
                        break;
                }
                ASSERT_EQ(readable(out), readable(expected + beyond));
            }
        }
    }
}

// Random edits of the user in every pair of modes, from both fields: typing (through the
// keyboard filter), Backspace, pastes over a selection, anywhere in the text. After each,
// both fields hold what a whole conversion gives, and the target raised its change once when
// its text changed and never otherwise.
TEST(Edits, EveryEditLeavesTheTargetAsTheWholeConversionWould) {
    Texts texts(7);
    for (Mode from : kModes) {
        for (Mode to : kModes) {
            for (CodeField source : {A, B}) {
                const CodeField target = otherField(source);
                MemoryWindow w;
                chooseSourceAndTarget(w, source, from, to);
                w.focus(source);
                w.paste(source, texts.in(from, false));
                for (int step = 0; step < 200; ++step) {
                    MemoryWindow::Field& field = w.field(source);
                    const Mode modeBefore = w.dispatch.mode(source);
                    const std::u16string sourceBefore = field.text;
                    const std::u16string targetBefore = w.field(target).text;
                    const int changesBefore = w.field(target).changes;
                    const std::size_t at = texts.below(field.text.size() + 1);
                    std::string what;
                    switch (texts.below(4)) {
                        case 0:
                            w.select(source, at, at);
                            w.typeKey(source, texts.unit(modeBefore));
                            what = "type";
                            break;
                        case 1:
                            w.select(source, at, at);
                            w.typeKey(source, 8);
                            what = "backspace";
                            break;
                        case 2:
                            w.select(source, at, at + texts.below(12));
                            w.typeKey(source, 8);
                            what = "delete a selection";
                            break;
                        default:
                            w.select(source, at, at + (texts.oneIn(3) ? texts.below(30) : 0));
                            // Now and then a foreign character switches the source to Texto.
                            const std::u16string pasted = texts.in(modeBefore, texts.oneIn(8));
                            w.paste(source, texts.oneIn(10) ? pasted : pasted.substr(0, 9));
                            what = "paste";
                            break;
                    }
                    SCOPED_TRACE(std::string(modeName(from)) + " -> " + modeName(to) + " from " +
                                 fieldName(source) + ", step " + std::to_string(step) + ": " +
                                 what + " at " + std::to_string(at) + " of \"" +
                                 readable(sourceBefore) + "\"");

                    const Mode sourceMode = w.dispatch.mode(source);
                    const Mode targetMode = w.dispatch.mode(target);
                    const bool keeps =
                        sourceMode == Decimal && targetMode != Decimal && field.text.empty();
                    const std::u16string expected =
                        keeps ? targetBefore : convert(sourceMode, targetMode, field.text);
                    ASSERT_EQ(readable(w.field(target).text), readable(expected))
                        << "source now \"" << readable(field.text) << "\"";
                    ASSERT_EQ(w.field(target).changes - changesBefore,
                              expected == targetBefore ? 0 : 1);
                }
            }
        }
    }
}

// A keystroke at the end of a long source rewrites only the end of the target.
TEST(Edits, AKeystrokeAtTheEndReplacesOnlyTheEndOfTheTarget) {
    const char16_t keys[] = {u'A', u'1', u'F', u'7'};  // a key of each mode's notation
    Texts texts(99);
    for (Mode from : kModes) {
        for (Mode to : kModes) {
            SCOPED_TRACE(std::string(modeName(from)) + " -> " + modeName(to));
            MemoryWindow w;
            chooseModes(w, to, from);
            w.focus(B);
            std::u16string text = u"1";
            while (text.size() < 4000) {
                text += texts.unit(from);
            }
            w.paste(B, text);
            ASSERT_EQ(w.dispatch.vModeB(), from);
            const std::size_t shown = w.field(A).text.size();
            ASSERT_TRUE(w.typeKey(B, keys[from]));
            const TextChange write = w.field(A).lastWrite;
            EXPECT_LE(write.removed + write.inserted, 20u) << "of " << shown;
            EXPECT_EQ(w.field(A).text, convert(from, to, w.field(B).text));
        }
    }
}

}  // namespace
