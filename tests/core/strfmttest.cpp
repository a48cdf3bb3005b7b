// Format patterns: tokens, tokenization, evaluation, validation and scanning against real blocks and tables.
#include "columns.h"
#include "coretesting.h"

#include <utility>

using VeltTest::CoreBuilder;

namespace {

QString s(const char* utf8) { return QString::fromUtf8(utf8); }

// The tokens of a pattern as "kind:value" lines, walked with the C API.
QStringList walk(const QByteArray& pattern)
{
    static const char* kinds[] = { "text", "symbol", "eol", "error" };
    QStringList out;
    int32_t at = 0, next = 0;
    for (int32_t kind; (kind = QuenStrFmtGetNextToken(pattern.constData(), at, &next)) != QUEN_TOKEN_NONE; at = next) {
        out << s(kinds[kind]) + u':' + s(QuenStrFmtGetTokenValue(pattern.constData(), at));
        if (next <= at)
            return out << QStringLiteral("no progress");
    }
    return out;
}

QString lastError() { return VeltTest::takeErrors().value(0).message; }

} // namespace

class StrFmtTest : public QObject
{
    Q_OBJECT

private:
    CoreBuilder core;
    QuenHandle locals = 0;
    QuenHandle count = 0, volts = 0, name = 0, supply = 0;

private Q_SLOTS:
    void initTestCase()
    {
        locals = core.block();
        count = QuenParmGetData(CoreBuilder::intParm(locals, "Count", 7));
        volts = QuenParmGetData(CoreBuilder::realParm(locals, "Volts", 1.5));
        name = QuenParmGetData(CoreBuilder::stringParm(locals, "Name", "DUT"));
        CoreBuilder::parm(locals, "Freq", "CQuenComplex");
        CoreBuilder::reference(locals, "Rail", "CQuenReal64", "Supply", "Bench");
        const QuenHandle bench = core.table("Bench");
        supply = QuenParmGetData(CoreBuilder::realParm(bench, "Supply", 12.25));
        CoreBuilder::realParm(bench, "Volts", 99);
        CoreBuilder::stringParm(core.table("Hidden", false), "Secret", "s3");
    }
    void init() { QuenInt32SetValue(count, 7); QuenReal64SetValue(volts, 1.5); QuenStringSetValue(name, "DUT"); QuenReal64SetValue(supply, 12.25); }
    void cleanup() { QVERIFY2(!QuenExcRegIsError(0), "an error was left in the register"); }

    void tokens_data()
    {
        VeltTest::columns<QByteArray, QStringList>({"pattern", "tokens"});
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("text and escapes") << QByteArray("50\\% a\\\\b\\tc") << QStringList { "text:50% a\\b\tc" };
        QTest::newRow("line ends") << QByteArray("a\r\nb\nc\rd") << QStringList { "text:a", "eol:\r\n", "text:b", "eol:\n", "text:c", "eol:\r", "text:d" };
        QTest::newRow("symbols") << QByteArray("V=%{Volts};%{Bench:Supply}") << QStringList { "text:V=", "symbol:Volts", "text:;", "symbol:Supply" };
        QTest::newRow("escaped name") << QByteArray("%{T\\:1:a\\}b\\\\}") << QStringList { "symbol:a}b\\" };
        QTest::newRow("bad escape after text") << QByteArray("ab\\q") << QStringList { "text:ab", "error:\\q is not an escape (\\\\ stands for a backslash) at position 3" };
        QTest::newRow("lone backslash") << QByteArray("ab\\") << QStringList { "text:ab", "error:the pattern ends in a lone \\ (\\\\ stands for a backslash) at position 3" };
        QTest::newRow("bare percent") << QByteArray("5%") << QStringList { "text:5", "error:a % must start a symbol reference %{...} (\\% stands for the sign itself) at position 2" };
        QTest::newRow("unclosed") << QByteArray("µ%{Volts") << QStringList { "text:µ", "error:the symbol reference has no closing } at position 2" };
        QTest::newRow("line end inside") << QByteArray("%{Vo\nlts}") << QStringList { "error:the symbol reference breaks at a line end at position 1" };
        QTest::newRow("no name") << QByteArray("%{Bench:}") << QStringList { "error:the symbol reference names no symbol at position 1" };
        QTest::newRow("no table") << QByteArray("%{:Volts}") << QStringList { "error:the symbol reference names no table before the : at position 1" };
    }
    void tokens()
    {
        QFETCH(QByteArray, pattern);
        QTEST(walk(pattern), "tokens");
    }

    void walkOutsideThePattern()
    {
        int32_t next = 5;
        QVERIFY(QuenStrFmtGetNextToken("ab", 3, &next) == QUEN_TOKEN_NONE && next == 0);
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenStrFmtGetNextToken");
        QCOMPARE(s(QuenStrFmtGetTokenValue("ab", -1)), QString());
        QCOMPARE(lastError(), s("QuenStrFmtGetTokenValue: position -1 lies outside the pattern (0 to 2)"));
    }
    // Text made a pattern evaluates to itself; line ends stay only when asked to. Symbols are escaped.
    void tokenization()
    {
        for (const QByteArray& text : { QByteArray("50% of C:\\temp\t%{Volts}"), QByteArray("a\r\nb\nc\r") }) {
            for (const int32_t lineEnds : { 0, 1 }) {
                const QByteArray pattern = QuenStrFmtTokenizeText(text.constData(), lineEnds);
                QCOMPARE(QByteArray(QuenStrFmtGetStringValue(pattern.constData(), locals)), text);
                QCOMPARE(pattern.contains('\n') || pattern.contains('\r'), lineEnds && (text.contains('\n') || text.contains('\r')));
            }
        }
        const QByteArray odd = QuenStrFmtTokenizeSymbol("a:b}\\c", "T:1");
        QCOMPARE(odd, QByteArray("%{T\\:1:a\\:b\\}\\\\c}"));
        QCOMPARE(walk(odd), QStringList { "symbol:a:b}\\c" });
        QCOMPARE(QByteArray(QuenStrFmtTokenizeSymbol("Volts", "")), QByteArray("%{Volts}"));
        QCOMPARE(QByteArray(QuenStrFmtTokenizeSymbol("", "Bench")), QByteArray());
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenStrFmtTokenizeSymbol");
    }

    void evaluate_data()
    {
        // result: or the error, after "!"
        VeltTest::columns<QByteArray, QString>({"pattern", "result"});
        QTest::newRow("every scalar class") << QByteArray("%{Name}: %{count} x %{Volts} V") << "DUT: 7 x 1.5 V";
        QTest::newRow("locals before public tables") << QByteArray("%{Volts}/%{Bench:Volts}") << "1.5/99";
        QTest::newRow("public table by symbol alone") << QByteArray("%{Supply}") << "12.25";
        QTest::newRow("a reference is followed") << QByteArray("%{Rail}") << "12.25";
        QTest::newRow("private table by name") << QByteArray("%{hidden:Secret}") << "s3";
        QTest::newRow("private table not searched") << QByteArray("%{Secret}") << "!QuenStrFmtGetStringValue: the symbol 'Secret' is not defined";
        QTest::newRow("no such table") << QByteArray("%{Rack:Volts}") << "!QuenStrFmtGetStringValue: there is no symbol table 'Rack' for the symbol 'Rack:Volts'";
        QTest::newRow("class without text") << QByteArray("%{Freq}") << "!QuenStrFmtGetStringValue: the symbol 'Freq' is a CQuenComplex; a pattern takes integers, reals and strings";
        QTest::newRow("syntax") << QByteArray("a%b") << "!QuenStrFmtGetStringValue: the pattern is not valid: a % must start a symbol reference %{...} (\\% stands for the sign itself) at position 2";
    }
    void evaluate()
    {
        QFETCH(QByteArray, pattern);
        QFETCH(QString, result);
        const QString value = s(QuenStrFmtGetStringValue(pattern.constData(), locals));
        QCOMPARE(result.startsWith(u'!') ? u'!' + lastError() : value, result);
    }

    void realsRenderWith15Digits()
    {
        for (const auto& [value, shown] : { std::pair(0.1 + 0.2, "0.3"), std::pair(1e300, "1e+300"), std::pair(123456789.0123456, "123456789.012346") }) {
            QuenReal64SetValue(volts, value);
            QCOMPARE(s(QuenStrFmtGetStringValue("%{Volts}", locals)), s(shown));
        }
    }

    void validate_data()
    {
        VeltTest::columns<QByteArray, int, int, QString>({"pattern", "checkSymbols", "scan", "message"});
        QTest::newRow("valid") << QByteArray("V=%{Volts}\n") << 1 << 1 << "";
        QTest::newRow("unknown symbol unchecked") << QByteArray("%{Nope}") << 0 << 0 << "";
        QTest::newRow("unknown symbol") << QByteArray("%{Nope}") << 1 << 0 << "the symbol 'Nope' is not defined";
        QTest::newRow("syntax") << QByteArray("%{x") << 0 << 0 << "the symbol reference has no closing } at position 1";
        QTest::newRow("adjacent symbols evaluate") << QByteArray("%{Count}%{Volts}") << 1 << 0 << "";
        QTest::newRow("adjacent symbols scan") << QByteArray("%{Count}%{Volts}") << 1 << 1 << "the symbols 'Count' and 'Volts' follow each other: a scan cannot tell where one ends; put text between them";
    }
    void validate()
    {
        QFETCH(QByteArray, pattern);
        QFETCH(int, checkSymbols);
        QFETCH(int, scan);
        QTEST(s(QuenStrFmtValidate(pattern.constData(), checkSymbols, scan, locals)), "message");
    }

    void scan_data()
    {
        // values: Count Volts Name Supply after the scan, or the error after "!"
        VeltTest::columns<QByteArray, QByteArray, QString>({"pattern", "reply", "values"});
        QTest::newRow("all classes") << QByteArray("N=%{Name},C=%{Count},V=%{Volts}") << QByteArray("N=X1,C= +42 ,V=-3e2") << "42 -300 X1 12.25";
        QTest::newRow("any line end") << QByteArray("%{Count}\n%{Bench:Supply}") << QByteArray("8\r\n5.5") << "8 1.5 DUT 5.5";
        QTest::newRow("reference written through") << QByteArray("R%{Rail}") << QByteArray("R3") << "7 1.5 DUT 3";
        QTest::newRow("text differs") << QByteArray("V=%{Volts}") << QByteArray("I=2") << "!the reply does not match the pattern at position 1: \"V=\" expected, \"I=2\" found";
        QTest::newRow("terminator missing") << QByteArray("%{Count};") << QByteArray("12") << "!the reply ends before \";\", which follows 'Count'";
        QTest::newRow("extra text") << QByteArray("C=%{Count};") << QByteArray("C=1;x") << "!the reply goes on after the pattern ends: \"x\"";
        QTest::newRow("second value bad, nothing written") << QByteArray("%{Count},%{Volts}") << QByteArray("9,abc") << "!the reply gives \"abc\" for 'Volts', which is not a real number";
        QTest::newRow("integer out of range") << QByteArray("%{Count}") << QByteArray("2147483648") << "!the reply gives \"2147483648\" for 'Count', which is not a 32-bit integer";
        QTest::newRow("adjacent symbols") << QByteArray("%{Count}%{Volts}") << QByteArray("12") << "!the pattern cannot scan: the symbols 'Count' and 'Volts' follow each other: a scan cannot tell where one ends; put text between them";
    }
    void scan()
    {
        QFETCH(QByteArray, pattern);
        QFETCH(QByteArray, reply);
        QFETCH(QString, values);
        const QuenHandle item = core << QuenStringCreate(reply.constData());
        CoreBuilder::setString(item, "Format", pattern.constData());
        const bool ok = QuenStrFmtRuntimeScan(item, locals) != QUEN_FALSE;
        const QString error = lastError();
        const QString after = QStringLiteral("%1 %2 %3 %4").arg(QuenInt32GetValue(count)).arg(QuenReal64GetValue(volts)).arg(s(QuenStringGetValue(name))).arg(QuenReal64GetValue(supply));
        const bool failed = values.startsWith(u'!');
        QCOMPARE(ok, !failed);
        QCOMPARE(failed ? u'!' + error + u' ' + after : after,
                 failed ? values.insert(1, QStringLiteral("QuenStrFmtRuntimeScan: ")) + QStringLiteral(" 7 1.5 DUT 12.25") : values); // a failed scan writes nothing
    }

    void runtimeEvaluate()
    {
        const QuenHandle item = core << QuenStringCreate("old");
        QVERIFY(!QuenStrFmtRuntimeEvaluate(item, locals));
        QCOMPARE(lastError(), QStringLiteral("QuenStrFmtRuntimeEvaluate: data item %1 has no \"Format\" pattern").arg(item));
        CoreBuilder::setString(item, "Format", "%{Name} #%{Count}");
        QVERIFY(QuenStrFmtRuntimeEvaluate(item, locals));
        QCOMPARE(s(QuenStringGetValue(item)), s("DUT #7"));
        CoreBuilder::setString(item, "Format", "%{Nope}");
        QVERIFY(!QuenStrFmtRuntimeEvaluate(item, locals));
        QCOMPARE(s(QuenStringGetValue(item)), s("DUT #7"));
        EXPECT_ONE_ERROR(QUEN_ERR_NOT_FOUND, "QuenStrFmtRuntimeEvaluate");
    }
};

QTEST_GUILESS_MAIN(StrFmtTest)
#include "strfmttest.moc"
