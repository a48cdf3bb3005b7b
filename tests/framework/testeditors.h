// Test-only type editors for the field model: a dialog editor that only carries DataClass,
// DataType and DataBitmap, and a structured editor whose fields, locks and choices a test sets
// up, which logs every call it receives and lets a test act from inside each call.
// installTestEditors() registers them for "CQuenInt32" (after taking the built-in integer
// editor out of the component registry, so the key is free) and returns them;
// installStructuredEditor() does the same for another structured editor.
#pragma once

#include "componentregistry.h"
#include "dataeditorregistry.h"
#include "qtstrings.h"
#include "xcstructediting.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

class TestDialogEditor : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DataClass MEMBER dataClass)
    Q_PROPERTY(QString DataType MEMBER dataType)
    Q_PROPERTY(QVariant DataBitmap MEMBER dataBitmap)

public:
    using QObject::QObject;
    QString dataClass;
    QString dataType;
    QVariant dataBitmap;
};

struct TestFieldLine
{
    QString caption;
    int indentation = 1;
    QString bitmapName;
};

class TestTypeEditor : public QObject, public XCStructEditing
{
    Q_OBJECT
    Q_INTERFACES(XCStructEditing)

public:
    using QObject::QObject;

    // What DeclareFields adds below the root line, and what DeclareField sets per index.
    QVector<TestFieldLine> fields;
    QHash<int, bool> unlocked;
    QHash<int, QStringList> choices;
    bool refreshOnChange = false;
    QStringList log;

    // Run inside the matching call, after the editor's own work.
    std::function<void(XCStructEditFields&)> onDeclareFields;
    std::function<void(XCStructEditField&)> onGetField;
    std::function<void(XCStructEditField&)> onDeclareField;
    std::function<void(XCStructEditField&, bool)> onFieldChanged;

    void reset()
    {
        fields.clear();
        unlocked.clear();
        choices.clear();
        refreshOnChange = false;
        log.clear();
        onDeclareFields = nullptr;
        onGetField = nullptr;
        onDeclareField = nullptr;
        onFieldChanged = nullptr;
    }

    void DeclareFields(int32_t DataHandle, XCStructEditFields& Fields) override
    {
        log << QStringLiteral("DeclareFields %1").arg(DataHandle);
        for (const TestFieldLine& line : fields)
            Fields.Add(line.caption, line.indentation, line.bitmapName);
        if (onDeclareFields)
            onDeclareFields(Fields);
    }

    void GetField(int32_t DataHandle, XCStructEditField& Field) override
    {
        log << QStringLiteral("GetField %1").arg(Field.Index());
        Field.setText(Field.Index() == 0 ? QString::number(QuenInt32GetValue(DataHandle))
                                         : QStringLiteral("line %1").arg(Field.Index()));
        if (onGetField)
            onGetField(Field);
    }

    void DeclareField(int32_t, XCStructEditField& Field) override
    {
        log << QStringLiteral("DeclareField %1").arg(Field.Index());
        Field.setLocked(!unlocked.value(Field.Index(), false));
        for (const QString& choice : choices.value(Field.Index()))
            Field.Enumeration()->Add(choice, -1);
        if (onDeclareField)
            onDeclareField(Field);
    }

    void FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits,
                      bool& Refresh) override
    {
        const QString text = Field.Text();
        log << QStringLiteral("FieldChanged %1 %2 %3")
                        .arg(Field.Index())
                        .arg(text, PostEdits ? QStringLiteral("posted") : QStringLiteral("unposted"));
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok)
            Field.setErrorMessage(QStringLiteral("The value is not a legal integer: ") + text);
        else if (PostEdits && Field.Index() == 0)
            QuenInt32SetValue(DataHandle, value);
        Refresh = ok && refreshOnChange;
        if (onFieldChanged)
            onFieldChanged(Field, PostEdits);
    }
};

struct TestEditors
{
    TestDialogEditor* dialog = nullptr;
    TestTypeEditor* type = nullptr;
};

inline const QString TestDataClass = QStringLiteral("CQuenInt32");
inline const QString UnservedDataClass = QStringLiteral("CQuenReal64");
inline const QString TestDataType = QStringLiteral("Test integer");

// Serves TestDataClass with a test dialog editor and the given structured editor (a QObject
// implementing XCStructEditing); once per process, as the registry keeps the first ones.
inline TestDialogEditor* installStructuredEditor(QObject* structured)
{
    // The integer class is served by the test editor; the real class has no editor at all.
    Velt::ComponentRegistry::instance().unregisterClass(QStringLiteral("VeltEditors.Int32Editor"));
    Velt::ComponentRegistry::instance().unregisterClass(QStringLiteral("VeltEditors.Real64Editor"));
    DataEditorRegistry::unload();
    DataEditorRegistry* registry = DataEditorRegistry::instance();
    auto* dialog = new TestDialogEditor;
    dialog->dataClass = TestDataClass;
    dialog->dataType = TestDataType;
    QPixmap picture(16, 16);
    picture.fill(Qt::darkCyan);
    dialog->dataBitmap = QVariant::fromValue(QIcon(picture));
    registry->AddDataEditorIfAbsent(TestDataClass, dialog);
    registry->AddStructuredDataEditorIfAbsent(TestDataClass, structured);
    return dialog;
}

// Registers the test editors for TestDataClass once per process (they live as long as it).
inline TestEditors installTestEditors()
{
    static TestEditors editors;
    if (editors.type)
        return editors;
    editors.type = new TestTypeEditor;
    editors.dialog = installStructuredEditor(editors.type);
    return editors;
}

// An integer parameter, owned by the caller.
inline QuenHandle makeIntParm(const char* name, int32_t value)
{
    const QuenHandle parm = QuenParmCreate(name, "CQuenInt32");
    QuenInt32SetValue(QuenParmGetData(parm), value);
    return parm;
}

// Turns a parameter into a reference; the value item the core hands back is released.
inline void makeReference(QuenHandle parm, const QByteArray& table, const QByteArray& symbol)
{
    const QuenHandle data = QuenParmGetData(parm);
    QuenExcRegClearError(0); // a parameter that is already a reference has no value
    QuenParmSetReference(parm, symbol.constData(), -1, table.constData(), -1);
    if (data)
        QuenDataRelease(data);
}
