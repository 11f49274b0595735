#pragma once

#include <QDialog>
#include <QStringList>
#include <QVector>

class QLineEdit;
class QPushButton;

// Tools › "Investment Criteria...": the user's five targets, each a number or blank for "not
// used". A text that is no number is framed in red, and OK waits until every field is a number
// or blank.
class CriteriaDialog : public QDialog {
    Q_OBJECT
public:
    // `texts` fills the fields, in the order of AllCriteria().
    CriteriaDialog(QWidget* parent, const QStringList& texts);

    // The fields' texts as typed, in the order of AllCriteria().
    QStringList texts() const;
    // The field of a criterion's stored key ("CashOnCash" is txtCriteriaCashOnCash).
    static QString fieldName(const QString& key);

private:
    void updateOk();

    QVector<QLineEdit*> m_fields;
    QPushButton* m_ok = nullptr;
};
