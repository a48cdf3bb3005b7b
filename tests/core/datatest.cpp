// Data items: the error register, classes, copies, properties and their ownership, values, marks, the owning block.
#include "columns.h"
#include "coretesting.h"

#include <QTemporaryFile>

#include <cstdio>
#include <cstring>
#include <limits>
#include <unistd.h>

using namespace VeltTest;

namespace {

QStringList g_hookTexts;

// A hook may call the core again: what it raises stays for the next display.
void recordingHook(const char* messages, void* context)
{
    g_hookTexts << QString::fromUtf8(messages) + QString::number(*static_cast<int*>(context));
    QuenExcRaiseUserError("raised by the hook");
}

QString stringOf(QuenHandle item) { return text(QuenStringGetValue(item)); }

// The names of an item's properties in their order.
QStringList propertyNames(QuenHandle item)
{
    QStringList names;
    for (int32_t i = 1; i <= QuenDataExGetPropertyCount(item); ++i)
        names << text(QuenDataExGetPropertyName(item, i));
    return names;
}

} // namespace

class DataTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); }
    void cleanup() { QVERIFY2(!QuenExcRegIsError(0), "an error was left in the register"); }

    void convertToStringCutsWholeCharacters_data()
    {
        VeltTest::columns<int, QByteArray>({"bufferSize", "kept"});
        // "a", then characters of 2, 3 and 4 bytes: 10 bytes in all.
        QTest::newRow("room for all") << 11 << QByteArray("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
        QTest::newRow("one byte short of the last") << 10 << QByteArray("a\xC3\xA9\xE2\x82\xAC");
        QTest::newRow("inside the 3-byte one") << 6 << QByteArray("a\xC3\xA9");
        QTest::newRow("room for the terminator only") << 1 << QByteArray();
    }
    void convertToStringCutsWholeCharacters()
    {
        QFETCH(int, bufferSize);
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        QCOMPARE(QuenConvertToString("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", buffer, bufferSize), 10);
        QTEST(QByteArray(buffer), "kept");
        QCOMPARE(buffer[bufferSize], '#'); // nothing written past the buffer
    }

    void errorRegister()
    {
        QuenExcRaiseUserError("first");
        QuenInt32GetValue(12345);
        QuenExcRaiseUserError("third");
        QVERIFY(QuenExcRegIsError(0) && QuenExcRegGetErrorCount() == 3);
        int32_t code = -1;
        const char* message = nullptr;
        QVERIFY(QuenExcRegReceiveError(&code, &message));
        QCOMPARE(QStringLiteral("%1 %2").arg(code).arg(text(message)), QStringLiteral("%1 first").arg(QUEN_ERR_USER));
        QVERIFY(QuenExcRegReceiveError(&code, &message) && code == QUEN_ERR_INVALID_HANDLE && text(message).startsWith(QLatin1String("QuenInt32GetValue: ")));
        QuenExcRegClearError(0);
        QVERIFY(!QuenExcRegReceiveError(&code, &message));
        QCOMPARE(QStringLiteral("%1 %2").arg(code).arg(text(message)), QStringLiteral("%1 ").arg(QUEN_ERR_NONE));

        // Displayed through the hook, all at once; without a hook on stderr, one a line.
        int context = 7;
        g_hookTexts.clear();
        QuenExcRegSetDisplayHook(recordingHook, &context);
        QuenExcRegDisplayErrors(); // nothing to show: the hook is not called
        QuenExcRaiseUserError("one");
        QuenExcRaiseUserError("two");
        QuenExcRegDisplayErrors();
        QuenExcRegSetDisplayHook(nullptr, nullptr);
        QVERIFY(g_hookTexts == QStringList { "one\ntwo7" } && QuenExcRegGetErrorCount() == 1);
        QuenExcRaiseUserError("second line");
        QTemporaryFile file;
        QVERIFY(file.open());
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(file.handle(), STDERR_FILENO);
        QuenExcRegDisplayErrors();
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        QVERIFY(file.seek(0));
        QCOMPARE(file.readAll(), QByteArray("raised by the hook\nsecond line\n"));
    }

    void create_data()
    {
        QTest::addColumn<QByteArray>("cls");
        for (const char* cls : { "CQuenInt32", "CQuenReal64", "CQuenString", "CQuenComplex", "CQuenPoint", "CQuenRange", "CQuenInst",
                                 "CQuenInt32Array", "CQuenReal64Array", "CQuenStringArray", "CQuenPointArray", "CQuenRangeArray",
                                 "CQuenWaveform", "CQuenSwitchPath", "CQuenObjectReference", "CQuenObjectLifetime" })
            QTest::newRow(cls) << QByteArray(cls);
        QTest::newRow("unknown") << QByteArray("!CQuenNothing");
        QTest::newRow("null") << QByteArray();
        QTest::newRow("other case") << QByteArray("!cquenint32");
    }
    void create()
    {
        QFETCH(QByteArray, cls);
        CoreBuilder items;
        const int live = QuenCoreGetLiveObjectCount();
        if (cls.isNull() || cls.startsWith('!')) {
            QVERIFY(!QuenDataCreate(cls.isNull() ? nullptr : cls.mid(1).constData()) && QuenCoreGetLiveObjectCount() == live);
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataCreate");
            return;
        }
        const QuenHandle h = items << QuenDataCreate(cls.constData()), copy = items << QuenDataCopy(h);
        QVERIFY(h > 0 && copy > 0 && copy != h && QuenCoreGetLiveObjectCount() == live + 2);
        QCOMPARE(QByteArray(QuenDataGetType(h)) + QuenDataGetType(copy), cls + cls);
        EXPECT_NO_ERROR(); // the builder empties the register when it goes
    }
    void scalarValues()
    {
        CoreBuilder items;
        const QuenHandle i = items << QuenInt32Create(INT32_MIN), s = items << QuenStringCreate(nullptr);
        const QString unicode = QStringLiteral("Spannung \u00b5V \u2192 \U0001F50C");
        QCOMPARE(QString::number(QuenInt32GetValue(i)) + stringOf(s), QString::number(INT32_MIN));
        QVERIFY(QuenInt32SetValue(i, INT32_MAX) && QuenInt32GetValue(i) == INT32_MAX && QuenStringSetValue(s, unicode.toUtf8().constData()));
        QCOMPARE(stringOf(s), unicode);
        double a = 0, b = 0;
        const QuenHandle c = items << QuenComplexCreate(1.25, -2.5), p = items << QuenPointCreate(3, 4);
        QVERIFY(QuenComplexGetValues(c, &a, &b) && a == 1.25 && b == -2.5);
        QVERIFY(QuenComplexSetValues(c, -3, 4) && QuenComplexGetValues(c, nullptr, &b) && b == 4.0); // an out-argument may be left out
        QVERIFY(QuenPointSetValues(p, -1e300, 1e-300) && QuenPointGetValues(p, &a, &b) && a == -1e300 && b == 1e-300);
        for (const double bits : { -0.0, std::numeric_limits<double>::quiet_NaN() }) { // reals keep every bit, created or set
            const QuenHandle created = items << QuenReal64Create(bits), set = items << QuenReal64Create(1.5);
            QVERIFY(QuenReal64SetValue(set, bits));
            for (const double back : { QuenReal64GetValue(created), QuenReal64GetValue(set) })
                QVERIFY(std::memcmp(&back, &bits, sizeof back) == 0);
        }
        EXPECT_NO_ERROR(); // the builder empties the register when it goes
    }

    // A property is stored as a copy, belongs to the item and keeps its position when replaced.
    void properties()
    {
        CoreBuilder items;
        const QuenHandle item = items << QuenInt32Create(5), units = items << QuenStringCreate("V");
        for (const char* name : { "Units", "View As", "Locks" })
            QVERIFY(QuenDataExSetProperty(item, name, units));
        const QuenHandle stored = QuenDataExGetProperty(item, "Units");
        QVERIFY(stored != 0 && stored != units && QuenStringSetValue(units, "mV") && QuenStringSetValue(stored, "A")); // changed in place
        QCOMPARE(stringOf(QuenDataExGetProperty(item, "Units")) + stringOf(QuenDataExGetProperty(item, "Locks")), QStringLiteral("AV"));
        QCOMPARE(QuenDataExGetProperty(item, "units"), 0); // names are matched exactly
        QVERIFY(!QuenDataRelease(stored)); // the item's, not the caller's
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataRelease");

        const int live = QuenCoreGetLiveObjectCount();
        QVERIFY(QuenDataExSetProperty(item, "Units", units) && !QuenDataIsValid(stored)); // the replaced copy is destroyed, not leaked
        QCOMPARE(propertyNames(item) << QString::number(QuenCoreGetLiveObjectCount() - live), (QStringList { "Units", "View As", "Locks", "0" }));
        for (const int position : { 0, 4 }) {
            QCOMPARE(text(QuenDataExGetPropertyName(item, position)), QString());
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenDataExGetPropertyName");
        }
        QVERIFY(QuenDataExSetProperty(item, "Units", 0) && QuenDataExSetProperty(item, "Units", 0)); // removing what is absent is no error
        QCOMPARE(propertyNames(item) << QString::number(QuenCoreGetLiveObjectCount() - live), (QStringList { "View As", "Locks", "-1" }));
        EXPECT_NO_ERROR();
        QVERIFY(!QuenDataExSetProperty(item, "", units));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataExSetProperty");

        // An integer's enumeration is its property of that name.
        QCOMPARE(QuenInt32GetEnumeration(item), 0);
        CoreBuilder::setChoices(item, 0, { "Off", "On" });
        QVERIFY(QuenInt32GetEnumeration(item) && QuenInt32GetEnumeration(item) == QuenDataExGetProperty(item, "Enumeration"));

        // The item's own property passed back: the copy is taken before the old one goes.
        const int before = QuenCoreGetLiveObjectCount();
        QVERIFY(QuenDataExSetProperty(item, "Locks", QuenDataExGetProperty(item, "Locks")) && QuenCoreGetLiveObjectCount() == before);
        QCOMPARE(CoreBuilder::string(item, "Locks"), QStringLiteral("V"));
        // The item itself: the stored copy holds the item as it was, with its properties.
        QVERIFY(QuenDataExSetProperty(item, "Self", item));
        QCOMPARE(QString::number(QuenInt32GetValue(QuenDataExGetProperty(item, "Self"))) + propertyNames(QuenDataExGetProperty(item, "Self")).join(u','),
                 QStringLiteral("5View As,Locks,Enumeration"));
        EXPECT_NO_ERROR(); // the builder empties the register when it goes
    }

    // A deep copy takes the nested properties and is independent; a plain copy takes the value; a release takes the properties.
    void copiesAndRelease()
    {
        const int live = QuenCoreGetLiveObjectCount();
        CoreBuilder items;
        const QuenHandle original = QuenStringCreate("value");
        const QuenHandle restriction = items << QuenI32ArrCreate(1, 2);
        QVERIFY(QuenI32ArrSetAt1(restriction, 2, 10));
        CoreBuilder::setString(restriction, "Units", "V");
        QVERIFY(QuenDataExSetProperty(original, "Restriction", restriction));
        CoreBuilder::setString(original, "Units", "V");
        const QuenHandle nested = QuenDataExGetProperty(QuenDataExGetProperty(original, "Restriction"), "Units");

        const QuenHandle copy = items << QuenDataCopy(original), deep = items << QuenDataExDeepCopy(original);
        const QuenHandle deepRestriction = QuenDataExGetProperty(deep, "Restriction");
        QVERIFY(deepRestriction != QuenDataExGetProperty(original, "Restriction") && propertyNames(copy).isEmpty());
        QCOMPARE(propertyNames(deep), (QStringList { "Restriction", "Units" }));
        QVERIFY(QuenStringSetValue(original, "changed") && QuenI32ArrSetAt1(QuenDataExGetProperty(original, "Restriction"), 2, 99) && QuenStringSetValue(nested, "A"));
        QCOMPARE(QStringList({ stringOf(deep), stringOf(copy), QString::number(QuenI32ArrGetAt1(deepRestriction, 2)), CoreBuilder::string(deepRestriction, "Units") }),
                 QStringList({ "value", "value", "10", "V" }));
        QCOMPARE(QuenCoreGetLiveObjectCount(), live + 11);
        QVERIFY(QuenDataRelease(original) && !QuenDataIsValid(nested));
        QCOMPARE(QuenCoreGetLiveObjectCount(), live + 7); // with its two properties and theirs
        EXPECT_NO_ERROR(); // the builder empties the register when it goes
    }

    void runtimeMarksAndLocalsBlock()
    {
        CoreBuilder items;
        const QuenHandle h = items << QuenStringCreate("{x}");
        const auto marks = [](QuenHandle item) { return QStringLiteral("%1 %2").arg(QuenDataExIsRuntimeEvaluation(item)).arg(QuenDataExIsRuntimeScan(item)); };
        QVERIFY(QuenDataExSetRuntimeEvaluation(h) && marks(h) == QStringLiteral("-1 0")); // the marks are independent
        QVERIFY(QuenDataExSetRuntimeScan(h));
        const QuenHandle copy = items << QuenDataCopy(h);
        QVERIFY(QuenDataExClearRuntimeEvaluation(h));
        QCOMPARE(marks(h) + u' ' + marks(copy), QStringLiteral("0 -1 -1 -1")); // copied, not shared
        QVERIFY(QuenDataExClearRuntimeScan(h) && marks(h) == QStringLiteral("0 0"));

        // The block of an item, through its parameter or the item a property belongs to; none outside a block.
        const QuenHandle alone = QuenParmCreate("Limit", "CQuenInt32");
        const QuenHandle data = QuenParmGetData(alone);
        QCOMPARE(QuenDataExGetLocalsParmBlock(h) + QuenDataExGetLocalsParmBlock(data), 0);
        const QuenHandle block = items.block();
        QVERIFY(QuenPbDefAddParm(block, alone));
        CoreBuilder::setString(data, "Units", "V");
        QVERIFY(QuenDataExGetLocalsParmBlock(data) == block && QuenDataExGetLocalsParmBlock(QuenDataExGetProperty(data, "Units")) == block);
        EXPECT_NO_ERROR(); // the builder empties the register when it goes
    }
};

QTEST_GUILESS_MAIN(DataTest)
#include "datatest.moc"
