// The lines of a bound field collection as the tests of the type editors' structured faces
// read them, the way a viewer does. Header-only.
#pragma once

#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QStringList>

namespace VeltTest {

// "Caption=Text" of every line, "!error" appended where a line has one (reading the text reads
// the error too).
inline QStringList fieldLines(XCStructEditFields& fields)
{
    QStringList out;
    for (int i = 0; i < fields.Count(); ++i) {
        XCStructEditField* field = fields.Item(i);
        const QString text = field->Text();
        out << field->Caption() + u'=' + text + (field->ErrorMessage().isEmpty() ? QString() : u'!' + field->ErrorMessage());
    }
    return out;
}

// The first line with the caption, null when there is none.
inline XCStructEditField* line(XCStructEditFields& fields, const QString& caption)
{
    for (int i = 0; i < fields.Count(); ++i) {
        if (fields.Item(i)->Caption() == caption)
            return fields.Item(i);
    }
    return nullptr;
}

} // namespace VeltTest
