#include "base/errortrap.h"

#include "base/errorlog.h"

RuntimeError::RuntimeError(int number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_what(QStringLiteral("%1: %2").arg(number).arg(m_description).toUtf8()) {}

QString ErrorDescription(int number) {
    switch (number) {
    case 5:
        return QStringLiteral("Invalid procedure call or argument");
    case 6:
        return QStringLiteral("Overflow");
    case 7:
        return QStringLiteral("Out of memory");
    case 9:
        return QStringLiteral("Subscript out of range");
    case 11:
        return QStringLiteral("Division by zero");
    case 13:
        return QStringLiteral("Type mismatch");
    case 53:
        return QStringLiteral("File not found");
    case 57:
        return QStringLiteral("Device I/O error");
    case 61:
        return QStringLiteral("Disk full");
    case 70:
        return QStringLiteral("Permission denied");
    case 75:
        return QStringLiteral("Path/File access error");
    case 76:
        return QStringLiteral("Path not found");
    case 380:
        return QStringLiteral("Invalid property value");
    case 381:
        return QStringLiteral("Invalid property array index");
    case 481:
        return QStringLiteral("Invalid picture");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

void RaiseError(int number, const QString& description) {
    throw RuntimeError(number, description.isEmpty() ? ErrorDescription(number) : description);
}

namespace {
thread_local int t_quietDepth = 0;
} // namespace

QuietTraps::QuietTraps() {
    ++t_quietDepth;
}
QuietTraps::~QuietTraps() {
    --t_quietDepth;
}

void LogTrappedError(int number, const QString& description, int location) {
    if (t_quietDepth > 0)
        return;
    LogError(QString::number(number), description, QString::number(location));
}
