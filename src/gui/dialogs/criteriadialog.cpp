#include "gui/dialogs/criteriadialog.h"

#include "analysis/criteria.h"
#include "gui/widgets/numbermark.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// What the number in each field stands for, shown after it.
QString unitOf(Criterion c) {
    switch (c) {
    case Criterion::CashOnCash:
    case Criterion::CapRate:
    case Criterion::IrrAfterTax:
        return QStringLiteral("%");
    case Criterion::DebtServiceCoverage:
        return QStringLiteral("times the debt service");
    case Criterion::CashFlowPerUnit:
        return QStringLiteral("$ a month");
    }
    return QString();
}

// What the target asks of a property, in plain words with its unit.
QString tooltipOf(Criterion c) {
    switch (c) {
    case Criterion::CashOnCash:
        return QStringLiteral(
            "Cash-on-Cash Return \u2014 the least first-year cash flow before tax, "
            "in percent of the cash invested");
    case Criterion::DebtServiceCoverage:
        return QStringLiteral("Debt Service Coverage \u2014 how many times the first year's net "
                              "operating income must cover the loan payments (1.25: a quarter "
                              "more than they cost)");
    case Criterion::CashFlowPerUnit:
        return QStringLiteral(
            "Monthly Cash Flow per Unit \u2014 the least cash flow before tax per "
            "unit and month in the first year, in dollars");
    case Criterion::CapRate:
        return QStringLiteral("Capitalization Rate \u2014 the least first-year net operating "
                              "income, in percent of the price");
    case Criterion::IrrAfterTax:
        return QStringLiteral("IRR After Tax \u2014 the least yearly return over the holding "
                              "period, sale included, after tax, in percent");
    }
    return QString();
}

} // namespace

CriteriaDialog::CriteriaDialog(QWidget* parent, const QStringList& texts) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInvestmentCriteria"));
    setWindowTitle(QStringLiteral("Investment Criteria"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("The least a property must reach to be worth buying, "
                                           "for every property.\nLeave a field blank for a "
                                           "target you do not use."),
                            this);
    layout->addWidget(note);

    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const QString tooltip =
        QStringLiteral("Not a number \u2014 type a number, or leave the field blank for a target "
                       "you do not use");
    for (int i = 0; i < kCriterionCount; ++i) {
        const Criterion c = AllCriteria()[size_t(i)];
        auto* field = new QLineEdit(this);
        field->setObjectName(fieldName(CriterionKey(c)));
        field->setAlignment(Qt::AlignRight);
        field->setPlaceholderText(QStringLiteral("not used"));
        field->setText(texts.value(i));
        field->setMaximumWidth(110);
        field->setToolTip(tooltipOf(c) + QStringLiteral("; blank: not used"));
        auto* caption = new QLabel(CriterionCaption(c) + QLatin1Char(':'), this);
        caption->setBuddy(field);
        grid->addWidget(caption, i, 0);
        grid->addWidget(field, i, 1);
        grid->addWidget(new QLabel(unitOf(c), this), i, 2);
        NumberMark::WatchFinite(field, tooltip); // as IsCriterionText reads it
        connect(field, &QLineEdit::textChanged, this, &CriteriaDialog::updateOk);
        m_fields.append(field);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    updateOk();
}

QString CriteriaDialog::fieldName(const QString& key) {
    return QStringLiteral("txtCriteria") + key;
}

QStringList CriteriaDialog::texts() const {
    QStringList texts;
    for (const QLineEdit* field : m_fields)
        texts << field->text();
    return texts;
}

void CriteriaDialog::updateOk() {
    bool usable = true;
    for (const QLineEdit* field : m_fields)
        usable = usable && IsCriterionText(field->text());
    m_ok->setEnabled(usable);
}
