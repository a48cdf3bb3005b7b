// The rules of the data editor host: status line, captions, prompts and the size sums.
#include "dataeditorrules.h"

#include <QTest>

#include <limits>

using namespace Velt::DataEditorRules;

class DataEditorRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statusLine_data();
    void statusLine();
    void captions_data();
    void captions();
    void referenceStatus_data();
    void referenceStatus();
    void recommendedSize_data();
    void recommendedSize();
    void formCaption_data();
    void formCaption();
    void formSize();
    void setUpFlags_data();
    void setUpFlags();
};

void DataEditorRulesTest::statusLine_data()
{
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("symbolMode");
    QTest::addColumn<bool>("hasDefaultData");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isError");

    QTest::newRow("editing parameter") << "" << "" << false << false << false
                                       << "Editing parameter \"X\"" << false;
    QTest::newRow("viewing parameter") << "" << "" << true << false << false
                                       << "Viewing parameter \"X\" - Changes not saved" << false;
    QTest::newRow("editing symbol") << "" << "" << false << true << false
                                    << "Editing symbol \"X\"" << false;
    QTest::newRow("viewing symbol") << "" << "" << true << true << false
                                    << "Viewing symbol \"X\" - Changes not saved" << false;
    QTest::newRow("symbol with default data is a parameter")
        << "" << "" << false << true << true << "Editing parameter \"X\"" << false;
    QTest::newRow("status before the default line") << "" << "Octal view" << true << false << false
                                                    << "Octal view" << false;
    QTest::newRow("error before the status") << "Bad value" << "Octal view" << false << false
                                             << false << "Bad value" << true;
    QTest::newRow("error alone") << "Bad value" << "" << true << true << false << "Bad value" << true;
}

void DataEditorRulesTest::statusLine()
{
    QFETCH(QString, error);
    QFETCH(QString, status);
    QFETCH(bool, readOnly);
    QFETCH(bool, symbolMode);
    QFETCH(bool, hasDefaultData);
    const StatusLine line =
        Velt::DataEditorRules::statusLine(error, status, readOnly, kind(symbolMode, hasDefaultData),
                                          QStringLiteral("X"));
    QTEST(line.text, "text");
    QTEST(line.isError, "isError");
}

void DataEditorRulesTest::captions_data()
{
    QTest::addColumn<bool>("symbolMode");
    QTest::addColumn<bool>("hasDefaultData");
    QTest::addColumn<QString>("caption");
    QTest::newRow("parameter") << false << false << "This parameter...";
    QTest::newRow("parameter with default") << false << true << "This parameter...";
    QTest::newRow("symbol") << true << false << "This symbol...";
    QTest::newRow("symbol with default") << true << true << "This parameter...";
}

void DataEditorRulesTest::captions()
{
    QFETCH(bool, symbolMode);
    QFETCH(bool, hasDefaultData);
    QTEST(parameterFrameCaption(kind(symbolMode, hasDefaultData)), "caption");
}

void DataEditorRulesTest::referenceStatus_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("text");
    QTest::newRow("table and symbol") << "T" << "S" << "Press 'OK' to reference 'S' in 'T'";
    QTest::newRow("all public") << "" << "S" << "Press 'OK' to reference 'S'";
}

void DataEditorRulesTest::referenceStatus()
{
    QFETCH(QString, table);
    QFETCH(QString, symbol);
    QTEST(Velt::DataEditorRules::referenceStatus(table, symbol), "text");
    QCOMPARE(referencePrompt(), QStringLiteral("Highlight a table and a symbol. Press 'OK'."));
}

void DataEditorRulesTest::recommendedSize_data()
{
    QTest::addColumn<int>("minimumWidth");
    QTest::addColumn<int>("reserveWidth");
    QTest::addColumn<int>("reserveHeight");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("options");
    QTest::addColumn<int>("frameHeight");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    const int max = std::numeric_limits<int>::max();
    // 50 + 4495 + 2 * 120; 100 + 0 + 2395 + 640 = 3135 >= 2840, + 640 + 1000
    QTest::newRow("plain data edit") << 3000 << 4495 << 2395 << 120 << 0 << false << 1800
                                     << true << 4785 << 4775;
    QTest::newRow("minimum width wins") << 6000 << 4495 << 2395 << 120 << 0 << false << 0
                                        << true << 6290 << 4775;
    // 1500 + 100 + 90 + 2395 + 640 = 4725, + 1640
    QTest::newRow("with the parameter frame") << 0 << 4495 << 2395 << 120 << 90 << true << 1500
                                              << true << 4785 << 6365;
    // 100 + 30 + 500 + 640 = 1270 is raised to 30 + 2200 + 640 = 2870, + 1640
    QTest::newRow("small reserve raised") << 0 << 100 << 500 << 0 << 30 << false << 0
                                          << true << 150 << 4510;
    QTest::newRow("width overflows") << 0 << max - 100 << 2395 << 120 << 0 << false << 0
                                     << false << 0 << 0;
    QTest::newRow("height overflows") << 0 << 4495 << max - 1000 << 120 << 0 << false << 0
                                      << false << 0 << 0;
    QTest::newRow("frame height overflows") << 0 << 4495 << 2395 << 120 << 0 << true << max - 50
                                            << false << 0 << 0;
}

void DataEditorRulesTest::recommendedSize()
{
    SizeInput input;
    QFETCH(int, minimumWidth);
    QFETCH(int, reserveWidth);
    QFETCH(int, reserveHeight);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(bool, options);
    QFETCH(int, frameHeight);
    input = {minimumWidth, reserveWidth, reserveHeight, left, top, options, frameHeight};
    const auto size = Velt::DataEditorRules::recommendedSize(input);
    QTEST(size.has_value(), "fits");
    if (size) {
        QTEST(int(size->width), "width");
        QTEST(int(size->height), "height");
    }
}

void DataEditorRulesTest::formCaption_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("caption");
    QTest::newRow("typed") << "Integer (32 bit)" << false << "Gain - Integer (32 bit)";
    QTest::newRow("typed, view only") << "Integer (32 bit)" << true
                                      << "Gain - Integer (32 bit) - View Only";
    QTest::newRow("no type name") << "" << false << "Gain";
    QTest::newRow("no type name, view only") << "" << true << "Gain - View Only";
}

void DataEditorRulesTest::formCaption()
{
    QFETCH(QString, type);
    QFETCH(bool, readOnly);
    QTEST(Velt::DataEditorRules::formCaption(QStringLiteral("Gain"), type, readOnly), "caption");
}

void DataEditorRulesTest::formSize()
{
    const auto size = Velt::DataEditorRules::formSize({4775, 4785});
    QVERIFY(size);
    QCOMPARE(size->height, 4905);
    QCOMPARE(size->width, 4785);
    QVERIFY(!Velt::DataEditorRules::formSize({std::numeric_limits<int32_t>::max() - 10, 10}));
}

void DataEditorRulesTest::setUpFlags_data()
{
    QTest::addColumn<bool>("hasDefault");
    QTest::addColumn<bool>("designTime");
    QTest::addColumn<bool>("output");
    QTest::addColumn<bool>("effectiveDesign");
    QTest::addColumn<bool>("effectiveOutput");
    QTest::newRow("design, output") << false << true << true << true << true;
    QTest::newRow("default turns design off") << true << true << true << false << false;
    QTest::newRow("no design, no output") << false << false << true << false << false;
    QTest::newRow("design without output") << false << true << false << true << false;
}

void DataEditorRulesTest::setUpFlags()
{
    QFETCH(bool, hasDefault);
    QFETCH(bool, designTime);
    QFETCH(bool, output);
    const SetUpFlags flags = Velt::DataEditorRules::setUpFlags(hasDefault, designTime, output);
    QTEST(flags.designTime, "effectiveDesign");
    QTEST(flags.outputDefinition, "effectiveOutput");
}

QTEST_APPLESS_MAIN(DataEditorRulesTest)
#include "dataeditorrulestest.moc"
