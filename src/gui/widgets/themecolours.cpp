#include "gui/widgets/themecolours.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QLineEdit>
#include <QWidget>
#include <cmath>

namespace Theme {

namespace {

const char kRoleProperty[] = "themeRole";
const char kWantedProperty[] = "themeWanted";

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// `colour` at HSL lightness `lightness`, its hue and saturation kept.
QColor AtLightness(const QColor& colour, double lightness) {
    const QColor hsl = colour.toHsl();
    return QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), float(lightness));
}

// Re-applies a widget's colours whenever its palette changes: the palette it inherits (a
// parent's new background), or the desktop's.
class Watcher : public QObject {
public:
    static Watcher& instance() {
        static Watcher* watcher = new Watcher(qApp);
        return *watcher;
    }
    void watch(QWidget* widget) {
        if (!widget->property("themeWatched").toBool()) {
            widget->setProperty("themeWatched", true);
            widget->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

void SetColour(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
               const QColor& colour) {
    QPalette p = widget->palette();
    bool changed = false;
    for (QPalette::ColorRole role : roles) {
        // Every group: a window in the background must not turn the colours back.
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            if (p.color(group, role) != colour || !p.isBrushSet(group, role)) {
                p.setColor(group, role, colour);
                changed = true;
            }
        }
    }
    // Setting an unchanged palette would only send the change around again.
    if (changed)
        widget->setPalette(p);
}

void ApplyNow(QWidget* w) {
    const QVariant role = w->property(kRoleProperty);
    const QVariant wanted = w->property(kWantedProperty);
    const QPalette& inherited = w->parentWidget() ? w->parentWidget()->palette() : qApp->palette();
    if (wanted.isValid()) {
        SetColour(w, {QPalette::Text, QPalette::WindowText},
                  Readable(wanted.value<QColor>(), BackgroundOf(w)));
        return;
    }
    if (!role.isValid())
        return;
    switch (Role(role.toInt())) {
    case Role::Page:
        w->setAutoFillBackground(true);
        SetColour(w, {QPalette::Window}, Page(inherited));
        SetColour(w, {QPalette::WindowText}, PageText(inherited));
        // A selected row or field keeps its text readable on the desktop's selection colour.
        SetColour(w, {QPalette::Highlight},
                  Readable(inherited.color(QPalette::Highlight),
                           inherited.color(QPalette::HighlightedText)));
        break;
    case Role::Strip:
        w->setAutoFillBackground(true);
        SetColour(w, {QPalette::Window}, Shade(inherited));
        SetColour(w, {QPalette::WindowText}, PageText(inherited));
        break;
    case Role::Heading:
        SetColour(w, {QPalette::WindowText}, Readable(Navy(), BackgroundOf(w)));
        break;
    case Role::Computed:
        SetColour(w, {QPalette::Base}, Shade(inherited));
        break;
    case Role::Muted:
        SetColour(w, {QPalette::WindowText}, Readable(QColor(0x50, 0x50, 0x50), BackgroundOf(w)));
        break;
    }
}

bool Watcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::ApplicationPaletteChange) {
        if (auto* w = qobject_cast<QWidget*>(watched))
            ApplyNow(w);
    }
    return false;
}

} // namespace

double Luminance(const QColor& colour) {
    const QColor c = colour.toRgb();
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor Readable(const QColor& wanted, const QColor& against, double ratio) {
    if (Contrast(wanted, against) >= ratio)
        return wanted;
    // Every keystroke may colour a cell again: the answers for the few colours in use are kept.
    static QHash<QString, QColor> known;
    const QString key =
        QStringLiteral("%1 %2 %3").arg(wanted.rgba()).arg(against.rgba()).arg(ratio);
    if (const auto it = known.constFind(key); it != known.constEnd())
        return *it;

    // Away from the background: lighter on a dark one, darker on a light one, unless only the
    // other way goes far enough.
    const double start = wanted.toHsl().lightnessF();
    bool lighter = Luminance(wanted) >= Luminance(against);
    if (Contrast(lighter ? Qt::white : Qt::black, against) < ratio)
        lighter = !lighter;
    const double end = lighter ? 1.0 : 0.0;
    // The least change that is enough, on whole 8-bit colours as they are painted.
    double low = 0;
    double high = 1;
    for (int i = 0; i < 24; ++i) {
        const double mid = (low + high) / 2;
        if (Contrast(AtLightness(wanted, start + (end - start) * mid), against) >= ratio)
            high = mid;
        else
            low = mid;
    }
    QColor answer = AtLightness(wanted, start + (end - start) * high);
    if (Contrast(answer, against) < ratio)
        answer = lighter ? QColor(Qt::white) : QColor(Qt::black);
    answer = answer.toRgb();
    known.insert(key, answer);
    return answer;
}

QColor Mix(const QColor& a, const QColor& b, double share) {
    const auto mix = [share](int x, int y) { return int(std::lround(x + (y - x) * share)); };
    const QColor ra = a.toRgb();
    const QColor rb = b.toRgb();
    return QColor(mix(ra.red(), rb.red()), mix(ra.green(), rb.green()), mix(ra.blue(), rb.blue()));
}

bool IsDark(const QPalette& palette) {
    return Luminance(palette.color(QPalette::Base)) < Luminance(palette.color(QPalette::Text));
}

QColor Page(const QPalette& palette) {
    return palette.color(QPalette::Base);
}

QColor PageText(const QPalette& palette) {
    return palette.color(QPalette::Text);
}

QColor Shade(const QPalette& palette) {
    return Mix(Page(palette), PageText(palette), 0.12);
}

QColor Tint(const QColor& lightTint, const QPalette& palette) {
    return Readable(lightTint, PageText(palette));
}

QColor Navy() {
    return QColor(0, 0, 128);
}

QColor Gain() {
    return QColor(0, 128, 0);
}

QColor Loss() {
    return QColor(255, 0, 0);
}

QColor MarkRed() {
    return QColor(0xd0, 0, 0);
}

QColor BackgroundOf(const QWidget* widget) {
    // A field paints its own base under its text.
    if (qobject_cast<const QLineEdit*>(widget))
        return widget->palette().color(QPalette::Base);
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(w->backgroundRole());
    }
    return qApp->palette().color(QPalette::Window);
}

void Apply(QWidget* widget, Role role) {
    widget->setProperty(kRoleProperty, int(role));
    Watcher::instance().watch(widget);
    ApplyNow(widget);
}

void SetTextColour(QWidget* widget, const QColor& wanted) {
    widget->setProperty(kWantedProperty, wanted);
    Watcher::instance().watch(widget);
    ApplyNow(widget);
}

QColor WantedTextColour(const QWidget* widget) {
    return widget->property(kWantedProperty).value<QColor>();
}

} // namespace Theme
