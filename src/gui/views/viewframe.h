#pragma once

#include "gui/widgets/twips.h"

#include <QFrame>

class ControlTable;
struct FieldInfo;
class QLabel;
class QLineEdit;

// One view of the open property: a frame of the content area's width with a heading and a rule
// under it, and the helpers every view builds its captioned fields with. Each control built
// goes into the window's control table under its name.
class ViewFrame : public QFrame {
    Q_OBJECT
public:
    // Every view and the home page share the content area's width, in twips.
    static constexpr int kWidth = 10860;
    static constexpr int kRowPitch = 360; // twips between rows of captioned fields
    // A frame with this property set true is laid out as wide as the window gives it room for
    // (the returns view, the portfolio table); the others keep kWidth.
    static constexpr const char* kFollowsWindowWidth = "followsWindowWidth";

    // An empty heading builds a frame without heading or rule.
    ViewFrame(QWidget* parent, ControlTable& controls, const QString& name, const QString& heading,
              int heightTwips);

    QLineEdit* addField(QWidget* parent, const QString& name, int index, int left, int top,
                        int width, int height = 315);
    QLabel* addCaption(QWidget* parent, const QString& name, const QString& text, int left, int top,
                       int width, int height = 315);
    // A bold heading over a group of fields, named after its text ("lblMortgagesHeading").
    QLabel* addGroupHeading(const QString& text, int left, int top, int width);
    // A caption, its field and, for percentages, a "%" after it.
    QLineEdit* addCaptionedField(const QString& field, const QString& caption, bool percent,
                                 int captionLeft, int captionWidth, int fieldLeft, int fieldWidth,
                                 int top);

    // A field of the field table with its caption (and "%" for a percentage); a computed field
    // is read-only and shaded.
    QLineEdit* addFieldRow(const FieldInfo& field, int captionLeft, int captionWidth, int fieldLeft,
                           int fieldWidth, int top);
    static void markComputed(QLineEdit* field);

    // The first captioned field built: where the keyboard goes when the view comes up.
    void focusFirstField();

protected:
    ControlTable& controls() { return m_controls; }
    // The rule under the heading spans the frame, however wide.
    void resizeEvent(QResizeEvent* event) override;

private:
    ControlTable& m_controls;
    QFrame* m_rule = nullptr;
    QLineEdit* m_firstField = nullptr;
};
