#pragma once

#include "gui/dialogs/picker.h"
#include "gui/dialogs/widgetfilepicker.h"
#include "gui/pictures/pictureslotimage.h"

#include <QDateTime>
#include <QLabel>
#include <QObject>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QPushButton;
class QScrollBar;

// The picture strip's widgets and the main window's stand-ins for the file dialog and the
// clock, owned by the window.
class PictureStrip : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlots = 4;
    using Clock = std::function<QDateTime()>;

    explicit PictureStrip(QObject* parent) : QObject(parent) {}

    std::array<QFrame*, kSlots> frames{};           // frmSelectPropertyImage(1..4)
    std::array<PictureSlotImage*, kSlots> images{}; // imgPropertyListItem(1..4)
    QScrollBar* bar = nullptr;                      // hScrollPropertImages
    QPushButton* addButton = nullptr;               // cmdAddPicture
    QPushButton* deleteButton = nullptr;            // cmdDeletePicture
    QAction* viewFullSize = nullptr;                // mnuToolsViewImageDetails

    FilePicker* picker = nullptr; // a test's; the window's own dialog otherwise
    std::unique_ptr<WidgetFilePicker> ownPicker;
    Clock clock; // a test's; the system clock otherwise

    QDateTime now() const { return clock ? clock() : QDateTime::currentDateTime(); }
    FilePicker& filePicker() { return picker ? *picker : *ownPicker; }
    bool hasBorder(int j) const;
    // The number written in slot j's tag (0 when it holds none).
    int tag(int j) const;
    // The strip offset: how many pictures are scrolled past on the left.
    int offset() const;
};
