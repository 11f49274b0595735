#include "gui/views/rehabpanel.h"

#include "analysis/refinance.h"
#include "gui/views/viewframe.h"
#include "gui/widgets/figureexplainer.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kLeftCaption = 240;
constexpr int kLeftField = 3300;
constexpr int kRightCaption = 5700;
constexpr int kRightField = 8340;
constexpr int kFieldWidth = 1560;

enum class Shown { Money, Percent, CashOnCash };

struct Figure {
    const char* name;
    const char* caption;
    Shown shown;
    double ReturnsRefinance::*value;
};

const Figure kFigures[] = {
    {"txtBrrrrAllInCost", "All-In Cost", Shown::Money, &ReturnsRefinance::allInCost},
    {"txtBrrrrCashInvested", "Cash In before Refinance", Shown::Money,
     &ReturnsRefinance::cashInvested},
    {"txtBrrrrEquityCreated", "Equity Created", Shown::Money, &ReturnsRefinance::equityCreated},
    {"txtBrrrrMonthlyCashFlow", "Refinanced Monthly Cash Flow", Shown::Money,
     &ReturnsRefinance::monthlyCashFlow},
    {"txtBrrrrCashOnCash", "Refinanced Cash-on-Cash", Shown::CashOnCash,
     &ReturnsRefinance::cashOnCash},
    {"txtBrrrrRefinanceLoan", "Refinance Loan", Shown::Money, &ReturnsRefinance::loan},
    {"txtBrrrrLoanPayoff", "Loans Paid Off", Shown::Money, &ReturnsRefinance::loanPayoff},
    {"txtBrrrrCashOut", "Refinance Cash Out", Shown::Money, &ReturnsRefinance::cashOut},
    {"txtBrrrrCashLeft", "Cash Left in the Deal", Shown::Money, &ReturnsRefinance::cashLeft},
    {"txtBrrrrRecovered", "Cash Recovered", Shown::Percent, &ReturnsRefinance::recovered},
};
constexpr int kLeftCount = 5;

QString shownText(Shown shown, double value) {
    switch (shown) {
    case Shown::Money:
        return ReturnsMoneyText(value);
    case Shown::Percent:
        return ReturnsPercentText(value);
    case Shown::CashOnCash:
        return ReturnsCashOnCashText(value);
    }
    return kNotAvailable;
}

} // namespace

QVector<RehabFigureText> RehabPanel::FigureTexts(const ReturnsResult& result) {
    QVector<RehabFigureText> texts;
    for (const Figure& f : kFigures)
        texts.append({QString::fromLatin1(f.name), QString::fromLatin1(f.caption),
                      shownText(f.shown, result.refinance.*f.value)});
    return texts;
}

int RehabPanel::LeftColumnCount() {
    return kLeftCount;
}

RehabPanel::RehabPanel(ViewFrame& view, int top, FigureExplainer& explainer) : QObject(&view) {
    view.addGroupHeading(QStringLiteral("Rehab and Refinance"), kLeftCaption, top, 4500);
    int row = 0;
    for (const Figure& f : kFigures) {
        const bool left = row < kLeftCount;
        const int caption = left ? kLeftCaption : kRightCaption;
        const int field = left ? kLeftField : kRightField;
        const int fieldTop = top + ViewFrame::kRowPitch * (1 + (left ? row : row - kLeftCount));
        QLineEdit* edit = view.addCaptionedField(
            QString::fromLatin1(f.name), QString::fromLatin1(f.caption), false, caption,
            field - caption - 60, field, kFieldWidth, fieldTop);
        ViewFrame::markComputed(edit);
        edit->setAlignment(Qt::AlignRight);
        explainer.watch(edit);
        m_fields.append(edit);
        ++row;
    }
    const int noteTop = top + ViewFrame::kRowPitch * (1 + kLeftCount) + 60;
    // Two lines' room: the line is longer than the narrowest view is wide, and it takes the
    // gap above the year table rather than pushing it down.
    m_note = view.addCaption(&view, QStringLiteral("lblRefinanceNote"), QString(), kLeftCaption,
                             noteTop, ViewFrame::kWidth - 480, 480);
    m_note->setFont(PixelFont(12, false));
    m_note->setWordWrap(true);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_bottom = noteTop + ViewFrame::kRowPitch;
}

void RehabPanel::show(const ReturnsInputs& in, const ReturnsResult& result) {
    const QVector<RehabFigureText> texts = FigureTexts(result);
    for (int i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(texts.at(i).text);
    m_note->setText(RefinanceNote(in, result));
}
