// Data items through the C API: handle validation, the error register, classes, copies,
// properties and their ownership, scalar values and the runtime marks.
#include "coretest.h"

#include <QTemporaryFile>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <unistd.h>

using namespace coretest;

namespace {

const char* const kClasses[] = {
    "CQuenInt32",       "CQuenReal64",      "CQuenString",     "CQuenComplex",
    "CQuenPoint",       "CQuenRange",       "CQuenInst",       "CQuenInt32Array",
    "CQuenReal64Array", "CQuenStringArray", "CQuenPointArray", "CQuenRangeArray",
    "CQuenWaveform",    "CQuenSwitchPath",  "CQuenObjectReference", "CQuenObjectLifetime",
};

int g_hookCalls = 0;
QString g_hookText;

void recordingHook(const char* messages, void* context)
{
    ++g_hookCalls;
    g_hookText = QString::fromUtf8(messages);
    *static_cast<int*>(context) += 1;
    // A hook may call the core again: what it raises stays for the next display.
    QuenExcRaiseUserError("raised by the hook");
}

// What `action` writes to stderr.
QByteArray stderrOf(const std::function<void()>& action)
{
    QTemporaryFile file;
    if (!file.open())
        return "cannot open a temporary file";
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    action();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    file.seek(0);
    return file.readAll();
}

} // namespace

class DataTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); }

    void convertToStringCutsWholeCharacters_data();
    void convertToStringCutsWholeCharacters();

    void errorRegisterOrderAndCodes();
    void displayErrorsThroughHook();
    void displayErrorsToStderr();

    void createRoundTripsClass_data();
    void createRoundTripsClass();
    void createRejectsUnknownClass_data();
    void createRejectsUnknownClass();

    void realValuesKeepEveryBit_data();
    void realValuesKeepEveryBit();
    void scalarValues();

    void setPropertyStoresACopy();
    void propertyReplaceAndRemove();
    void propertyNamesAndPositions();
    void propertyMayBeSetFromItself();
    void releaseReleasesProperties();
    void ownedItemsCannotBeReleased();
    void copyVersusDeepCopy();
    void runtimeMarks();
    void enumeration();
    void localsBlockAndAge();
};

void DataTest::convertToStringCutsWholeCharacters_data()
{
    QTest::addColumn<int>("bufferSize");
    QTest::addColumn<QByteArray>("kept");
    // "a", then characters of 2, 3 and 4 bytes: 10 bytes in all.
    QTest::newRow("room for all") << 11 << QByteArray("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    QTest::newRow("one byte short of the last") << 10 << QByteArray("a\xC3\xA9\xE2\x82\xAC");
    QTest::newRow("room for the first byte of the last") << 8 << QByteArray("a\xC3\xA9\xE2\x82\xAC");
    QTest::newRow("exactly up to the 3-byte one") << 7 << QByteArray("a\xC3\xA9\xE2\x82\xAC");
    QTest::newRow("inside the 3-byte one") << 6 << QByteArray("a\xC3\xA9");
    QTest::newRow("inside the 2-byte one") << 3 << QByteArray("a");
    QTest::newRow("room for the terminator only") << 1 << QByteArray();
}

void DataTest::convertToStringCutsWholeCharacters()
{
    QFETCH(int, bufferSize);
    QFETCH(QByteArray, kept);
    const char* source = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    QCOMPARE(QuenConvertToString(source, buffer, bufferSize), 10); // the whole text's length
    QCOMPARE(QByteArray(buffer), kept);
    QCOMPARE(buffer[bufferSize], '#'); // nothing written past the buffer
    EXPECT_NO_ERROR();
}

void DataTest::errorRegisterOrderAndCodes()
{
    QCOMPARE(QuenExcRegIsError(0), QUEN_FALSE);
    QuenExcRaiseUserError("first");
    QuenInt32GetValue(12345);
    const QuenHandle desc = QuenDescCreate("");
    QuenArrayRedim(desc, 0, 1);
    QVERIFY(QuenDescRelease(desc));
    QCOMPARE(QuenExcRegIsError(0), QUEN_TRUE);
    QCOMPARE(QuenExcRegGetErrorCount(), 3);

    int32_t code = -1;
    const char* message = nullptr;
    QCOMPARE(QuenExcRegReceiveError(&code, &message), QUEN_TRUE);
    QCOMPARE(code, int32_t(QUEN_ERR_USER));
    QCOMPARE(text(message), QStringLiteral("first"));
    QCOMPARE(QuenExcRegReceiveError(&code, &message), QUEN_TRUE);
    QCOMPARE(code, int32_t(QUEN_ERR_INVALID_HANDLE));
    QVERIFY(text(message).startsWith(QLatin1String("QuenInt32GetValue: ")));
    QCOMPARE(QuenExcRegGetErrorCount(), 1);
    QuenExcRegClearError(0);
    QCOMPARE(QuenExcRegIsError(0), QUEN_FALSE);
    QCOMPARE(QuenExcRegReceiveError(&code, &message), QUEN_FALSE);
    QCOMPARE(code, int32_t(QUEN_ERR_NONE));
    QCOMPARE(text(message), QString());
}

void DataTest::displayErrorsThroughHook()
{
    int contextCalls = 0;
    g_hookCalls = 0;
    QuenExcRegSetDisplayHook(recordingHook, &contextCalls);
    QuenExcRegDisplayErrors(); // nothing to show: the hook is not called
    QCOMPARE(g_hookCalls, 0);

    QuenExcRaiseUserError("one");
    QuenExcRaiseUserError("two");
    QuenExcRegDisplayErrors();
    QuenExcRegSetDisplayHook(nullptr, nullptr);
    QCOMPARE(g_hookCalls, 1);
    QCOMPARE(contextCalls, 1);
    QCOMPARE(g_hookText, QStringLiteral("one\ntwo"));
    const QList<Raised> left = takeErrors();
    QCOMPARE(left.size(), 1);
    QCOMPARE(left.first().message, QStringLiteral("raised by the hook"));
}

void DataTest::displayErrorsToStderr()
{
    QuenExcRegSetDisplayHook(nullptr, nullptr);
    QuenExcRaiseUserError("shown on stderr");
    QuenExcRaiseUserError("second line");
    const QByteArray written = stderrOf([] { QuenExcRegDisplayErrors(); });
    QCOMPARE(written, QByteArray("shown on stderr\nsecond line\n"));
    QCOMPARE(QuenExcRegIsError(0), QUEN_FALSE);
}

void DataTest::createRoundTripsClass_data()
{
    QTest::addColumn<QString>("cls");
    for (const char* cls : kClasses)
        QTest::newRow(cls) << QString::fromLatin1(cls);
}

void DataTest::createRoundTripsClass()
{
    QFETCH(QString, cls);
    Items items;
    const int live = QuenCoreGetLiveObjectCount();
    const QuenHandle h = items << QuenDataCreate(cls.toUtf8().constData());
    QVERIFY(h > 0);
    const QuenHandle copy = items << QuenDataCopy(h);
    QVERIFY(copy > 0 && copy != h);
    QCOMPARE(text(QuenDataGetType(h)), cls);
    QCOMPARE(text(QuenDataGetType(copy)), cls);
    QCOMPARE(QuenCoreGetLiveObjectCount(), live + 2);
    QCOMPARE(QuenDataExGetPropertyCount(h), 0);
    EXPECT_NO_ERROR();
}

void DataTest::createRejectsUnknownClass_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("null");
    QTest::newRow("unknown") << QByteArray("CQuenNothing") << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("null") << QByteArray() << true;
    QTest::newRow("other case") << QByteArray("cquenint32") << false;
    QTest::newRow("trailing blank") << QByteArray("CQuenInt32 ") << false;
}

void DataTest::createRejectsUnknownClass()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, null);
    const int live = QuenCoreGetLiveObjectCount();
    QCOMPARE(QuenDataCreate(null ? nullptr : name.constData()), 0);
    EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataCreate");
    QCOMPARE(QuenCoreGetLiveObjectCount(), live);
}

void DataTest::realValuesKeepEveryBit_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative zero") << -0.0;
    QTest::newRow("smallest subnormal") << std::numeric_limits<double>::denorm_min();
    QTest::newRow("largest") << std::numeric_limits<double>::max();
    QTest::newRow("tenth") << 0.1;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
}

void DataTest::realValuesKeepEveryBit()
{
    QFETCH(double, value);
    Items items;
    const QuenHandle created = items << QuenReal64Create(value);
    const QuenHandle set = items << QuenReal64Create(1.5);
    QVERIFY(QuenReal64SetValue(set, value));
    for (const QuenHandle h : { created, set }) {
        const double back = QuenReal64GetValue(h);
        QVERIFY(std::memcmp(&back, &value, sizeof back) == 0);
    }
    EXPECT_NO_ERROR();
}

void DataTest::scalarValues()
{
    Items items;
    const QuenHandle i = items << QuenInt32Create(INT32_MIN);
    QCOMPARE(QuenInt32GetValue(i), INT32_MIN);
    QVERIFY(QuenInt32SetValue(i, INT32_MAX));
    QCOMPARE(QuenInt32GetValue(i), INT32_MAX);

    const QuenHandle s = items << QuenStringCreate(nullptr);
    QCOMPARE(text(QuenStringGetValue(s)), QString());
    const QString unicode = QStringLiteral("Spannung \u00b5V \u2192 \U0001F50C");
    QVERIFY(QuenStringSetValue(s, unicode.toUtf8().constData()));
    QCOMPARE(text(QuenStringGetValue(s)), unicode);

    const QuenHandle c = items << QuenComplexCreate(1.25, -2.5);
    double a = 0, b = 0;
    QVERIFY(QuenComplexGetValues(c, &a, &b));
    QCOMPARE(a, 1.25);
    QCOMPARE(b, -2.5);
    QVERIFY(QuenComplexSetValues(c, -3, 4));
    QVERIFY(QuenComplexGetValues(c, nullptr, &b)); // an out-argument may be left out
    QCOMPARE(b, 4.0);

    const QuenHandle p = items << QuenPointCreate(3, 4);
    QVERIFY(QuenPointSetValues(p, -1e300, 1e-300));
    QVERIFY(QuenPointGetValues(p, &a, &b));
    QCOMPARE(a, -1e300);
    QCOMPARE(b, 1e-300);
    EXPECT_NO_ERROR();
}

void DataTest::setPropertyStoresACopy()
{
    Items items;
    const QuenHandle item = items << QuenInt32Create(5);
    const QuenHandle units = items << QuenStringCreate("V");
    QVERIFY(QuenDataExSetProperty(item, "Units", units));
    const QuenHandle stored = QuenDataExGetProperty(item, "Units");
    QVERIFY(stored != 0 && stored != units);
    QCOMPARE(text(QuenStringGetValue(stored)), QStringLiteral("V"));

    QVERIFY(QuenStringSetValue(units, "mV"));
    QCOMPARE(text(QuenStringGetValue(stored)), QStringLiteral("V"));
    QVERIFY(QuenDataRelease(units)); // the caller keeps and releases what it passed
    QVERIFY(QuenStringSetValue(stored, "A")); // the stored one is changed in place
    QCOMPARE(text(QuenStringGetValue(QuenDataExGetProperty(item, "Units"))), QStringLiteral("A"));
    QCOMPARE(QuenDataExGetProperty(item, "units"), 0); // names are matched exactly
    EXPECT_NO_ERROR();
}

void DataTest::propertyReplaceAndRemove()
{
    Items items;
    const QuenHandle item = items << QuenReal64Create(1);
    const QuenHandle first = items << QuenStringCreate("first");
    const QuenHandle second = items << QuenStringCreate("second");
    QVERIFY(QuenDataExSetProperty(item, "Units", first));
    const QuenHandle old = QuenDataExGetProperty(item, "Units");
    const int live = QuenCoreGetLiveObjectCount();

    QVERIFY(QuenDataExSetProperty(item, "Units", second));
    QVERIFY(!QuenDataIsValid(old)); // the replaced copy is destroyed, not leaked
    QCOMPARE(QuenCoreGetLiveObjectCount(), live);
    QCOMPARE(QuenDataExGetPropertyCount(item), 1);
    QCOMPARE(text(QuenStringGetValue(QuenDataExGetProperty(item, "Units"))), QStringLiteral("second"));

    QVERIFY(QuenDataExSetProperty(item, "Units", 0));
    QCOMPARE(QuenCoreGetLiveObjectCount(), live - 1);
    QCOMPARE(QuenDataExGetProperty(item, "Units"), 0);
    QCOMPARE(QuenDataExGetPropertyCount(item), 0);
    QVERIFY(QuenDataExSetProperty(item, "Units", 0)); // removing what is absent is no error
    EXPECT_NO_ERROR();

    QVERIFY(!QuenDataExSetProperty(item, "", first));
    EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataExSetProperty");
}

void DataTest::propertyNamesAndPositions()
{
    Items items;
    const QuenHandle item = items << QuenI32ArrCreate(0, 1);
    const QuenHandle value = items << QuenStringCreate("x");
    for (const char* name : { "Units", "View As", "Locks" })
        QVERIFY(QuenDataExSetProperty(item, name, value));
    QVERIFY(QuenDataExSetProperty(item, "Units", value)); // replacing keeps the position
    QCOMPARE(QuenDataExGetPropertyCount(item), 3);
    QCOMPARE(text(QuenDataExGetPropertyName(item, 1)), QStringLiteral("Units"));
    QCOMPARE(text(QuenDataExGetPropertyName(item, 2)), QStringLiteral("View As"));
    QCOMPARE(text(QuenDataExGetPropertyName(item, 3)), QStringLiteral("Locks"));
    EXPECT_NO_ERROR();
    for (const int position : { 0, 4, -1 }) {
        QCOMPARE(text(QuenDataExGetPropertyName(item, position)), QString());
        EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenDataExGetPropertyName");
    }
}

void DataTest::propertyMayBeSetFromItself()
{
    Items items;
    const QuenHandle item = items << QuenInt32Create(3);
    const QuenHandle units = items << QuenStringCreate("V");
    QVERIFY(QuenDataExSetProperty(item, "Units", units));
    const int live = QuenCoreGetLiveObjectCount();
    // Passing the item's own property: the copy is taken before the old one goes.
    QVERIFY(QuenDataExSetProperty(item, "Units", QuenDataExGetProperty(item, "Units")));
    QCOMPARE(text(QuenStringGetValue(QuenDataExGetProperty(item, "Units"))), QStringLiteral("V"));
    QCOMPARE(QuenCoreGetLiveObjectCount(), live);
    // The item itself: the stored copy holds the item as it was, with its one property.
    QVERIFY(QuenDataExSetProperty(item, "Self", item));
    const QuenHandle self = QuenDataExGetProperty(item, "Self");
    QCOMPARE(QuenInt32GetValue(self), 3);
    QCOMPARE(QuenDataExGetPropertyCount(self), 1);
    QCOMPARE(QuenCoreGetLiveObjectCount(), live + 2);
    EXPECT_NO_ERROR();
}

void DataTest::releaseReleasesProperties()
{
    const int live = QuenCoreGetLiveObjectCount();
    const QuenHandle item = QuenR64ArrCreate(0, 1);
    const QuenHandle restriction = QuenR64ArrCreate(0, 1);
    const QuenHandle units = QuenStringCreate("V");
    QVERIFY(QuenDataExSetProperty(restriction, "Units", units)); // a property with a property
    QVERIFY(QuenDataExSetProperty(item, "Restriction", restriction));
    QVERIFY(QuenDataExSetProperty(item, "Units", units));
    QVERIFY(QuenDataRelease(restriction));
    QVERIFY(QuenDataRelease(units));
    QCOMPARE(QuenCoreGetLiveObjectCount(), live + 4);
    const QuenHandle nested = QuenDataExGetProperty(QuenDataExGetProperty(item, "Restriction"), "Units");
    QVERIFY(QuenDataIsValid(nested));
    QVERIFY(QuenDataRelease(item));
    QCOMPARE(QuenCoreGetLiveObjectCount(), live);
    QVERIFY(!QuenDataIsValid(nested));
    EXPECT_NO_ERROR();
}

void DataTest::ownedItemsCannotBeReleased()
{
    Items items;
    const QuenHandle item = items << QuenInt32Create(1);
    const QuenHandle units = items << QuenStringCreate("V");
    QVERIFY(QuenDataExSetProperty(item, "Units", units));
    const QuenHandle property = QuenDataExGetProperty(item, "Units");
    QVERIFY(!QuenDataRelease(property));
    EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDataRelease");
    QVERIFY(QuenDataIsValid(property));

    const QuenHandle parm = QuenParmCreate("Count", "CQuenInt32");
    const QuenHandle data = QuenParmGetData(parm);
    QVERIFY(QuenDataIsValid(data));
    QVERIFY(!QuenDataRelease(data));
    const QList<Raised> raised = takeErrors();
    QCOMPARE(raised.size(), 1);
    QVERIFY2(raised.first().message.contains(QLatin1String("parameter")), qPrintable(raised.first().message));
    QVERIFY(QuenDataIsValid(data));
    QVERIFY(QuenParmRelease(parm));
    QVERIFY(!QuenDataIsValid(data));
}

void DataTest::copyVersusDeepCopy()
{
    Items items;
    const QuenHandle original = items << QuenStringCreate("value");
    const QuenHandle restriction = items << QuenI32ArrCreate(1, 2);
    QVERIFY(QuenI32ArrSetAt1(restriction, 2, 10));
    const QuenHandle units = items << QuenStringCreate("V");
    QVERIFY(QuenDataExSetProperty(restriction, "Units", units));
    QVERIFY(QuenDataExSetProperty(original, "Restriction", restriction));
    QVERIFY(QuenDataExSetProperty(original, "Units", units));

    const QuenHandle copy = items << QuenDataCopy(original);
    QCOMPARE(text(QuenStringGetValue(copy)), QStringLiteral("value"));
    QCOMPARE(QuenDataExGetPropertyCount(copy), 0);

    const QuenHandle deep = items << QuenDataExDeepCopy(original);
    QCOMPARE(text(QuenStringGetValue(deep)), QStringLiteral("value"));
    QCOMPARE(QuenDataExGetPropertyCount(deep), 2);
    QCOMPARE(text(QuenDataExGetPropertyName(deep, 1)), QStringLiteral("Restriction"));
    const QuenHandle deepRestriction = QuenDataExGetProperty(deep, "Restriction");
    QVERIFY(deepRestriction != QuenDataExGetProperty(original, "Restriction"));
    QCOMPARE(QuenI32ArrGetAt1(deepRestriction, 2), 10);
    QCOMPARE(text(QuenStringGetValue(QuenDataExGetProperty(deepRestriction, "Units"))), QStringLiteral("V"));
    QVERIFY(!QuenDataRelease(deepRestriction)); // it belongs to the deep copy
    QuenExcRegClearError(0);

    // Independence both ways, down to the nested property.
    QVERIFY(QuenStringSetValue(original, "changed"));
    QVERIFY(QuenI32ArrSetAt1(QuenDataExGetProperty(original, "Restriction"), 2, 99));
    QVERIFY(QuenStringSetValue(QuenDataExGetProperty(QuenDataExGetProperty(original, "Restriction"), "Units"), "A"));
    QCOMPARE(text(QuenStringGetValue(deep)), QStringLiteral("value"));
    QCOMPARE(text(QuenStringGetValue(copy)), QStringLiteral("value"));
    QCOMPARE(QuenI32ArrGetAt1(deepRestriction, 2), 10);
    QCOMPARE(text(QuenStringGetValue(QuenDataExGetProperty(deepRestriction, "Units"))), QStringLiteral("V"));
    QVERIFY(QuenDataRelease(original));
    QVERIFY(QuenDataIsValid(deepRestriction));
    EXPECT_NO_ERROR();
}

void DataTest::runtimeMarks()
{
    Items items;
    const QuenHandle h = items << QuenStringCreate("{x}");
    QCOMPARE(QuenDataExIsRuntimeEvaluation(h), QUEN_FALSE);
    QCOMPARE(QuenDataExIsRuntimeScan(h), QUEN_FALSE);
    QVERIFY(QuenDataExSetRuntimeEvaluation(h));
    QCOMPARE(QuenDataExIsRuntimeEvaluation(h), QUEN_TRUE);
    QCOMPARE(QuenDataExIsRuntimeScan(h), QUEN_FALSE); // the marks are independent
    QVERIFY(QuenDataExSetRuntimeScan(h));
    const QuenHandle copy = items << QuenDataCopy(h);
    QCOMPARE(QuenDataExIsRuntimeEvaluation(copy), QUEN_TRUE);
    QCOMPARE(QuenDataExIsRuntimeScan(copy), QUEN_TRUE);
    QVERIFY(QuenDataExClearRuntimeEvaluation(h));
    QCOMPARE(QuenDataExIsRuntimeEvaluation(h), QUEN_FALSE);
    QCOMPARE(QuenDataExIsRuntimeScan(h), QUEN_TRUE);
    QCOMPARE(QuenDataExIsRuntimeEvaluation(copy), QUEN_TRUE);
    QVERIFY(QuenDataExClearRuntimeScan(h));
    QCOMPARE(QuenDataExIsRuntimeScan(h), QUEN_FALSE);
    EXPECT_NO_ERROR();
}

void DataTest::enumeration()
{
    Items items;
    const QuenHandle h = items << QuenInt32Create(1);
    QCOMPARE(QuenInt32GetEnumeration(h), 0);
    EXPECT_NO_ERROR();
    const QuenHandle labels = items << QuenStrArrCreate(0, 1);
    QVERIFY(QuenStrArrSetAt1(labels, 1, "On"));
    QVERIFY(QuenDataExSetProperty(h, "Enumeration", labels));
    const QuenHandle e = QuenInt32GetEnumeration(h);
    QCOMPARE(e, QuenDataExGetProperty(h, "Enumeration"));
    QCOMPARE(text(QuenStrArrGetAt1(e, 1)), QStringLiteral("On"));
    QCOMPARE(QuenInt32GetEnumeration(labels), 0);
    EXPECT_ONE_ERROR(QUEN_ERR_WRONG_KIND, "QuenInt32GetEnumeration");
}

void DataTest::localsBlockAndAge()
{
    Items items;
    const QuenHandle loose = items << QuenInt32Create(1);
    QCOMPARE(QuenDataExGetLocalsParmBlock(loose), 0);
    EXPECT_NO_ERROR();

    const QuenHandle block = QuenPbDefCreate();
    const QuenHandle parm = QuenParmCreate("Limit", "CQuenInt32");
    QCOMPARE(QuenDataExGetLocalsParmBlock(QuenParmGetData(parm)), 0); // a parameter on its own
    QVERIFY(QuenPbDefAddParm(block, parm));
    const QuenHandle data = QuenParmGetData(parm);
    QCOMPARE(QuenDataExGetLocalsParmBlock(data), block);

    const QuenHandle units = items << QuenStringCreate("V");
    QVERIFY(QuenDataExSetProperty(data, "Units", units));
    const QuenHandle property = QuenDataExGetProperty(data, "Units");
    QCOMPARE(QuenDataExGetLocalsParmBlock(property), block); // through the owner chain

    // Every change of the item or its property ages the block; reads do not.
    int32_t age = QuenPbDefGetAge(block);
    const std::function<bool()> changes[] = {
        [&] { return QuenInt32SetValue(data, 7) != 0; },
        [&] { return QuenStringSetValue(property, "mV") != 0; },
        [&] { return QuenDataExSetRuntimeScan(data) != 0; },
        [&] { return QuenDataExSetProperty(data, "View As", units) != 0; },
    };
    for (const auto& change : changes) {
        QVERIFY(change());
        QVERIFY(QuenPbDefGetAge(block) != age);
        age = QuenPbDefGetAge(block);
    }
    QCOMPARE(QuenInt32GetValue(data), 7);
    QCOMPARE(QuenPbDefGetAge(block), age);
    EXPECT_NO_ERROR();
    QVERIFY(QuenPbDefRelease(block));
    QVERIFY(!QuenDataIsValid(property));
}

QTEST_GUILESS_MAIN(DataTest)
#include "datatest.moc"
