#pragma once

#include <QString>

// The maker's places on the web and the local help page, as the Help menu and the about and
// newsletter boxes offer them.
namespace HelpTexts {

// The domain shown in the captions.
QString MakerDomain();
QString MakerHomeAddress();
QString OnlineHelpAddress();
QString NewsletterAddress();
QString NewsletterEmail();
// The maker's notice line in the about box.
QString NoticeLine();
QString SmallPrint();

// The Help menu's captions.
QString OnlineHelpCaption();
QString AboutCaption(); // "About " and the program's title

// The help page installed beside the program.
QString LocalHelpPath();

// The logo both boxes show.
QString AboutLogoPath();

} // namespace HelpTexts
