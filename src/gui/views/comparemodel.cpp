#include "gui/views/comparemodel.h"

#include "gui/widgets/themecolours.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QGuiApplication>

#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QColor kBestBackground(214, 240, 214);

using F = PortfolioFigure;
using Better = CompareModel::Better;

QString MonthsText(double months) {
    return std::isfinite(months) ? QStringLiteral("%1 months").arg(months) : kNotAvailable;
}

QString YearsText(double years) {
    return std::isfinite(years) && years > 0 ? QStringLiteral("%1 years").arg(years)
                                             : kNotAvailable;
}

bool HasLoan(const ReturnsMortgage& m) {
    return std::isnan(m.principal) || m.principal > 0;
}

} // namespace

QString CsvCell(const QString& text, QChar separator, bool typed) {
    QString cell = text;
    // A name typed as "=..." must stay a name in a spreadsheet, not become a formula.
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (typed && !cell.isEmpty() && formulaStarts.contains(cell.at(0)))
        cell.prepend(QLatin1Char('\''));
    if (separator == QLatin1Char('\t') ||
        !(cell.contains(separator) || cell.contains(QLatin1Char('"')) ||
          cell.contains(QLatin1Char('\n')) || cell.contains(QLatin1Char('\r'))))
        return cell;
    cell.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + cell + QLatin1Char('"');
}

CompareModel::CompareModel(QObject* parent) : QAbstractTableModel(parent) {}

void CompareModel::setColumns(const QVector<CompareColumn>& columns) {
    beginResetModel();
    m_columns = columns;
    buildLines();
    showLines();
    endResetModel();
}

void CompareModel::setOnlyDiffering(bool only) {
    if (only == m_onlyDiffering)
        return;
    beginResetModel();
    m_onlyDiffering = only;
    showLines();
    endResetModel();
}

void CompareModel::buildLines() {
    m_lines.clear();
    using Value = std::function<double(const PortfolioProperty&)>;
    using Text = std::function<QString(double)>;
    const Text money = ReturnsMoneyText;
    const Text percent = ReturnsPercentText;
    const auto add = [&](const QString& caption, Kind kind, Better better, const Value& value,
                         const Text& text) {
        Line line;
        line.caption = caption;
        line.kind = kind;
        line.better = better;
        for (const CompareColumn& c : qAsConst(m_columns)) {
            const double v = value(c.property);
            line.values.append(std::isfinite(v) ? v : kNaN);
            line.texts.append(text(v));
        }
        m_lines.append(line);
    };
    const auto heading = [&](const QString& caption) {
        Line line;
        line.caption = caption;
        m_lines.append(line);
    };
    const auto input = [&](const QString& caption, double ReturnsInputs::*member,
                           const Text& text) {
        add(
            caption, Kind::Input, Better::Neither,
            [member](const PortfolioProperty& p) { return p.inputs.*member; }, text);
    };
    const auto result = [&](const QString& caption, F figure, Better better) {
        add(
            caption, Kind::Result, better,
            [figure](const PortfolioProperty& p) { return p.value(figure); },
            [figure](double v) { return PortfolioFigureText(figure, v); });
    };

    heading(QStringLiteral("Inputs"));
    input(QStringLiteral("Purchase Price"), &ReturnsInputs::purchasePrice, money);
    input(QStringLiteral("Down Payment"), &ReturnsInputs::downPayment, money);
    input(QStringLiteral("Closing Costs"), &ReturnsInputs::closingCosts, money);
    input(QStringLiteral("Gross Monthly Income"), &ReturnsInputs::grossMonthlyIncome, money);
    input(QStringLiteral("Other Monthly Income"), &ReturnsInputs::otherMonthlyIncome, money);
    input(QStringLiteral("Expected Vacancy Rate"), &ReturnsInputs::vacancyRate, percent);
    input(QStringLiteral("Operating Expenses"), &ReturnsInputs::operatingExpenses, money);
    // A mortgage only where one of the properties has that loan.
    for (int k = 0; k < 4; ++k) {
        bool any = false;
        for (const CompareColumn& c : qAsConst(m_columns))
            any = any || HasLoan(c.property.inputs.mortgages[size_t(k)]);
        if (!any)
            continue;
        const QString n = QString::number(k + 1);
        const auto loan = [k](double ReturnsMortgage::*member) {
            return [k, member](const PortfolioProperty& p) {
                return p.inputs.mortgages[size_t(k)].*member;
            };
        };
        add(QStringLiteral("Mortgage %1 Principal").arg(n), Kind::Input, Better::Neither,
            loan(&ReturnsMortgage::principal), money);
        add(QStringLiteral("Mortgage %1 Interest Rate").arg(n), Kind::Input, Better::Neither,
            loan(&ReturnsMortgage::annualRate), percent);
        add(QStringLiteral("Mortgage %1 Term").arg(n), Kind::Input, Better::Neither,
            loan(&ReturnsMortgage::termMonths), MonthsText);
    }
    input(QStringLiteral("Expected Appreciation"), &ReturnsInputs::appreciation, percent);
    add(
        QStringLiteral("Holding Period"), Kind::Input, Better::Neither,
        [](const PortfolioProperty& p) {
            return p.inputs.holdingPeriod > 0 ? double(p.inputs.holdingPeriod) : kNaN;
        },
        YearsText);

    heading(QStringLiteral("Results"));
    result(QStringLiteral("Price"), F::Price, Better::Neither);
    result(QStringLiteral("Price per Unit"), F::PricePerUnit, Better::Lower);
    result(QStringLiteral("Cash Invested"), F::CashInvested, Better::Neither);
    result(QStringLiteral("Monthly Cash Flow"), F::MonthlyCashFlow, Better::Higher);
    result(QStringLiteral("Cap Rate"), F::CapRate, Better::Higher);
    result(QStringLiteral("Cash-on-Cash"), F::CashOnCash, Better::Higher);
    result(QStringLiteral("DSCR"), F::DebtServiceCoverage, Better::Higher);
    result(QStringLiteral("GRM"), F::GrossRentMultiplier, Better::Lower);
    result(QStringLiteral("Break-Even"), F::BreakEven, Better::Lower);
    result(QStringLiteral("IRR After Tax"), F::IrrAfterTax, Better::Higher);
    result(QStringLiteral("Equity Multiple"), F::EquityMultiple, Better::Higher);
    // The offer is a price, as large as the deal: no best. Criteria: the more met the better.
    Line offer;
    offer.caption = QStringLiteral("Max Offer");
    offer.kind = Kind::Result;
    Line met;
    met.caption = QStringLiteral("Criteria");
    met.kind = Kind::Result;
    met.better = Better::Higher;
    for (const CompareColumn& c : qAsConst(m_columns)) {
        offer.values.append(c.criteria.offerSort);
        offer.texts.append(c.criteria.offerText);
        met.values.append(c.criteria.priceable ? double(c.criteria.met) : kNaN);
        met.texts.append(c.criteria.criteriaText());
    }
    m_lines << offer << met;
    result(QStringLiteral("Year-One NOI"), F::YearOneNoi, Better::Higher);
    result(QStringLiteral("Debt Service"), F::YearOneDebtService, Better::Neither);
    result(QStringLiteral("Sale Proceeds After Tax"), F::SaleProceedsAfterTax, Better::Higher);
    result(QStringLiteral("IRR Before Tax"), F::IrrBeforeTax, Better::Higher);
    result(QStringLiteral("Expense Ratio"), F::ExpenseRatio, Better::Lower);
    result(QStringLiteral("Loan-to-Value"), F::LoanToValue, Better::Lower);

    for (Line& line : m_lines) {
        line.best = QVector<bool>(line.values.size(), false);
        line.differs =
            line.texts.size() < 2 || line.texts.count(line.texts.first()) != line.texts.size();
        if (line.better == Better::Neither)
            continue;
        // A best value needs another to be better than: all alike, or only one known, marks
        // nothing.
        double best = kNaN;
        int known = 0;
        for (double v : qAsConst(line.values)) {
            if (std::isnan(v))
                continue;
            ++known;
            if (std::isnan(best) || (line.better == Better::Higher ? v > best : v < best))
                best = v;
        }
        if (known < 2)
            continue;
        // Judged as shown: two cells that read the same are both the best, or neither is.
        const QString bestText = line.texts.at(line.values.indexOf(best));
        bool allAlike = true;
        for (int c = 0; c < line.values.size(); ++c)
            allAlike = allAlike && (std::isnan(line.values[c]) || line.texts[c] == bestText);
        if (allAlike)
            continue;
        for (int c = 0; c < line.values.size(); ++c)
            line.best[c] = !std::isnan(line.values[c]) && line.texts[c] == bestText;
    }
}

void CompareModel::showLines() {
    m_shown.clear();
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (m_onlyDiffering && line.kind == Kind::Input && !line.differs)
            continue;
        m_shown.append(i);
    }
}

QStringList CompareModel::captions() const {
    QStringList list;
    for (int i : m_shown)
        list.append(m_lines[i].caption);
    return list;
}

int CompareModel::rowOf(const QString& caption) const {
    return int(captions().indexOf(caption));
}

CompareModel::Kind CompareModel::kind(int row) const {
    return m_lines[m_shown[row]].kind;
}

QString CompareModel::text(int row, int column) const {
    const Line& line = m_lines[m_shown[row]];
    return column < line.texts.size() ? line.texts[column] : QString();
}

bool CompareModel::isBest(int row, int column) const {
    const Line& line = m_lines[m_shown[row]];
    return column < line.best.size() && line.best[column];
}

QString CompareModel::tableText(QChar separator) const {
    QString text = CsvCell(QString(), separator);
    for (const CompareColumn& c : m_columns)
        text += separator + CsvCell(c.name, separator, true);
    text += QLatin1String("\r\n");
    for (int r = 0; r < m_shown.size(); ++r) {
        text += CsvCell(m_lines[m_shown[r]].caption, separator);
        for (int c = 0; c < m_columns.size(); ++c)
            text += separator + CsvCell(this->text(r, c), separator);
        text += QLatin1String("\r\n");
    }
    return text;
}

int CompareModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_shown.size());
}

int CompareModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant CompareModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shown.size())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        // Tints under which the desktop's text colour stays readable, light or dark.
        if (isBest(index.row(), index.column()))
            return QBrush(Theme::Tint(kBestBackground, QGuiApplication::palette()));
        if (kind(index.row()) == Kind::Heading)
            return QBrush(Theme::Tint(QColor(236, 236, 236), QGuiApplication::palette()));
        return QVariant();
    case Qt::FontRole:
        if (isBest(index.row(), index.column())) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::ToolTipRole:
        if (isBest(index.row(), index.column()))
            return QStringLiteral("The best of the properties compared");
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant CompareModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole) {
        if (orientation == Qt::Horizontal && section >= 0 && section < m_columns.size())
            return m_columns[section].name;
        if (orientation == Qt::Vertical && section >= 0 && section < m_shown.size())
            return m_lines[m_shown[section]].caption;
    }
    if (role == Qt::FontRole && orientation == Qt::Vertical && section >= 0 &&
        section < m_shown.size() && kind(section) == Kind::Heading) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}
