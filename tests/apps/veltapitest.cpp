// The `Velt` global in-process: message boxes answered from Velt.prompts and recorded there,
// beeps and shown errors counted, the platform service restored when the API goes away.
#include "veltapi.h"

#include "platformservices.h"

#include <QApplication>
#include <QJSEngine>
#include <QLineEdit>
#include <QTest>

using Velt::PlatformServices;

namespace {

// A script engine with the API as its `Velt` global.
struct Session
{
    Session()
    {
        QJSEngine::setObjectOwnership(&api, QJSEngine::CppOwnership);
        engine.globalObject().setProperty(QStringLiteral("Velt"), engine.newQObject(&api));
    }
    QJSValue run(const QString& script) { return engine.evaluate(script); }

    QJSEngine engine;
    VeltScript::VeltApi api { &engine };
};

} // namespace

class VeltApiTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void prompts_data();
    void prompts();
    void beepsAndErrors();
    void serviceRestored();
    void keys_data();
    void keys();
};

void VeltApiTest::prompts_data()
{
    QTest::addColumn<QString>("answers");   // script statements that fill Velt.prompts.answers
    QTest::addColumn<QList<int>>("flags");  // the message boxes asked, in order
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<QString>("left");      // Velt.prompts.answers afterwards

    const int yesNo = PlatformServices::YesNo | PlatformServices::Question;
    const int okCancel = PlatformServices::OkCancel;
    const int yesNoCancel3 = PlatformServices::YesNoCancel | PlatformServices::DefaultButton3;
    QTest::newRow("answers in order") << "Velt.prompts.answers.push(7, 2);"
                                      << QList<int>{yesNo, okCancel} << QList<int>{7, 2} << "";
    QTest::newRow("default answer when none is left")
        << "Velt.prompts.answers.push(7);" << QList<int>{yesNo, yesNo, yesNoCancel3}
        << QList<int>{7, 6, 2} << "";
    QTest::newRow("array replaced by the script")
        << "Velt.prompts.answers = [1, 6, 7];" << QList<int>{okCancel} << QList<int>{1} << "6,7";
    QTest::newRow("no answers") << "" << QList<int>{PlatformServices::OkOnly} << QList<int>{1} << "";
}

void VeltApiTest::prompts()
{
    QFETCH(QString, answers);
    QFETCH(QList<int>, flags);
    QFETCH(QList<int>, expected);
    QFETCH(QString, left);

    Session session;
    QVERIFY(!session.run(answers).isError());

    QList<int> got;
    for (qsizetype i = 0; i < flags.size(); ++i)
        got << PlatformServices::instance().messageBox(QStringLiteral("Question %1").arg(i), flags[i]);
    QCOMPARE(got, expected);

    QCOMPARE(session.run(QStringLiteral("Velt.prompts.answers.join()")).toString(), left);
    const QJSValue asked = session.run(QStringLiteral("Velt.prompts.asked"));
    QCOMPARE(asked.property(QStringLiteral("length")).toInt(), flags.size());
    for (qsizetype i = 0; i < flags.size(); ++i) {
        const QJSValue entry = asked.property(quint32(i));
        QCOMPARE(entry.property(QStringLiteral("text")).toString(), QStringLiteral("Question %1").arg(i));
        QCOMPARE(entry.property(QStringLiteral("title")).toString(), PlatformServices::defaultTitle());
        QCOMPARE(entry.property(QStringLiteral("flags")).toInt(), flags[i]);
        QCOMPARE(entry.property(QStringLiteral("answer")).toInt(), expected[i]);
    }
}

void VeltApiTest::beepsAndErrors()
{
    Session session;
    QCOMPARE(session.run(QStringLiteral("Velt.beeps")).toInt(), 0);
    PlatformServices::instance().beep();
    PlatformServices::instance().beep();
    QCOMPARE(session.run(QStringLiteral("Velt.beeps")).toInt(), 2);

    PlatformServices::instance().showError(QStringLiteral("first\nsecond"));
    PlatformServices::instance().showError(QStringLiteral("third"));
    QCOMPARE(session.run(QStringLiteral("Velt.shownErrors.length")).toInt(), 2);
    QCOMPARE(session.run(QStringLiteral("Velt.shownErrors[1]")).toString(), QStringLiteral("third"));
    QCOMPARE(session.run(QStringLiteral("Velt.shownErrors[0].split('\\n').length")).toInt(), 2);
}

void VeltApiTest::serviceRestored()
{
    PlatformServices* before = &PlatformServices::instance();
    {
        QJSEngine engine;
        VeltScript::VeltApi api(&engine);
        QVERIFY(&PlatformServices::instance() != before);
    }
    QCOMPARE(&PlatformServices::instance(), before);
}

// Velt.keyClick / Velt.keyClicks on a line edit: every spelling of a key, modifiers, and
// characters QTest's ASCII table does not know.
void VeltApiTest::keys_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("text"); // the line edit's text, or the error thrown

    QTest::newRow("typed text") << "Velt.keyClicks(edit, 'abc');" << "abc";
    QTest::newRow("non-ASCII and a surrogate pair")
        << "Velt.keyClicks(edit, 'h\\u00e9\\ud83d\\ude00');" << QStringLiteral("h\u00e9\U0001F600");
    QTest::newRow("one character") << "Velt.keyClick(edit, 'Q');" << "Q";
    QTest::newRow("key code without Shift is lower case") << "Velt.keyClick(edit, 0x41);" << "a";
    QTest::newRow("key code with Shift") << "Velt.keyClick(edit, 0x41, 'Shift');" << "A";
    QTest::newRow("Backspace by name")
        << "Velt.keyClicks(edit, 'ab'); Velt.keyClick(edit, 'Backspace');" << "a";
    QTest::newRow("Home by Qt name")
        << "Velt.keyClicks(edit, 'ab'); Velt.keyClick(edit, 'Key_Home'); Velt.keyClick(edit, 'x');"
        << "xab";
    QTest::newRow("Ctrl+A by text, then Delete")
        << "Velt.keyClicks(edit, 'abc'); Velt.keyClick(edit, 'a', 'Ctrl'); Velt.keyClick(edit, 'Delete');"
        << "";
    QTest::newRow("modifiers as a number")
        << "Velt.keyClicks(edit, 'abc'); Velt.keyClick(edit, 'Home', 0x02000000);"
           " Velt.keyClick(edit, 'Backspace');"
        << "";
    QTest::newRow("unknown key name") << "Velt.keyClick(edit, 'NoSuchKey');" << "TypeError";
    QTest::newRow("unknown modifier") << "Velt.keyClick(edit, 'Down', 'Hyper');" << "TypeError";
    QTest::newRow("not a widget") << "Velt.keyClick(null, 'A');" << "TypeError";
    QTest::newRow("QKeySequence's short name") << "Velt.keyClicks(edit, 'ab'); Velt.keyClick(edit, 'Del');"
                                               << "ab";
}

void VeltApiTest::keys()
{
    QFETCH(QString, script);
    QFETCH(QString, text);

    Session session;
    QLineEdit edit;
    QJSEngine::setObjectOwnership(&edit, QJSEngine::CppOwnership);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    session.engine.globalObject().setProperty(QStringLiteral("edit"), session.engine.newQObject(&edit));
    const QJSValue result = session.run(script);
    if (result.isError())
        QCOMPARE(result.property(QStringLiteral("name")).toString(), text);
    else
        QCOMPARE(edit.text(), text);
}

QTEST_MAIN(VeltApiTest)
#include "veltapitest.moc"
