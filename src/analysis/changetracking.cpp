#include "analysis/changetracking.h"

#include "base/blanks.h"
#include "model/fieldtable.h"

namespace {
// The controls beside the fields that the views rewrite: the outlook's period box and its
// headings, and the returns view's offer and sensitivity groups, which follow the user's own
// criteria and choice of figure rather than the property.
const char* const kUnwatchedPrefixes[] = {"CMBCFAYEARS", "LBL10CF",        "LBL5CF",
                                          "LBLOFFER",    "CMBSENSITIVITY", "LBLSENSITIVITY"};
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
