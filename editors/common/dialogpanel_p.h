// Pieces of the type editors' dialog panels that look and behave the same in every editor:
// named boxes with their labels, and the restriction group (RestrictionCheck with the low and
// high boxes), which may be changed only at design time and shows the window colour when it
// may be typed into and the menu colour when not.
#pragma once

#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class QWidget;

namespace Velt {

namespace DialogPanel {

// A panel for the host's edit area, laid out as a column without margins (the host frames it).
QWidget* panel(const char* objectName);
QVBoxLayout* columnOf(QWidget* panel);
QLineEdit* lineEdit(QWidget* parent, const char* objectName);
QLabel* label(const QString& text, QWidget* buddy, QWidget* parent);
// Window colour for a box that takes input, menu colour for one that does not.
void setInputColour(QWidget* box, bool takesInput);
// Enables the box and its label, with the colour to match.
void setInputEnabled(QLineEdit* box, QLabel* label, bool enabled);

} // namespace DialogPanel

struct RestrictionControls
{
    QGroupBox* frame = nullptr;
    QCheckBox* check = nullptr;   // "RestrictionCheck"
    QLabel* lowLabel = nullptr;
    QLineEdit* low = nullptr;     // "RestrictionLowText"
    QLabel* highLabel = nullptr;
    QLineEdit* high = nullptr;    // "RestrictionHighText"

    static RestrictionControls create(QWidget* parent);
    // The check box only at design time; the boxes only when it is ticked at design time.
    void enable(bool designTime);
    void clearTexts();
};

} // namespace Velt
