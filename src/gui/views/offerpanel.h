#pragma once

#include "analysis/offer.h"
#include "gui/views/viewframe.h"

#include <QVector>

#include <functional>

class Form;
class Prompts;
class QLabel;
class QLineEdit;
class QPushButton;

// The returns view's offer group: for each of the user's criteria the highest price at which
// the property still meets it, the offer (the lowest of them) with the target that binds and
// its distance from the asking price, and "Use as Purchase Price". Every figure explains its
// arithmetic on hover and F2.
class OfferPanel : public ViewFrame {
    Q_OBJECT
public:
    // The panel writes the offer into the property through `form`, after asking through
    // `prompts`; `edited` runs after it did.
    OfferPanel(QWidget* view, ControlTable& controls, Form& form, std::function<Prompts*()> prompts,
               std::function<void()> edited);

    // Puts the panel's top at `top` twips down its view; returns where it ends.
    int placeAt(int top);
    // Works the offer out for the property as `in` describes it.
    void refresh(const ReturnsInputs& in, double units);

    const OfferResult& offer() const { return m_offer; }
    QString explain(const QString& fieldName) const;

public slots:
    void cmdUseOfferPrice_Click();

private:
    void recompute();

    Form& m_form;
    std::function<Prompts*()> m_prompts;
    std::function<void()> m_edited;
    QVector<QLabel*> m_captions; // one per criterion, naming its target
    QVector<QLineEdit*> m_targets;
    QLineEdit* m_price = nullptr;
    QLabel* m_binding = nullptr;
    QLineEdit* m_gap = nullptr;
    QPushButton* m_use = nullptr;
    int m_height = 0; // twips

    ReturnsInputs m_inputs;
    double m_units = 1;
    bool m_hasInputs = false;
    InvestmentCriteria m_criteria;
    OfferResult m_offer;
};
