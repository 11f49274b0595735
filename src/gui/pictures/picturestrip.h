#pragma once

#include "gui/dialogs/picker.h"
#include "gui/dialogs/prompts.h"
#include "gui/dialogs/widgetfilepicker.h"
#include "gui/pictures/pictureslotimage.h"

#include <QDateTime>
#include <QFrame>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QPushButton;
class QScrollBar;
class ViewFrame;

// The open property's pictures on the Property view: four thumbnail slots, the bar that
// scrolls them when there are more, and the Add and Delete buttons under them. It adds a
// picture (copying the file into the picture folder), deletes the selected one, selects on a
// click and opens on a double click. The list it shows is the property's own: entry 0 unused,
// the pictures from 1 on.
class PictureStrip : public QFrame {
    Q_OBJECT
public:
    static constexpr int kSlots = 4;
    using Clock = std::function<QDateTime()>;

    // Builds the strip and its heading and buttons on the view.
    PictureStrip(ViewFrame& view, QStringList& pictures);
    ~PictureStrip() override;

    // The file dialog and the clock that stamps added pictures; nullptr / an empty clock put
    // the strip's own back.
    void setFilePicker(FilePicker* picker) { m_picker = picker; }
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // Where "Picture Not Added" is told.
    void setPrompts(std::function<Prompts&()> prompts) { m_prompts = std::move(prompts); }

    QFrame* slotFrame(int j) const { return m_frames[j - 1]; }           // frmSelectPropertyImage
    PictureSlotImage* slotImage(int j) const { return m_images[j - 1]; } // imgPropertyListItem
    QScrollBar* bar() const { return m_bar; }                            // hScrollPropertImages

    // Fills the slots from the list at the bar's offset.
    void refresh();
    void addPicture();
    // Removes the selected picture; callers check that a slot is selected.
    void deleteSelected();
    // Delete as the button does it: only on screen and only with a slot selected.
    void deleteSelectionIfAny();
    void select(int j);
    // Opens slot j's picture (pictureOpened) when the slot holds one.
    void openSlot(int j);
    void scrolled();
    void clearSelection();
    bool hasSelection() const;
    // The first selected slot, 0 when none is.
    int selectedSlot() const;
    void clearImages();
    void resetScroll();

signals:
    // A picture was added or removed: the property has changed.
    void edited();
    // The first slot may show another picture (or none).
    void firstPictureChanged();
    // After a click on the strip, the keyboard belongs to the window again, not to a field.
    void cornerFocusWanted();
    void pictureOpened(const QString& reference);

private:
    bool hasBorder(int j) const;
    // "Picture Not Added": the file and why.
    void tellNotAdded(const QString& file, const QString& reason);
    // The list entry written in slot j's tag (0 when it holds none).
    int tag(int j) const;
    QDateTime now() const { return m_clock ? m_clock() : QDateTime::currentDateTime(); }
    FilePicker& filePicker() { return m_picker ? *m_picker : *m_ownPicker; }

    QStringList& m_pictures;
    std::array<QFrame*, kSlots> m_frames{};
    std::array<PictureSlotImage*, kSlots> m_images{};
    QScrollBar* m_bar = nullptr;
    QPushButton* m_addButton = nullptr;    // cmdAddPicture
    QPushButton* m_deleteButton = nullptr; // cmdDeletePicture
    FilePicker* m_picker = nullptr;        // a test's; the file dialog otherwise
    std::unique_ptr<WidgetFilePicker> m_ownPicker;
    QString m_lastPictureFolder; // where the file dialog opens next
    Clock m_clock;               // a test's; the system clock otherwise
    std::function<Prompts&()> m_prompts;
    bool m_copying = false;
};
