#include "gui/widgets/figurefont.h"

#include <QGlyphRun>
#include <QHash>
#include <QLineEdit>
#include <QTextLayout>

namespace {

const QString kFigures = QStringLiteral("0123456789$,.()-%");

QFont withoutShaper(QFont font) {
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

// The glyphs a text becomes on one line, and where they stand.
QList<QGlyphRun> glyphsOf(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    return layout.glyphRuns();
}

bool sameGlyphs(const QList<QGlyphRun>& a, const QList<QGlyphRun>& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i).glyphIndexes() != b.at(i).glyphIndexes() ||
            a.at(i).positions() != b.at(i).positions())
            return false;
    }
    return true;
}

} // namespace

FigureFont::FigureFont(QLineEdit* field)
    : QObject(field), m_field(field), m_shaped(field->font()),
      m_unshaped(withoutShaper(field->font())) {
    if (!shaperKeepsFigures(m_shaped))
        return;
    connect(field, &QLineEdit::textChanged, this, &FigureFont::follow);
    follow(field->text());
}

bool FigureFont::isFigures(QStringView text) {
    for (QChar c : text) {
        if (!kFigures.contains(c))
            return false;
    }
    return true;
}

bool FigureFont::shaperKeepsFigures(const QFont& font) {
    static QHash<QString, bool> known;
    const QString key = font.key();
    const auto it = known.constFind(key);
    if (it != known.constEnd())
        return *it;
    // Kerning and joined letters act on neighbours: every pair, each standing next to the next.
    QString pairs;
    for (QChar first : kFigures) {
        for (QChar second : kFigures)
            pairs += QString(first) + second;
    }
    const bool keeps = sameGlyphs(glyphsOf(pairs, font), glyphsOf(pairs, withoutShaper(font)));
    known.insert(key, keeps);
    return keeps;
}

void FigureFont::follow(const QString& text) {
    const bool unshaped = isFigures(text);
    if (unshaped == m_showsUnshaped)
        return;
    m_showsUnshaped = unshaped;
    m_field->setFont(unshaped ? m_unshaped : m_shaped);
}
