// SPDX-License-Identifier: MIT
#include "numeric.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "notations/binary_notation.h"

namespace trelvane {

namespace {

bool isSkipped(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The digits of a number as this reading knows them; the decimal notation reads its numbers
// through it, not the other way round.
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Walks a text character by character, passing over the characters the reading skips.
class Reader {
  public:
    explicit Reader(std::u16string_view text) : text_(text) { skip(); }
    bool atEnd() const { return pos_ >= text_.size(); }
    char16_t peek() const { return atEnd() ? u'\0' : text_[pos_]; }
    void next() {
        ++pos_;
        skip();
    }
    std::size_t position() const { return pos_; }
    void rewind(std::size_t pos) { pos_ = pos; }

  private:
    void skip() {
        while (pos_ < text_.size() && isSkipped(text_[pos_])) {
            ++pos_;
        }
    }
    std::u16string_view text_;
    std::size_t pos_ = 0;
};

constexpr long kExponentLimit = 100000;  // far beyond any double; keeps the sum bounded

}  // namespace

double readNumber(std::u16string_view text) {
    Reader in(text);
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.next();
    }

    // The digits are gathered without their leading zeros, as "d.ddd" + exponent for
    // from_chars, which reads the full stop whatever the locale.
    std::string digits;
    long decimalExponent = 0;  // power of ten of the last gathered digit
    bool sawDigit = false;
    while (isDigit(in.peek())) {
        sawDigit = true;
        if (!digits.empty() || in.peek() != u'0') {
            digits.push_back(static_cast<char>(in.peek()));
        }
        in.next();
    }
    if (in.peek() == u'.') {
        in.next();
        while (isDigit(in.peek())) {
            sawDigit = true;
            if (!digits.empty() || in.peek() != u'0') {
                digits.push_back(static_cast<char>(in.peek()));
            }
            --decimalExponent;
            in.next();
        }
    }
    if (!sawDigit) {
        return 0.0;
    }

    long exponent = 0;
    const char16_t e = in.peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        const std::size_t beforeExponent = in.position();
        in.next();
        bool exponentNegative = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            exponentNegative = in.peek() == u'-';
            in.next();
        }
        if (isDigit(in.peek())) {
            while (isDigit(in.peek())) {
                exponent = std::min(kExponentLimit, exponent * 10 + (in.peek() - u'0'));
                in.next();
            }
            if (exponentNegative) {
                exponent = -exponent;
            }
        } else {
            in.rewind(beforeExponent);  // "1e" reads 1: the letter cannot continue the number
        }
    }

    if (digits.empty()) {
        return negative ? -0.0 : 0.0;
    }
    // The value is 0.digits x 10^magnitude; far outside a double's range it is decided here.
    const long magnitude = exponent + decimalExponent + static_cast<long>(digits.size());
    double value;
    if (magnitude > 400) {
        value = std::numeric_limits<double>::infinity();
    } else if (magnitude < -400) {
        value = 0.0;
    } else {
        std::string number = "0." + digits + "e" + std::to_string(magnitude);
        const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
        if (result.ec == std::errc::result_out_of_range) {
            value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    }
    return negative ? -value : value;
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) {
        return below + 1.0;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<int> roundToCode(double value) {
    const double rounded = roundHalfEven(value);
    if (!(rounded >= 0.0 && rounded <= std::numeric_limits<Code>::max())) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

std::u16string eightDigits(double value) {
    // Each weight that fits the value sets its bit and comes off the value.
    unsigned code = 0;
    double weight = 128.0;
    for (int bit = 0; bit < 8; ++bit) {
        code <<= 1;
        if (value >= weight) {
            code |= 1;
            value -= weight;
        }
        weight /= 2.0;
    }
    const auto& digits = BinaryNotation::kDigits<char16_t>[code];
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace trelvane
