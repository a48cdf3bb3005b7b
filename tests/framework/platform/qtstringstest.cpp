// The conversion of the core's texts into QStrings: one implementation, the core's own
// (QuenConvertToString), behind quen::toQString and every published ConvertLpcstrToString.
// This test links its own QuenConvertToString ahead of the core's, standing in for another
// core that honours the same C API and converts texts its own way (ASCII letters to capitals).
#include "columns.h"
#include "dataeditor.h"
#include "qtstrings.h"
#include "symbolselector.h"
#include "xcstructeditfield.h"
#include "xcstructeditfields.h"

#include <QtTest>

#include <algorithm>
#include <cstring>

extern "C" int32_t QuenConvertToString(const char* source, char* buffer, int32_t bufferSize)
{
    const std::size_t length = source ? std::strlen(source) : 0;
    if (buffer && bufferSize > 0) {
        const std::size_t n = std::min(length, std::size_t(bufferSize - 1));
        for (std::size_t i = 0; i < n; ++i) {
            const char c = source[i];
            buffer[i] = c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
        }
        buffer[n] = '\0';
    }
    return int32_t(length);
}

class QtStringsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyConversionIsTheCores_data()
    {
        VeltTest::columns<QByteArray, QString>({"text", "expected"});
        QTest::newRow("empty") << QByteArray("") << QString();
        QTest::newRow("plain") << QByteArray("gain") << QStringLiteral("GAIN");
        QTest::newRow("UTF-8 kept whole") << QByteArray("h\xc3\xa9llo") << QStringLiteral("H\u00e9LLO");
        QTest::newRow("long") << QByteArray(300, 'v') << QString(300, u'V');
    }
    void everyConversionIsTheCores()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        const char* raw = text.constData();
        DataEditor editor;
        XCStructEditFields fields;
        XCStructEditField field;
        SymbolSelector selector;
        const QStringList converted{quen::toQString(raw), DataEditor::ConvertLpcstrToString(raw), editor.ConvertLpcstrToString(text),
                                    fields.ConvertLpcstrToString(raw), fields.ConvertLpcstrToString(text), field.ConvertLpcstrToString(raw),
                                    field.ConvertLpcstrToString(text), SymbolSelector::ConvertLpcstrToString(raw),
                                    selector.ConvertLpcstrToString(text)};
        QCOMPARE(converted, QStringList(converted.size(), expected));
    }
};

QTEST_MAIN(QtStringsTest)
#include "qtstringstest.moc"
