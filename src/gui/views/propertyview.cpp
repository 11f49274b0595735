#include "gui/views/propertyview.h"

#include "gui/views/controltable.h"
#include "gui/widgets/notesedit.h"

PropertyView::PropertyView(QWidget* parent, ControlTable& controls)
    : ViewFrame(parent, controls, QStringLiteral("frameProperty"),
                QStringLiteral("Property Information"), 8400) {
    addCaptionedField(QStringLiteral("txtPropertyInformation"), QStringLiteral("Property Name"),
                      false, 240, 1860, 2160, 8460, 1680);
    addCaptionedField(QStringLiteral("txtAddress"), QStringLiteral("Address"), false, 240, 1860,
                      2160, 8460, 1680 + kRowPitch);
    addCaptionedField(QStringLiteral("txtUnits"), QStringLiteral("Number of Units"), false, 240,
                      1860, 2160, 1500, 1680 + 2 * kRowPitch);
    addCaptionedField(QStringLiteral("txtSquareFootage"), QStringLiteral("Square Footage"), false,
                      4560, 1800, 6420, 1500, 1680 + 2 * kRowPitch);

    addGroupHeading(QStringLiteral("Miscellaneous Notes"), 240, 3060, 6000);
    m_notes = new NotesEdit(kNotesLimit, this);
    controls.add(m_notes, QStringLiteral("txtMiscNotes"), 0, ControlKind::TextField);
    PlaceTwips(m_notes, 240, 3420, 10380, 1860);
    // Tab moves on through the fields, as it does everywhere else in the window.
    m_notes->setTabChangesFocus(true);
}
