#include "base/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// Whether the desktop names a program for this kind of document. xdg-open reports success
// even when it names none and nothing opens, so it is asked first; where it cannot be asked,
// the open is simply tried.
bool hasHandler(const QString& mimeType) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (tool.isEmpty())
        return true;
    QProcess query;
    query.start(tool, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit)
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

class DesktopShell : public Shell {
public:
    bool open(const QString& target) override {
        const bool isWeb = target.startsWith(QLatin1String("http"), Qt::CaseInsensitive);
        const QUrl url = isWeb ? QUrl(target) : QUrl::fromLocalFile(target);
        const bool page = isWeb || target.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
                          target.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive);
        if (page && !hasHandler(isWeb ? QStringLiteral("x-scheme-handler/") + url.scheme()
                                      : QStringLiteral("text/html")))
            return false;
        // xdg-open itself where it is there, as the desktop's own "open" would call it.
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (!opener.isEmpty())
            return QProcess::startDetached(opener, {url.toString(QUrl::FullyEncoded)});
        return QDesktopServices::openUrl(url);
    }
};

Shell* g_shell = nullptr;

} // namespace

void SetShell(Shell* shell) {
    g_shell = shell;
}

Shell& CurrentShell() {
    static DesktopShell desktop;
    return g_shell ? *g_shell : desktop;
}

QString DocumentTarget(const QString& target) {
    if (target.contains(QLatin1String("_re"), Qt::CaseInsensitive) ||
        target.startsWith(QLatin1String("http"), Qt::CaseInsensitive))
        return target;
    return QStringLiteral("http://") + target;
}

bool OpenDocument(const QString& target) {
    return CurrentShell().open(DocumentTarget(target));
}
