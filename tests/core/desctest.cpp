// Descriptions through the C API: text, keywords (trimmed, no duplicates whatever the case,
// positions from 1), merging, and who may release one.
#include "coretesting.h"

#include <QStringList>

using namespace VeltTest;

namespace {

QStringList keywordsOf(QuenHandle desc)
{
    QStringList list;
    for (int32_t i = 1; i <= QuenDescGetKeywordCount(desc); ++i)
        list << text(QuenDescGetKeywordAt(desc, i));
    return list;
}

} // namespace

class DescTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); }

    void textIsKeptAsGiven()
    {
        const QuenHandle d = QuenDescCreate("Supply voltage");
        QCOMPARE(VeltTest::text(QuenDescGetText(d)), QStringLiteral("Supply voltage"));
        const QString unicode = QStringLiteral("  Strom in \u00b5A\nzweite Zeile  ");
        QVERIFY(QuenDescSetText(d, unicode.toUtf8().constData()));
        QCOMPARE(VeltTest::text(QuenDescGetText(d)), unicode); // the text is kept as given
        QVERIFY(QuenDescSetText(d, nullptr));
        QCOMPARE(VeltTest::text(QuenDescGetText(d)), QString());
        EXPECT_NO_ERROR();
        QVERIFY(QuenDescRelease(d));
    }

    void addKeywords_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("in order") << QStringList { "b", "a", "c" } << QStringList { "b", "a", "c" };
        QTest::newRow("trimmed") << QStringList { "  volt ", "\tamp\n" } << QStringList { "volt", "amp" };
        QTest::newRow("case") << QStringList { "Volt", "VOLT", "volt" } << QStringList { "Volt" };
        QTest::newRow("trimmed duplicate") << QStringList { "volt", " VOLT " } << QStringList { "volt" };
        QTest::newRow("non-ascii case") << QStringList { "\u00c4rger", "\u00e4RGER" } << QStringList { "\u00c4rger" };
        QTest::newRow("inner blanks kept") << QStringList { "power supply", "power  supply" }
                                           << QStringList { "power supply", "power  supply" };
    }

    void addKeywords()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, kept);
        const QuenHandle d = QuenDescCreate("");
        for (const QString& k : added)
            QVERIFY(QuenDescAddKeyword(d, k.toUtf8().constData()));
        EXPECT_NO_ERROR();
        QCOMPARE(keywordsOf(d), kept);
        for (const char* blank : { "", "   ", static_cast<const char*>(nullptr) }) {
            QVERIFY(!QuenDescAddKeyword(d, blank));
            EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDescAddKeyword");
        }
        QCOMPARE(keywordsOf(d), kept);
        for (const int position : { 0, int(kept.size()) + 1 }) { // positions count from 1
            QCOMPARE(VeltTest::text(QuenDescGetKeywordAt(d, position)), QString());
            EXPECT_ONE_ERROR(QUEN_ERR_OUT_OF_RANGE, "QuenDescGetKeywordAt");
        }
        QVERIFY(QuenDescRelease(d));
    }

    void mergeKeywords_data()
    {
        QTest::addColumn<QStringList>("into");
        QTest::addColumn<QStringList>("from");
        QTest::addColumn<QStringList>("result");
        QTest::newRow("disjoint") << QStringList { "a" } << QStringList { "b", "c" } << QStringList { "a", "b", "c" };
        QTest::newRow("overlap by case") << QStringList { "Volt", "x" } << QStringList { "volt", "amp" }
                                         << QStringList { "Volt", "x", "amp" };
        QTest::newRow("into empty") << QStringList {} << QStringList { "a", "b" } << QStringList { "a", "b" };
        QTest::newRow("from empty") << QStringList { "a" } << QStringList {} << QStringList { "a" };
    }

    void mergeKeywords()
    {
        QFETCH(QStringList, into);
        QFETCH(QStringList, from);
        QFETCH(QStringList, result);
        const QuenHandle a = QuenDescCreate("a");
        const QuenHandle b = QuenDescCreate("b");
        for (const QString& k : into)
            QuenDescAddKeyword(a, k.toUtf8().constData());
        for (const QString& k : from)
            QuenDescAddKeyword(b, k.toUtf8().constData());
        QVERIFY(QuenDescMergeKeywords(a, b));
        QCOMPARE(keywordsOf(a), result);
        QCOMPARE(keywordsOf(b), from); // the source is left alone
        QCOMPARE(VeltTest::text(QuenDescGetText(a)), QStringLiteral("a")); // and the text too
        QVERIFY(QuenDescMergeKeywords(a, a));
        QCOMPARE(keywordsOf(a), result);
        EXPECT_NO_ERROR();
        QVERIFY(QuenDescRelease(a));
        QVERIFY(QuenDescRelease(b));
    }

    void ownedDescriptionsCannotBeReleased()
    {
        const QuenHandle parm = QuenParmCreate("Voltage", "CQuenReal64");
        const QuenHandle desc = QuenParmGetDesc(parm);
        QVERIFY(desc);
        QVERIFY(!QuenDescRelease(desc));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDescRelease");
        QVERIFY(QuenDescSetText(desc, "still usable"));

        const QuenHandle block = QuenPbDefCreate();
        const QuenHandle blockDesc = QuenPbDefGetDesc(block);
        QVERIFY(!QuenDescRelease(blockDesc));
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_ARGUMENT, "QuenDescRelease");

        // A change of a block's description ages the block.
        const int32_t age = QuenPbDefGetAge(block);
        QVERIFY(QuenDescAddKeyword(blockDesc, "new"));
        QVERIFY(QuenPbDefGetAge(block) != age);

        QVERIFY(QuenParmRelease(parm));
        QVERIFY(QuenPbDefRelease(block));
        QVERIFY(!QuenDescRelease(desc)); // gone with its parameter
        EXPECT_ONE_ERROR(QUEN_ERR_INVALID_HANDLE, "QuenDescRelease");
    }
};

QTEST_GUILESS_MAIN(DescTest)
#include "desctest.moc"
