// Reading a bound field collection the way a viewer does, for the type editor tests.
#pragma once

#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QStringList>

namespace VeltTest {

// "Caption=Text" of every line, "!error" appended where a line has one.
inline QStringList lines(XCStructEditFields& fields)
{
    QStringList out;
    for (int i = 0; i < fields.Count(); ++i) {
        const QString text = fields.Item(i)->Text(); // reading the text reads the error too
        out << fields.Item(i)->Caption() + u'=' + text + (fields.Item(i)->ErrorMessage().isEmpty() ? QString() : u'!' + fields.Item(i)->ErrorMessage());
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
