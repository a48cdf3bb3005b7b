// XCStructEditField: the field protocol between the collection, its fields and the type editor.
#include "columns.h"
#include "coretesting.h"
#include "faketypeeditor.h"
#include "fixture.h"

#include "callfailurescope.h"
#include "dataeditorregistry.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QIcon>
#include <QTest>

using VeltTest::FakeTypeEditor;
using Lines = QVector<FakeTypeEditor::Line>;

class FieldTest : public QObject
{
    Q_OBJECT

private:
    VeltTest::Fixture fixture;
    FakeTypeEditor* type = nullptr;
    VeltTest::CoreBuilder core;
    QuenHandle parm = 0;
    XCStructEditFields fields;

    // Binds the collection to the test parameter (value 42) with the given child fields.
    void bind(const Lines& children, bool readOnly = false, bool browseOnly = false)
    {
        type->fields = children;
        fields.AttachParameter(parm, 0, 0, false, readOnly, browseOnly);
        type->log.clear();
    }
    static Lines oneLine() { return {{QStringLiteral("a")}}; }

private Q_SLOTS:
    void initTestCase()
    {
        type = &FakeTypeEditor::served();
        parm = VeltTest::CoreBuilder::intParm(core.block(), "Count", 42);
    }
    void init()
    {
        fixture.begin();
        type->reset();
        QuenInt32SetValue(QuenParmGetData(parm), 42);
    }
    void cleanup() { fixture.end(); }
    void cleanupTestCase() { fields.Detach(); }

    void indentation_data()
    {
        // expected: field 0 first
        VeltTest::columns<QVector<int>, QVector<int>>({"requested", "expected"});
        QTest::newRow("one level at a time") << QVector<int>{1, 5} << QVector<int>{0, 1, 2};
        QTest::newRow("zero gives one") << QVector<int>{0} << QVector<int>{0, 1};
        QTest::newRow("back up any number") << QVector<int>{1, 2, 3, 1, 2} << QVector<int>{0, 1, 2, 3, 1, 2};
        QTest::newRow("below the root") << QVector<int>{3} << QVector<int>{0, 1};
    }
    void indentation()
    {
        QFETCH(QVector<int>, requested);
        Lines children;
        for (int level : requested)
            children.append({QStringLiteral("line"), level});
        bind(children);
        QVector<int> got;
        for (int i = 0; i < fields.Count(); ++i)
            got << fields.Item(i)->Indentation();
        QTEST(got, "expected");
    }

    void indentationLet_data()
    {
        // expected: -1: the call fails and the level stays
        VeltTest::columns<int, int, int>({"index", "requested", "expected"});
        QTest::newRow("root stays 0") << 0 << 4 << 0;
        QTest::newRow("16-bit maximum is clamped") << 2 << 32767 << 2;
        QTest::newRow("past 16 bits fails") << 1 << 32768 << -1;
        QTest::newRow("below 16 bits fails") << 1 << -32769 << -1;
    }
    void indentationLet()
    {
        QFETCH(int, index);
        QFETCH(int, requested);
        QFETCH(int, expected);
        bind({{QStringLiteral("a")}, {QStringLiteral("b")}});
        XCStructEditField* field = fields.Item(index);
        if (expected < 0)
            QVERIFY_THROWS_EXCEPTION(Velt::CallFailed, Velt::checkedCall([&] { field->setIndentation(requested); }));
        else
            Velt::checkedCall([&] { field->setIndentation(requested); });
        QCOMPARE(field->Indentation(), expected < 0 ? 1 : expected);
    }

    void declaredLazilyOnce_data()
    {
        QTest::addColumn<QString>("member");
        for (const char* member : {"Locked", "HasEnumeration", "Enumeration", "HasEditor", "Text let"})
            QTest::newRow(member) << QString::fromLatin1(member);
    }
    void declaredLazilyOnce()
    {
        QFETCH(QString, member);
        type->unlocked.insert(1, true);
        bind(oneLine());
        XCStructEditField* field = fields.Item(1);
        QCOMPARE(field->Text(), QStringLiteral("line 1"));
        QVERIFY(type->log.filter(QStringLiteral("DeclareField")).isEmpty()); // reading does not declare
        const QHash<QString, std::function<void()>> touch{{"Locked", [field] { field->Locked(); }},
            {"HasEnumeration", [field] { field->HasEnumeration(); }}, {"Enumeration", [field] { field->Enumeration(); }},
            {"HasEditor", [field] { field->HasEditor(); }}, {"Text let", [field] { field->setText(QStringLiteral("7")); }}};
        touch.value(member)();
        touch.value(member)();
        QCOMPARE(type->log.filter(QStringLiteral("DeclareField")), QStringList{"DeclareField 1"});
    }

    void textAssignment_data()
    {
        // outcome: the FieldChanged calls, the value stored, and the text read after a posted change
        VeltTest::columns<bool, QStringList, bool, bool, QString>({"unlocked", "choices", "readOnly", "posted", "outcome"});
        QTest::newRow("unlocked") << true << QStringList() << false << true << "FieldChanged 0 7 posted|7|7";
        QTest::newRow("unposted") << true << QStringList() << false << false << "FieldChanged 0 7 unposted|42|";
        QTest::newRow("locked without choices") << false << QStringList() << false << true << "|42|42";
        QTest::newRow("locked with a choice") << false << QStringList{"7"} << false << true << "FieldChanged 0 7 posted|7|7";
        QTest::newRow("read-only, unlocked") << true << QStringList() << true << true << "|42|42";
    }
    void textAssignment()
    {
        QFETCH(bool, unlocked);
        QFETCH(QStringList, choices);
        QFETCH(bool, readOnly);
        QFETCH(bool, posted);
        type->unlocked.insert(0, unlocked);
        type->choices.insert(0, choices);
        bind({}, readOnly);
        if (posted)
            fields.Item(0)->setText(QStringLiteral("7"));
        else
            fields.Item(0)->SetTextUnposted(QStringLiteral("7"));
        const QString stored = QString::number(QuenInt32GetValue(QuenParmGetData(parm)));
        QTEST(type->log.filter(QStringLiteral("FieldChanged")).join(u';') + u'|' + stored + u'|' + (posted ? fields.Item(0)->Text() : QString()), "outcome");
    }

    void lockedAndChoicesOfReadOnly()
    {
        type->unlocked.insert(1, true);
        type->choices.insert(1, {QStringLiteral("x")});
        bind(oneLine(), true);
        XCStructEditField* field = fields.Item(1);
        QCOMPARE(QList<int>({field->Locked(), field->HasEnumeration(), field->Enumeration()->Count()}), QList<int>({1, 0, 1}));
    }

    void hasEditor_data()
    {
        VeltTest::columns<int, bool, bool, bool>({"index", "readOnly", "browseOnly", "expected"});
        QTest::newRow("root") << 0 << false << false << true;
        QTest::newRow("root, read-only value") << 0 << true << false << true;
        QTest::newRow("root, browse only") << 0 << false << true << false;
        QTest::newRow("second line") << 1 << false << false << false;
    }
    void hasEditor()
    {
        QFETCH(int, index);
        QFETCH(bool, readOnly);
        QFETCH(bool, browseOnly);
        bind(oneLine(), readOnly, browseOnly);
        QTEST(fields.Item(index)->HasEditor(), "expected");
        QCOMPARE(fields.HasEditor(), !browseOnly);
        QCOMPARE(fields.Item(index)->Editor(), static_cast<QObject*>(type));
    }

    // A type editor reads and assigns the field it serves: those calls touch only the cache.
    void reentrantCallsTouchTheCache()
    {
        type->unlocked.insert(1, true);
        QStringList seen; // call: text seen
        bool lockedInDeclare = true;
        type->onField = [&](const QString& call, XCStructEditField& f) {
            seen << call + u':' + f.Text();
            if (call == QLatin1String("DeclareField"))
                lockedInDeclare = f.Locked();
            f.setText(call == QLatin1String("GetField") ? f.Text() + u'!' : call);
        };
        bind(oneLine());
        XCStructEditField* field = fields.Item(1);
        QCOMPARE(field->Text(), QStringLiteral("line 1!"));
        field->setText(QStringLiteral("5"));
        QVERIFY(!lockedInDeclare);
        // DeclareField sees the cache of the last read; FieldChanged the text assigned.
        QCOMPARE(seen, QStringList({"GetField:line 1", "DeclareField:line 1!", "FieldChanged:5"}));
        QCOMPARE(type->log, QStringList({"GetField 1", "DeclareField 1", "FieldChanged 1 5 posted"}));
    }

    // Fields touched while the collection declares them become Declared without a call.
    void touchedWhileDeclaring()
    {
        QString text = QStringLiteral("unset");
        bool direct = true;
        type->onDeclareFields = [&](XCStructEditFields& f) {
            direct = f.DirectEditor() != nullptr;
            text = f.Item(1)->Text();
            f.Item(1)->setLocked(false);
        };
        bind(oneLine());
        QVERIFY(!direct && text.isEmpty() && !fields.Item(1)->Locked() && type->log.filter(QStringLiteral("DeclareField")).isEmpty());
    }

    void ageCountsRefreshRequests_data()
    {
        VeltTest::columns<bool, QString, int>({"refresh", "text", "age"});
        QTest::newRow("refresh asked") << true << QStringLiteral("3") << 2;
        QTest::newRow("no refresh") << false << QStringLiteral("3") << 0;
        QTest::newRow("rejected text") << true << QStringLiteral("x") << 0;
    }
    void ageCountsRefreshRequests()
    {
        QFETCH(bool, refresh);
        QFETCH(QString, text);
        type->unlocked.insert(0, true);
        type->refreshOnChange = refresh;
        bind({});
        for (int i = 0; i < 2; ++i)
            fields.Item(0)->setText(text);
        QTEST(fields.Age(), "age");
        fields.AttachParameter(parm, 0, 0, false, false, false);
        QCOMPARE(fields.Age(), 0);
    }

    void errorPicture()
    {
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        const QString dataClass = QStringLiteral("CQuenInt32");
        type->unlocked.insert(0, true);
        bind({{QStringLiteral("plain")}});
        XCStructEditField* root = fields.Item(0);
        const int classPosition = registry->AddImageIfAbsent(dataClass, QVariant());
        QCOMPARE(QList<int>({root->BitmapIndex(), fields.BitmapIndex(), fields.Item(1)->BitmapIndex()}), QList<int>({classPosition, classPosition, 0}));
        root->setText(QStringLiteral("abc"));
        QCOMPARE(root->ErrorMessage(), QStringLiteral("The value is not a legal integer: abc"));
        QCOMPARE(root->BitmapName() + QString::number(root->BitmapIndex()), QStringLiteral("Error1"));
        root->Text(); // a read asks again and clears the error
        QCOMPARE(root->BitmapName(), dataClass);
        // A picture handed over with a line is registered under its name.
        QPixmap pixmap(8, 8);
        pixmap.fill(Qt::red);
        type->onDeclareFields = [&](XCStructEditFields& f) {
            f.Add(QStringLiteral("pictured"), 1, QStringLiteral("FieldModelTestPicture"), QVariant::fromValue(QIcon(pixmap)));
        };
        bind({});
        QCOMPARE(fields.Item(1)->BitmapIndex(), registry->ImagePosition(QStringLiteral("FieldModelTestPicture")));
    }

    void heldFieldAfterRebinding()
    {
        bind({{QStringLiteral("a")}, {QStringLiteral("b"), 2}});
        XCStructEditField* held = fields.Item(2);
        bind({});
        QCOMPARE(held->state(), XCStructEditField::State::Detached);
        QCOMPARE(QStringList({held->Text(), held->Caption(), QString::number(held->Locked()), QString::number(held->Handle()),
                              QString::number(held->DesignTime())}), QStringList({"", "", "1", "0", "1"}));
        bind({{QStringLiteral("  c  ")}, {QStringLiteral("d")}});
        QCOMPARE(fields.Item(2), held);
        QCOMPARE(fields.Item(1)->Caption() + held->Caption() + QString::number(held->Handle() == QuenParmGetData(parm)), QStringLiteral("cd1")); // trimmed
    }
};

QTEST_MAIN(FieldTest)
#include "fieldtest.moc"
