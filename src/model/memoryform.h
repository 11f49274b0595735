#pragma once

#include "model/form.h"

#include <QHash>
#include <functional>

// A form without a window: every stored field of the main window in window order, the
// operating-expense label and the outlook period box. Used by tests and benchmarks, and
// anywhere the program needs to compute without widgets.
class MemoryForm : public Form {
public:
    using ChangeHandler = std::function<void(const QString& name, int index)>;

    MemoryForm();

    QString text(const QString& name, int index = 0) const override;
    void setText(const QString& name, const QString& value, int index = 0) override;
    bool isEnabled(const QString& name, int index = 0) const override;
    void setTextColor(const QString& name, int index, QRgb colour) override;
    QRgb textColor(const QString& name, int index) const override;
    QVector<ControlRef> controlsInWindowOrder() const override;
    QVariant selectedItemData(const QString& name) const override;
    void setChartData(const QVector<double>& values, const QStringList& labels) override;
    void setNotUpdated(const QString& name, const QString& reason) override;
    QString notUpdated(const QString& name) const override { return m_notUpdated.value(name); }

    // Runs for every real change of a text field's text. Unset, nothing runs.
    void setChangeHandler(ChangeHandler handler) { m_onChange = std::move(handler); }

    void setEnabled(const QString& name, bool enabled, int index = 0);
    // Puts the design-time texts in place without running any handler.
    void applyDesignDefaults();
    // Selects entry 0..2 of the outlook period box ("5 Years", "10 Years", "20 Years");
    // -1 selects nothing. Does not recalculate.
    void selectOutlookPeriod(int listIndex);

    bool hasField(const QString& name) const;
    int writeCount() const { return m_writes; }
    void resetWriteCount() { m_writes = 0; }
    const QVector<double>& chartValues() const { return m_chartValues; }
    const QStringList& chartLabels() const { return m_chartLabels; }
    int chartUpdates() const { return m_chartUpdates; }

private:
    struct Cell {
        QString text;
        bool enabled = true;
        QRgb colour = 0xff000000;
    };
    // One named control: a single field (index 0) or a control array (cells 1..n).
    struct Control {
        ControlKind kind = ControlKind::TextField;
        int firstIndex = 0;
        QVector<Cell> cells;
    };
    // Looked up on every read and write of a recalculation: the spelling as registered is
    // found without building a key; any other spelling falls back to the lower-cased name.
    int controlId(const QString& name) const;
    Cell* cell(const QString& name, int index);
    const Cell* cell(const QString& name, int index) const;
    void addControl(const QString& name, ControlKind kind, int cells);

    QVector<ControlRef> m_order;
    QVector<Control> m_controls;
    QHash<QString, int> m_ids; // registered spelling and lower-cased name -> m_controls index
    ChangeHandler m_onChange;
    int m_periodIndex = -1;
    int m_writes = 0;
    int m_chartUpdates = 0;
    QVector<double> m_chartValues;
    QStringList m_chartLabels;
    QHash<QString, QString> m_notUpdated;
};
