#pragma once

#include "analysis/criteria.h"

#include <QObject>
#include <QStringList>

// The user's investment criteria as kept in the per-user settings, beside the window position:
// group [Criteria], keys CashOnCash, DSCR, CashFlowPerUnit, CapRate and IRRAfterTax, each the
// text as typed. A missing key means its default, an empty value "not used".
//
// One instance serves the whole program, so every view that shows figures against the criteria
// hears at once when the user changes them.
class CriteriaSettings : public QObject {
    Q_OBJECT
public:
    static CriteriaSettings& instance();

    // The texts in force, in the order of AllCriteria(): as stored, a missing key as its
    // default text, a stored text that is no number as its default too.
    QStringList texts() const;
    // The criteria those texts give; read from the settings once and kept.
    const InvestmentCriteria& criteria() const { return m_criteria; }

    // Stores the texts as typed (five, in the order of AllCriteria()) and tells every listener.
    void store(const QStringList& texts);
    // Reads the settings again, as when the program starts; tells the listeners.
    void reload();

signals:
    void changed();

private:
    CriteriaSettings();
    QStringList m_texts;
    InvestmentCriteria m_criteria;
};

// The stored texts as the settings file holds them, missing keys as their defaults.
QStringList ReadCriteriaTexts();
void WriteCriteriaTexts(const QStringList& texts);
