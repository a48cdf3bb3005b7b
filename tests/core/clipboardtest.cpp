// The parameter clipboard, kept in this process or handed to the host through hooks.
#include "columns.h"
#include "coretesting.h"

using namespace VeltTest;

namespace {

QByteArray g_hostClipboard; // what the host's clipboard holds; null: nothing
int g_puts = 0;

void put(const char* content, void* context)
{
    ++g_puts;
    QCOMPARE(context, static_cast<void*>(&g_hostClipboard));
    g_hostClipboard = QByteArray(content);
}

const char* get(void*) { return g_hostClipboard.isNull() ? nullptr : g_hostClipboard.constData(); }

} // namespace

class ClipboardTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QuenExcRegClearError(0); m_live = QuenCoreGetLiveObjectCount(); }
    void cleanup() { QuenSetClipboardHooks(nullptr, nullptr, nullptr); QVERIFY(QuenCoreGetLiveObjectCount() == m_live && !QuenExcRegIsError(0)); }

    void emptyAtFirst()
    {
        QVERIFY(!QuenPbDefIsAvailableOnClipboard() && !QuenPbDefCreateFromClipboard());
        EXPECT_ONE_ERROR(QUEN_ERR_NOT_FOUND, "QuenPbDefCreateFromClipboard");
    }

    // Copy, paste twice (a paste does not empty the clipboard); kept in this process unless the host gives both hooks.
    void roundTrip_data()
    {
        VeltTest::columns<bool, bool>({"put", "get"});
        QTest::newRow("in process") << false << false;
        QTest::newRow("through the host") << true << true;
        QTest::newRow("incomplete hooks: in process") << true << false;
    }
    void roundTrip()
    {
        QFETCH(bool, put);
        QFETCH(bool, get);
        g_hostClipboard = QByteArray();
        g_puts = 0;
        QuenSetClipboardHooks(put ? ::put : nullptr, get ? ::get : nullptr, &g_hostClipboard);
        // A block with a value carrying a property, a reference and flags.
        const QuenHandle block = QuenPbDefCreate();
        const QuenHandle range = CoreBuilder::realParm(block, "Range", 10, "Full scale");
        CoreBuilder::setString(QuenParmGetData(range), "Units", "V");
        QuenParmSetOutput(range);
        QuenParmSetReferenceEditable(CoreBuilder::reference(block, "Supply", "CQuenRange", "Sweep", "Station"), QUEN_FALSE);
        QVERIFY(QuenPbDefCopyToClipboard(block) && QuenPbDefRelease(block));
        const bool host = put && get;
        QVERIFY(g_puts == (host ? 1 : 0) && g_hostClipboard.contains("VeltEditors.ParameterBlock") == host && QuenPbDefIsAvailableOnClipboard());
        for (int i = 0; i < 2; ++i) {
            const QuenHandle pasted = QuenPbDefCreateFromClipboard(), scale = QuenPbDefGetParm(pasted, 1), supply = QuenPbDefGetParm(pasted, 2);
            QCOMPARE(QStringList({ QString::number(QuenPbDefGetSize(pasted)), text(QuenParmGetName(scale)), QString::number(QuenReal64GetValue(QuenParmGetData(scale))),
                                   CoreBuilder::string(QuenParmGetData(scale), "Units"), text(QuenDescGetText(QuenParmGetDesc(scale))), QString::number(QuenParmIsOutput(scale)),
                                   text(QuenParmGetRefTableName(supply)) + u':' + text(QuenParmGetRefName(supply)), text(QuenParmGetType(supply)),
                                   QString::number(QuenParmIsReferenceEditable(supply)) }),
                     QStringList({ "2", "Range", "10", "V", "Full scale", "-1", "Station:Sweep", "CQuenRange", "0" }));
            QVERIFY(QuenPbDefRelease(pasted));
        }
        EXPECT_NO_ERROR();
        if (host) { // the host's clipboard emptied: nothing to paste
            g_hostClipboard = QByteArray();
            QCOMPARE(QuenPbDefIsAvailableOnClipboard(), QUEN_FALSE);
        }
    }

    void otherContentIsNotABlock_data()
    {
        VeltTest::columns<QByteArray, QString>({"content", "message"});
        QTest::newRow("plain text") << QByteArray("Gain\t12.5") << "clipboard: line 1, column 1";
        QTest::newRow("other JSON") << QByteArray(R"({"rows": [1, 2]})") << "clipboard: format: the clipboard holds no parameter block";
        QTest::newRow("bad parameter") << QByteArray(R"({"format": "VeltEditors.ParameterBlock", "block": {"parameters": [{"name": "A", "data": {"class": "CQuenPoint", "x": 1}}]}})") << "clipboard: block.parameters[0].data.y: missing";
    }
    void otherContentIsNotABlock()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        g_hostClipboard = content;
        QuenSetClipboardHooks(put, get, &g_hostClipboard);
        QCOMPARE(QuenPbDefCreateFromClipboard(), 0);
        const QList<Raised> errors = takeErrors();
        QVERIFY2(errors.size() == 1 && errors.first().code == QUEN_ERR_PARSE && errors.first().message.startsWith("QuenPbDefCreateFromClipboard: " + message),
                 qPrintable(errors.value(0).message));
        if (QByteArray(QTest::currentDataTag()) != "bad parameter")
            QCOMPARE(QuenPbDefIsAvailableOnClipboard(), QUEN_FALSE);
    }

private:
    int32_t m_live = 0;
};

QTEST_GUILESS_MAIN(ClipboardTest)
#include "clipboardtest.moc"
