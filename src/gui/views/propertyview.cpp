#include "gui/views/propertyview.h"

#include "gui/views/controltable.h"
#include "gui/widgets/notesedit.h"
#include "model/fieldtable.h"

#include <iterator>

PropertyView::PropertyView(QWidget* parent, ControlTable& controls)
    : ViewFrame(parent, controls, QStringLiteral("frameProperty"),
                QStringLiteral("Property Information"), 8400) {
    // Name and address take whole rows, the figures share one; the captions are the table's.
    struct Place {
        int captionLeft, captionWidth, fieldLeft, fieldWidth, row;
    };
    const Place places[] = {
        {240, 1860, 2160, 8460, 0},
        {240, 1860, 2160, 8460, 1},
        {240, 1860, 2160, 1500, 2},
        {4560, 1800, 6420, 1500, 2},
    };
    int i = 0;
    for (const FieldInfo* field : FieldsOf(FieldView::Property, QString())) {
        // The notes sit under their own heading below; a field beyond the places here needs
        // one added.
        if (i == int(std::size(places)))
            break;
        const Place& p = places[i++];
        addFieldRow(*field, p.captionLeft, p.captionWidth, p.fieldLeft, p.fieldWidth,
                    1680 + p.row * kRowPitch);
    }

    const FieldInfo* notes = FindField(QStringLiteral("txtMiscNotes"));
    addGroupHeading(notes->group, 240, 3060, 6000);
    m_notes = new NotesEdit(kNotesLimit, this);
    controls.add(m_notes, notes->name, 0, ControlKind::TextField);
    m_notes->setToolTip(notes->tooltip);
    PlaceTwips(m_notes, 240, 3420, 10380, 1860);
    // Tab moves on through the fields, as it does everywhere else in the window.
    m_notes->setTabChangesFocus(true);
}
