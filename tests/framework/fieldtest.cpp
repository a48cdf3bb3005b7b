// XCStructEditField: indentation rules, lazy declaration, text reads and assignments, locks,
// choices, the dialog editor offer, re-entrant calls from the type editor, Age and pictures.
#include "testeditors.h"

#include "callfailurescope.h"

#include <QTest>

#include <memory>

class FieldTest : public QObject
{
    Q_OBJECT

private:
    TestEditors editors;
    QuenHandle parm = 0;
    std::unique_ptr<XCStructEditFields> fields;
    int liveObjects = 0;

    // Binds the collection to the test parameter (value 42) with the given child fields.
    void bind(const QVector<TestFieldLine>& children, bool readOnly = false, bool browseOnly = false)
    {
        editors.type->fields = children;
        fields->AttachParameter(parm, 0, 0, false, readOnly, browseOnly);
        editors.type->log.clear();
    }
    int calls(const QString& prefix) const
    {
        int n = 0;
        for (const QString& entry : editors.type->log)
            n += entry.startsWith(prefix) ? 1 : 0;
        return n;
    }

private Q_SLOTS:
    void initTestCase()
    {
        liveObjects = QuenCoreGetLiveObjectCount();
        editors = installTestEditors();
        parm = makeIntParm("Count", 42);
        fields = std::make_unique<XCStructEditFields>();
    }
    void init()
    {
        editors.type->reset();
        QuenInt32SetValue(QuenParmGetData(parm), 42);
    }
    void cleanupTestCase()
    {
        fields.reset();
        QuenParmRelease(parm);
        QCOMPARE(QuenCoreGetLiveObjectCount(), liveObjects);
    }

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
        QVector<TestFieldLine> children;
        for (int level : requested)
            children.append({QStringLiteral("line"), level, QString()});
        bind(children);
        QCOMPARE(fields->Count(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(fields->Item(i)->Indentation(), expected.at(i));
    }

    void indentationLet_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("expected");
        QTest::newRow("root stays 0") << 0 << 4 << 0;
        QTest::newRow("at most one below the line before") << 2 << 9 << 2;
        QTest::newRow("16-bit maximum is clamped") << 2 << 32767 << 2;
    }
    void indentationLet()
    {
        QFETCH(int, index);
        QFETCH(int, requested);
        QFETCH(int, expected);
        bind({{QStringLiteral("a"), 1, {}}, {QStringLiteral("b"), 1, {}}});
        fields->Item(index)->setIndentation(requested);
        QCOMPARE(fields->Item(index)->Indentation(), expected);
    }

    void indentationOverflow()
    {
        bind({{QStringLiteral("a"), 1, {}}});
        XCStructEditField* field = fields->Item(1);
        for (int requested : {32768, -32769}) {
            QVERIFY_THROWS_EXCEPTION(Velt::CallFailed,
                                     Velt::checkedCall([&] { field->setIndentation(requested); }));
        }
        QCOMPARE(field->Indentation(), 1);
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
        editors.type->unlocked.insert(1, true);
        bind({{QStringLiteral("a"), 1, {}}});
        XCStructEditField* field = fields->Item(1);
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
        QCOMPARE(editors.type->log.filter(QStringLiteral("DeclareField")),
                 QStringList{QStringLiteral("DeclareField 1")});
        QCOMPARE(field->state(), XCStructEditField::State::Declared);
    }

    void textAssignment_data()
    {
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("goesThrough");
        QTest::newRow("unlocked") << true << QStringList() << false << true;
        QTest::newRow("locked without choices") << false << QStringList() << false << false;
        QTest::newRow("locked with a choice") << false << QStringList{QStringLiteral("7")} << false << true;
        QTest::newRow("read-only, unlocked") << true << QStringList() << true << false;
        QTest::newRow("read-only, choices") << false << QStringList{QStringLiteral("7")} << true << false;
    }
    void textAssignment()
    {
        QFETCH(bool, unlocked);
        QFETCH(QStringList, choices);
        QFETCH(bool, readOnly);
        QFETCH(bool, goesThrough);
        editors.type->unlocked.insert(0, unlocked);
        editors.type->choices.insert(0, choices);
        bind({}, readOnly);
        fields->Item(0)->setText(QStringLiteral("7"));
        QCOMPARE(calls(QStringLiteral("FieldChanged")), goesThrough ? 1 : 0);
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), goesThrough ? 7 : 42);
        QCOMPARE(fields->Item(0)->Text(), goesThrough ? QStringLiteral("7") : QStringLiteral("42"));
    }

    void lockedAndChoicesOfReadOnly()
    {
        editors.type->unlocked.insert(1, true);
        editors.type->choices.insert(1, {QStringLiteral("x")});
        bind({{QStringLiteral("a"), 1, {}}}, true);
        XCStructEditField* field = fields->Item(1);
        QVERIFY(field->Locked());
        QVERIFY(!field->HasEnumeration());
        QCOMPARE(field->Enumeration()->Count(), 1);
    }

    void unpostedChange()
    {
        editors.type->unlocked.insert(0, true);
        bind({});
        fields->Item(0)->SetTextUnposted(QStringLiteral("9"));
        QCOMPARE(editors.type->log.last(), QStringLiteral("FieldChanged 0 9 unposted"));
        QCOMPARE(QuenInt32GetValue(QuenParmGetData(parm)), 42);
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
        QFETCH(bool, expected);
        bind({{QStringLiteral("a"), 1, {}}}, readOnly, browseOnly);
        QCOMPARE(fields->Item(index)->HasEditor(), expected);
        QCOMPARE(fields->HasEditor(), !browseOnly);
        QCOMPARE(fields->Item(index)->Editor(), static_cast<QObject*>(editors.type));
    }

    // A type editor reads and assigns the field it serves: those calls touch only the cache.
    void reentrantCallsTouchTheCache()
    {
        editors.type->unlocked.insert(1, true);
        QString seenInGet;
        QString seenInDeclare = QStringLiteral("unset");
        QString seenInChange;
        bool lockedInDeclare = false;
        editors.type->onGetField = [&](XCStructEditField& f) {
            seenInGet = f.Text();
            f.setText(seenInGet + QStringLiteral("!"));
        };
        editors.type->onDeclareField = [&](XCStructEditField& f) {
            seenInDeclare = f.Text();
            f.setText(QStringLiteral("declared"));
            lockedInDeclare = f.Locked();
        };
        editors.type->onFieldChanged = [&](XCStructEditField& f, bool) {
            seenInChange = f.Text();
            f.setText(QStringLiteral("normalised"));
        };
        bind({{QStringLiteral("a"), 1, {}}});
        XCStructEditField* field = fields->Item(1);
        QCOMPARE(field->Text(), QStringLiteral("line 1!"));
        QCOMPARE(seenInGet, QStringLiteral("line 1"));
        field->setText(QStringLiteral("5"));
        QCOMPARE(seenInDeclare, QStringLiteral("line 1!")); // the cache of the last read
        QVERIFY(!lockedInDeclare);
        QCOMPARE(seenInChange, QStringLiteral("5"));
        QCOMPARE(editors.type->log,
                 QStringList({QStringLiteral("GetField 1"), QStringLiteral("DeclareField 1"),
                              QStringLiteral("FieldChanged 1 5 posted")}));
        QCOMPARE(field->state(), XCStructEditField::State::Declared);
    }

    // Inside GetField a declaration may be needed; the read still ends without another call.
    void declaredWhileReading()
    {
        editors.type->unlocked.insert(1, true);
        bool lockedSeen = true;
        editors.type->onGetField = [&](XCStructEditField& f) {
            lockedSeen = f.Locked();
            QCOMPARE(f.Text(), QStringLiteral("line 1"));
        };
        bind({{QStringLiteral("a"), 1, {}}});
        XCStructEditField* field = fields->Item(1);
        field->Text();
        QVERIFY(!lockedSeen);
        QCOMPARE(field->state(), XCStructEditField::State::Declared);
        field->Locked();
        QCOMPARE(calls(QStringLiteral("DeclareField")), 1);
        QCOMPARE(calls(QStringLiteral("GetField")), 1);
    }

    // Fields touched while the collection declares them become Declared without a call.
    void touchedWhileDeclaring()
    {
        QString text = QStringLiteral("unset");
        editors.type->onDeclareFields = [&](XCStructEditFields& f) {
            QVERIFY(f.DirectEditor() == nullptr);
            text = f.Item(1)->Text();
            f.Item(1)->setLocked(false);
        };
        bind({{QStringLiteral("a"), 1, {}}});
        QCOMPARE(text, QString());
        QVERIFY(!fields->Item(1)->Locked());
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
        QFETCH(int, age);
        editors.type->unlocked.insert(0, true);
        editors.type->refreshOnChange = refresh;
        bind({});
        fields->Item(0)->setText(text);
        fields->Item(0)->setText(text);
        QCOMPARE(fields->Age(), age);
        fields->AttachParameter(parm, 0, 0, false, false, false);
        QCOMPARE(fields->Age(), 0);
    }

    void errorPicture()
    {
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        editors.type->unlocked.insert(0, true);
        bind({{QStringLiteral("plain"), 1, {}}});
        XCStructEditField* root = fields->Item(0);
        QCOMPARE(root->BitmapName(), TestDataClass);
        const int classPosition = registry->AddImageIfAbsent(TestDataClass, QVariant());
        QVERIFY(classPosition > 11);
        QCOMPARE(root->BitmapIndex(), classPosition);
        QCOMPARE(fields->BitmapIndex(), classPosition);
        QVERIFY(root->Bitmap().isValid());

        root->setText(QStringLiteral("abc"));
        QCOMPARE(root->ErrorMessage(), QStringLiteral("The value is not a legal integer: abc"));
        QCOMPARE(root->BitmapName(), QStringLiteral("Error"));
        QCOMPARE(root->BitmapIndex(), registry->AddImageIfAbsent(QStringLiteral("Error"), QVariant()));
        QCOMPARE(root->Bitmap().value<QIcon>().cacheKey(),
                 registry->ImageBitmap(QStringLiteral("Error")).value<QIcon>().cacheKey());
        root->Text(); // a read asks again and clears the error
        QCOMPARE(root->BitmapName(), TestDataClass);

        XCStructEditField* plain = fields->Item(1);
        QVERIFY(!plain->Bitmap().isValid());
        QCOMPARE(plain->BitmapIndex(), 0);
    }

    void pictureRegisteredByName()
    {
        QPixmap pixmap(8, 8);
        pixmap.fill(Qt::red);
        editors.type->onDeclareFields = [&](XCStructEditFields& f) {
            f.Add(QStringLiteral("pictured"), 1, QStringLiteral("FieldModelTestPicture"),
                  QVariant::fromValue(QIcon(pixmap)));
        };
        bind({});
        QVERIFY(fields->Item(1)->Bitmap().isValid());
        QVERIFY(fields->Item(1)->BitmapIndex() > 11);
    }

    void heldFieldAfterRebinding()
    {
        bind({{QStringLiteral("a"), 1, {}}, {QStringLiteral("b"), 2, {}}});
        XCStructEditField* held = fields->Item(2);
        bind({});
        QCOMPARE(held->state(), XCStructEditField::State::Detached);
        QCOMPARE(held->Text(), QString());
        QVERIFY(held->Locked());
        QCOMPARE(held->Handle(), 0);
        QVERIFY(held->DesignTime());
        QCOMPARE(held->Caption(), QString());
        bind({{QStringLiteral("c"), 1, {}}, {QStringLiteral("d"), 1, {}}});
        QCOMPARE(fields->Item(2), held);
        QCOMPARE(held->Caption(), QStringLiteral("d"));
        QCOMPARE(held->Handle(), QuenParmGetData(parm));
    }

    void captionIsTrimmed()
    {
        bind({{QStringLiteral("  spaced  "), 1, {}}});
        QCOMPARE(fields->Item(1)->Caption(), QStringLiteral("spaced"));
        fields->Item(1)->setCaption(QStringLiteral(" x "));
        QCOMPARE(fields->Item(1)->Caption(), QStringLiteral("x"));
    }
};

QTEST_MAIN(FieldTest)
#include "fieldtest.moc"
