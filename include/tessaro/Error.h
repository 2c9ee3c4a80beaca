#pragma once

#include <tessaro/tessaro_export.h>

#include <QString>
#include <stdexcept>

namespace tessaro {

/// A failure the control passes on to its caller: the runtime's error number and its
/// English description, or a database driver's native number and message.
///
/// What comes back this way: CambiaLingua, the members of the inner objects (ListView, its
/// headers and items, ImageList, collColonne, Recordset) and PropertyBag::deserialise. The
/// control's own routines report their failures in a message box instead (see
/// setMessageBoxHandler) or skip them. what() is the description in UTF-8.
class TESSARO_EXPORT Error : public std::runtime_error {
public:
    /// An error with that number and description.
    Error(int number, const QString& description);

    /// An error with the runtime's own description of `number` (for example 9, "Subscript out
    /// of range"); an unknown number gets "Application-defined or object-defined error".
    static Error fromNumber(int number);

    /// The error number: a runtime number below, a data-access number (3001 arguments out of
    /// range, 3265 no such field, 3705 already open, 3709 connection not usable), or a database
    /// driver's native number (-2147467259 when the driver's code is not a number).
    int number() const noexcept { return m_number; }
    /// The English description, or the database's own message.
    QString description() const { return m_description; }

    /// The runtime numbers the control raises.
    enum : int {
        InvalidProcedureCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
        TypeMismatch = 13,
        FileNotFound = 53,
        PathFileAccess = 75,
        ObjectVariableNotSet = 91,
        InvalidPattern = 93,
        InvalidPropertyValue = 380,
        KeyAlreadyAssociated = 457,
        NoCurrentRecord = 3021,
        ObjectClosed = 3704,
        IndexOutOfBounds = 35600,
    };

private:
    int m_number;
    QString m_description;
};

} // namespace tessaro
