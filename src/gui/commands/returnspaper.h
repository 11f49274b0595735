#pragma once

#include "analysis/offer.h"
#include "analysis/returns.h"
#include "analysis/sensitivity.h"

#include <QString>
#include <QVector>

// The investment returns as a section of the analysis on paper, in the page's own style: the
// holding-period inputs, the year-one ratios beside the sale and the rates of return, the
// repair and refinance when there is one, the chart and the year table ten years to a block,
// the offer against the user's criteria and the tornado of the IRR after tax, on a page of its
// own. Only the paper gets it: the browser page stays as it always was.
class ReturnsPaperSection {
public:
    // The image name the section's chart is drawn from; the caller provides the picture.
    static QString chartName();
    // The size the section shows the chart at, in the page's pixels.
    static constexpr int kChartWidth = 692;
    static constexpr int kChartHeight = 320;

    // The returns of the property on `form` as they stand, the offer against `criteria`.
    ReturnsPaperSection(const Form& form, const InvestmentCriteria& criteria);
    // The same against the user's criteria as stored.
    explicit ReturnsPaperSection(const Form& form);

    const ReturnsResult& result() const { return m_result; }
    QString html() const;

private:
    QString inputsLine() const;
    QString figuresTable() const;
    QString rehabSection() const; // only for a property with a repair or a refinance
    QString yearTables() const;
    QString offerTable() const;
    QString tornadoTable() const;

    ReturnsInputs m_inputs;
    ReturnsResult m_result;
    QVector<double> m_outlook;
    InvestmentCriteria m_criteria;
    OfferResult m_offer;
    Tornado m_tornado;
};
