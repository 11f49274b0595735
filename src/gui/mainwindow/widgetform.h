#pragma once

#include "gui/views/controltable.h"
#include "model/form.h"

#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <memory>
#include <optional>

class OutlookChart;
class QLineEdit;
class QObject;
class QWidget;

// The open property as the window's widgets hold it: named controls read and written through
// their texts, colours and selections.
//
// Inside an update (FormUpdate) the texts and colours of the named text fields and the chart
// are kept here and put on the widgets once, at the end, with only what changed: a
// recalculation rewrites hundreds of figures, most of them twice on the way to their shown
// form, and opening a property runs one for each expense it loads. An outlook cell not on
// screen gets its text when it is shown. Reads through the form see the kept texts, and a field's
// change handler runs when its text is written, exactly as without an update.
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
    // A figure not updated is greyed until it is.
    void setNotUpdated(const QString& name, const QString& reason) override;
    QString notUpdated(const QString& name) const override { return m_notUpdated.value(name); }
    void processPendingEvents() override;
    void beginUpdate() override { ++m_updateDepth; }
    void endUpdate() override;

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
    struct ChartData {
        QVector<double> values;
        QStringList labels;
    };
    // Puts what an update kept on the widgets, in the order it was first written.
    void showPending();
    // Puts a cell's kept text and colour on its widget.
    void showKept(ControlTable::Cell* cell);
    void keepUntilShown(ControlTable::Cell* cell);
    void queue(ControlTable::Cell* cell);
    void applyColour(QWidget* w, QRgb colour);
    void runEvents();

    QWidget& m_window;
    ControlTable m_controls;
    QVector<ControlRef> m_fieldOrder;
    OutlookChart* m_chart = nullptr;
    bool m_processingEvents = false;
    Form* m_owner = nullptr;
    QHash<const QWidget*, QString> m_handlerField;
    mutable QHash<QString, QPointer<QWidget>> m_found; // controls outside the table, by name // a
                                                       // text field -> the field its handler takes
    int m_updateDepth = 0;
    QVector<ControlTable::Cell*> m_queued;
    std::optional<ChartData> m_pendingChart;
    bool m_eventsWanted = false;
    const QLineEdit* m_showing = nullptr; // the field being given its kept text
    std::unique_ptr<QObject> m_showWatcher;
    QHash<const QWidget*, ControlTable::Cell*> m_hiddenKept; // fields watched for being shown
    QHash<QString, QString> m_notUpdated;
};
