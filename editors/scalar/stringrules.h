// StringRules: the string editor's rules, shared by its dialog face and its structured face:
// showing a text in the character, octal and hexadecimal views and reading it back, the format
// operations and the edit state they put the dialog in, the captions and status texts, and the
// special characters of the insertion aid. Widget-free and core-free.
//
// The views show bytes: a text is taken as UTF-8, each byte is one code, and codes read back
// are put together as UTF-8 again.
#pragma once

#include "restrictionrules.h"
#include "velt_export.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace Velt::StringRules {

// "View As" names, in the order of the choices.
inline const QString Characters = QStringLiteral("Characters");
inline const QString Octal = QStringLiteral("Octal");
inline const QString Hexadecimal = QStringLiteral("Hexadecimal");
VELT_EXPORT QStringList viewNames();

// The text in a view ("AB" is "101 102" in octal, "41 42" in hexadecimal); an unknown view
// shows the characters.
VELT_EXPORT QString render(const QString& text, const QString& view);
// A view's text read back: any character but the base's digits and blanks gives "Error:
// Invalid character found '<c>'", a group outside 1 to 255 the view's range message.
VELT_EXPORT Parsed<QString> readBack(const QString& shown, const QString& view);

// "Format Operation" names, in the order of the choices.
inline const QString OperationNone = QStringLiteral("None");
inline const QString OperationEvaluate = QStringLiteral("Update string from parameters");
inline const QString OperationScan = QStringLiteral("Update parameters from string");
VELT_EXPORT QStringList operationNames();
VELT_EXPORT bool isOperation(const QString& name);
VELT_EXPORT QString unknownOperationMessage(); // "Unknown Format Operation"

// "Locked" choices.
inline const QString Changeable = QStringLiteral("Changeable Format");
inline const QString Locked = QStringLiteral("Locked Format");
VELT_EXPORT QStringList lockNames();

// The dialog's edit states (CtlStateEnum).
enum EditState { ValueEditState = 0, PatternEditState = 1, FormatLockState = 2 };
VELT_EXPORT EditState stateFor(const QString& operation, bool locked);

// The caption of the value group when an edit begins, and when the operation is changed in
// the dialog ("Update parameters from string" then shows an example to scan).
VELT_EXPORT QString beginCaption(const QString& operation);
VELT_EXPORT QString changeCaption(const QString& operation);

// What the controls of the dialog do in a state.
struct ControlStates
{
    bool valueEditable = true;
    bool operationEnabled = true;
    bool formatEditable = false; // typed into
    bool formatEnabled = false;
    bool lockEnabled = false;
    bool lockCleared = true;
    bool insertionEnabled = false;
};
VELT_EXPORT ControlStates controlsFor(EditState state, bool designTime);

// The status line: "" in the character view, else e.g. Octal view of "AB".
VELT_EXPORT QString viewStatus(const QString& value, const QString& view);

// The insertion aid's list of special characters and what each inserts (raw characters; the
// last two are the pattern escapes for a percent sign and a backslash); "???" for another
// entry.
VELT_EXPORT QStringList specialCharacterNames();
VELT_EXPORT QString specialCharacter(int entry);
VELT_EXPORT QString characterInsertStatus(); // "Click 'Insert' to add character to format."
VELT_EXPORT QString symbolInsertStatus();    // "Click 'Insert' to add symbol to format string."
VELT_EXPORT QString missingPatternMessage(); // "Format Pattern Missing"
VELT_EXPORT QString unknownTokenMessage();   // "Unknown Token type in format."

} // namespace Velt::StringRules
