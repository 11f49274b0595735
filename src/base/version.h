#pragma once

#include <QString>

// The product's title and version, shown in the window caption and written into every log entry.
inline QString ProgramTitle() {
    return QStringLiteral("Quillbrook");
}

inline QString VersionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(QB_VERSION_MAJOR)
        .arg(QB_VERSION_MINOR)
        .arg(QB_VERSION_REVISION);
}
