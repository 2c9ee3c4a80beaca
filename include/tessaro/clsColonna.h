#pragma once

#include <tessaro/Enums.h>
#include <tessaro/tessaro_export.h>

#include <QString>
#include <memory>

namespace tessaro {

/// Describes how one field of the result set is shown: descriptor k describes field k and
/// visible column k. A new descriptor is neutral (0, 0, "", 0, ""); the properties are plain
/// stored values that are never validated or converted.
class TESSARO_EXPORT clsColonna {
public:
    clsColonna();
    ~clsColonna();
    clsColonna(const clsColonna&) = delete;
    clsColonna& operator=(const clsColonna&) = delete;

    /// 1 numeric (right-justified, summable), 2 date (sorted in time order), else plain text.
    int TipoCampo() const;
    void setTipoCampo(int value);
    /// TipoCampo by name.
    ColumnKind kind() const;
    /// Column alignment: 0 left, 1 right, 2 centre.
    int Allineamento() const;
    void setAllineamento(int value);
    /// Allineamento by name; a value other than 0, 1 or 2 is Left, as the list shows it.
    ColumnAlignment alignment() const;
    /// Format expression for every non-null value; empty means the value's plain text.
    QString Formattazione() const;
    void setFormattazione(const QString& value);
    /// Width in twips; 0 means an even share of the list's width.
    int Larghezza() const;
    void setLarghezza(int value);
    /// Caption; empty means the field's own name.
    QString Intestazione() const;
    void setIntestazione(const QString& value);

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace tessaro
