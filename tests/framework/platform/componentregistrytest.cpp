#include "columns.h"
#include "componentmacros.h"
#include "componentregistry.h"

#include <QPointer>
#include <QWidget>
#include <QtTest>

using Velt::ComponentRegistry;

// Classes registered with the macro, as the library's own classes are.
class MacroControl : public QWidget
{
    Q_OBJECT
public:
    explicit MacroControl(QWidget* parent = nullptr) : QWidget(parent) { }
Q_SIGNALS:
    void Change(const QString& Name);
};

class MacroDialogs : public QObject
{
    Q_OBJECT
public:
    explicit MacroDialogs(QObject* parent = nullptr) : QObject(parent) { }
};

VELT_REGISTER_CLASS(MacroControl, VisibleControl, "XCStructEditing; XCEditArea", "KeyDown(KeyCode, Shift), Change(Name)")
VELT_REGISTER_CLASS(MacroDialogs, InvisibleControl, "", "")

class ComponentRegistryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void macroRegistersAtLoad_data()
    {
        VeltTest::columns<QString, int, QString, QString, bool>({"classId", "kind", "interfaces", "events", "creatable"});
        using Kind = ComponentRegistry::Kind;
        QTest::newRow("visible") << "VeltEditors.MacroControl" << int(Kind::VisibleControl) << "XCStructEditing|XCEditArea" << "KeyDown(KeyCode, Shift)|Change(Name)" << true;
        QTest::newRow("invisible") << "VeltEditors.MacroDialogs" << int(Kind::InvisibleControl) << "" << "" << true;
        QTest::newRow("non-creatable, the library's own") << "VeltEditors.XCRuntimeDataEvaluation" << int(Kind::NonCreatable) << "" << "" << false;
    }
    void macroRegistersAtLoad()
    {
        QFETCH(QString, classId);
        QFETCH(bool, creatable);
        const ComponentRegistry::ClassInfo* info = ComponentRegistry::instance().find(classId);
        QVERIFY(info);
        QCOMPARE(info->classId, classId);
        QTEST(int(info->kind), "kind");
        QTEST(info->interfaces.join(u'|'), "interfaces");
        QTEST(info->events.join(u'|'), "events");
        QWidget parent;
        QObject* object = ComponentRegistry::instance().create(classId, &parent);
        QCOMPARE(QList<bool>({bool(info->factory), object != nullptr}), QList<bool>({creatable, creatable}));
        if (object) {
            QCOMPARE(object->parent(), &parent);
            QCOMPARE(object->metaObject(), info->metaObject);
        }
    }

    void registerReplaceAndRemove()
    {
        ComponentRegistry& registry = ComponentRegistry::instance();
        QVERIFY(!registry.registerClass({}));
        ComponentRegistry::ClassInfo blank;
        blank.className = QStringLiteral("  ");
        QVERIFY(!registry.registerClass(blank));

        int firstCalls = 0;
        int secondCalls = 0;
        ComponentRegistry::ClassInfo info;
        info.className = "TestThing";
        info.kind = ComponentRegistry::Kind::VisibleControl;
        info.factory = [&](QWidget* parent) -> QObject* { ++firstCalls; return new QWidget(parent); };
        QVERIFY(registry.registerClass(info));
        const QStringList ids = registry.classIds();
        QCOMPARE(ids.last(), QStringLiteral("VeltEditors.TestThing"));

        info.factory = [&](QWidget* parent) -> QObject* { ++secondCalls; return new QWidget(parent); };
        QVERIFY(registry.registerClass(info));
        QCOMPARE(registry.classIds(), ids); // replaced in place
        delete registry.create("  VELTEDITORS.testthing "); // identifiers ignore case and blanks
        QCOMPARE(QList<int>({firstCalls, secondCalls}), QList<int>({0, 1}));

        registry.unregisterClass("velteditors.testthing");
        QCOMPARE(registry.create("VeltEditors.TestThing"), nullptr);
        QCOMPARE(registry.classIds().size(), ids.size() - 1);
        // Positions after the removed class still resolve.
        QVERIFY(registry.find("VeltEditors.MacroControl"));
        registry.unregisterClass("VeltEditors.NeverThere");
    }
    // A factory that throws, and one of a class that is not creatable, give nothing.
    void failingFactoriesCreateNothing()
    {
        for (const bool throws : {true, false}) {
            ComponentRegistry::ClassInfo info;
            info.className = "Failing";
            info.kind = throws ? ComponentRegistry::Kind::VisibleControl : ComponentRegistry::Kind::NonCreatable;
            info.factory = [throws](QWidget*) -> QObject* { return throws ? throw std::runtime_error("no") : new QObject; };
            ComponentRegistry::instance().registerClass(info);
            QCOMPARE(ComponentRegistry::instance().create("VeltEditors.Failing"), nullptr);
            ComponentRegistry::instance().unregisterClass("VeltEditors.Failing");
        }
    }

    void memberLists_data()
    {
        VeltTest::columns<QString, QStringList>({"text", "items"});
        QTest::newRow("blanks and separators") << " ; , " << QStringList();
        QTest::newRow("commas") << "A,B , C" << QStringList{"A", "B", "C"};
        QTest::newRow("arguments keep their commas") << "ParameterRenamed(OldName, NewName, Description); DblClick()" << QStringList{"ParameterRenamed(OldName, NewName, Description)", "DblClick()"};
    }
    void memberLists()
    {
        QFETCH(QString, text);
        QTEST(Velt::splitMemberList(text.toUtf8().constData()), "items");
    }
};

QTEST_MAIN(ComponentRegistryTest)
#include "componentregistrytest.moc"
