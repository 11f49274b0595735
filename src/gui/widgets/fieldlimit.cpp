#include "gui/widgets/fieldlimit.h"

#include <QLineEdit>
#include <limits>

FieldLimit::FieldLimit(QLineEdit* field, int limit) : QValidator(field), m_limit(limit) {
    m_length = int(field->text().size());
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setValidator(this);
    connect(field, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_length = int(text.size()); });
}

QValidator::State FieldLimit::validate(QString& input, int&) const {
    return input.size() <= qMax(m_limit, m_length) ? Acceptable : Invalid;
}

void FieldLimit::setText(QLineEdit* field, const QString& text) {
    // The field validates the program's text too; a text it found invalid would let the next
    // keystroke through unchecked, so the length is allowed before the text arrives.
    if (auto* limit = field->findChild<FieldLimit*>(QString(), Qt::FindDirectChildrenOnly))
        limit->m_length = qMax(limit->m_length, int(text.size()));
    field->setText(text);
}
