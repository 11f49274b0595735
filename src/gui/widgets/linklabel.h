#pragma once

#include <QColor>
#include <QLabel>

// A caption that behaves like a web link: navy at rest, light blue and underlined while the
// pointer is over it (each made as light or dark as its background needs to stay readable), and its
// action runs when the mouse button is released over it. The one link of the program: the main
// window's navigation, the home page's paging and the about box. Its owner decides the look from
// the signals. A press is the link's own: it never reaches the frame behind it.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    static QColor restColour() { return QColor(0, 0, 128); }
    static QColor hoverColour() { return QColor(102, 153, 204); }

    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    bool isHovered() const { return m_hovered; }
    // The look only; the signals below are what the window reacts to.
    void setHovered(bool hovered);
    // Links in the program's own boxes light up in plain blue rather than the page blue.
    void setHoverColour(const QColor& colour) { m_hoverColour = colour; }
    // The address the link stands for, where it opens one.
    QString tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }

signals:
    void pointerEntered();
    void pointerLeft();
    void releasedOver();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_hovered = false;
    QColor m_hoverColour = hoverColour();
    QString m_tag;
};
