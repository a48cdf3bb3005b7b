// XCStructEditField: indentation rules, lazy declaration, text reads and assignments, locks,
// choices, the dialog editor offer, re-entrant calls from the type editor, Age and pictures.
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
    qsizetype calls(const QString& prefix) const
    {
        return std::count_if(type->log.cbegin(), type->log.cend(),
                             [&](const QString& entry) { return entry.startsWith(prefix); });
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
        QTest::addColumn<QVector<int>>("requested");
        QTest::addColumn<QVector<int>>("expected"); // field 0 first
        QTest::newRow("one level at a time") << QVector<int>{1, 5} << QVector<int>{0, 1, 2};
        QTest::newRow("zero gives one") << QVector<int>{0} << QVector<int>{0, 1};
        QTest::newRow("negative gives one") << QVector<int>{-7} << QVector<int>{0, 1};
        QTest::newRow("back up any number") << QVector<int>{1, 2, 3, 1, 2}
                                            << QVector<int>{0, 1, 2, 3, 1, 2};
        QTest::newRow("below the root") << QVector<int>{3} << QVector<int>{0, 1};
    }
    void indentation()
    {
        QFETCH(QVector<int>, requested);
        QFETCH(QVector<int>, expected);
        Lines children;
        for (int level : requested)
            children.append({QStringLiteral("line"), level});
        bind(children);
        QVector<int> got;
        for (int i = 0; i < fields.Count(); ++i)
            got << fields.Item(i)->Indentation();
        QCOMPARE(got, expected);
    }

    void indentationLet_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("expected"); // -1: the call fails and the level stays
        QTest::newRow("root stays 0") << 0 << 4 << 0;
        QTest::newRow("at most one below the line before") << 2 << 9 << 2;
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
        if (expected < 0) {
            QVERIFY_THROWS_EXCEPTION(Velt::CallFailed,
                                     Velt::checkedCall([&] { field->setIndentation(requested); }));
            QCOMPARE(field->Indentation(), 1);
        } else {
            field->setIndentation(requested);
            QCOMPARE(field->Indentation(), expected);
        }
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
        QCOMPARE(calls(QStringLiteral("DeclareField")), 0); // reading does not declare
        for (int round = 0; round < 2; ++round) {
            if (member == QLatin1String("Locked"))
                field->Locked();
            else if (member == QLatin1String("HasEnumeration"))
                field->HasEnumeration();
            else if (member == QLatin1String("Enumeration"))
                field->Enumeration();
            else if (member == QLatin1String("HasEditor"))
                field->HasEditor();
            else
                field->setText(QStringLiteral("7"));
        }
        QCOMPARE(type->log.filter(QStringLiteral("DeclareField")), QStringList{"DeclareField 1"});
        QCOMPARE(field->state(), XCStructEditField::State::Declared);
    }

    void textAssignment_data()
    {
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("posted");
        QTest::addColumn<QString>("logged"); // "": FieldChanged is not called
        QTest::addColumn<int>("stored");
        const QStringList seven{QStringLiteral("7")};
        QTest::newRow("unlocked") << true << QStringList() << false << true << "FieldChanged 0 7 posted" << 7;
        QTest::newRow("unposted") << true << QStringList() << false << false << "FieldChanged 0 7 unposted" << 42;
        QTest::newRow("locked without choices") << false << QStringList() << false << true << "" << 42;
        QTest::newRow("locked with a choice") << false << seven << false << true << "FieldChanged 0 7 posted" << 7;
        QTest::newRow("read-only, unlocked") << true << QStringList() << true << true << "" << 42;
        QTest::newRow("read-only, choices") << false << seven << true << true << "" << 42;
    }
    void textAssignment()
    {
        QFETCH(bool, unlocked);
        QFETCH(QStringList, choices);
        QFETCH(bool, readOnly);
        QFETCH(bool, posted);
        QFETCH(QString, logged);
        type->unlocked.insert(0, unlocked);
        type->choices.insert(0, choices);
        bind({}, readOnly);
        if (posted)
            fields.Item(0)->setText(QStringLiteral("7"));
        else
            fields.Item(0)->SetTextUnposted(QStringLiteral("7"));
        QCOMPARE(type->log.filter(QStringLiteral("FieldChanged")),
                 logged.isEmpty() ? QStringList() : QStringList{logged});
        QTEST(QuenInt32GetValue(QuenParmGetData(parm)), "stored");
        if (posted)
            QCOMPARE(fields.Item(0)->Text(), logged.isEmpty() ? QStringLiteral("42") : QStringLiteral("7"));
    }

    void lockedAndChoicesOfReadOnly()
    {
        type->unlocked.insert(1, true);
        type->choices.insert(1, {QStringLiteral("x")});
        bind(oneLine(), true);
        XCStructEditField* field = fields.Item(1);
        QVERIFY(field->Locked());
        QVERIFY(!field->HasEnumeration());
        QCOMPARE(field->Enumeration()->Count(), 1);
    }

    void hasEditor_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("browseOnly");
        QTest::addColumn<bool>("expected");
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
        QCOMPARE(field->state(), XCStructEditField::State::Declared);
    }

    // Inside GetField a declaration may be needed; the read still ends without another call.
    void declaredWhileReading()
    {
        type->unlocked.insert(1, true);
        bool lockedSeen = true;
        QString textSeen;
        type->onField = [&](const QString& call, XCStructEditField& f) {
            if (call == QLatin1String("GetField")) {
                lockedSeen = f.Locked();
                textSeen = f.Text();
            }
        };
        bind(oneLine());
        XCStructEditField* field = fields.Item(1);
        field->Text();
        QVERIFY(!lockedSeen);
        QCOMPARE(textSeen, QStringLiteral("line 1"));
        QCOMPARE(field->state(), XCStructEditField::State::Declared);
        field->Locked();
        QCOMPARE(type->log, QStringList({"GetField 1", "DeclareField 1"}));
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
        QVERIFY(!direct);
        QCOMPARE(text, QString());
        QVERIFY(!fields.Item(1)->Locked());
        QCOMPARE(calls(QStringLiteral("DeclareField")), 0);
    }

    void ageCountsRefreshRequests_data()
    {
        QTest::addColumn<bool>("refresh");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("age");
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
        fields.Item(0)->setText(text);
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
        QCOMPARE(root->BitmapName(), dataClass);
        const int classPosition = registry->AddImageIfAbsent(dataClass, QVariant());
        QVERIFY(classPosition > 11);
        QCOMPARE(root->BitmapIndex(), classPosition);
        QCOMPARE(fields.BitmapIndex(), classPosition);
        QVERIFY(root->Bitmap().isValid());

        root->setText(QStringLiteral("abc"));
        QCOMPARE(root->ErrorMessage(), QStringLiteral("The value is not a legal integer: abc"));
        QCOMPARE(root->BitmapName(), QStringLiteral("Error"));
        QCOMPARE(root->BitmapIndex(), registry->AddImageIfAbsent(QStringLiteral("Error"), QVariant()));
        QCOMPARE(root->Bitmap().value<QIcon>().cacheKey(),
                 registry->ImageBitmap(QStringLiteral("Error")).value<QIcon>().cacheKey());
        root->Text(); // a read asks again and clears the error
        QCOMPARE(root->BitmapName(), dataClass);

        XCStructEditField* plain = fields.Item(1);
        QVERIFY(!plain->Bitmap().isValid());
        QCOMPARE(plain->BitmapIndex(), 0);
    }

    void pictureRegisteredByName()
    {
        QPixmap pixmap(8, 8);
        pixmap.fill(Qt::red);
        type->onDeclareFields = [&](XCStructEditFields& f) {
            f.Add(QStringLiteral("pictured"), 1, QStringLiteral("FieldModelTestPicture"),
                  QVariant::fromValue(QIcon(pixmap)));
        };
        bind({});
        QVERIFY(fields.Item(1)->Bitmap().isValid());
        QVERIFY(fields.Item(1)->BitmapIndex() > 11);
    }

    void heldFieldAfterRebinding()
    {
        bind({{QStringLiteral("a")}, {QStringLiteral("b"), 2}});
        XCStructEditField* held = fields.Item(2);
        bind({});
        QCOMPARE(held->state(), XCStructEditField::State::Detached);
        QCOMPARE(held->Text(), QString());
        QVERIFY(held->Locked());
        QCOMPARE(held->Handle(), 0);
        QVERIFY(held->DesignTime());
        QCOMPARE(held->Caption(), QString());
        bind({{QStringLiteral("  c  ")}, {QStringLiteral("d")}});
        QCOMPARE(fields.Item(2), held);
        QCOMPARE(held->Caption(), QStringLiteral("d"));
        QCOMPARE(held->Handle(), QuenParmGetData(parm));
        QCOMPARE(fields.Item(1)->Caption(), QStringLiteral("c")); // captions are trimmed
        fields.Item(1)->setCaption(QStringLiteral(" x "));
        QCOMPARE(fields.Item(1)->Caption(), QStringLiteral("x"));
    }
};

QTEST_MAIN(FieldTest)
#include "fieldtest.moc"
