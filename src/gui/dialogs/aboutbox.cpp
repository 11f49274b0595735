#include "gui/dialogs/aboutbox.h"

#include "base/shell.h"
#include "base/version.h"
#include "gui/dialogs/helptexts.h"
#include "gui/widgets/themecolours.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

// ---------------------------------------------------------------------------------------
// The box.

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    Theme::Apply(this, Theme::Role::Page);

    m_picIcon = new QLabel(this);
    m_picIcon->setObjectName(QStringLiteral("picIcon"));
    m_picIcon->setAlignment(Qt::AlignCenter);

    m_lblTitle = new QLabel(this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    m_lblTitle->setFont(titleFont);

    m_lblCopyright = new QLabel(this);
    m_lblCopyright->setObjectName(QStringLiteral("lblCopyright"));

    // The box's link lights up in plain blue rather than the page blue.
    m_lblURL = new LinkLabel(QString(), this);
    m_lblURL->setObjectName(QStringLiteral("lblURL"));
    m_lblURL->setHoverColour(QColor(0, 0, 255));
    m_lblURL->setHovered(false);
    connect(m_lblURL, &LinkLabel::pointerEntered, this, &frmAbout::lblURL_MouseMove);
    connect(m_lblURL, &LinkLabel::pointerLeft, this, &frmAbout::lblURL_DragOverLeave);
    connect(m_lblURL, &LinkLabel::releasedOver, this, &frmAbout::lblURL_DragDrop);

    m_lblEmail = new QLabel(this);
    m_lblEmail->setObjectName(QStringLiteral("lblEmail"));
    m_lblEmail->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_Line1 = new QFrame(this);
    m_Line1->setObjectName(QStringLiteral("Line1"));
    m_Line1->setFrameShape(QFrame::HLine);
    m_Line1->setFrameShadow(QFrame::Sunken);

    m_lblSmallPrint = new QLabel(this);
    m_lblSmallPrint->setObjectName(QStringLiteral("lblSmallPrint"));
    m_lblSmallPrint->setWordWrap(true);
    QFont small = m_lblSmallPrint->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_lblSmallPrint->setFont(small);
    Theme::Apply(m_lblSmallPrint, Theme::Role::Muted);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdOK->setMinimumWidth(90);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    text->setContentsMargins(8, 0, 8, 0);
    text->addWidget(m_lblTitle);
    text->addSpacing(4);
    text->addWidget(m_lblCopyright);
    text->addWidget(m_lblURL, 0, Qt::AlignLeft);
    text->addWidget(m_lblEmail);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(m_picIcon);
    layout->addLayout(text);
    layout->addWidget(m_Line1);
    layout->addWidget(m_lblSmallPrint);
    layout->addLayout(buttons);

    const QPixmap logo(HelpTexts::AboutLogoPath());
    if (!logo.isNull())
        m_picIcon->setPixmap(logo);
}

void frmAbout::fillAbout() {
    setWindowTitle(HelpTexts::AboutCaption());
    m_lblTitle->setText(ProgramTitle() + QStringLiteral(" v") + VersionText());
    m_lblCopyright->setText(HelpTexts::NoticeLine());
    m_lblURL->setText(HelpTexts::MakerDomain());
    m_lblURL->setTag(HelpTexts::MakerHomeAddress());
    m_lblEmail->clear();
    m_lblEmail->hide();
    m_lblSmallPrint->setText(HelpTexts::SmallPrint());
    fitToContent();
}

void frmAbout::fillNewsletter() {
    setWindowTitle(QStringLiteral("Newsletter"));
    m_lblTitle->setText(QStringLiteral("The Quillbrook Newsletter"));
    m_lblCopyright->setText(QStringLiteral("To subscribe, visit us online at:"));
    m_lblURL->setText(HelpTexts::MakerDomain());
    m_lblURL->setTag(HelpTexts::NewsletterAddress());
    m_lblEmail->setText(QStringLiteral("or:  ") + HelpTexts::NewsletterEmail());
    m_lblEmail->show();
    m_lblSmallPrint->setText(QStringLiteral("Subscribe now to get updates, new releases, and "
                                            "other great real estate investing tips and "
                                            "information!"));
    fitToContent();
}

void frmAbout::fitToContent() {
    // The logo sets the width; the small print wraps within it.
    const int width = qMax(m_picIcon->sizeHint().width() + 32, 440);
    m_lblSmallPrint->setMinimumWidth(width - 32);
    layout()->activate();
    setFixedSize(width, layout()->totalHeightForWidth(width));
}

void frmAbout::ShowAbout(QWidget* parent) {
    frmAbout box(parent);
    box.fillAbout();
    box.exec();
}

void frmAbout::ShowNewsletter(QWidget* parent) {
    frmAbout box(parent);
    box.fillNewsletter();
    box.exec();
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::lblURL_MouseMove() {
    if (!m_lblURL->isHovered())
        m_lblURL->setHovered(true);
}

void frmAbout::lblURL_DragOverLeave() {
    if (m_lblURL->isHovered())
        m_lblURL->setHovered(false);
}

void frmAbout::lblURL_DragDrop() {
    m_lblURL->setHovered(false);
    // Failure shows nothing: a missing browser simply opens nothing.
    OpenDocument(m_lblURL->tag());
}
