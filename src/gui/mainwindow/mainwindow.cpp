#include "gui/mainwindow/mainwindow.h"
#include "gui/mainwindow/cornerbox.h"
#include "gui/mainwindow/keyboard.h"
#include "gui/widgets/numbermark.h"

#include "analysis/analysis.h"
#include "base/errortrap.h"
#include "base/programfolder.h"
#include "base/version.h"
#include "gui/commands/paperanalysiscommand.h"
#include "gui/commands/printanalysiscommand.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/widgetprompts.h"
#include "gui/mainwindow/windowhost.h"
#include "gui/mainwindow/windowlayout.h"
#include "gui/views/financialview.h"
#include "gui/views/homepage.h"
#include "gui/views/propertyview.h"
#include "gui/views/returnsview.h"
#include "gui/views/summaryview.h"
#include "model/fieldtable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

bool startsWithAny(const QString& name, std::initializer_list<const char*> prefixes) {
    for (const char* prefix : prefixes) {
        if (name.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

int MainWindow::toPixels(double twips) {
    return WindowLayout::TwipsToPixels(twips);
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    buildWindow();
    buildPropertyCommands();
    buildPictureStrip();     // property pictures
    buildEditAndHelpMenus(); // Edit and Help menus
    Form_Load();
    m_focusChanged = connect(qApp, &QApplication::focusChanged, this,
                             [this](QWidget*, QWidget* now) { m_layout.scrollIntoView(now); });
    // Last, so its Tools entry comes last.
    m_printAnalysis = new PrintAnalysisCommand(*m_host, m_mnuTools, this);
    m_paperAnalysis = new PaperAnalysisCommand(*m_host, m_mnuTools, this);
    InstallKeyboard(*this);
    NumberMark::WatchFigureFields(this);
}

MainWindow::~MainWindow() {
    // The widgets are destroyed after this body, by the base class; losing them moves the
    // focus and resizes frames. No handler of this window, nor the home page's, may run on
    // what is left of it by then.
    disconnect(m_focusChanged);
    const QList<QObject*> children = findChildren<QObject*>();
    for (QObject* child : children)
        child->removeEventFilter(this);
    delete m_homePage;
    m_homePage = nullptr;
}

// ---------------------------------------------------------------------------------------
// The form: named controls over the widgets.

void MainWindow::connectFieldHandlers() {
    // The fields the table gives a change handler run it through the same dispatch as the
    // in-memory form; the computed fields have none, so writing the outlook costs no calls.
    for (const FieldInfo& field : FieldTable()) {
        if (field.handler == FieldHandler::None)
            continue;
        if (auto* edit = control<QLineEdit>(field.name)) {
            const QString name = field.name;
            connect(edit, &QLineEdit::textChanged, this,
                    [this, name] { DispatchFieldChange(*this, name, 0); });
        }
    }
    for (const char* name :
         {"txtPropertyInformation", "txtAddress", "txtUnits", "txtSquareFootage", "txtMiscNotes"}) {
        if (QWidget* w = control(QString::fromLatin1(name)))
            w->installEventFilter(this);
    }
}

// ---------------------------------------------------------------------------------------
// Window metrics.

void MainWindow::setWindowSizeTwips(int width, int height) {
    const QSize client(toPixels(width - kFrameAllowanceWidth),
                       toPixels(height - kFrameAllowanceHeight));
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    if (layout())
        layout()->activate();
    // The menu bar's height is only known for sure once it is laid out.
    const QSize error = client - m_client->size();
    if (!error.isNull())
        resize(size() + error);
}

// ---------------------------------------------------------------------------------------
// Loading and unloading the window.

void MainWindow::Form_Load() {
    WindowLayout::Position position;
    Trap(3510, [&] {
        // Field by field: a whole-struct copy here makes GCC 12 warn of an uninitialised read.
        const WindowLayout::Position stored = WindowLayout::StoredPosition();
        position.left = stored.left;
        position.top = stored.top;
    });
    Trap(3520, [&] { setWindowSizeTwips(WindowLayout::kOpenWidth, WindowLayout::kOpenHeight); });
    Trap(3511, [&] {
        // A position saved on a screen that is no longer attached would open the window where
        // nobody can reach it.
        const QRect placed(toPixels(position.left), toPixels(position.top), width(), height());
        if (!WindowLayout::IsOnAttachedScreen(placed))
            position = WindowLayout::Position();
        move(toPixels(position.left), toPixels(position.top));
    });
    Trap(3530, [&] { m_layout.resetLeft(); });
    Trap(3531, [&] { m_HScroll2->setValue(0); });
    Trap(3532, [&] { Form_Resize(); });
    Trap(3540, [&] {
        m_frameHome->move(0, 0);
        m_frameNavigation->move(m_frameNavigation->x(), 0);
        m_frameHomeNavigation->move(m_frameHomeNavigation->x(), 0);
        m_frameHome->show();
    });
    Trap(3550, [&] { ShowHomePage(); });
    Trap(3560, [&] { ApplyColourScheme(); });
    Trap(3570, [&] {
        for (QFrame* slot : findChildren<QFrame*>(QStringLiteral("frmSelectPropertyImage")))
            slot->setFrameShape(QFrame::NoFrame);
    });
    Trap(3580, [&] { m_homePage->fillFilterEntries(); });
    Trap(3590, [&] { setWindowTitle(ProgramTitle() + QStringLiteral(" v") + VersionText()); });
}

bool MainWindow::confirmUnsavedWork() {
    bool cancel = false;
    m_commands->Form_Unload(cancel);
    return !cancel;
}

void MainWindow::Form_Unload(bool& Cancel) {
    if (m_frameHome->isHidden()) {
        // A property is open: the user may keep working, save or drop the changes.
        if (!confirmUnsavedWork()) {
            Cancel = true;
            return;
        }
        // The question has normally brought the home page back already.
        if (m_frameHome->isHidden())
            Trap(3610, [&] { ShowHomePage(); });
    }
    Trap(3620, [&] {
        const auto windows = QApplication::topLevelWidgets();
        for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
            QWidget* w = *it;
            if (w == this || !w->isVisible() || qobject_cast<QMenu*>(w))
                continue;
            if (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog)
                w->close();
        }
    });
    if (!isMinimized())
        Trap(3630, [&] {
            WindowLayout::StorePosition(WindowLayout::PixelsToTwips(x()),
                                        WindowLayout::PixelsToTwips(y()), windowWidthTwips(),
                                        windowHeightTwips());
        });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void MainWindow::mnuFileExit_Click() {
    close();
}

void MainWindow::ApplyColourScheme() {
    const auto frames = findChildren<QFrame*>();
    for (QFrame* frame : frames) {
        if (startsWithAny(frame->objectName(), {"frame", "fra", "frm"}))
            setBackground(frame, Qt::white);
    }
    setBackground(m_client, Qt::white);
    setBackground(this, Qt::white);
    setBackground(m_frameNavigation, QColor(0xE0, 0xE0, 0xE0));
    setBackground(m_frameHomeNavigation, QColor(0xE0, 0xE0, 0xE0));
}

void MainWindow::ShowHomePage() {
    m_views->showHome();
    Trap(3770, [&] {
        if (!m_homePageLoader)
            return;
        QComboBox* filter = m_homePage ? m_homePage->filterBox() : nullptr;
        m_homePageLoader(m_iHomePageStart, filter ? filter->currentText() : QString());
    });
}

// A key pressed while the corner box has the focus does nothing.
void MainWindow::picUpperLeftCorner_KeyDown(int, int) {}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        Form_Resize();
    } else if (event->type() == QEvent::FocusIn) {
        const QString name = watched->objectName();
        if (name == QLatin1String("txtPropertyInformation"))
            txtPropertyInformation_GotFocus();
        else if (name == QLatin1String("txtAddress"))
            txtAddress_GotFocus();
        else if (name == QLatin1String("txtUnits"))
            txtUnits_GotFocus();
        else if (name == QLatin1String("txtSquareFootage"))
            txtSquareFootage_GotFocus();
        else if (name == QLatin1String("txtMiscNotes"))
            txtMiscNotes_GotFocus();
    } else if (watched == m_picScrollable && event->type() == QEvent::Wheel) {
        return m_layout.wheel(static_cast<QWheelEvent*>(event));
    } else if (watched == m_corner && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        picUpperLeftCorner_KeyDown(key->key(), int(key->modifiers()));
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::refreshMortgagePayment(int row) {
    UpdateMortgagePayment(*this, row);
}

void MainWindow::expenseChanged() {
    OperatingExpenseChanged(*this);
}
