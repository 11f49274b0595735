#include "gui/dialogs/helptexts.h"

#include "base/programfolder.h"
#include "base/version.h"

namespace HelpTexts {

QString MakerDomain() {
    return QStringLiteral("www.harrowgate.example");
}
QString MakerHomeAddress() {
    return QStringLiteral("https://www.harrowgate.example/");
}
QString OnlineHelpAddress() {
    return QStringLiteral("https://www.harrowgate.example/quillbrook/help/");
}
QString NewsletterAddress() {
    return QStringLiteral("https://www.harrowgate.example/quillbrook/newsletter/");
}
QString NewsletterEmail() {
    return QStringLiteral("newsletter@harrowgate.example");
}
QString NoticeLine() {
    return QStringLiteral("Copyright \u00A9 2026 Harrowgate Software");
}
QString SmallPrint() {
    return QStringLiteral("This tool is intended for analysis purposes only and in no way "
                          "guarantees results of returns on your investments.");
}

QString OnlineHelpCaption() {
    return QStringLiteral("&Online Help @ ") + MakerDomain();
}
QString AboutCaption() {
    return QStringLiteral("About ") + ProgramTitle();
}

QString LocalHelpPath() {
    return ResourcePath(QStringLiteral("_reference/quillbrookhelp.html"));
}
QString AboutLogoPath() {
    return ResourcePath(QStringLiteral("_images/hgtQuillbrookLogoSmall4.jpg"));
}

} // namespace HelpTexts
