// The lines of a bound field collection as the tests of the type editors' structured faces
// compare them: "Caption=Text" of every line, "!error" appended where a line has one (reading
// the text reads the error too). Header-only.
#pragma once

#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QStringList>

namespace VeltTest {

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

} // namespace VeltTest
