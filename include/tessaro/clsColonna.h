#pragma once

#include <tessaro/Enums.h>
#include <tessaro/tessaro_export.h>

#include <QString>
#include <memory>

namespace tessaro {

/// Describes how one field of the result set is shown: descriptor k describes field k and
/// visible column k. A new descriptor is neutral (0, 0, "", 0, ""); the properties are plain
/// stored values that are never validated or converted. The control reads them at each fill,
/// so a change shows at the next load.
class TESSARO_EXPORT clsColonna {
public:
    /// A neutral descriptor: text kind, left-aligned, no format, automatic width, the field's
    /// name as caption.
    clsColonna();
    /// Destroys the descriptor (when the last pointer to it goes).
    ~clsColonna();
    /// Not copyable: descriptors are shared through std::shared_ptr.
    clsColonna(const clsColonna&) = delete;
    /// Not copyable.
    clsColonna& operator=(const clsColonna&) = delete;

    /// 1 numeric, 2 date, else plain text; 0 by default. A numeric column's cell texts are
    /// padded on the left with blanks to 20 characters (a longer text keeps its last 20); its
    /// cells can be totalled and are exported as numbers. A date column is sorted in time
    /// order by a header click (except the list's first column), and afterwards shows its
    /// dates in the general date form.
    int TipoCampo() const;
    /// Sets the kind.
    void setTipoCampo(int value);
    /// TipoCampo by name.
    ColumnKind kind() const;
    /// Column alignment: 0 left (the default), 1 right, 2 centre, for the caption and the
    /// cells; the list's first column is always left-aligned. Right-aligned columns are
    /// right-aligned in the export too. Independent of TipoCampo: give numeric columns 1.
    int Allineamento() const;
    /// Sets the alignment (not checked: an out-of-range value shows as left).
    void setAllineamento(int value);
    /// Allineamento by name; a value other than 0, 1 or 2 is Left, as the list shows it.
    ColumnAlignment alignment() const;
    /// Format expression for every non-null value ("#,##0.00", "dd/mm/yyyy hh:nn", "Fixed",
    /// ">"), in the user's locale; empty (the default) means the value's plain text. The totals
    /// are shown in it too.
    QString Formattazione() const;
    /// Sets the format expression.
    void setFormattazione(const QString& value);
    /// Width in twips (1440 to the inch); 0 (the default) means an even share of the list's
    /// width, the last column 300 twips less, never below 480 twips; a negative width gives
    /// 480. A remembered width replaces it after the fill.
    int Larghezza() const;
    /// Sets the width.
    void setLarghezza(int value);
    /// Caption; empty (the default) means the field's own name.
    QString Intestazione() const;
    /// Sets the caption.
    void setIntestazione(const QString& value);

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace tessaro
