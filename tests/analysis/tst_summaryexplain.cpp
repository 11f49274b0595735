// The arithmetic each Investment Summary figure shows in its tooltip: worked again from the
// numbers it quotes, it gives the text the field shows, and it ends with that very text.
#include "analysis/analysis.h"
#include "analysis/summaryexplain.h"
#include "base/numerictext.h"
#include "model/fieldtable.h"
#include "model/memoryform.h"
#include "testsupport.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

using Texts = QList<QPair<QString, QString>>;

// Every input the summary reads, typed the ways users type them: "$", grouping, cents, "%".
const Texts kFilled = {
    {"txtPurchasePrice", "$412,500"},
    {"txtDownPayment", "82,500"},
    {"txtClosingCosts", "9,875.50"},
    {"txtUnits", "6"},
    {"txtSquareFootage", "5,400"},
    {"txtGrossMonthlyIncome", "5,250"},
    {"txtOtherMonthlyIncome", "$180"},
    {"txtExpectedVacancyRate", "6.5%"},
    {"txtAnnualRateIncrease", "3"},
    {"txtOperatingCostIncrease", "2"},
    {"txtStateTaxRate", "5"},
    {"txtFederalTaxRate", "24"},
    {"txtPropertyTaxes", "6,200"},
    {"txtInsurance", "2,150.75"},
    {"txtRepairAndMaintenance", "3,000"},
    {"txtPropertyManagement", "5,040"},
    {"txtUtilities", "2,400"},
    {"txtAdvertising", "300"},
    {"txtMortgagePrincipal1", "300000"},
    {"txtAnnualInterestRate1", "6.875"},
    {"txtAmortizationTerm1", "360"},
    {"txtMortgagePrincipal2", "30000"},
    {"txtAnnualInterestRate2", "9"},
    {"txtAmortizationTerm2", "120"},
    // All four loans, so the debt service's sum of payments is worked with every one of them.
    {"txtMortgagePrincipal3", "12,500"},
    {"txtAnnualInterestRate3", "8"},
    {"txtAmortizationTerm3", "60"},
    {"txtMortgagePrincipal4", "7,000"},
    {"txtAnnualInterestRate4", "7"},
    {"txtAmortizationTerm4", "84"},
};

// A small recursive-descent reader of the numbers part of a tooltip: money ("$1,234.50",
// "($4,032)" for a negative), plain figures, percentages ("9.55%" is 0.0955), + − × ÷ and
// parentheses. NaN for anything it does not know, so a garbled text fails the test.
class Arithmetic {
public:
    explicit Arithmetic(const QString& text) {
        static const QRegularExpression token(QStringLiteral(
            R"(\s*(\(\$[0-9,]+(?:\.[0-9]+)?\)|\$[0-9,]+(?:\.[0-9]+)?|[0-9][0-9,]*(?:\.[0-9]+)?%?|[-()+\x{2212}\x{00D7}\x{00F7}]))"));
        int at = 0;
        while (at < text.size()) {
            const auto m = token.match(text, at, QRegularExpression::NormalMatch,
                                       QRegularExpression::AnchorAtOffsetMatchOption);
            if (!m.hasMatch()) {
                m_tokens.clear();
                m_tokens << QStringLiteral("?");
                return;
            }
            m_tokens << m.captured(1);
            at = m.capturedEnd();
        }
    }
    double value() {
        const double v = sum();
        return m_next == m_tokens.size() ? v : qQNaN();
    }

private:
    QString peek() const { return m_next < m_tokens.size() ? m_tokens.at(m_next) : QString(); }
    bool isMinus(const QString& t) const {
        return t == QStringLiteral("-") || t == QString(QChar(0x2212));
    }
    double sum() {
        double v = product();
        while (peek() == QStringLiteral("+") || isMinus(peek())) {
            const bool minus = isMinus(m_tokens.at(m_next++));
            v = minus ? v - product() : v + product();
        }
        return v;
    }
    double product() {
        double v = unary();
        while (peek() == QString(QChar(0x00D7)) || peek() == QString(QChar(0x00F7))) {
            const bool divide = m_tokens.at(m_next++) == QString(QChar(0x00F7));
            v = divide ? v / unary() : v * unary();
        }
        return v;
    }
    double unary() {
        if (isMinus(peek())) {
            ++m_next;
            return -unary();
        }
        const QString t = peek();
        if (t.isEmpty())
            return qQNaN();
        ++m_next;
        if (t == QStringLiteral("(")) {
            const double v = sum();
            return peek() == QStringLiteral(")") ? (++m_next, v) : qQNaN();
        }
        try {
            const double v = FieldNumber(t);
            return t.endsWith(QLatin1Char('%')) ? v / 100 : v;
        } catch (...) {
            return qQNaN();
        }
    }

    QStringList m_tokens;
    int m_next = 0;
};

QStringList SummaryFields() {
    QStringList names;
    for (const FieldInfo& f : FieldTable())
        if (f.view == FieldView::Summary && f.cells == 0)
            names << f.name;
    return names;
}

void Recalculated(MemoryForm& form, const Texts& texts) {
    ConnectAnalysisHandlers(form);
    for (const auto& [name, text] : texts)
        form.setText(name, text);
    RecalculateAnalysis(form);
}

} // namespace

class SummaryExplainTest : public QObject {
    Q_OBJECT
    TempProgramFolder m_folder;

private slots:
    void everyFigureWorksOutToWhatItShows_data() {
        QTest::addColumn<QString>("field");
        for (const QString& name : SummaryFields())
            QTest::newRow(qPrintable(name)) << name;
    }
    void everyFigureWorksOutToWhatItShows() {
        QFETCH(QString, field);
        MemoryForm form;
        Recalculated(form, kFilled);
        const QString shown = form.text(field);
        const QString tip = ExplainSummaryField(form, field);
        QVERIFY2(tip.startsWith(FindField(field)->caption.trimmed() + QStringLiteral(" = ")),
                 qPrintable(tip));
        QVERIFY2(tip.endsWith(QStringLiteral(" = ") + shown), qPrintable(tip));
        const QStringList parts = tip.split(QStringLiteral(" = "));
        if (parts.size() < 4)
            return; // a figure copied from an input has no arithmetic to work
        // The numbers quoted, worked again, give the figure shown, as far as it is rounded.
        const double worked = Arithmetic(parts.at(parts.size() - 2)).value();
        const bool percent = shown.endsWith(QLatin1Char('%'));
        const double figure = FieldNumber(shown) / (percent ? 100 : 1);
        const double tolerance =
            percent ? 0.00005 : (shown.contains(QLatin1Char('.')) ? 0.005 : 0.5);
        QVERIFY2(qAbs(worked - figure) <= tolerance + 1e-9,
                 qPrintable(QStringLiteral("%1 worked out as %2").arg(tip).arg(worked, 0, 'f', 6)));
    }

    // A field that does not convert: the figures built on it keep their earlier texts, and the
    // tooltip quotes the text as it stands rather than a number that was never used.
    void anInputThatIsNoNumberIsQuotedAsItStands() {
        MemoryForm form;
        Recalculated(form, kFilled);
        const QString cashBefore = form.text(QStringLiteral("txtQISTotalCashInvested"));
        form.setText(QStringLiteral("txtClosingCosts"), QStringLiteral("9,8x5"));
        RecalculateAnalysis(form);
        QCOMPARE(form.text(QStringLiteral("txtQISTotalCashInvested")), cashBefore);
        for (const QString& field : SummaryFields()) {
            const QString tip = ExplainSummaryField(form, field);
            QVERIFY2(tip.endsWith(QStringLiteral(" = ") + form.text(field)), qPrintable(tip));
        }
        for (const char* field : {"txtQISTotalCashInvested", "txtQISTotalAcquisitionCost"})
            QVERIFY2(ExplainSummaryField(form, QString::fromLatin1(field))
                         .contains(QStringLiteral("\"9,8x5\"")),
                     field);
        QVERIFY(ExplainSummaryField(form, QStringLiteral("txtPurchasePrice")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(SummaryExplainTest)
#include "tst_summaryexplain.moc"
