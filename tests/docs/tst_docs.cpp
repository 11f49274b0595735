// The project's own documents: the README's links lead to files that are there, and the
// architecture notes describe every source folder the tree has.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {
QString SourceDir() {
    return qEnvironmentVariable("QB_SOURCE_DIR");
}
QString ReadText(const QString& relative) {
    QFile file(SourceDir() + QLatin1Char('/') + relative);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
} // namespace

class DocsTest : public QObject {
    Q_OBJECT
private slots:
    void readmeLinksResolve() {
        const QString readme = ReadText(QStringLiteral("README.md"));
        QVERIFY(!readme.isEmpty());
        QVERIFY(readme.contains(QStringLiteral("(docs/ARCHITECTURE.md)")));
        auto links = QRegularExpression(QStringLiteral("\\]\\(([^)#:]+)\\)")).globalMatch(readme);
        while (links.hasNext()) {
            const QString target = links.next().captured(1);
            QVERIFY2(QFile::exists(SourceDir() + QLatin1Char('/') + target), qPrintable(target));
        }
    }

    void architectureNamesEverySourceFolder() {
        const QString notes = ReadText(QStringLiteral("docs/ARCHITECTURE.md"));
        QVERIFY(!notes.isEmpty());
        const QStringList folders =
            QDir(SourceDir() + QStringLiteral("/src")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(!folders.isEmpty());
        for (const QString& folder : folders) {
            const QString named = QStringLiteral("`src/%1/`").arg(folder);
            QVERIFY2(notes.contains(named), qPrintable(named));
        }
    }
};

QTEST_GUILESS_MAIN(DocsTest)
#include "tst_docs.moc"
