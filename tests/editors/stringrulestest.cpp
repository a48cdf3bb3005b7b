// The string editor's rules: the three views and reading them back, the edit states and what
// they enable, the captions and the insertion aid's characters.
#include "stringrules.h"

#include <QTest>

namespace R = Velt::StringRules;

class StringRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void views_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("shown");
        QTest::newRow("octal") << "AB" << R::Octal << "101 102";
        QTest::newRow("hexadecimal") << "AB" << R::Hexadecimal << "41 42";
        QTest::newRow("padded") << "\n\t" << R::Octal << "012 011";
        QTest::newRow("padded hex") << "\n" << R::Hexadecimal << "0A";
        QTest::newRow("bytes of UTF-8") << QString::fromUtf8("µ") << R::Hexadecimal << "C2 B5";
        QTest::newRow("characters") << "a b" << R::Characters << "a b";
        QTest::newRow("unknown view") << "a" << "Binary" << "a";
        QTest::newRow("empty") << "" << R::Octal << "";
    }
    void views()
    {
        QFETCH(QString, text);
        QFETCH(QString, view);
        QFETCH(QString, shown);
        QCOMPARE(R::render(text, view), shown);
        const Velt::Parsed<QString> back = R::readBack(shown, view);
        QCOMPARE(back.error, QString());
        QCOMPARE(back.value, text);
    }

    void everyCodeRoundTrips()
    {
        QString text;
        for (char16_t c = 1; c < 128; ++c)
            text += QChar(c);
        for (const QString& view : {R::Octal, R::Hexadecimal})
            QCOMPARE(R::readBack(R::render(text, view), view).value, text);
    }

    void readBackErrors_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("result"); // the text, or the error after "!"
        QTest::newRow("blanks around") << "  41   42 " << R::Hexadecimal << "AB";
        QTest::newRow("lower-case hex") << "6a" << R::Hexadecimal << "j";
        QTest::newRow("8 in octal") << "101 108" << R::Octal << "!Error: Invalid character found '8'";
        QTest::newRow("g in hex") << "4g" << R::Hexadecimal << "!Error: Invalid character found 'g'";
        QTest::newRow("tab") << "41\t42" << R::Hexadecimal << "!Error: Invalid character found '\t'";
        QTest::newRow("hex 100") << "41 100" << R::Hexadecimal
                                 << "!Error: Invalid numeric range for ascii character '100'";
        QTest::newRow("octal 400") << "400" << R::Octal
                                   << "!Error: Invalid numeric range for ASCII character '400'";
        QTest::newRow("code 0") << "000" << R::Octal
                                << "!Error: Invalid numeric range for ASCII character '000'";
        QTest::newRow("a byte that is not UTF-8") << "377" << R::Octal << QString(QChar(0xFFFD));
        QTest::newRow("very long group") << "1234567890123" << R::Hexadecimal
                                         << "!Error: Invalid numeric range for ascii character '1234567890123'";
    }
    void readBackErrors()
    {
        QFETCH(QString, shown);
        QFETCH(QString, view);
        QFETCH(QString, result);
        const Velt::Parsed<QString> back = R::readBack(shown, view);
        QCOMPARE(back.ok() ? back.value : u'!' + back.error, result);
    }

    void states_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("designTime");
        QTest::addColumn<int>("state");
        // value editable, operation, format editable, format enabled, lock, lock cleared, aid
        QTest::addColumn<QString>("controls");
        QTest::newRow("plain") << R::OperationNone << true << true << int(R::ValueEditState) << "1100010";
        QTest::newRow("pattern") << R::OperationEvaluate << false << false << int(R::PatternEditState) << "0111101";
        QTest::newRow("locked, design") << R::OperationScan << true << true << int(R::FormatLockState) << "0000100";
        QTest::newRow("locked, run") << R::OperationScan << true << false << int(R::FormatLockState) << "0000000";
    }
    void states()
    {
        QFETCH(QString, operation);
        QFETCH(bool, locked);
        QFETCH(bool, designTime);
        QFETCH(int, state);
        QFETCH(QString, controls);
        QCOMPARE(int(R::stateFor(operation, locked)), state);
        const R::ControlStates c = R::controlsFor(R::EditState(state), designTime);
        QString flags;
        for (const bool flag : {c.valueEditable, c.operationEnabled, c.formatEditable, c.formatEnabled,
                                c.lockEnabled, c.lockCleared, c.insertionEnabled})
            flags += flag ? u'1' : u'0';
        QCOMPARE(flags, controls);
    }

    void captionsAndTexts()
    {
        QCOMPARE(R::beginCaption(R::OperationNone), "&Enter String Value");
        QCOMPARE(R::beginCaption(R::OperationEvaluate), "Formatted String Value");
        QCOMPARE(R::beginCaption(R::OperationScan), "Current Scanned String Value");
        QCOMPARE(R::changeCaption(R::OperationScan), "Example Scannable String Value");
        QCOMPARE(R::changeCaption(R::OperationEvaluate), "Formatted String Value");
        QCOMPARE(R::viewStatus("AB", R::Octal), "Octal view of \"AB\"");
        QCOMPARE(R::viewStatus("AB", R::Characters), QString());
        const QStringList inserted{"\n", "\r", "\t", "\\%", "\\\\", "???"};
        for (int entry = 0; entry < inserted.size(); ++entry)
            QCOMPARE(R::specialCharacter(entry), inserted.at(entry));
        QCOMPARE(R::specialCharacter(-1), "???");
        QVERIFY(R::isOperation(R::OperationScan));
        QVERIFY(!R::isOperation("none"));
    }
};

QTEST_GUILESS_MAIN(StringRulesTest)
#include "stringrulestest.moc"
