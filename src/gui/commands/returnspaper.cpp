#include "gui/commands/returnspaper.h"

#include "analysis/refinance.h"
#include "gui/dialogs/criteriasettings.h"
#include "gui/views/rehabpanel.h"
#include "gui/views/returnstablemodel.h"
#include "gui/views/returnsview.h"

#include <QLocale>

namespace {

// Years side by side in one block of the year table, as the page's outlook tables hold them.
constexpr int kYearsPerBlock = 10;

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString Cell(const QString& text, bool strong = false, const char* attributes = "") {
    const QString inner =
        strong ? QStringLiteral("<strong>%1</strong>").arg(Escaped(text)) : Escaped(text);
    return QStringLiteral("<td class=\"style9\"%1>%2</td>").arg(QLatin1String(attributes), inner);
}

} // namespace

QString ReturnsPaperSection::chartName() {
    return QStringLiteral("returnsChart.png");
}

ReturnsPaperSection::ReturnsPaperSection(const Form& form)
    : ReturnsPaperSection(form, CriteriaSettings::instance().criteria()) {}

ReturnsPaperSection::ReturnsPaperSection(const Form& form, const InvestmentCriteria& criteria)
    : m_criteria(criteria) {
    m_inputs = ReadReturnsInputs(form).inputs;
    m_result = ComputeReturns(m_inputs);
    m_outlook = OutlookCashFlows(form, int(m_result.years.size()));
    const double units = UnitCount(form);
    m_offer = ComputeOffer(m_inputs, units, criteria);
    m_tornado = ComputeTornado(m_inputs, units, Criterion::IrrAfterTax);
}

QString ReturnsPaperSection::inputsLine() const {
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    const auto plain = [](double v) {
        return qIsFinite(v) ? us.toString(v, 'g', 6) : kNotAvailable;
    };
    const QString holding = m_inputs.holdingPeriod > 0
                                ? QString::number(m_inputs.holdingPeriod) + QStringLiteral(" years")
                                : kNotAvailable;
    return QStringLiteral("Holding Period: %1 &nbsp; Selling Costs: %2 &nbsp; Depreciation "
                          "Period: %3 years &nbsp; Depreciation Recapture Rate: %4")
        .arg(holding, ReturnsPercentText(m_inputs.sellingCostRate),
             plain(m_inputs.depreciationYears), ReturnsPercentText(m_inputs.recaptureRate));
}

QString ReturnsPaperSection::figuresTable() const {
    // The ratios on the left, the sale and the rates of return on the right, as on screen.
    const QVector<ReturnsFigureText> figures = ReturnsFigureTexts(m_result);
    const int ratios = ReturnsRatioCount();
    const int saleCount = int(figures.size()) - ratios;
    QString html = QStringLiteral("<table width=\"90%\" border=\"0\" align=\"center\">\n"
                                  "<tr><td colspan=\"2\" class=\"style9\" align=\"center\"><strong>"
                                  "Year-One Ratios</strong></td><td colspan=\"2\" "
                                  "class=\"style9\" align=\"center\">"
                                  "<strong>Sale and Returns</strong></td></tr>\n");
    for (int row = 0; row < qMax(ratios, saleCount); ++row) {
        html += QStringLiteral("<tr>");
        for (const bool sale : {false, true}) {
            const int i = (sale ? ratios : 0) + row;
            const bool shown = row < (sale ? saleCount : ratios);
            html += shown ? QStringLiteral("<td class=\"style9\" align=\"right\" width=\"30%\">") +
                                Escaped(figures.at(i).caption) + QStringLiteral(": </td>") +
                                Cell(figures.at(i).text, false, " width=\"20%\"")
                          : QStringLiteral("<td></td><td></td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

QString ReturnsPaperSection::rehabSection() const {
    // The inputs first: the analysis page before this section does not list them.
    const ReturnsInputs& in = m_inputs;
    const auto plain = [](double v) { return qIsFinite(v) ? QString::number(v) : kNotAvailable; };
    QString html =
        QStringLiteral("<p align=\"center\" class=\"style10\">Rehab and Refinance</p>\n"
                       "<p align=\"center\" class=\"style9\">Rehab Budget: %1 &nbsp; Rehab Months: "
                       "%2 &nbsp; Holding Costs per Month: %3 &nbsp; After Repair Value: %4")
            .arg(ReturnsMoneyText(in.rehabCost), plain(in.rehabMonths),
                 ReturnsMoneyText(in.holdingCosts),
                 in.afterRepairValue > 0 || !qIsFinite(in.afterRepairValue)
                     ? ReturnsMoneyText(in.afterRepairValue)
                     : QStringLiteral("none"));
    if (m_result.refinance.given)
        html += QStringLiteral("<br>Refinance in Month: %1 &nbsp; Refinance Loan-to-Value: %2 "
                               "&nbsp; Refinance Interest Rate: %3 &nbsp; Refinance Term: %4 "
                               "months &nbsp; Refinance Closing Costs: %5")
                    .arg(plain(in.refinanceMonth), ReturnsPercentText(in.refinanceLtv),
                         ReturnsPercentText(in.refinanceRate), plain(in.refinanceTermMonths),
                         ReturnsMoneyText(in.refinanceCosts));
    html += QStringLiteral("</p>\n<table width=\"90%\" border=\"0\" align=\"center\">\n");
    // The two columns of the view side by side.
    const QVector<RehabFigureText> figures = RehabPanel::FigureTexts(m_result);
    const int left = RehabPanel::LeftColumnCount();
    const int right = int(figures.size()) - left;
    for (int row = 0; row < qMax(left, right); ++row) {
        html += QStringLiteral("<tr>");
        for (const int i : {row, left + row}) {
            const bool shown = i < left ? row < left : row < right;
            html += shown ? QStringLiteral("<td class=\"style9\" align=\"right\" width=\"30%\">") +
                                Escaped(figures.at(i).caption) + QStringLiteral(": </td>") +
                                Cell(figures.at(i).text, false, " width=\"20%\"")
                          : QStringLiteral("<td></td><td></td>");
        }
        html += QStringLiteral("</tr>\n");
    }
    html += QStringLiteral("</table>\n");
    const QString note = RefinanceNote(m_inputs, m_result);
    if (!note.isEmpty())
        html += QStringLiteral("<p align=\"center\" class=\"style9\">") + Escaped(note) +
                QStringLiteral("</p>\n");
    return html;
}

QString ReturnsPaperSection::yearTables() const {
    ReturnsTableModel model;
    model.setResult(m_result, m_outlook);
    const int years = model.columnCount();
    QString html;
    for (int first = 0; first < years; first += kYearsPerBlock) {
        const int last = qMin(years, first + kYearsPerBlock);
        // The heading row comes again on the next page when a block is split.
        html += QStringLiteral("<table width=\"90%\" border=\"1\" align=\"center\">\n<thead><tr>") +
                Cell(QString(), false, " width=\"23%\"");
        for (int c = first; c < last; ++c)
            html += Cell(model.headerData(c, Qt::Horizontal).toString(), true);
        html += QStringLiteral("</tr></thead>\n");
        for (int r = 0; r < model.rowCount(); ++r) {
            html +=
                QStringLiteral("<tr>") + Cell(model.headerData(r, Qt::Vertical).toString(), true);
            for (int c = first; c < last; ++c)
                html += Cell(model.data(model.index(r, c)).toString(), false, " align=\"right\"");
            html += QStringLiteral("</tr>\n");
        }
        html += QStringLiteral("</table>\n<p></p>\n");
    }
    return html;
}

QString ReturnsPaperSection::offerTable() const {
    // Each target with the price it allows, then the offer, as the view lays them out; the
    // prices in a narrow column of their own, right-aligned, the sentences beside them.
    QString html = QStringLiteral("<table width=\"80%\" border=\"0\" align=\"center\">\n");
    const auto caption = [](const QString& text) {
        return QStringLiteral("<td class=\"style9\" align=\"right\" width=\"50%\">") +
               Escaped(text) + QStringLiteral(": </td>");
    };
    const auto row = [&](const QString& text, const QString& figure, bool strong) {
        html += QStringLiteral("<tr>") + caption(text) +
                Cell(figure, strong, " align=\"right\" width=\"16%\"") +
                QStringLiteral("<td></td></tr>\n");
    };
    for (const TargetOffer& t : m_offer.targets) {
        const std::optional<double> target = m_criteria.target(t.criterion);
        row(target
                ? QStringLiteral("%1 \u2265 %2")
                      .arg(CriterionCaption(t.criterion), CriterionValueText(t.criterion, *target))
                : CriterionCaption(t.criterion) + QStringLiteral(" (not used)"),
            t.text, false);
    }
    row(QStringLiteral("Offer Price"), m_offer.priceText, true);
    if (!m_offer.bindingText.isEmpty())
        html += QStringLiteral("<tr><td></td>") +
                Cell(m_offer.bindingText, false, " colspan=\"2\"") + QStringLiteral("</tr>\n");
    html += QStringLiteral("<tr>") + caption(QStringLiteral("Against the Asking Price")) +
            Cell(m_offer.gapText, false, " colspan=\"2\"") + QStringLiteral("</tr>\n");
    return html + QStringLiteral("</table>\n");
}

QString ReturnsPaperSection::tornadoTable() const {
    QString html = QStringLiteral("<table width=\"80%\" border=\"1\" align=\"center\">\n<tr>");
    for (const char* heading : {"Input", "Change", "At Low", "At High"})
        html += Cell(QString::fromLatin1(heading), true);
    html += QStringLiteral("</tr>\n");
    for (const TornadoRow& r : m_tornado.rows)
        html += QStringLiteral("<tr>") + Cell(SensitivityInputCaption(r.input)) +
                Cell(SensitivityStepText(r.input)) +
                Cell(CriterionValueText(m_tornado.metric, r.low), false, " align=\"right\"") +
                Cell(CriterionValueText(m_tornado.metric, r.high), false, " align=\"right\"") +
                QStringLiteral("</tr>\n");
    return html + QStringLiteral("</table>\n");
}

QString ReturnsPaperSection::html() const {
    QString html = QStringLiteral("<p align=\"center\" class=\"style10\"><br>Investment "
                                  "Returns</p>\n");
    html += QStringLiteral("<p align=\"center\" class=\"style9\">") + inputsLine() +
            QStringLiteral("</p>\n");
    html += figuresTable();
    if (HasRehabOrRefinance(m_inputs))
        html += rehabSection();
    if (!m_result.years.isEmpty()) {
        html += QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\" "
                               "/></p>\n")
                    .arg(chartName())
                    .arg(kChartWidth)
                    .arg(kChartHeight);
        html += QStringLiteral("<p align=\"center\" class=\"style10\">Year by Year</p>\n");
        html += yearTables();
    }
    html += QStringLiteral("<p align=\"center\" class=\"style10\">Offer Calculator</p>\n");
    html += offerTable();
    html += QStringLiteral("<p align=\"center\" class=\"style10\">Sensitivity of the %1 "
                           "(%2 as typed)</p>\n")
                .arg(CriterionCaption(m_tornado.metric),
                     CriterionValueText(m_tornado.metric, m_tornado.base));
    html += tornadoTable();
    html += QStringLiteral("<p align=\"center\" class=\"style9\">A negative income tax is a "
                           "loss: it lowers the tax due on other income. \"Outlook's Annual Cash "
                           "Flow\" is the Cash Flow Outlook's figure for the year.</p>\n");
    return html;
}
