// A type editor for tests. It hosts a real DataEditor (its dialog face, with a value box in the
// edit area), answers the structured calls with lines a test sets up (or hands them to a field
// table), evaluates at run time, and publishes GetDirect, GetRuntime and GetEditor as a
// registered component does. Every call it receives is logged, and a test may act from inside
// each one. Options pick the faces it offers.
#pragma once

#include "dataeditor.h"
#include "xcruntimedataevaluation.h"
#include "xcstructediting.h"

#include <QHash>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <functional>

class QSpinBox;
class XCStructEditField;
class XCStructEditFields;

namespace Velt {
class FieldTable;
}

namespace VeltTest {

// The faces a fake type editor offers: GetEditor gives its DataEditor, GetDirect and GetRuntime
// give the editor itself.
enum FakeFace : int { HostFace = 1, StructuredFace = 2, RuntimeFace = 4 };

struct FakeTypeEditorOptions
{
    QString dataClass = QStringLiteral("CQuenInt32");
    int faces = HostFace | StructuredFace;
    QString dataType = {}; // empty: "<dataClass> type"
};

class FakeTypeEditor : public QWidget, public XCStructEditing, public XCRuntimeDataEvaluation
{
    Q_OBJECT
    Q_INTERFACES(XCStructEditing XCRuntimeDataEvaluation)

public:
    using Options = FakeTypeEditorOptions;
    // A line DeclareFields adds below the root line.
    struct Line
    {
        QString caption;
        int indentation = 1;
        QString bitmapName = {};
    };

    explicit FakeTypeEditor(const Options& options = {}, QWidget* parent = nullptr);
    ~FakeTypeEditor() override;

    Q_INVOKABLE QObject* GetDirect() { return m_options.faces & StructuredFace ? this : nullptr; }
    Q_INVOKABLE QObject* GetRuntime() { return m_options.faces & RuntimeFace ? this : nullptr; }
    Q_INVOKABLE QObject* GetEditor() { return m_editor; }

    DataEditor* editor() const { return m_editor; }
    QSpinBox* valueBox() const { return m_value; }
    QString dataType() const;

    // Calls received, in order: "BeginEdit(5)" ... "CancelEdit()" from the host, "Bind 5 7"
    // for run-time members, "DeclareFields 5", "GetField 1", "DeclareField 1",
    // "FieldChanged 1 <text> posted|unposted" for the structured ones.
    QStringList log;
    // Runs inside every call, after it was logged and the editor did its own work.
    std::function<void(const QString& entry)> onCall;
    // Inside DeclareFields, and inside GetField, DeclareField and FieldChanged (call names it).
    std::function<void(XCStructEditFields&)> onDeclareFields;
    std::function<void(const QString& call, XCStructEditField&)> onField;

    // The structured behaviour: lines below the root, fields that are unlocked, the choices
    // per field, whether an accepted change asks for a refresh. With a table set, the table
    // answers the structured calls instead.
    QVector<Line> fields;
    QHash<int, bool> unlocked;
    QHash<int, QStringList> choices;
    bool refreshOnChange = false;
    const Velt::FieldTable* table = nullptr;
    bool failing = false; // every run-time member fails

    // Forgets the set-up, the log and the hooks.
    void reset();

    void DeclareFields(int32_t DataHandle, XCStructEditFields& Fields) override;
    void GetField(int32_t DataHandle, XCStructEditField& Field) override;
    void DeclareField(int32_t DataHandle, XCStructEditField& Field) override;
    void FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits, bool& Refresh) override;

    bool Bind(int32_t DataHandle, int32_t ParmBlockHandle) override { return runtimeCall("Bind", DataHandle, ParmBlockHandle); }
    bool Evaluate(int32_t DataHandle, int32_t ParmBlockHandle) override { return runtimeCall("Evaluate", DataHandle, ParmBlockHandle); }
    bool Scan(int32_t DataHandle, int32_t ParmBlockHandle) override { return runtimeCall("Scan", DataHandle, ParmBlockHandle); }
    bool Unbind(int32_t DataHandle, int32_t ParmBlockHandle) override { return runtimeCall("Unbind", DataHandle, ParmBlockHandle); }

    // Registers fakes with the options as a component under classId; counts the ones made per
    // identifier.
    static void registerClass(const QString& classId, const Options& options);
    static QHash<QString, int>& created();

    // One fake serving "CQuenInt32" (type name "Test integer") as dialog and structured editor
    // of a fresh registry, the built-in integer and real editors taken out of the component
    // registry: the integer class is the fake's, the real class has no editor. Made once per
    // process, as the registry keeps the first editor of a class.
    static FakeTypeEditor& served();

private:
    void note(const QString& entry);
    bool runtimeCall(const char* member, int32_t data, int32_t block);

    Options m_options;
    DataEditor* m_editor = nullptr;
    QSpinBox* m_value = nullptr;
};

} // namespace VeltTest
