#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Outcome of the property-name dialog: true until OK is pressed.
extern bool g_bDialogCancelled;

// The property-name dialog ("Save Property As..."). It is hidden, never destroyed, when it
// closes, so it keeps its place between uses.
class frmDialog : public QDialog {
    Q_OBJECT
public:
    explicit frmDialog(QWidget* parent = nullptr);

    QLabel* lblLabel() const { return m_lblLabel; }
    QLineEdit* txtTextBox() const { return m_txtTextBox; }
    // The text OK accepted, exactly as typed.
    QString acceptedText() const { return m_accepted; }

public slots:
    void OKButton_Click();
    void CancelButton_Click();
    void txtTextBox_GotFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLabel* m_lblLabel;
    QLineEdit* m_txtTextBox;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    QString m_accepted;
};
