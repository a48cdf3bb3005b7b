// The data type selector: its entries and typed-letter cycle, then the control over the real registry.
#include "columns.h"
#include "coretesting.h"
#include "dataeditorregistry.h"
#include "datatypelist.h"
#include "datatypeselector.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

using namespace Velt;
using VeltTest::CoreBuilder;

class DataTypeSelectorTest : public QObject
{
    Q_OBJECT
    VeltTest::Fixture fixture;

private Q_SLOTS:
    void init() { fixture.begin(); }
    void cleanup() { fixture.end(); }
    void cleanupTestCase() { DataEditorRegistry::unload(); }

    void listKeepsRegistryOrderAndSorts()
    {
        DataTypeList list;
        list.add(QStringLiteral("CQuenReal64"), QStringLiteral("Real"), 1);
        list.add(QStringLiteral("CQuenObjectLifetime"), QStringLiteral("Lifetime"), 2);
        list.add(QString(), QStringLiteral("Nameless"), 3);
        list.add(QStringLiteral("CQuenInt32"), QStringLiteral("integer"), 4);
        list.add(QStringLiteral("CQuenString"), QStringLiteral("String"), 5);
        const auto types = [&](bool sorted) {
            QStringList out;
            for (const DataTypeEntry& e : list.entries(sorted))
                out << e.dataType + u'@' + QString::number(e.position);
            return out;
        };
        QCOMPARE(types(false), (QStringList{"Real@1", "integer@4", "String@5"}));
        QCOMPARE(types(true), (QStringList{"integer@4", "Real@1", "String@5"}));
        QCOMPARE(list.rowOfType(QStringLiteral("String"), true), 2);
        QCOMPARE(list.rowOfType(QStringLiteral("Lifetime"), false), -1);
    }

    void cycle_data()
    {
        VeltTest::columns<int, QString, int>({"current", "typed", "target"});
        // Complex, Integer, Integer Array, Real, Range
        QTest::newRow("from nothing") << -1 << "i" << 1;
        QTest::newRow("same letter: the next one") << 1 << "i" << 2;
        QTest::newRow("same letter at the last one wraps") << 2 << "I" << 1;
        QTest::newRow("other letter: from the top") << 2 << "r" << 3;
        QTest::newRow("same letter again") << 3 << "r" << 4;
        QTest::newRow("a single match stays") << 0 << "c" << 0;
        QTest::newRow("no match") << 0 << "z" << -1;
    }

    void cycle()
    {
        QFETCH(int, current);
        QFETCH(QString, typed);
        const QStringList texts{"Complex", "Integer", "Integer Array", "Real", "Range"};
        QTEST(DataTypeList::cycleTarget(texts, current, typed.at(0)), "target");
    }

    void selectorOverTheRegistry()
    {
        // An editor for the lifetime class is registered, yet never listed.
        VeltTest::FakeTypeEditor lifetime(VeltTest::FakeTypeEditorOptions(QStringLiteral("CQuenObjectLifetime")));
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        registry->AddDataEditorIfAbsent(QStringLiteral("CQuenObjectLifetime"), lifetime.editor());
        DataTypeSelector selector;
        QCOMPARE(selector.objectName(), QStringLiteral("DataTypeSelector")); // the name hosts find it by
        QSignalSpy changes(&selector, &DataTypeSelector::Change);
        auto* plain = selector.findChild<QComboBox*>(QStringLiteral("TypeList"));
        QStringList expected;
        for (int i = 1; i <= registry->DataEditorCount(); ++i)
            if (registry->DataEditor(i)->property("DataClass") != QLatin1String("CQuenObjectLifetime"))
                expected << registry->DataEditor(i)->property("DataType").toString();
        selector.Refresh();
        QStringList listed;
        for (int row = 0; row < plain->count(); ++row)
            listed << plain->itemText(row);
        QCOMPARE(listed, expected);

        selector.setDataClass(QStringLiteral("CQuenReal64"));
        selector.setDataClass(QStringLiteral("CQuenNoSuchClass"));
        QCOMPARE(selector.DataClass(), QStringLiteral("CQuenReal64"));
        QCOMPARE(changes.size(), 0); // the host's own settings raise nothing

        plain->setCurrentIndex(plain->findText(registry->DataEditor(QStringLiteral("CQuenInt32"))->property("DataType").toString()));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.first().at(0).toString(), QStringLiteral("CQuenInt32"));

        selector.setSorted(true);
        QCOMPARE(selector.DataClass(), QStringLiteral("CQuenInt32")); // kept over the switch
        DataEditorRegistry::unload();
    }

    void typingCyclesTheSortedList()
    {
        DataTypeSelector selector;
        selector.setSorted(true);
        selector.show();
        auto* sorted = selector.findChild<QComboBox*>(QStringLiteral("SortedTypeList"));
        QVERIFY(sorted->isVisible());
        QStringList texts;
        for (int row = 0; row < sorted->count(); ++row)
            texts << sorted->itemText(row);
        QSignalSpy changes(&selector, &DataTypeSelector::Change);
        QSignalSpy presses(&selector, qOverload<int*>(&DataTypeSelector::KeyPress));
        const QChar letter = texts.first().at(0);
        QTest::keyClicks(sorted, QString(letter) + letter); // the cycle itself is pinned above
        QCOMPARE(sorted->currentIndex(), DataTypeList::cycleTarget(texts, 0, letter));
        QCOMPARE(QList<qsizetype>({changes.size(), presses.size()}), QList<qsizetype>({2, 2})); // once per typed letter
    }

    void handles()
    {
        CoreBuilder core;
        const QuenHandle block = core.block();
        const QuenHandle real = CoreBuilder::realParm(block, "R", 1.5);
        const QuenHandle reference = CoreBuilder::reference(block, "Ref", "CQuenString", "S", "T");
        DataTypeSelector selector;
        selector.SetToParameterHandle(real);
        QCOMPARE(selector.DataClass(), QStringLiteral("CQuenReal64"));
        selector.SetToParameterHandle(reference);
        QCOMPARE(selector.DataClass(), QStringLiteral("CQuenString"));
        EXPECT_NO_ERROR();
        selector.SetToDataHandle(QuenParmGetData(real));
        QCOMPARE(selector.DataClass(), QStringLiteral("CQuenReal64"));
        selector.SetToDataHandle(0);
        selector.SetToParameterHandle(0);
        QCOMPARE(selector.DataClass(), QStringLiteral("CQuenReal64"));

        const QString integerType = DataEditorRegistry::instance()->DataEditor(QStringLiteral("CQuenInt32"))->property("DataType").toString();
        for (const QString& name : {QString(), QStringLiteral("CQuenInt32"), integerType}) {
            const QuenHandle item = core << selector.CreateDataHandle(name);
            QVERIFY2(item != 0, qPrintable(name));
            QCOMPARE(QString::fromUtf8(QuenDataGetType(item)), name.isEmpty() ? QStringLiteral("CQuenReal64") : QStringLiteral("CQuenInt32"));
        }
        QCOMPARE(selector.CreateDataHandle(QStringLiteral("No such type")), 0);
        const QuenHandle released = selector.CreateDataHandle();
        selector.ReleaseDataHandle(released);
        QVERIFY(!QuenDataIsValid(released));
        EXPECT_NO_ERROR();
    }
};

QTEST_MAIN(DataTypeSelectorTest)
#include "datatypeselectortest.moc"
