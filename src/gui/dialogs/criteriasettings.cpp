#include "gui/dialogs/criteriasettings.h"

#include <QSettings>

namespace {
// The same file as the window position.
const QString kSettingsApplication = QStringLiteral("Quillbrook");
const QString kCriteriaGroup = QStringLiteral("Criteria");
} // namespace

QStringList ReadCriteriaTexts() {
    QSettings settings(kSettingsApplication);
    settings.beginGroup(kCriteriaGroup);
    QStringList texts;
    for (Criterion c : AllCriteria()) {
        const QString key = CriterionKey(c);
        if (!settings.contains(key)) {
            texts << DefaultCriterionText(c);
            continue;
        }
        // A value edited by hand as 1,000 without quotes comes back as a list.
        const QVariant value = settings.value(key);
        texts << (value.typeId() == QMetaType::QStringList
                      ? value.toStringList().join(QLatin1Char(','))
                      : value.toString());
    }
    return texts;
}

void WriteCriteriaTexts(const QStringList& texts) {
    QSettings settings(kSettingsApplication);
    settings.beginGroup(kCriteriaGroup);
    for (int i = 0; i < kCriterionCount && i < texts.size(); ++i)
        settings.setValue(CriterionKey(AllCriteria()[size_t(i)]), texts.at(i));
}

CriteriaSettings& CriteriaSettings::instance() {
    static CriteriaSettings settings;
    return settings;
}

CriteriaSettings::CriteriaSettings() {
    reload();
}

QStringList CriteriaSettings::texts() const {
    return m_texts;
}

void CriteriaSettings::store(const QStringList& texts) {
    WriteCriteriaTexts(texts);
    reload();
}

void CriteriaSettings::reload() {
    const QStringList stored = ReadCriteriaTexts();
    m_texts.clear();
    for (int i = 0; i < kCriterionCount; ++i) {
        const Criterion c = AllCriteria()[size_t(i)];
        const QString text = i < stored.size() ? stored.at(i) : DefaultCriterionText(c);
        // A text edited by hand into something that is no number shows what is in force.
        m_texts << (IsCriterionText(text) ? text : DefaultCriterionText(c));
        m_criteria.setTarget(c, CriterionFromText(c, m_texts.last()));
    }
    emit changed();
}
