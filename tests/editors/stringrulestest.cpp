// The string editor's rules: the three views and reading them back, the edit states and what
// they enable, the captions and the insertion aid's characters.
#include "columns.h"
#include "stringrules.h"

#include <QTest>

namespace R = Velt::StringRules;

class StringRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void views_data()
    {
        VeltTest::columns<QString, QString, QString>({"text", "view", "shown"});
        QTest::newRow("octal, padded") << "A\n\t" << R::Octal << "101 012 011";
        QTest::newRow("hexadecimal, padded") << "A\n" << R::Hexadecimal << "41 0A";
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
        QCOMPARE(back.error + back.value, text);
        QString every; // every code from 1 to 127 makes the round trip too
        for (char16_t c = 1; c < 128; ++c)
            every += QChar(c);
        QCOMPARE(R::readBack(R::render(every, view), view).value, every);
    }

    void readBack_data()
    {
        // result: the text, or the error after "!"
        VeltTest::columns<QString, QString, QString>({"shown", "view", "result"});
        QTest::newRow("blanks around, lower case") << "  41   6a " << R::Hexadecimal << "Aj";
        QTest::newRow("8 in octal") << "101 108" << R::Octal << "!Error: Invalid character found '8'";
        QTest::newRow("tab") << "41\t42" << R::Hexadecimal << "!Error: Invalid character found '\t'";
        QTest::newRow("hex 100") << "41 100" << R::Hexadecimal << "!Error: Invalid numeric range for ascii character '100'";
        QTest::newRow("octal 400") << "400" << R::Octal << "!Error: Invalid numeric range for ASCII character '400'";
        QTest::newRow("code 0") << "000" << R::Octal << "!Error: Invalid numeric range for ASCII character '000'";
        QTest::newRow("a byte that is not UTF-8") << "377" << R::Octal << QString(QChar(0xFFFD));
        QTest::newRow("very long group") << "1234567890123" << R::Hexadecimal << "!Error: Invalid numeric range for ascii character '1234567890123'";
    }
    void readBack()
    {
        QFETCH(QString, shown);
        QFETCH(QString, view);
        const Velt::Parsed<QString> back = R::readBack(shown, view);
        QTEST(back.ok() ? back.value : u'!' + back.error, "result");
    }

    void states_data()
    {
        // controls: the state, then value editable, operation, format editable, format enabled, lock, lock cleared, aid
        VeltTest::columns<QString, bool, bool, QString>({"operation", "locked", "designTime", "controls"});
        QTest::newRow("plain") << R::OperationNone << true << true << QString::number(R::ValueEditState) + "1100010";
        QTest::newRow("pattern") << R::OperationEvaluate << false << false << QString::number(R::PatternEditState) + "0111101";
        QTest::newRow("locked, design") << R::OperationScan << true << true << QString::number(R::FormatLockState) + "0000100";
        QTest::newRow("locked, run") << R::OperationScan << true << false << QString::number(R::FormatLockState) + "0000000";
    }
    void states()
    {
        QFETCH(QString, operation);
        QFETCH(bool, locked);
        QFETCH(bool, designTime);
        const R::EditState state = R::stateFor(operation, locked);
        const R::ControlStates c = R::controlsFor(state, designTime);
        QString flags = QString::number(state);
        for (const bool flag : {c.valueEditable, c.operationEnabled, c.formatEditable, c.formatEnabled,
                                c.lockEnabled, c.lockCleared, c.insertionEnabled})
            flags += flag ? u'1' : u'0';
        QTEST(flags, "controls");
    }

    void captionsAndTexts()
    {
        QStringList texts{R::beginCaption(R::OperationNone), R::beginCaption(R::OperationEvaluate), R::beginCaption(R::OperationScan),
                          R::changeCaption(R::OperationScan), R::changeCaption(R::OperationEvaluate), R::viewStatus("AB", R::Octal),
                          R::viewStatus("AB", R::Characters), QString::number(R::isOperation(R::OperationScan)), QString::number(R::isOperation("none"))};
        for (int entry = -1; entry < 6; ++entry)
            texts << R::specialCharacter(entry);
        QCOMPARE(texts, (QStringList{"&Enter String Value", "Formatted String Value", "Current Scanned String Value", "Example Scannable String Value",
                                     "Formatted String Value", "Octal view of \"AB\"", "", "1", "0", "???", "\n", "\r", "\t", "\\%", "\\\\", "???"}));
    }
};

QTEST_GUILESS_MAIN(StringRulesTest)
#include "stringrulestest.moc"
