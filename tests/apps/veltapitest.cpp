// The `Velt` global in-process: message boxes answered from Velt.prompts and recorded there,
// beeps and shown errors counted, the platform service restored when the API goes away, and
// keys typed into widgets.
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
    QString run(const QString& script) { return engine.evaluate(script).toString(); }

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
    void beepsErrorsAndRestore();
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
    const int yesNoCancel3 = PlatformServices::YesNoCancel | PlatformServices::DefaultButton3;
    QTest::newRow("answers in order, then the default") << "Velt.prompts.answers.push(7, 2);" << QList<int>{yesNo, PlatformServices::OkCancel, yesNoCancel3} << QList<int>{7, 2, 2} << "";
    QTest::newRow("array replaced by the script") << "Velt.prompts.answers = [1, 6, 7];" << QList<int>{PlatformServices::OkCancel} << QList<int>{1} << "6,7";
}

void VeltApiTest::prompts()
{
    QFETCH(QString, answers);
    QFETCH(QList<int>, flags);
    QFETCH(QList<int>, expected);
    Session session;
    session.run(answers);
    QStringList asked;
    for (qsizetype i = 0; i < flags.size(); ++i) {
        const int answer = PlatformServices::instance().messageBox(QStringLiteral("Q%1").arg(i), flags[i]);
        asked << QStringLiteral("Q%1/%2/%3/%4").arg(i).arg(PlatformServices::defaultTitle()).arg(flags[i]).arg(answer);
        QCOMPARE(answer, expected[i]);
    }
    QTEST(session.run(QStringLiteral("Velt.prompts.answers.join()")), "left");
    QCOMPARE(session.run(QStringLiteral("Velt.prompts.asked.map(function (a) { return [a.text, a.title, a.flags, a.answer].join('/'); })"
                                        ".join(',')")), asked.join(u','));
}

void VeltApiTest::beepsErrorsAndRestore()
{
    PlatformServices* before = &PlatformServices::instance();
    {
        Session session;
        QVERIFY(&PlatformServices::instance() != before);
        PlatformServices::instance().beep();
        PlatformServices::instance().beep();
        PlatformServices::instance().showError(QStringLiteral("first\nsecond"));
        PlatformServices::instance().showError(QStringLiteral("third"));
        QCOMPARE(session.run(QStringLiteral("[Velt.beeps, Velt.shownErrors.length, Velt.shownErrors[1], Velt.shownErrors[0].split('\\n').length].join()")),
                 QStringLiteral("2,2,third,2"));
    }
    QCOMPARE(&PlatformServices::instance(), before);
}

// Velt.keyClick / Velt.keyClicks on a line edit: every spelling of a key, modifiers, and
// characters QTest's ASCII table does not know.
void VeltApiTest::keys_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("text"); // the line edit's text, or the error thrown

    QTest::newRow("non-ASCII and a surrogate pair") << "Velt.keyClicks(edit, 'h\\u00e9\\ud83d\\ude00');" << QStringLiteral("h\u00e9\U0001F600");
    QTest::newRow("one character") << "Velt.keyClick(edit, 'Q');" << "Q";
    QTest::newRow("key code without Shift is lower case") << "Velt.keyClick(edit, 0x41);" << "a";
    QTest::newRow("key code with Shift") << "Velt.keyClick(edit, 0x41, 'Shift');" << "A";
    QTest::newRow("Backspace by name") << "Velt.keyClicks(edit, 'ab'); Velt.keyClick(edit, 'Backspace');" << "a";
    QTest::newRow("Home by Qt name") << "Velt.keyClicks(edit, 'ab'); Velt.keyClick(edit, 'Key_Home'); Velt.keyClick(edit, 'x');" << "xab";
    QTest::newRow("QKeySequence's short name") << "Velt.keyClicks(edit, 'ab'); Velt.keyClick(edit, 'Home'); Velt.keyClick(edit, 'Del');" << "b";
    QTest::newRow("Ctrl+A by text, then Delete") << "Velt.keyClicks(edit, 'abc'); Velt.keyClick(edit, 'a', 'Ctrl'); Velt.keyClick(edit, 'Delete');" << "";
    QTest::newRow("modifiers as a number") << "Velt.keyClicks(edit, 'abc'); Velt.keyClick(edit, 'Home', 0x02000000); Velt.keyClick(edit, 'Backspace');" << "";
    QTest::newRow("unknown key name") << "Velt.keyClick(edit, 'NoSuchKey');" << "TypeError";
    QTest::newRow("unknown modifier") << "Velt.keyClick(edit, 'Down', 'Hyper');" << "TypeError";
    QTest::newRow("not a widget") << "Velt.keyClick(null, 'A');" << "TypeError";
}

void VeltApiTest::keys()
{
    QFETCH(QString, script);
    Session session;
    QLineEdit edit;
    QJSEngine::setObjectOwnership(&edit, QJSEngine::CppOwnership);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    session.engine.globalObject().setProperty(QStringLiteral("edit"), session.engine.newQObject(&edit));
    const QJSValue result = session.engine.evaluate(script);
    QTEST(result.isError() ? result.property(QStringLiteral("name")).toString() : edit.text(), "text");
}

QTEST_MAIN(VeltApiTest)
#include "veltapitest.moc"
