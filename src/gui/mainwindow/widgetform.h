#pragma once

#include "gui/views/controltable.h"
#include "model/form.h"

class OutlookChart;
class QObject;
class QWidget;

// The open property as the window's widgets hold it: named controls read and written through
// their texts, colours and selections.
class WidgetForm : public Form {
public:
    explicit WidgetForm(QWidget& window) : m_window(window) {}

    QString text(const QString& name, int index = 0) const override;
    void setText(const QString& name, const QString& value, int index = 0) override;
    bool isEnabled(const QString& name, int index = 0) const override;
    void setTextColor(const QString& name, int index, QRgb colour) override;
    QRgb textColor(const QString& name, int index) const override;
    QVector<ControlRef> controlsInWindowOrder() const override;
    QVariant selectedItemData(const QString& name) const override;
    void setChartData(const QVector<double>& values, const QStringList& labels) override;
    void processPendingEvents() override;

    // A named control (letter case ignored); array cells by their index 1..n, else 0.
    QWidget* control(const QString& name, int index = 0) const;

    // The views enter their widgets here as they build them.
    ControlTable& controls() { return m_controls; }
    // The stored text fields, in the order a property is stored.
    void setFieldOrder(QVector<ControlRef> order) { m_fieldOrder = std::move(order); }
    void setChart(OutlookChart* chart) { m_chart = chart; }
    // The texts a freshly built window shows.
    void applyDesignDefaults();
    // Runs the change handler the field table gives a field on owner whenever the field's text
    // changes, typed or written.
    void connectChangeHandlers(Form& owner, QObject* context);

private:
    QWidget& m_window;
    ControlTable m_controls;
    QVector<ControlRef> m_fieldOrder;
    OutlookChart* m_chart = nullptr;
    bool m_processingEvents = false;
};
