#pragma once

// One section of a number pattern, read into the items it lays out.

#include <QString>
#include <vector>

namespace tessaro::format {

struct NumberItem {
    enum Kind { Literal, IntegerDigit, DecimalPoint, FractionDigit, Percent, Exponent, ExponentDigit, Comma };
    Kind kind = Literal;
    QString text;         ///< Literal: its text; Exponent: "E" or "e"
    QChar placeholder;    ///< digit kinds: '0' (a digit or zero) or '#' (a digit or nothing)
    int index = 0;        ///< digit kinds: position within its group, from the left
    bool signAlways = false; ///< Exponent: "E+" shows '+' too, "E-" only '-'
};
// (Comma items exist only while a section is read; the parsed section holds none.)

struct NumberSection {
    std::vector<NumberItem> items;
    std::vector<QChar> integerPlaces;  ///< the placeholders of each group, left to right
    std::vector<QChar> fractionPlaces;
    std::vector<QChar> exponentPlaces;
    bool grouping = false;     ///< a ',' between integer placeholders
    int thousandsScale = 0;    ///< trailing ',' each dividing by 1000
    int percentCount = 0;      ///< each '%' multiplies by 100
    bool scientific() const { return !exponentPlaces.empty(); }
};

/// Reads one section: '0' and '#' placeholders, the first '.' as the decimal point, ',' as the
/// grouping flag when an integer placeholder follows it and as a scale of 1000 when it ends the
/// integer or fraction placeholders, '%', "E+" "E-" "e+" "e-" followed by placeholders for the
/// exponent, quoted texts, '\' escapes; every other character is literal.
NumberSection parseNumberSection(const QString& section);

} // namespace tessaro::format
