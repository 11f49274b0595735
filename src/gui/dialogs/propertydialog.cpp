#include "gui/dialogs/propertydialog.h"

#include "gui/widgets/fieldlimit.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

bool g_bDialogCancelled = true;

frmDialog::frmDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDialog"));
    setWindowTitle(QStringLiteral("Save Property As..."));
    setModal(true);

    m_lblLabel = new QLabel(QStringLiteral("Please Enter a Property Name"), this);
    m_lblLabel->setObjectName(QStringLiteral("lblLabel"));
    m_lblLabel->setWordWrap(true);
    m_txtTextBox = new QLineEdit(this);
    m_txtTextBox->setObjectName(QStringLiteral("txtTextBox"));
    new FieldLimit(m_txtTextBox); // "Copy of " and a long name arrive whole
    m_txtTextBox->installEventFilter(this);
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();
    auto* entry = new QVBoxLayout;
    entry->addWidget(m_lblLabel);
    entry->addWidget(m_txtTextBox);
    entry->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(entry, 1);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    // The text box is first in the tab order, so the dialog opens with it focused.
    setTabOrder(m_txtTextBox, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);
    m_txtTextBox->setFocus();

    connect(m_okButton, &QPushButton::clicked, this, &frmDialog::OKButton_Click);
    connect(m_cancelButton, &QPushButton::clicked, this, &frmDialog::CancelButton_Click);
}

void frmDialog::OKButton_Click() {
    m_accepted = m_txtTextBox->text();
    m_txtTextBox->setFocus();
    hide();
    g_bDialogCancelled = false;
}

void frmDialog::CancelButton_Click() {
    g_bDialogCancelled = true;
    hide();
}

void frmDialog::txtTextBox_GotFocus() {
    m_txtTextBox->setSelection(0, m_txtTextBox->text().size());
}

bool frmDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtTextBox && event->type() == QEvent::FocusIn) {
        // A mouse click would put the caret where it landed after this handler; select on
        // the next turn of the loop so the whole name stays selected.
        txtTextBox_GotFocus();
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, this, &frmDialog::txtTextBox_GotFocus);
    }
    return QDialog::eventFilter(watched, event);
}

void frmDialog::closeEvent(QCloseEvent* event) {
    // The close box cancels, and the window is only hidden.
    CancelButton_Click();
    event->ignore();
}

void frmDialog::reject() {
    // Escape.
    CancelButton_Click();
}
