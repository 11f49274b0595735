#pragma once

#include "model/form.h"

#include <QStringList>

// The open property's unsaved-work state: a baseline of the watched controls taken at open,
// new and save, compared with a snapshot taken when the property is about to be closed.
// Picture additions and removals set m_bDirty, since pictures live in no watched control.
class ChangeTracker {
public:
    // Text fields, labels, option buttons, check boxes and combo boxes in window order,
    // except the outlook grids, the outlook period box and the outlook headings (they
    // change whenever the outlook is recomputed). Each value without the spaces at its ends,
    // upper-cased.
    static QStringList WatchedValues(const Form& form);
    static bool IsWatched(const ControlRef& control);

    void TakeBaselineSnapshot(const Form& form);
    void TakeCurrentSnapshot(const Form& form);
    bool HasUnsavedChanges() const;

    // Element 0 stays empty; the k-th watched value is element k.
    QStringList m_sBaselineSnapshot{QString()};
    QStringList m_sCurrentSnapshot{QString()};
    bool m_bDirty = false;
};
