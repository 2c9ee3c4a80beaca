#pragma once

// Names for the numbers that the control's int properties take. The properties stay int, as
// hosts set and store them; these names are how code reads them.

namespace tessaro {

/// What a column holds, from clsColonna::TipoCampo: 1 numbers (right-justified, summable,
/// exported as numbers), 2 dates (sorted in time order); any other value is text.
enum class ColumnKind : int { Text = 0, Number = 1, Date = 2 };

/// The ColumnKind of a TipoCampo value: Number for 1, Date for 2, Text for any other.
constexpr ColumnKind toColumnKind(int tipoCampo) noexcept
{
    if (tipoCampo == static_cast<int>(ColumnKind::Number))
        return ColumnKind::Number;
    return tipoCampo == static_cast<int>(ColumnKind::Date) ? ColumnKind::Date : ColumnKind::Text;
}

/// How a column's texts align, from clsColonna::Allineamento and ColumnHeader::Alignment:
/// 0 left, 1 right, 2 centre; any other value shows as left.
enum class ColumnAlignment : int { Left = 0, Right = 1, Centre = 2 };

/// The ColumnAlignment of an Allineamento value: Right for 1, Centre for 2, Left for any other.
constexpr ColumnAlignment toColumnAlignment(int allineamento) noexcept
{
    if (allineamento == static_cast<int>(ColumnAlignment::Right))
        return ColumnAlignment::Right;
    return allineamento == static_cast<int>(ColumnAlignment::Centre) ? ColumnAlignment::Centre
                                                                      : ColumnAlignment::Left;
}

/// The MousePointer numbers of the control and its children: 0 the default pointer, 11 the
/// hourglass while a page loads, 99 a pointing hand over what can be clicked. Any other number
/// shows the default pointer but is kept as set.
enum class PointerShape : int { Default = 0, Hourglass = 11, Hand = 99 };

} // namespace tessaro
