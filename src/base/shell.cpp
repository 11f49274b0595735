#include "base/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

class DesktopShell : public Shell {
public:
    bool open(const QString& target) override {
        const bool isWeb = target.startsWith(QLatin1String("http"), Qt::CaseInsensitive);
        const QUrl url = isWeb ? QUrl(target) : QUrl::fromLocalFile(target);
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
