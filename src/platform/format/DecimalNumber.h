#pragma once

// An exact decimal number: what the format engine scales, rounds and lays out, so that rounding
// follows the decimal digits a user sees rather than the binary value behind them.

#include <QString>
#include <QtGlobal>
#include <optional>
#include <string>

namespace tessaro::format {

/// value = (negative ? -1 : 1) x 0.d1 d2 d3 ... x 10^exponent. `digits` holds '0'..'9' with no
/// leading or trailing zero, so zero is the empty digit string, exponent 0, never negative.
struct DecimalNumber {
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
    /// True when there is nothing after the decimal point.
    bool isWhole() const { return exponent >= static_cast<int>(digits.size()); }
    DecimalNumber magnitude() const;
    /// The number times 10^power (exact).
    DecimalNumber timesPowerOfTen(int power) const;
    /// Rounded to `places` digits after the decimal point (may be negative), halves away from zero.
    DecimalNumber roundedToPlaces(int places) const;
    /// Rounded to `count` (at least 1) significant digits, halves away from zero.
    DecimalNumber roundedToSignificant(int count) const;
    /// The digits before the decimal point without leading zeros; "" when the magnitude is below 1.
    QString integerDigits() const;
    /// The first `places` digits after the decimal point, padded with zeros.
    QString fractionDigits(int places) const;
    double toDouble() const;

    static DecimalNumber fromInteger(qlonglong value);
    /// A finite double with `significant` significant digits (the value runtime shows 15 for a
    /// double, 7 for a single), correctly rounded from its binary value.
    static DecimalNumber fromDouble(double value, int significant);
    /// Invariant decimal text, exactly: blanks around it, an optional sign, digits with at most
    /// one '.', an optional exponent ("1.5e-3"). Nothing for any other text.
    static std::optional<DecimalNumber> fromPlainText(const QString& text);
};

} // namespace tessaro::format
