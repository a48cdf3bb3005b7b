// The rules of the data editor host: status line, captions, prompts and the size sums.
#include "columns.h"
#include "dataeditorrules.h"

#include <QTest>

#include <limits>

using namespace Velt::DataEditorRules;

class DataEditorRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statusLine_data()
    {
        // line: the text, after "error: " when it shows as an error
        VeltTest::columns<QString, QString, bool, bool, bool, QString>({"error", "status", "readOnly", "symbolMode", "hasDefaultData", "line"});
        QTest::newRow("editing parameter") << "" << "" << false << false << false << "Editing parameter \"X\"";
        QTest::newRow("viewing parameter") << "" << "" << true << false << false << "Viewing parameter \"X\" - Changes not saved";
        QTest::newRow("viewing symbol") << "" << "" << true << true << false << "Viewing symbol \"X\" - Changes not saved";
        QTest::newRow("symbol with default data is a parameter") << "" << "" << false << true << true << "Editing parameter \"X\"";
        QTest::newRow("status before the default line") << "" << "Octal view" << true << false << false << "Octal view";
        QTest::newRow("error before the status") << "Bad value" << "Octal view" << false << false << false << "error: Bad value";
    }

    void statusLine()
    {
        QFETCH(QString, error);
        QFETCH(QString, status);
        QFETCH(bool, readOnly);
        QFETCH(bool, symbolMode);
        QFETCH(bool, hasDefaultData);
        const StatusLine line = Velt::DataEditorRules::statusLine(error, status, readOnly, kind(symbolMode, hasDefaultData), QStringLiteral("X"));
        QTEST((line.isError ? QStringLiteral("error: ") : QString()) + line.text, "line");
    }

    void captions_data()
    {
        VeltTest::columns<bool, bool, QString>({"symbolMode", "hasDefaultData", "caption"});
        QTest::newRow("parameter") << false << false << "This parameter...";
        QTest::newRow("symbol") << true << false << "This symbol...";
        QTest::newRow("symbol with default") << true << true << "This parameter...";
    }

    void captions()
    {
        QFETCH(bool, symbolMode);
        QFETCH(bool, hasDefaultData);
        QTEST(parameterFrameCaption(kind(symbolMode, hasDefaultData)), "caption");
    }

    void referenceStatus()
    {
        QCOMPARE(QStringList({Velt::DataEditorRules::referenceStatus("T", "S"), Velt::DataEditorRules::referenceStatus("", "S"), referencePrompt()}),
                 QStringList({"Press 'OK' to reference 'S' in 'T'", "Press 'OK' to reference 'S'", "Highlight a table and a symbol. Press 'OK'."}));
    }

    void recommendedSize_data()
    {
        // input: minimum width, reserve width, reserve height, left, top, options shown, frame height;
        // size: width and height, nothing when a sum overflows
        VeltTest::columns<QList<int>, QList<int>>({"input", "size"});
        const int max = std::numeric_limits<int>::max();
        // 50 + 4495 + 2 * 120; 100 + 0 + 2395 + 640 = 3135 >= 2840, + 640 + 1000
        QTest::newRow("plain data edit") << QList<int>{3000, 4495, 2395, 120, 0, 0, 1800} << QList<int>{4785, 4775};
        QTest::newRow("minimum width wins") << QList<int>{6000, 4495, 2395, 120, 0, 0, 0} << QList<int>{6290, 4775};
        // 1500 + 100 + 90 + 2395 + 640 = 4725, + 1640
        QTest::newRow("with the parameter frame") << QList<int>{0, 4495, 2395, 120, 90, 1, 1500} << QList<int>{4785, 6365};
        // 100 + 30 + 500 + 640 = 1270 is raised to 30 + 2200 + 640 = 2870, + 1640
        QTest::newRow("small reserve raised") << QList<int>{0, 100, 500, 0, 30, 0, 0} << QList<int>{150, 4510};
        QTest::newRow("width overflows") << QList<int>{0, max - 100, 2395, 120, 0, 0, 0} << QList<int>();
        QTest::newRow("height overflows") << QList<int>{0, 4495, max - 1000, 120, 0, 0, 0} << QList<int>();
        QTest::newRow("frame height overflows") << QList<int>{0, 4495, 2395, 120, 0, 1, max - 50} << QList<int>();
    }

    void recommendedSize()
    {
        QFETCH(QList<int>, input);
        const auto size = Velt::DataEditorRules::recommendedSize({input[0], input[1], input[2], input[3], input[4], input[5] != 0, input[6]});
        QTEST(size ? QList<int>({int(size->width), int(size->height)}) : QList<int>(), "size");
    }

    void formCaption_data()
    {
        VeltTest::columns<QString, bool, QString>({"type", "readOnly", "caption"});
        QTest::newRow("typed") << "Integer (32 bit)" << false << "Gain - Integer (32 bit)";
        QTest::newRow("typed, view only") << "Integer (32 bit)" << true << "Gain - Integer (32 bit) - View Only";
        QTest::newRow("no type name") << "" << false << "Gain";
    }

    void formCaption()
    {
        QFETCH(QString, type);
        QFETCH(bool, readOnly);
        QTEST(Velt::DataEditorRules::formCaption(QStringLiteral("Gain"), type, readOnly), "caption");
    }

    void formSize()
    {
        const auto size = Velt::DataEditorRules::formSize({4775, 4785});
        QCOMPARE(size ? QList<int>({int(size->height), int(size->width)}) : QList<int>(), QList<int>({4905, 4785}));
        QVERIFY(!Velt::DataEditorRules::formSize({std::numeric_limits<int32_t>::max() - 10, 10}));
    }

    void setUpFlags_data()
    {
        VeltTest::columns<bool, bool, bool, bool, bool>({"hasDefault", "designTime", "output", "effectiveDesign", "effectiveOutput"});
        QTest::newRow("design, output") << false << true << true << true << true;
        QTest::newRow("default turns design off") << true << true << true << false << false;
        QTest::newRow("no design, no output") << false << false << true << false << false;
        QTest::newRow("design without output") << false << true << false << true << false;
    }

    void setUpFlags()
    {
        QFETCH(bool, hasDefault);
        QFETCH(bool, designTime);
        QFETCH(bool, output);
        const SetUpFlags flags = Velt::DataEditorRules::setUpFlags(hasDefault, designTime, output);
        QTEST(flags.designTime, "effectiveDesign");
        QTEST(flags.outputDefinition, "effectiveOutput");
    }
};

QTEST_APPLESS_MAIN(DataEditorRulesTest)
#include "dataeditorrulestest.moc"
