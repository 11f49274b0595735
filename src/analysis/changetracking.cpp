#include "analysis/changetracking.h"

#include "base/blanks.h"
#include "model/fieldtable.h"

namespace {
// The controls beside the fields that the outlook rewrites: its period box and its headings.
const char* const kUnwatchedPrefixes[] = {"CMBCFAYEARS", "LBL10CF", "LBL5CF"};
} // namespace

bool ChangeTracker::IsWatched(const ControlRef& control) {
    if (const FieldInfo* field = FindField(control.name))
        return field->isWatched();
    const QString upper = control.name.toUpper();
    for (const char* prefix : kUnwatchedPrefixes) {
        if (upper.startsWith(QLatin1String(prefix)))
            return false;
    }
    return true; // every kind a form reports is a watched kind
}

QStringList ChangeTracker::WatchedValues(const Form& form) {
    QStringList values{QString()};
    for (const ControlRef& control : form.controlsInWindowOrder()) {
        if (IsWatched(control))
            values.append(TrimBlanks(form.text(control.name, control.index)).toUpper());
    }
    return values;
}

void ChangeTracker::TakeBaselineSnapshot(const Form& form) {
    m_sBaselineSnapshot = WatchedValues(form);
    m_bDirty = false;
}

void ChangeTracker::TakeCurrentSnapshot(const Form& form) {
    m_sCurrentSnapshot = WatchedValues(form);
}

bool ChangeTracker::HasUnsavedChanges() const {
    if (m_bDirty)
        return true;
    for (int i = 0; i < m_sCurrentSnapshot.size(); ++i) {
        if (i >= m_sBaselineSnapshot.size())
            return true;
        if (m_sCurrentSnapshot.at(i) != m_sBaselineSnapshot.at(i))
            return true;
    }
    return false;
}
