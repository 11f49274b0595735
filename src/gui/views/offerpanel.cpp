#include "gui/views/offerpanel.h"

#include "base/numerictext.h"
#include "gui/dialogs/criteriasettings.h"
#include "gui/dialogs/prompts.h"
#include "gui/views/controltable.h"
#include "gui/widgets/figureexplainer.h"
#include "model/form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtMath>

namespace {

constexpr int kLeft = 240;
constexpr int kTargetField = 3840;
constexpr int kRight = 5880;
constexpr int kFieldWidth = 1800;
constexpr int kRightWidth = ViewFrame::kWidth - 240 - kRight;
constexpr int kFirstRow = 800;

// The caption beside a target's price names the target in force.
QString CaptionFor(Criterion c, const InvestmentCriteria& criteria) {
    const std::optional<double> target = criteria.target(c);
    return target ? QStringLiteral("%1 \u2265 %2")
                        .arg(CriterionCaption(c), CriterionValueText(c, *target))
                  : CriterionCaption(c) + QStringLiteral(" (not used)");
}

// Money as the confirmation shows it: cents only where there are some.
QString AmountText(double v) {
    return CurrencyText(v, v == std::floor(v) ? 0 : 2);
}

} // namespace

OfferPanel::OfferPanel(QWidget* view, ControlTable& controls, Form& form,
                       std::function<Prompts*()> prompts, std::function<void()> edited)
    : ViewFrame(view, controls, QStringLiteral("fraOfferCalculator"), QString(), 0), m_form(form),
      m_prompts(std::move(prompts)), m_edited(std::move(edited)) {
    auto* explainer =
        new FigureExplainer(this, [this](const QString& name) { return explain(name); });
    addGroupHeading(QStringLiteral("Offer Calculator"), kLeft, 0, 4500);
    QLabel* note =
        addCaption(this, QStringLiteral("lblOfferNote"),
                   QStringLiteral("The highest price that still meets each of your criteria (Tools "
                                  "\u203a Investment Criteria...)."),
                   kLeft, 400, kWidth - 480);
    note->setFont(PixelFont(12, false));

    int top = kFirstRow;
    for (Criterion c : AllCriteria()) {
        QLineEdit* field =
            addCaptionedField(OfferFieldName(c), CriterionCaption(c), false, kLeft,
                              kTargetField - kLeft - 60, kTargetField, kFieldWidth, top);
        m_captions.append(findChild<QLabel*>(QStringLiteral("lbl") + OfferFieldName(c).mid(3)));
        markComputed(field);
        field->setAlignment(Qt::AlignRight);
        explainer->watch(field);
        m_targets.append(field);
        top += kRowPitch;
    }

    top = kFirstRow;
    m_price = addCaptionedField(kOfferPriceField, QStringLiteral("Offer Price"), false, kRight,
                                1500, kRight + 1560, 2100, top);
    markComputed(m_price);
    m_price->setAlignment(Qt::AlignRight);
    QFont bold = m_price->font();
    bold.setBold(true);
    m_price->setFont(bold);
    explainer->watch(m_price);
    top += kRowPitch;
    m_binding =
        addCaption(this, QStringLiteral("lblOfferBinding"), QString(), kRight, top, kRightWidth);
    top += kRowPitch;
    addCaption(this, QStringLiteral("lblOfferGap"), QStringLiteral("Against the Asking Price:"),
               kRight, top, kRightWidth);
    top += kRowPitch;
    m_gap = addField(this, kOfferGapField, 0, kRight, top, kRightWidth);
    markComputed(m_gap);
    explainer->watch(m_gap);
    top += kRowPitch;
    m_use = new QPushButton(QStringLiteral("&Use as Purchase Price"), this);
    controls.add(m_use, QStringLiteral("cmdUseOfferPrice"), 0, ControlKind::Label);
    PlaceTwips(m_use, kRight, top + 15, 2700, 375);
    connect(m_use, &QPushButton::clicked, this, &OfferPanel::cmdUseOfferPrice_Click);
    m_height = top + 420;

    connect(&CriteriaSettings::instance(), &CriteriaSettings::changed, this,
            &OfferPanel::recompute);
    show();
}

int OfferPanel::placeAt(int top) {
    PlaceTwips(this, 0, top, kWidth, m_height);
    return top + m_height;
}

void OfferPanel::refresh(const ReturnsInputs& in, double units) {
    m_inputs = in;
    m_units = units;
    m_hasInputs = true;
    recompute();
}

namespace {
// Most figures stay as they were from one keystroke to the next: leave those unpainted.
void setChangedText(QLineEdit* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}
} // namespace

void OfferPanel::recompute() {
    // The view is hidden: it works everything out again when it comes back.
    if (!m_hasInputs || !isVisibleTo(window()))
        return;
    m_criteria = CriteriaSettings::instance().criteria();
    m_offer = ComputeOffer(m_inputs, m_units, m_criteria);
    for (int i = 0; i < kCriterionCount; ++i) {
        const Criterion c = AllCriteria()[size_t(i)];
        m_captions[i]->setText(CaptionFor(c, m_criteria));
        setChangedText(m_targets[i], m_offer.targets[size_t(i)].text);
    }
    setChangedText(m_price, m_offer.priceText);
    m_binding->setText(m_offer.bindingText);
    if (m_gap->text() != m_offer.gapText) {
        m_gap->setText(m_offer.gapText);
        m_gap->setCursorPosition(0);
    }
    m_use->setEnabled(m_offer.outcome == OfferOutcome::Price);
}

QString OfferPanel::explain(const QString& fieldName) const {
    return ExplainOfferField(fieldName, m_inputs, m_units, m_criteria, m_offer);
}

void OfferPanel::cmdUseOfferPrice_Click() {
    if (m_offer.outcome != OfferOutcome::Price)
        return;
    const QVector<FieldEdit> edits = PurchasePriceEdits(m_form, m_offer.price);
    Prompts* prompts = m_prompts();
    if (edits.isEmpty() || !prompts)
        return;
    QString text = QStringLiteral("Make %1 the purchase price?").arg(AmountText(m_offer.price));
    if (edits.size() > 1)
        text += QStringLiteral("\n\nThe amounts that keep their share of the price change with "
                               "it:");
    for (const FieldEdit& e : edits.mid(1))
        text += QStringLiteral("\n%1: %2 \u2192 %3")
                    .arg(e.caption, AmountText(e.previous), AmountText(e.value));
    const PromptAnswer answer =
        prompts->message({QStringLiteral("&Use as Purchase Price"), text, PromptIcon::Question,
                          PromptButtons::OkCancel, PromptAnswer::Ok});
    if (answer != PromptAnswer::Ok)
        return;
    // Typed in as the user would: each field's own handler runs, and the property is changed.
    for (const FieldEdit& e : edits)
        m_form.setText(e.field, PlainText(e.value));
    m_edited();
}
