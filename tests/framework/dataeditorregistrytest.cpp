#include "columns.h"
#include "builtineditors.h"
#include "componentshelter.h"
#include "coretesting.h"
#include "dataeditorregistry.h"
#include "datatypenames.h"
#include "faketypeeditor.h"
#include "latebinding.h"
#include "runtimeevaluation.h"

#include "quen/quencore.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using VeltTest::FakeTypeEditor;

namespace {

// Registers a fake under a class identifier; its host reports hostClass.
void registerFake(const QString& classId, const QString& hostClass, bool runtime = false, bool host = true)
{
    FakeTypeEditor::registerClass(classId, {hostClass, (host ? VeltTest::HostFace : 0) | VeltTest::StructuredFace | (runtime ? VeltTest::RuntimeFace : 0)});
}

// The editor names in registration order.
QStringList editorNames(DataEditorRegistry* registry)
{
    QStringList names;
    for (int i = 1; i <= registry->DataEditorNameCount(); ++i)
        names.append(registry->DataEditorName(i));
    return names;
}

QString hostClass(QObject* host)
{
    return Velt::propertyByName(host, "DataClass").value_or(QVariant()).toString();
}

} // namespace

class DataEditorRegistryTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<VeltTest::ComponentShelter> m_shelter;

    static void registerAllFakes()
    {
        for (const Velt::BuiltinEditor& e : Velt::builtinEditors())
            registerFake(e.classId, e.dataClass, e.dataClass == u"CQuenString" || e.dataClass == u"CQuenReal64");
    }
    static DataEditorRegistry* registryOfAllFakes()
    {
        registerAllFakes();
        return DataEditorRegistry::instance();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStringList ids{QStringLiteral("VeltEditors.LateEditor")};
        for (const Velt::BuiltinEditor& e : Velt::builtinEditors())
            ids.append(e.classId);
        m_shelter = std::make_unique<VeltTest::ComponentShelter>(ids);
    }
    void cleanupTestCase()
    {
        DataEditorRegistry::unload();
        m_shelter.reset();
    }
    void init()
    {
        DataEditorRegistry::unload();
        m_shelter->clear();
        FakeTypeEditor::created().clear();
        QuenExcRegClearError(0);
    }

    void everyClassIsServed_data()
    {
        VeltTest::columns<QString, QString, bool, bool>({"dataClass", "classId", "sited", "servedBySited"});
        for (const Velt::BuiltinEditor& e : Velt::builtinEditors())
            QTest::newRow(e.dataClass.data()) << QString(e.dataClass) << QString(e.classId) << e.sited << e.servedBySited;
    }
    void everyClassIsServed()
    {
        QFETCH(QString, dataClass);
        QFETCH(bool, servedBySited);
        registerAllFakes();
        // The display name handed down to the lower layers loads the registry on first use.
        QCOMPARE(Velt::dataTypeName(dataClass), dataClass + QStringLiteral(" type"));
        QVERIFY(DataEditorRegistry::isLoaded());
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        QObject* host = registry->DataEditor(dataClass);
        QVERIFY(host);
        QCOMPARE(hostClass(host), dataClass);
        QTEST(registry->DataEditorName(dataClass), "classId");
        QCOMPARE(registry->StructuredDataEditor(dataClass), host->parent());
        QVERIFY(registry->ImageBitmap(dataClass).value<QIcon>().cacheKey() != 0);
        QWidget* sitedEditor = registry->FindSitedEditor(dataClass);
        QTEST(sitedEditor != nullptr, "sited");
        QCOMPARE(host->parent() == sitedEditor, servedBySited);
        QVERIFY(!servedBySited || sitedEditor->isHidden());
        QVERIFY(!registry->isVisible());
    }

    void registrationOrder()
    {
        DataEditorRegistry* registry = registryOfAllFakes();
        // Sited editors in start-up table order, then the created ones.
        QCOMPARE(editorNames(registry).join(u' ').remove(QStringLiteral("VeltEditors.")),
                 QStringLiteral("ComplexEditor Int32Editor Int32ArrayEditor PointEditor PointArrayEditor RangeEditor RangeArrayEditor "
                                "Real64Editor Real64ArrayEditor StringArrayEditor SwitchPathEditor WaveformEditor ReferenceEditor "
                                "InstEditor StringEditor LifetimeEditor"));
        QCOMPARE(registry->DataEditorCount(), 16);
        QCOMPARE(registry->StructuredDataEditorCount(), 16);
        for (int i = 1; i <= 16; ++i) // the class pictures follow the eleven preloaded ones in the same order
            QCOMPARE(registry->ImageBitmapName(11 + i), hostClass(registry->DataEditor(i)));
        QCOMPARE(registry->ImageCount(), 27);
        // The Lifetime editor is sited (once, at load) and created once for its registration.
        const QHash<QString, int>& created = FakeTypeEditor::created();
        QCOMPARE(QList<int>({created.value("VeltEditors.LifetimeEditor"), created.value("VeltEditors.StringEditor"),
                             created.value("VeltEditors.Int32Editor")}), QList<int>({2, 1, 1}));
    }

    void unknownKeysGiveNothing_data()
    {
        // isImage: the image list is longer than the editor lists
        VeltTest::columns<QVariant, bool>({"key", "isImage"});
        QTest::newRow("unknown class") << QVariant(QStringLiteral("CQuenNothing")) << false;
        QTest::newRow("past the end") << QVariant(17) << true;
        QTest::newRow("past every list") << QVariant(28.0) << false;
    }
    void unknownKeysGiveNothing()
    {
        QFETCH(QVariant, key);
        DataEditorRegistry* registry = registryOfAllFakes();
        QCOMPARE(registry->DataEditor(key), nullptr);
        QCOMPARE(registry->StructuredDataEditor(key), nullptr);
        QCOMPARE(registry->DataEditorName(key) + Velt::dataTypeName(key.toString()), QString());
        QTEST(registry->ImageBitmap(key).isValid(), "isImage");
    }

    void preloadedAndAddedImages()
    {
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        // Eleven pictures are there before any editor registers, "Error" first and "NumberList" last.
        QCOMPARE(QStringList({registry->ImageBitmapName(1), registry->ImageBitmapName(11), registry->ImageBitmapName(0) + registry->ImageBitmapName(12)}),
                 QStringList({"Error", "NumberList", ""}));
        const QIcon error = registry->ImageBitmap("Error").value<QIcon>();
        QCOMPARE(error.cacheKey(), registry->ImageBitmap(1).value<QIcon>().cacheKey());
        QImage blank = error.pixmap(QSize(16, 16)).toImage();
        blank.fill(Qt::transparent);
        QVERIFY(error.pixmap(QSize(16, 16)).toImage() != blank);
        QPixmap first(8, 8);
        first.fill(Qt::red);
        QPixmap second(8, 8);
        second.fill(Qt::blue);
        // The first picture of a key stays; keys ignore case; without a picture the key is added
        // all the same and its image reads as nothing; blank keys are refused.
        const QList<int> positions{registry->AddImageIfAbsent("CQuenTest", first), registry->AddImageIfAbsent("CQuenTest", second),
                                   registry->AddImageIfAbsent("cquentest", second), registry->AddImageIfAbsent("Other", QVariant()),
                                   registry->AddImageIfAbsent("Other", first), registry->AddImageIfAbsent("  ", first),
                                   registry->AddImageIfAbsent("FromImage", QImage(4, 4, QImage::Format_ARGB32))};
        QCOMPARE(positions, QList<int>({12, 12, 12, 13, 13, 0, 14}));
        QCOMPARE(registry->ImageCount(), 14);
        QCOMPARE(registry->ImageBitmap("CQuenTest").value<QIcon>().pixmap(8, 8).toImage().pixelColor(4, 4), QColor(Qt::red));
        QCOMPARE(registry->ImageBitmapName(13), QStringLiteral("Other"));
        QVERIFY(!registry->ImageBitmap(13).isValid());
        QCOMPARE(QList<int>({registry->ImagePosition("CQuenTest"), registry->ImagePosition("Other")}), QList<int>({12, 0}));
    }
    void registeringTwiceHasNoEffect()
    {
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        registerFake("VeltEditors.LateEditor", "CQuenLate");
        registry->RegisterEditor("VeltEditors.LateEditor", false);
        QObject* host = registry->DataEditor("CQuenLate");
        registry->RegisterEditor("veltEDITORS.lateeditor", true);
        QCOMPARE(registry->DataEditorNameCount(), 1);
        QCOMPARE(registry->DataEditor("CQuenLate"), host);
        QCOMPARE(FakeTypeEditor::created().value("VeltEditors.LateEditor"), 1);
        QCOMPARE(registry->FindSitedEditor("CQuenLate"), nullptr);
        QVERIFY(!Velt::invokeByName(registry, "RegisterEditor", {QStringLiteral("x"), true})); // library-internal: not published
    }

    void unusableEditorsAreSkipped()
    {
        // Only the String editor is usable: the Int32 host has no data class, the late editor no
        // host, and other identifiers of the tables do not exist; all are skipped quietly.
        registerFake("VeltEditors.StringEditor", "CQuenString");
        registerFake("VeltEditors.LateEditor", "CQuenLate", false, false);
        registerFake("VeltEditors.Int32Editor", QString());
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        registry->RegisterEditor("VeltEditors.NoSuchEditor", true);
        registry->RegisterEditor("VeltEditors.LateEditor", true);
        registry->RegisterEditor(QString(), true);
        QCOMPARE(editorNames(registry), QStringList({"VeltEditors.StringEditor"}));
        QCOMPARE(registry->ImageCount(), 12);
        QCOMPARE(registry->SiteEditor("CQuenNoSuch", "VeltEditors.NoSuchEditor"), nullptr);
        QVERIFY(QuenExcRegIsError(0) == QUEN_FALSE);
    }

    void registryFillsItselfLater()
    {
        registerFake("VeltEditors.Int32Editor", "CQuenInt32");
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        QCOMPARE(registry->DataEditor("CQuenString"), nullptr);
        registerFake("VeltEditors.StringEditor", "CQuenString");
        registry->LoadDataEditors("VeltEditors.ini", "DataEditors");
        QObject* host = registry->DataEditor("CQuenString");
        // Loading sites the new editor on the registry window, under its data class.
        QWidget* sited = registry->FindSitedEditor("CQuenString");
        QVERIFY(host && sited && sited != host->parent());
        QCOMPARE(FakeTypeEditor::created().value("VeltEditors.StringEditor"), 2);
    }

    void closingAndUnloadingRebuild()
    {
        DataEditorRegistry* registry = registryOfAllFakes();
        const QStringList names = editorNames(registry);
        QPointer<QObject> host = registry->DataEditor("CQuenReal64");
        registry->AddImageIfAbsent("Extra", QPixmap(2, 2));
        QVERIFY(registry->close()); // never refused
        QVERIFY(!registry->hasCollections() && host.isNull()); // the registry owned its editors
        // The accessors load again; the extra picture went with the old collections.
        QCOMPARE(editorNames(registry), names);
        QCOMPARE(registry->ImageBitmapName(28), QString());
        QPointer<DataEditorRegistry> first = registry;
        host = registry->DataEditor("CQuenInt32");
        DataEditorRegistry::unload();
        QVERIFY(first.isNull() && host.isNull() && !DataEditorRegistry::isLoaded());
        QCOMPARE(DataEditorRegistry::instance()->ImageCount(), 27);
    }

    void addDataEditorIfAbsent()
    {
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        QObject first;
        QObject second;
        // A taken key refuses; the same object, a blank key or no object change nothing.
        const QList<bool> added{registry->AddDataEditorIfAbsent("CQuenX", &first), registry->AddDataEditorIfAbsent("CQuenX", &second),
                                registry->AddDataEditorIfAbsent("CQuenY", &first), registry->AddDataEditorIfAbsent("  ", &second),
                                registry->AddDataEditorIfAbsent("CQuenZ", nullptr),
                                registry->AddStructuredDataEditorIfAbsent("CQuenX", &second),
                                registry->AddStructuredDataEditorIfAbsent("CQuenX", &first)};
        QCOMPARE(added, QList<bool>({true, false, true, true, true, true, false}));
        QCOMPARE(QList<QObject*>({registry->DataEditor("CQuenX"), registry->DataEditor("CQuenY"), registry->StructuredDataEditor("CQuenX")}),
                 QList<QObject*>({&first, nullptr, &second}));
        QCOMPARE(registry->DataEditorCount() + registry->StructuredDataEditorCount(), 2);
    }

    void addEditorName_data()
    {
        VeltTest::columns<QString, QString, bool>({"dataClass", "classId", "added"});
        QTest::newRow("new") << "CQuenB" << "VeltEditors.BEditor" << true;
        QTest::newRow("identifier listed, other case") << "CQuenC" << "velteditors.aeditor" << false;
        QTest::newRow("class taken") << "CQuenA" << "VeltEditors.OtherEditor" << false;
        QTest::newRow("blank class") << " " << "VeltEditors.BEditor" << false;
        QTest::newRow("blank identifier") << "CQuenB" << "\t" << false;
    }
    void addEditorName()
    {
        QFETCH(QString, dataClass);
        QFETCH(QString, classId);
        QFETCH(bool, added);
        DataEditorRegistry* registry = DataEditorRegistry::instance();
        QVERIFY(registry->AddEditorName("CQuenA", "VeltEditors.AEditor"));
        QCOMPARE(registry->AddEditorName(dataClass, classId), added);
        QCOMPARE(registry->DataEditorNameCount(), added ? 2 : 1);
        QCOMPARE(registry->DataEditorName("CQuenA"), QStringLiteral("VeltEditors.AEditor"));
    }

    void bindReachesSitedRuntime_data()
    {
        VeltTest::columns<QString, bool, bool>({"dataClass", "result", "reached"});
        QTest::newRow("sited with a runtime side") << "CQuenReal64" << true << true;
        QTest::newRow("sited without a runtime side") << "CQuenInt32" << false << false;
        QTest::newRow("not sited") << "CQuenString" << true << false;
    }
    void bindReachesSitedRuntime()
    {
        QFETCH(QString, dataClass);
        QFETCH(bool, reached);
        DataEditorRegistry* registry = registryOfAllFakes();
        VeltTest::CoreBuilder core;
        const QuenHandle item = core << QuenDataCreate(dataClass.toUtf8().constData());
        const QuenHandle block = core.block();
        auto* sited = qobject_cast<FakeTypeEditor*>(registry->FindSitedEditor(dataClass));
        auto* created = qobject_cast<FakeTypeEditor*>(registry->StructuredDataEditor(dataClass));
        // Only the run-time side of an editor the registry created itself is given a slot.
        bool registered = false;
        for (int slot = 1; slot <= Velt::RuntimeEvaluation::SlotCount; ++slot)
            registered |= Velt::RuntimeEvaluation::evaluator(slot) == created;
        QCOMPARE(registered, dataClass == u"CQuenString");
        QTEST(registry->Bind(item, block), "result");
        const QString bind = QStringLiteral("Bind %1 %2").arg(item).arg(block);
        QCOMPARE(sited ? sited->log : QStringList(), reached ? QStringList{bind} : QStringList());
        QCOMPARE(created->log, sited == created && reached ? QStringList{bind} : QStringList());
        if (reached) {
            sited->failing = true;
            QVERIFY(!registry->Bind(item, block));
        }
    }
};

QTEST_MAIN(DataEditorRegistryTest)
#include "dataeditorregistrytest.moc"
