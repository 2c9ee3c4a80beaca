#pragma once

#include <tessaro/tessaro_export.h>

#include <QString>
#include <stdexcept>

namespace tessaro {

/// A failure the control passes on to its caller: the runtime's error number and its
/// English description, or a database driver's native number and message.
class TESSARO_EXPORT Error : public std::runtime_error {
public:
    Error(int number, const QString& description);

    /// An error with the runtime's own description of `number` (for example 9, "Subscript out
    /// of range"); an unknown number gets "Application-defined or object-defined error".
    static Error fromNumber(int number);

    int number() const noexcept { return m_number; }
    QString description() const { return m_description; }

    // The runtime numbers the control raises.
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
