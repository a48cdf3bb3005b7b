// ScriptFields and ScriptField: what `Velt.fields()` hands a script. A field collection's
// members throw Velt::CallFailed on failure, which must not unwind through the script engine;
// these thin wrappers forward each binding member and turn CallFailed into a script Error.
// ScriptFields owns its XCStructEditFields; a ScriptField only points at a pooled field of it
// (and reads as null/empty once the collection is gone). Both belong to the script engine.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QJSEngine;
class XCStructEditField;
class XCStructEditFields;

namespace VeltScript {

class ScriptField : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption)
    Q_PROPERTY(int Indentation READ Indentation)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(QString ErrorMessage READ ErrorMessage)
    Q_PROPERTY(bool Locked READ Locked)
    Q_PROPERTY(bool HasEnumeration READ HasEnumeration)
    Q_PROPERTY(QStringList Enumeration READ Enumeration)
    Q_PROPERTY(int Index READ Index)
public:
    ScriptField(QJSEngine* engine, XCStructEditField* field, QObject* parent = nullptr);

    QString Caption() const;
    int Indentation() const;
    QString Text() const;
    void setText(const QString& text);
    QString ErrorMessage() const;
    bool Locked() const;
    bool HasEnumeration() const;
    // The choices, in order (the field's 1-based entries as a 0-based array).
    QStringList Enumeration() const;
    int Index() const;

private:
    QJSEngine* m_engine;
    QPointer<XCStructEditField> m_field;
};

class ScriptFields : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Count READ Count)
    Q_PROPERTY(int Age READ Age)
    Q_PROPERTY(QString DataClass READ DataClass)
    Q_PROPERTY(bool HasEditor READ HasEditor)
public:
    explicit ScriptFields(QJSEngine* engine, QObject* parent = nullptr);
    ~ScriptFields() override;

    Q_INVOKABLE void AttachParameter(int ParameterHandle, int DefaultParameterHandle = 0,
                                     int LocalsParmBlockHandle = 0, bool DesignTime = true,
                                     bool ReadOnly = false, bool BrowseOnly = false);
    Q_INVOKABLE void AttachData(int DataHandle, int DefaultDataHandle = 0,
                                bool DesignTime = true, bool ReadOnly = false,
                                bool BrowseOnly = false, const QString& Caption = QString());
    Q_INVOKABLE void Detach();
    // A new wrapper of field Index (0-based), or null when there is none.
    Q_INVOKABLE QObject* Item(int Index);

    int Count() const;
    int Age() const;
    QString DataClass() const;
    bool HasEditor() const;

    XCStructEditFields* fields() const { return m_fields; }

private:
    QJSEngine* m_engine;
    XCStructEditFields* m_fields;
};

} // namespace VeltScript
