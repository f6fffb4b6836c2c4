// SPDX-License-Identifier: MIT
#include "line_wrap.h"

#include <QChar>
#include <algorithm>
#include <bit>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trelvane {

namespace {

// What made a run of lines. Lines of one character range carry the range's first character, so
// that a later edit can tell that their text is still made of that range.
enum Kind : std::uint16_t {
    kOrdinary = 0,
    kLineFeeds = 1,
    kBlanks = 2,
    kRange = 0x100,  // + the range's first character
};

constexpr qsizetype kUnknown = std::numeric_limits<qsizetype>::max();

// Where the run of units in [low, high] that starts at `from` ends, `end` at the latest.
qsizetype rangeEnd(const char16_t* text, qsizetype from, qsizetype end, char16_t low,
                   char16_t high) {
    const auto span = static_cast<char16_t>(high - low);
    qsizetype i = from;
#if defined(__SSE2__)
    // Eight units at a time: a unit lies in the range when subtracting `low` and then, with
    // saturation, `span` leaves zero.
    const __m128i lows = _mm_set1_epi16(static_cast<short>(low));
    const __m128i spans = _mm_set1_epi16(static_cast<short>(span));
    const __m128i zero = _mm_setzero_si128();
    while (end - i >= 32) {
        __m128i outside = zero;
        for (int part = 0; part < 4; ++part) {
            const __m128i units =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + 8 * part));
            outside = _mm_or_si128(outside, _mm_subs_epu16(_mm_sub_epi16(units, lows), spans));
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(outside, zero)) != 0xffff) {
            break;
        }
        i += 32;
    }
#endif
    while (i < end && static_cast<char16_t>(text[i] - low) <= span) {
        ++i;
    }
    return i;
}

#if defined(__SSE2__)
// Which of eight units are blanks, and which are digits or blanks, as lanes of all ones.
struct EightUnits {
    __m128i blanks;
    __m128i digitsAndBlanks;
};
EightUnits lookAtEight(const char16_t* units) {
    const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units));
    const __m128i blanks = _mm_cmpeq_epi16(loaded, _mm_set1_epi16(u' '));
    const __m128i digits = _mm_cmpeq_epi16(
        _mm_subs_epu16(_mm_sub_epi16(loaded, _mm_set1_epi16(u'0')), _mm_set1_epi16(9)),
        _mm_setzero_si128());
    return {blanks, _mm_or_si128(blanks, digits)};
}
#else
bool isDigitOrBlank(char16_t c) {
    return c == u' ' || static_cast<char16_t>(c - u'0') <= 9;
}
#endif

// Lines of digits and blanks, as decimal codes and grouped binary are written, laid out by
// counting: where the ten digits advance alike, the advance of a line's first characters
// follows from how many of them are blanks. A line is looked at in its first 64 characters,
// eight at a time, in 16-bit lanes.
class DigitsAndBlanksLines {
  public:
    DigitsAndBlanksLines(const GlyphAdvances& advances, int width)
        : digit_(advances.ascii(u'0')),
          blank_(advances.ascii(u' ')),
          width_(std::min(width, 0xffff)),
          applies_(advances.rangeLow(u'0') <= u'0' && advances.rangeHigh(u'0') >= u'9' &&
                   digit_ > 0 && blank_ > 0 && 64 * std::max(digit_, blank_) <= 0xffff),
          sureParts_(applies_ ? std::min(3, width_ / std::max(digit_, blank_) / 16) : 0) {}

    bool applies() const { return applies_; }

    // The length of the line that starts at `line`, from its first 64 characters, all of them
    // readable; -1 when those do not settle it: something other than digits and blanks before
    // the break, a line longer than them, or a first character too wide for the line.
    qsizetype lineLength(const char16_t* line) const {
        if (!startsWithDigitsAndBlanks(line)) {
            return -1;  // most lines of other texts, at the cost of one look
        }
        const Masks masks = look(line);
        // The characters that fit are the first ones, up to the one that overflows.
        const int fit = std::countr_one(masks.fitting);
        if (fit == 0 || fit + 2 > std::countr_one(masks.digitsAndBlanks)) {
            return -1;
        }
        // The line ends after its last blank, be it the one that overflows and hangs past the
        // edge, or before the character that overflows when it holds no blank.
        const std::uint64_t blanks = masks.blanks & (~std::uint64_t{} >> (63 - fit));
        return blanks != 0 ? 64 - std::countl_zero(blanks) : fit;
    }

  private:
    struct Masks {
        std::uint64_t blanks = 0;
        std::uint64_t digitsAndBlanks = 0;
        std::uint64_t fitting = 0;  // the characters whose end is within the width
    };

    // Whether the first eight characters are digits or blanks.
    static bool startsWithDigitsAndBlanks(const char16_t* line) {
#if defined(__SSE2__)
        return _mm_movemask_epi8(lookAtEight(line).digitsAndBlanks) == 0xffff;
#else
        return std::all_of(line, line + 8, isDigitOrBlank);
#endif
    }

    Masks look(const char16_t* line) const {
        Masks masks;
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        const __m128i widths = _mm_set1_epi16(static_cast<short>(width_));
        // Modulo 2^16, which gives the exact advance as every one fits in 16 bits.
        const __m128i blankLess = _mm_set1_epi16(static_cast<short>(blank_ - digit_));
        const __m128i eightDigits = _mm_set1_epi16(static_cast<short>(8 * digit_));
        const auto bits = [](const __m128i(&lanes)[2]) {
            return static_cast<std::uint64_t>(
                static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_packs_epi16(lanes[0], lanes[1]))));
        };
        __m128i blanks[2];
        __m128i members[2];
        const auto lookAtPart = [&](int part) {
            for (int half = 0; half < 2; ++half) {
                const EightUnits eight = lookAtEight(line + 16 * part + 8 * half);
                blanks[half] = eight.blanks;
                members[half] = eight.digitsAndBlanks;
            }
        };
        // The first characters fit whatever they are: only their blanks are counted.
        __m128i blanksBefore = zero;
        for (int part = 0; part < sureParts_; ++part) {
            lookAtPart(part);
            const __m128i sums = _mm_sad_epu8(
                _mm_and_si128(_mm_packs_epi16(blanks[0], blanks[1]), _mm_set1_epi8(1)), zero);
            blanksBefore =
                _mm_add_epi16(blanksBefore, _mm_add_epi16(sums, _mm_unpackhi_epi64(sums, sums)));
            masks.blanks |= bits(blanks) << (16 * part);
            masks.digitsAndBlanks |= bits(members) << (16 * part);
            masks.fitting |= std::uint64_t{0xffff} << (16 * part);
        }
        blanksBefore = _mm_shufflelo_epi16(blanksBefore, 0);
        blanksBefore = _mm_unpacklo_epi64(blanksBefore, blanksBefore);
        __m128i allDigits =
            _mm_mullo_epi16(_mm_add_epi16(_mm_setr_epi16(1, 2, 3, 4, 5, 6, 7, 8),
                                          _mm_set1_epi16(static_cast<short>(16 * sureParts_))),
                            _mm_set1_epi16(static_cast<short>(digit_)));
        for (int part = sureParts_; part < 4; ++part) {
            lookAtPart(part);
            __m128i fitting[2];
            for (int half = 0; half < 2; ++half) {
                // The blanks up to each character: a running sum across the lanes.
                __m128i count = _mm_sub_epi16(zero, blanks[half]);
                count = _mm_add_epi16(count, _mm_slli_si128(count, 2));
                count = _mm_add_epi16(count, _mm_slli_si128(count, 4));
                count = _mm_add_epi16(count, _mm_slli_si128(count, 8));
                count = _mm_add_epi16(count, blanksBefore);
                const __m128i last = _mm_shufflehi_epi16(count, 0xff);
                blanksBefore = _mm_unpackhi_epi64(last, last);
                const __m128i end = _mm_add_epi16(allDigits, _mm_mullo_epi16(count, blankLess));
                fitting[half] = _mm_cmpeq_epi16(_mm_subs_epu16(end, widths), zero);
                allDigits = _mm_add_epi16(allDigits, eightDigits);
            }
            masks.blanks |= bits(blanks) << (16 * part);
            masks.digitsAndBlanks |= bits(members) << (16 * part);
            masks.fitting |= bits(fitting) << (16 * part);
            // Enough once the character that overflows and the one after it are looked at.
            if (std::countr_one(masks.fitting) + 2 <= 16 * (part + 1)) {
                break;
            }
        }
#else
        int end = 0;
        for (int k = 0; k < 64; ++k) {
            const char16_t c = line[k];
            const bool blank = c == u' ';
            end += blank ? blank_ : digit_;
            masks.blanks |= std::uint64_t{blank} << k;
            masks.digitsAndBlanks |= std::uint64_t{isDigitOrBlank(c)} << k;
            masks.fitting |= std::uint64_t{end <= width_} << k;
        }
#endif
        return masks;
    }

    const int digit_;
    const int blank_;
    const int width_;
    const bool applies_;
    const int sureParts_;  // parts of 16 characters that fit on any line
};

// The greedy line breaking described in the header, from a line start on. The sink takes the
// lines as they are found, a run of equal lines at a time:
//   qsizetype lines(start, length, count, kind): lines start + k * length, k < count; returns
//     how many of them it takes;
//   bool done(): whether the sink has all it wants, which stops the layout;
//   qsizetype knownFrom(): from where on the sink may know how far a run reaches.
//   qsizetype knownRunEnd(position, kind): a position up to which the text from `position`
//     is known to belong to the range of `kind`; `position` itself when not known.
template <class Sink>
class LineBreaker {
  public:
    LineBreaker(QStringView shown, const WrapGeometry& geometry, Sink& sink)
        : text_(reinterpret_cast<const char16_t*>(shown.utf16())),
          length_(shown.size()),
          advances_(*geometry.advances),
          measured_(advances_.unitTable()),
          width_(geometry.width),
          sink_(sink),
          digitsAndBlanks_(advances_, width_) {}

    void run(qsizetype from) {
        start_ = i_ = from;
        while (i_ < length_) {
            if (i_ == start_) {
                Step step = takeRangeRun();
                if (step == Step::Next) {
                    step = takeDigitsAndBlanksLines();
                }
                if (step != Step::Next) {
                    if (step == Step::Stop) {
                        return;
                    }
                    continue;
                }
            }
            if (i_ > start_) {
                fitMeasured();
                if (i_ == length_) {
                    break;
                }
            }
            if (const Step step = takeCharacter(); step == Step::Stop) {
                return;
            }
        }
    }

  private:
    // What a step leaves to do: go on with the same line, start over at the line's start
    // (lines were handed to the sink), or stop because the sink has all it wants.
    enum class Step { Next, Again, Stop };

    // Hands the sink complete lines [start_, end), `count` of `length` units; moves to the line
    // after the ones it took.
    Step emitLines(qsizetype length, qsizetype count, std::uint16_t kind) {
        start_ += sink_.lines(start_, length, count, kind) * length;
        i_ = start_;
        return sink_.done() ? Step::Stop : Step::Again;
    }

    // The advance of the character at `at` when drawn at x; `units` gets its length.
    int advanceAt(qsizetype at, int x, qsizetype& units) {
        const char16_t c = text_[at];
        units = 1;
        if (c < 128) {
            return c == u'\t' ? advances_.tabAdvance(x) : advances_.ascii(c);
        }
        if (QChar::isHighSurrogate(c) && at + 1 < length_ && QChar::isLowSurrogate(text_[at + 1])) {
            units = 2;
            return advances_.pair(c, text_[at + 1]);
        }
        return advances_.unit(c);
    }

    // Where the run of the range [low, high] that starts at `at` ends.
    qsizetype runEnd(qsizetype at, char16_t low, char16_t high, std::uint16_t kind) {
        // A short look first: most runs end within a line or two, and asking the sink costs
        // more than that.
        const qsizetype near = std::min(length_, at + 2 * kMaxLineUnits);
        at = rangeEnd(text_, at, near, low, high);
        if (at < near || near == length_) {
            return at;
        }
        const qsizetype known = sink_.knownFrom();
        for (;;) {
            if (at >= known) {
                at = std::max(at, std::min(length_, sink_.knownRunEnd(at, kind)));
            }
            const qsizetype limit = at < known ? std::min(known, length_) : length_;
            const qsizetype end = rangeEnd(text_, at, limit, low, high);
            if (end < limit || limit == length_) {
                return end;
            }
            at = end;  // reached what the sink knows about
        }
    }

    // A run of one range at a line's start: its full lines are found at once. The last one to
    // three lines' worth is left to the rule for single characters, which sees how it ends.
    Step takeRangeRun() {
        const char16_t c = text_[i_];
        qsizetype perLine = 0;
        std::uint16_t kind = kOrdinary;
        char16_t low = c;
        char16_t high = c;
        if (c == u'\n') {
            perLine = 1;
            kind = kLineFeeds;
        } else if (c == u' ') {
            const int blank = advances_.ascii(u' ');
            perLine =
                blank > 0 ? std::min<qsizetype>(kMaxLineUnits, width_ / blank + 1) : kMaxLineUnits;
            kind = kBlanks;
        } else if (c > u' ' && c < 127) {
            const int each = advances_.ascii(c);
            perLine =
                each > 0 ? std::clamp<qsizetype>(width_ / each, 1, kMaxLineUnits) : kMaxLineUnits;
            low = advances_.rangeLow(c);
            high = advances_.rangeHigh(c);
            kind = static_cast<std::uint16_t>(kRange + low);
        }
        // Worth it only for a full line and one more: a glance one line ahead rules most runs
        // out.
        const qsizetype ahead = i_ + (kind == kLineFeeds ? 0 : perLine);
        if (perLine == 0 || ahead >= length_ ||
            static_cast<char16_t>(text_[ahead] - low) > static_cast<char16_t>(high - low)) {
            return Step::Next;
        }
        const qsizetype run = runEnd(i_, low, high, kind) - i_;
        // Line feeds each end a line; other runs keep their last line for the rule below.
        const qsizetype count = kind == kLineFeeds ? run : (run - 1) / perLine;
        return count > 0 ? emitLines(perLine, count, kind) : Step::Next;
    }

    // Lines of digits and blanks at once, while the next line starts after a blank: the line
    // after one of digits alone may start a run of them.
    Step takeDigitsAndBlanksLines() {
        Step step = Step::Next;
        while (digitsAndBlanks_.applies() && length_ - start_ >= 64) {
            const qsizetype length = digitsAndBlanks_.lineLength(text_ + start_);
            if (length < 0) {
                break;
            }
            step = emitLines(length, 1, kOrdinary);
            if (step == Step::Stop || text_[start_ - 1] != u' ') {
                break;
            }
        }
        return step;
    }

    // Characters already measured, while they fit: the common case, in a loop of its own.
    // Printable ASCII, the blank among them, and the 16-bit characters other than surrogates;
    // anything else (see GlyphAdvances::unitTable), and the character that does not fit, goes
    // to takeCharacter.
    void fitMeasured() {
        // In locals, which the table's reads cannot alias.
        qsizetype i = i_;
        int x = x_;
        qsizetype afterBlank = afterBlank_;
        const qsizetype fullAt = std::min(length_, start_ + kMaxLineUnits);
        while (i < fullAt) {
            const char16_t c = text_[i];
            // The table marks the characters that need the full rule as unmeasured, so that one
            // look tells them apart: a test of the character's kind would be mispredicted at
            // every other character of a text that mixes ASCII with other characters.
            const int w = measured_[c];
            if (w < 0 || x + w > width_) {
                break;
            }
            x += w;
            ++i;
            afterBlank = c == u' ' ? i : afterBlank;
        }
        i_ = i;
        x_ = x;
        afterBlank_ = afterBlank;
    }

    // One character by the full rule: a line feed ends the line, a character that does not fit
    // breaks it, anything else is placed on it.
    Step takeCharacter() {
        const char16_t c = text_[i_];
        if (c == u'\n') {
            const qsizetype end = i_ + 1;
            sink_.lines(start_, end - start_, 1, kOrdinary);
            if (sink_.done()) {
                return Step::Stop;
            }
            startLine(end);
            return Step::Again;
        }
        qsizetype units = 1;
        const int w = advanceAt(i_, x_, units);
        if (i_ > start_) {
            const bool full = i_ - start_ + units > kMaxLineUnits;
            // A character of no width never breaks the line, nor does the first blank past the
            // edge.
            const bool overflows = w > 0 && x_ + w > width_ && !(c == u' ' && x_ <= width_);
            if (full || overflows) {
                return breakLine();
            }
        }
        x_ += w;
        if (c == u' ') {
            afterBlank_ = i_ + 1;
        }
        i_ += units;
        return Step::Next;
    }

    // Ends the line after its last blank, or before the character at i_ with none.
    Step breakLine() {
        const qsizetype end = afterBlank_ > start_ ? afterBlank_ : i_;
        sink_.lines(start_, end - start_, 1, kOrdinary);
        if (sink_.done()) {
            return Step::Stop;
        }
        // What is carried to the new line is measured again from its start; then the character
        // at i_ is looked at again, on the new line.
        const qsizetype at = i_;
        startLine(end);
        for (qsizetype j = start_; j < at;) {
            qsizetype carried = 1;
            x_ += advanceAt(j, x_, carried);
            j += carried;
        }
        i_ = at;
        return Step::Again;
    }

    void startLine(qsizetype at) {
        start_ = i_ = at;
        x_ = 0;
        afterBlank_ = -1;
    }

    const char16_t* const text_;
    const qsizetype length_;
    GlyphAdvances& advances_;
    // The advances measured so far, printable ASCII all of them; the table itself never moves.
    const std::int32_t* const measured_;
    const int width_;
    Sink& sink_;
    const DigitsAndBlanksLines digitsAndBlanks_;
    qsizetype start_ = 0;  // of the line being laid out
    qsizetype i_ = 0;
    int x_ = 0;
    qsizetype afterBlank_ = -1;  // where the line could break: after its last blank
};

template <class Sink>
void breakLines(QStringView shown, qsizetype from, const WrapGeometry& geometry, Sink& sink) {
    LineBreaker<Sink>(shown, geometry, sink).run(from);
}

struct CollectAll {
    LineIndex::Runs runs;

    qsizetype lines(qsizetype, qsizetype length, qsizetype count, std::uint16_t kind) {
        LineIndex::append(runs, static_cast<std::uint16_t>(length), count, kind);
        return count;
    }
    bool done() const { return false; }
    qsizetype knownFrom() const { return kUnknown; }
    qsizetype knownRunEnd(qsizetype position, std::uint16_t) const { return position; }
};

// Collects the new lines after an edit until one of them starts where an old line started,
// shifted by the edit: from there on the old lines hold.
struct CollectUntilRealigned {
    const LineIndex& old;
    LineIndex::Cursor oldLines;
    qsizetype editEnd;  // in the new text
    qsizetype shift;    // how much the text after the edit moved
    LineIndex::Runs runs;
    qsizetype realignedOldLine = -1;

    bool startsOldLine(qsizetype newStart) {
        const qsizetype oldStart = newStart - shift;
        oldLines.advanceTo(oldStart);
        return oldLines.start() == oldStart;
    }

    qsizetype lines(qsizetype start, qsizetype length, qsizetype count, std::uint16_t kind) {
        // The lines after these start at start + k * length, k = 1..count. Only those past the
        // edit can meet an old line; the first of them and the last are looked at (within a
        // run, later ones meet old ones only if the first does).
        if (start + count * length < editEnd) {
            LineIndex::append(runs, static_cast<std::uint16_t>(length), count, kind);
            return count;
        }
        const qsizetype first =
            start + length >= editEnd ? 1 : (editEnd - start + length - 1) / length;
        for (const qsizetype k : {first, count}) {
            if (k >= first && k <= count && startsOldLine(start + k * length)) {
                LineIndex::append(runs, static_cast<std::uint16_t>(length), k, kind);
                realignedOldLine = oldLines.line();
                return k;
            }
        }
        LineIndex::append(runs, static_cast<std::uint16_t>(length), count, kind);
        return count;
    }

    bool done() const { return realignedOldLine >= 0; }
    qsizetype knownFrom() const { return editEnd; }

    // Old lines of a range's kind hold only characters of that range.
    qsizetype knownRunEnd(qsizetype position, std::uint16_t kind) const {
        if (kind == kOrdinary) {
            return position;
        }
        const LineIndex::RunSpan run = old.runAt(position - shift);
        return run.kind == kind ? run.end + shift : position;
    }
};

}  // namespace

LineIndex::Runs wrapAll(QStringView text, const WrapGeometry& geometry) {
    CollectAll sink;
    breakLines(text, 0, geometry, sink);
    return std::move(sink.runs);
}

Rewrap rewrap(QStringView text, const LineIndex& old, qsizetype position, qsizetype removed,
              qsizetype inserted, const WrapGeometry& geometry) {
    // The line before the edited one may take in what the edit frees, and the one before that
    // too when the edit starts a line: its break was decided by the character at that start.
    const qsizetype edited = old.lineOf(position);
    const qsizetype firstLine =
        std::max<qsizetype>(0, edited - (position == old.lineStart(edited) ? 2 : 1));
    CollectUntilRealigned sink{old,
                               old.cursorAt(old.lineOf(position + removed)),
                               position + inserted,
                               inserted - removed,
                               {},
                               -1};
    breakLines(text, old.lineStart(firstLine), geometry, sink);
    const qsizetype lastLine =
        sink.realignedOldLine >= 0 ? sink.realignedOldLine : old.completeLines();
    return {firstLine, lastLine, std::move(sink.runs)};
}

}  // namespace trelvane
