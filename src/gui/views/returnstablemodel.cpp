#include "gui/views/returnstablemodel.h"

#include <QtMath>

namespace {

enum Row {
    GrossIncome,
    Vacancy,
    Expenses,
    Noi,
    DebtService,
    Interest,
    Principal,
    Depreciation,
    TaxableIncome,
    IncomeTax,
    CashFlowBeforeTax,
    CashFlowAfterTax,
    RefinanceCashOut,
    PropertyValue,
    LoanBalance,
    Equity,
    OutlookCashFlow,
    Difference,
    RowCount
};

// A cell of a CSV line: quoted when it holds the separator, a quote or a line break.
QString csvCell(const QString& text, QChar separator) {
    if (separator == QLatin1Char('\t') ||
        !(text.contains(separator) || text.contains(QLatin1Char('"')) ||
          text.contains(QLatin1Char('\n'))))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

const QStringList& ReturnsTableModel::rowCaptions() {
    static const QStringList captions = {
        QStringLiteral("Gross Scheduled Income"),
        QStringLiteral("Vacancy"),
        QStringLiteral("Operating Expenses"),
        QStringLiteral("Net Operating Income"),
        QStringLiteral("Debt Service"),
        QStringLiteral("Interest"),
        QStringLiteral("Principal"),
        QStringLiteral("Depreciation"),
        QStringLiteral("Taxable Income"),
        QStringLiteral("Income Tax"),
        QStringLiteral("Cash Flow Before Tax"),
        QStringLiteral("Cash Flow After Tax"),
        QStringLiteral("Refinance Cash Out"),
        QStringLiteral("Property Value"),
        QStringLiteral("Loan Balance"),
        QStringLiteral("Equity"),
        QStringLiteral("Outlook's Annual Cash Flow"),
        QStringLiteral("Difference"),
    };
    return captions;
}

void ReturnsTableModel::setResult(const ReturnsResult& result,
                                  const QVector<double>& outlookCashFlow) {
    const bool reshape =
        result.years.size() != m_years.size() || result.refinance.given != m_cashOutShown;
    if (reshape)
        beginResetModel();
    m_years = result.years;
    m_cashOutShown = result.refinance.given;
    m_outlook = outlookCashFlow;
    if (reshape)
        endResetModel();
    else if (!m_years.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, int(m_years.size()) - 1));
}

int ReturnsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cashOutShown ? RowCount : RowCount - 1;
}

int ReturnsTableModel::rowShown(int row) const {
    return !m_cashOutShown && row >= RefinanceCashOut ? row + 1 : row;
}

int ReturnsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_years.size());
}

double ReturnsTableModel::value(int row, int column) const {
    if (column < 0 || column >= m_years.size())
        return qQNaN();
    const ReturnsYear& y = m_years.at(column);
    const double outlook = column < m_outlook.size() ? m_outlook.at(column) : qQNaN();
    switch (rowShown(row)) {
    case GrossIncome:
        return y.grossScheduledIncome;
    case Vacancy:
        return y.vacancy;
    case Expenses:
        return y.operatingExpenses;
    case Noi:
        return y.netOperatingIncome;
    case DebtService:
        return y.debtService;
    case Interest:
        return y.interest;
    case Principal:
        return y.principal;
    case Depreciation:
        return y.depreciation;
    case TaxableIncome:
        return y.taxableIncome;
    case IncomeTax:
        return y.incomeTax;
    case CashFlowBeforeTax:
        return y.cashFlowBeforeTax;
    case CashFlowAfterTax:
        return y.cashFlowAfterTax;
    case RefinanceCashOut:
        return y.refinanceCashOut;
    case PropertyValue:
        return y.propertyValue;
    case LoanBalance:
        return y.loanBalance;
    case Equity:
        return y.equity;
    case OutlookCashFlow:
        return outlook;
    // The fuller model's after-tax cash flow less the outlook's, which charges every payment
    // in all years and taxes income before interest and depreciation.
    case Difference:
        return y.cashFlowAfterTax - outlook;
    default:
        return qQNaN();
    }
}

QVariant ReturnsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return ReturnsMoneyText(value(index.row(), index.column()));
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ReturnsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return QStringLiteral("Year %1").arg(section + 1);
    return section >= 0 && section < rowCount() ? rowCaptions().at(rowShown(section)) : QVariant();
}

QString ReturnsTableModel::tableText(QChar separator) const {
    QString text;
    for (int c = 0; c < columnCount(); ++c)
        text += separator + headerData(c, Qt::Horizontal).toString();
    text += QLatin1String("\r\n");
    for (int r = 0; r < rowCount(); ++r) {
        text += csvCell(headerData(r, Qt::Vertical).toString(), separator);
        for (int c = 0; c < columnCount(); ++c) {
            const double v = value(r, c);
            text += separator;
            text += qIsFinite(v) ? QString::number(qRound64(v)) : kNotAvailable;
        }
        text += QLatin1String("\r\n");
    }
    return text;
}
