#pragma once

#include <QHash>
#include <QPointer>
#include <QStaticText>
#include <QWidget>

#include <functional>

class QAbstractItemModel;

// A tornado: one horizontal bar per row of a sensitivity table, from the figure with the input
// a step down to the figure with it a step up, about a line at the base figure. A side that
// ends below the user's target is drawn in red, with the target as a dashed line.
//
// It draws whatever model it is given, read through these roles: column 0's display text is
// the row's caption; columns 2 and 3 give the low and high figures under ValueRole (NaN where
// there is none); the horizontal header of column 0 gives the base figure under ValueRole and
// the target under TargetRole (no value without a target).
class TornadoChart : public QWidget {
    Q_OBJECT
public:
    static constexpr int ValueRole = Qt::UserRole + 1;
    static constexpr int TargetRole = Qt::UserRole + 2;

    explicit TornadoChart(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model);
    // How a figure is written on the chart ("12.00%").
    void setValueText(std::function<QString(double)> text) { m_text = std::move(text); }

    // The colour each side of a row is drawn in, and the one a side below the target gets.
    QColor sideColour(int row, bool high) const;
    static QColor belowTargetColour(bool high);

    QSize sizeHint() const override { return {600, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double value(int row, int column) const;
    bool belowTarget(double v) const;

    QPointer<QAbstractItemModel> m_model;
    std::function<QString(double)> m_text;
    QHash<QString, QStaticText> m_captions; // laid out once each
};
