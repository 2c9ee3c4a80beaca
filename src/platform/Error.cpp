#include <tessaro/Error.h>

namespace tessaro {

Error::Error(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

Error Error::fromNumber(int number)
{
    switch (number) {
    case InvalidProcedureCall: return Error(number, QStringLiteral("Invalid procedure call or argument"));
    case Overflow: return Error(number, QStringLiteral("Overflow"));
    case OutOfMemory: return Error(number, QStringLiteral("Out of memory"));
    case SubscriptOutOfRange: return Error(number, QStringLiteral("Subscript out of range"));
    case DivisionByZero: return Error(number, QStringLiteral("Division by zero"));
    case TypeMismatch: return Error(number, QStringLiteral("Type mismatch"));
    case FileNotFound: return Error(number, QStringLiteral("File not found"));
    case PathFileAccess: return Error(number, QStringLiteral("Path/File access error"));
    case ObjectVariableNotSet:
        return Error(number, QStringLiteral("Object variable or With block variable not set"));
    case InvalidPropertyValue: return Error(number, QStringLiteral("Invalid property value"));
    case KeyAlreadyAssociated:
        return Error(number, QStringLiteral("This key is already associated with an element of this collection"));
    case NoCurrentRecord:
        return Error(number, QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                                            "Requested operation requires a current record."));
    case ObjectClosed:
        return Error(number, QStringLiteral("Operation is not allowed when the object is closed."));
    case IndexOutOfBounds: return Error(number, QStringLiteral("Index out of bounds"));
    default: return Error(number, QStringLiteral("Application-defined or object-defined error"));
    }
}

} // namespace tessaro
