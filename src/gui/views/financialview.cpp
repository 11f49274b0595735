#include "gui/views/financialview.h"

#include "analysis/financialhints.h"
#include "analysis/returns.h"
#include "gui/views/controltable.h"
#include "gui/widgets/themecolours.h"
#include "model/fieldtable.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kCaptionLeft = 240;
constexpr int kFieldWidth = 1560;
constexpr int kGroupGap = 120; // extra space above a group heading
constexpr int kRightLeft = 5700;

} // namespace

// The groups and their fields come from the field table; each column runs down from its first
// heading, so a new field in a group moves what is under it.
FinancialView::FinancialView(QWidget* parent, ControlTable& controls)
    : ViewFrame(parent, controls, QStringLiteral("frameFinancial"),
                QStringLiteral("Financial Information"), 0) {
    // A heading, its fields one row each; returns the top of the row after the last field.
    auto group = [this](const QString& name, int top, int captionLeft, int captionWidth,
                        int fieldLeft) {
        addGroupHeading(name, captionLeft, top, 4500);
        top += kRowPitch;
        for (const FieldInfo* field : FieldsOf(FieldView::Financial, name)) {
            addFieldRow(*field, captionLeft, captionWidth, fieldLeft, kFieldWidth, top);
            top += kRowPitch;
        }
        return top;
    };
    // Left column: purchase, rental and tax figures.
    int left = 1620;
    for (const char* name : {"Purchase Information", "Rental Information", "Tax Information"})
        left = group(QString::fromLatin1(name), left, kCaptionLeft, 3000, 3300) + kGroupGap;
    left -= kGroupGap;

    // Right column: the operating expenses and their running total.
    const int right = group(QStringLiteral("Operating Expenses"), 1620, kRightLeft, 2580, 8340);
    const int totalTop = right - kRowPitch + 450;
    QLabel* total =
        addCaption(this, QStringLiteral("lblAnnualOperatingExpenses"),
                   QStringLiteral("Annual Operating Expenses"), kRightLeft, totalTop, 4920, 330);
    total->setFont(PixelFont(12, true));

    const int mortgages = buildMortgages(qMax(left, totalTop + kRowPitch));
    const int hints = buildHints(mortgages + kRowPitch);
    const int bottom = buildRehab(hints + kGroupGap);
    PlaceTwips(this, 0, 0, kWidth, bottom + 600);
}

// Two lines under the mortgages, empty until the figures disagree; returns the top of what
// follows them.
int FinancialView::buildHints(int top) {
    for (const char* name : {"lblFinancingHint", "lblNegativeAmountHint"}) {
        QLabel* hint = addCaption(this, QString::fromLatin1(name), QString(), kCaptionLeft, top,
                                  kWidth - 2 * kCaptionLeft, 300);
        // Dark amber, a caution; lighter where the page is dark.
        Theme::SetTextColour(hint, QColor(0x8A, 0x4B, 0x00));
        hint->hide();
        m_hints.append(hint);
        top += 300;
    }
    for (const QString& name : FinancialHintFields()) {
        if (const ControlTable::Cell* cell = controls().find(name, 0))
            connect(qobject_cast<QLineEdit*>(cell->widget), &QLineEdit::textChanged, this,
                    &FinancialView::updateHints);
    }
    updateHints();
    return top;
}

void FinancialView::updateHints() {
    const FinancialHintLines lines = FinancialHints([this](const QString& name) {
        const ControlTable::Cell* cell = controls().find(name, 0);
        auto* edit = cell ? qobject_cast<QLineEdit*>(cell->widget) : nullptr;
        return edit ? edit->text() : QString();
    });
    const QString texts[] = {lines.financing, lines.negativeAmounts};
    for (int i = 0; i < m_hints.size(); ++i) {
        if (m_hints[i]->text() != texts[i])
            m_hints[i]->setText(texts[i]);
        m_hints[i]->setVisible(!texts[i].isEmpty());
    }
}

QStringList FinancialView::hints() const {
    QStringList shown;
    for (const QLabel* hint : m_hints)
        if (!hint->isHidden())
            shown << hint->text();
    return shown;
}

// The repair on the left, the refinance on the right; a blank field shows what it stands for.
// Returns the top of the lowest row.
int FinancialView::buildRehab(int top) {
    const QString group = QStringLiteral("Rehab and Refinance");
    addGroupHeading(group, kCaptionLeft, top, 4500);
    const QVector<const FieldInfo*> fields = FieldsOf(FieldView::Financial, group);
    int rowTop[2] = {top + kRowPitch, top + kRowPitch};
    for (const FieldInfo* field : fields) {
        const bool right = field->name.startsWith(QLatin1String("txtRefinance"));
        QLineEdit* edit =
            right ? addFieldRow(*field, kRightLeft, 2580, 8340, kFieldWidth, rowTop[1])
                  : addFieldRow(*field, kCaptionLeft, 3000, 3300, kFieldWidth, rowTop[0]);
        edit->setPlaceholderText(ReturnsInputBlankText(field->name));
        if (field->name == kRefinanceTermField)
            addCaption(this, QStringLiteral("lblRefinanceTermMonths"), QStringLiteral("months"),
                       8340 + kFieldWidth + 60, rowTop[1], 720);
        rowTop[right] += kRowPitch;
    }
    return qMax(rowTop[0], rowTop[1]) - kRowPitch;
}

// One row per loan under one column heading per field of the loan, the captions of the table;
// returns the top of the last row.
int FinancialView::buildMortgages(int top) {
    const QString group = QStringLiteral("Mortgages");
    addGroupHeading(group, kCaptionLeft, top, 4500);
    const QVector<const FieldInfo*> fields = FieldsOf(FieldView::Financial, group);
    const int columns = 4;
    const int colLeft[columns] = {1860, 4020, 6180, 8340};
    const int colWidth = 2000;
    for (int c = 0; c < columns && c < fields.size(); ++c) {
        QString name = fields[c]->caption;
        name.remove(QLatin1Char(' '));
        QLabel* h =
            addCaption(this, QStringLiteral("lbl") + name + QStringLiteral("Heading"),
                       fields[c]->caption, colLeft[c] - 120, top + 375, colWidth + 240, 270);
        h->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        h->setFont(PixelFont(12, true));
    }
    QLabel* months =
        addCaption(this, QStringLiteral("lblAmortizationTermMonths"), QStringLiteral("(months)"),
                   colLeft[2] - 120, top + 645, colWidth + 240, 255);
    months->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    int rowTop = top + 960;
    for (int i = 0; i < fields.size(); ++i) {
        const int row = i / columns + 1;
        const int c = i % columns;
        rowTop = top + 960 + (row - 1) * kRowPitch;
        if (c == 0) {
            QLabel* caption =
                addCaption(this, QStringLiteral("lblMortgageRow%1").arg(row),
                           QStringLiteral("Mortgage %1").arg(row), kCaptionLeft, rowTop, 1500);
            caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
        QLineEdit* edit = addField(this, fields[i]->name, 0, colLeft[c], rowTop, colWidth);
        if (fields[i]->isReadOnly())
            markComputed(edit);
    }
    return rowTop;
}
