#pragma once

#include <QRgb>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The main window as the calculations, the store and the change tracking see it: named
// controls in window order. A control array is one name with numbered cells (index 1..n);
// a single control has index 0. The analysis, store and report code reach the window only
// through this interface; tests use MemoryForm.
enum class ControlKind { TextField, Label, ComboBox, OptionButton, CheckBox };

struct ControlRef {
    QString name;
    int index = 0;
    ControlKind kind = ControlKind::TextField;
};

class Form {
public:
    virtual ~Form() = default;

    // Text of a text field or combo box, caption of a label, "1"/"0" for a check or option.
    virtual QString text(const QString& name, int index = 0) const = 0;
    // Writes it; a text field whose text really changes runs its change handler, typed or
    // programmatic alike.
    virtual void setText(const QString& name, const QString& value, int index = 0) = 0;
    virtual bool isEnabled(const QString& name, int index = 0) const = 0;

    virtual void setTextColor(const QString& name, int index, QRgb colour) = 0;
    virtual QRgb textColor(const QString& name, int index) const = 0;

    // Every control in window order (the order a save stores fields in).
    virtual QVector<ControlRef> controlsInWindowOrder() const = 0;

    // Item data of the selected entry of a drop-down; an invalid QVariant when none is.
    virtual QVariant selectedItemData(const QString& name) const = 0;

    // The outlook chart: one value per year, labelled "Year 1".."Year n".
    virtual void setChartData(const QVector<double>& values, const QStringList& labels) = 0;

    // A computed figure the last run could not work out keeps its old text: why, in the user's
    // words ("Not updated: Gross Monthly Income is no number"); empty once it is worked out.
    // A window shows such a figure greyed. Only the investment summary's figures are told.
    virtual void setNotUpdated(const QString& name, const QString& reason) = 0;
    virtual QString notUpdated(const QString& name) const = 0;

    // Lets pending window events run (the chart repaints); nothing to do without a window.
    virtual void processPendingEvents() {}

    // Between the two, a window may keep what is written to itself and show only the last
    // text of each field, once, at the end: reads, handlers and their order are unchanged.
    // Updates nest; the outermost end shows the result. Use FormUpdate rather than these.
    virtual void beginUpdate() {}
    virtual void endUpdate() {}
};

// One update of a form, for as long as the object lives.
class FormUpdate {
public:
    explicit FormUpdate(Form& form) : m_form(form) { m_form.beginUpdate(); }
    ~FormUpdate() { m_form.endUpdate(); }
    FormUpdate(const FormUpdate&) = delete;
    FormUpdate& operator=(const FormUpdate&) = delete;

private:
    Form& m_form;
};
