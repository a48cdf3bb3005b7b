#include "scriptfields.h"

#include "callfailed.h"
#include "xcstructeditfield.h"
#include "xcstructeditfieldenums.h"
#include "xcstructeditfields.h"

#include <QJSEngine>

#include <type_traits>

namespace VeltScript {

namespace {

// Runs a member of the collection; a CallFailed becomes a script Error and `fallback` is
// returned in its place.
template<typename F, typename R = std::invoke_result_t<F>>
R guarded(QJSEngine* engine, F&& call, R fallback = R())
{
    try {
        return call();
    } catch (const Velt::CallFailed& failure) {
        engine->throwError(QJSValue::GenericError, failure.message());
    }
    return fallback;
}

template<typename F>
void guardedCall(QJSEngine* engine, F&& call)
{
    try {
        call();
    } catch (const Velt::CallFailed& failure) {
        engine->throwError(QJSValue::GenericError, failure.message());
    }
}

} // namespace

ScriptField::ScriptField(QJSEngine* engine, XCStructEditField* field, QObject* parent)
    : QObject(parent), m_engine(engine), m_field(field)
{
}

QString ScriptField::Caption() const
{
    return m_field ? m_field->Caption() : QString();
}

int ScriptField::Indentation() const
{
    return m_field ? m_field->Indentation() : 0;
}

QString ScriptField::Text() const
{
    if (!m_field)
        return {};
    return guarded(m_engine, [this] { return m_field->Text(); });
}

void ScriptField::setText(const QString& text)
{
    if (m_field)
        guardedCall(m_engine, [this, &text] { m_field->setText(text); });
}

QString ScriptField::ErrorMessage() const
{
    return m_field ? m_field->ErrorMessage() : QString();
}

bool ScriptField::Locked() const
{
    return !m_field || guarded(m_engine, [this] { return m_field->Locked(); }, true);
}

bool ScriptField::HasEnumeration() const
{
    return m_field && guarded(m_engine, [this] { return m_field->HasEnumeration(); });
}

QStringList ScriptField::Enumeration() const
{
    if (!HasEnumeration())
        return {};
    return guarded(m_engine, [this] {
        QStringList choices;
        const XCStructEditFieldEnums* list = m_field->Enumeration();
        for (int i = 1; list && i <= list->Count(); ++i)
            choices << list->Text(i);
        return choices;
    });
}

int ScriptField::Index() const
{
    return m_field ? m_field->Index() : -1;
}

ScriptFields::ScriptFields(QJSEngine* engine, QObject* parent)
    : QObject(parent), m_engine(engine), m_fields(XCStructEditFields::create(this))
{
}

ScriptFields::~ScriptFields() = default;

void ScriptFields::AttachParameter(int ParameterHandle, int DefaultParameterHandle,
                                   int LocalsParmBlockHandle, bool DesignTime, bool ReadOnly,
                                   bool BrowseOnly)
{
    guardedCall(m_engine, [&] {
        m_fields->AttachParameter(ParameterHandle, DefaultParameterHandle, LocalsParmBlockHandle,
                                  DesignTime, ReadOnly, BrowseOnly);
    });
}

void ScriptFields::AttachData(int DataHandle, int DefaultDataHandle, bool DesignTime,
                              bool ReadOnly, bool BrowseOnly, const QString& Caption)
{
    guardedCall(m_engine, [&] {
        m_fields->AttachData(DataHandle, DefaultDataHandle, DesignTime, ReadOnly, BrowseOnly,
                             Caption);
    });
}

void ScriptFields::Detach()
{
    guardedCall(m_engine, [this] { m_fields->Detach(); });
}

QObject* ScriptFields::Item(int Index)
{
    XCStructEditField* field = m_fields->Item(Index);
    if (!field)
        return nullptr;
    auto* wrapper = new ScriptField(m_engine, field);
    QJSEngine::setObjectOwnership(wrapper, QJSEngine::JavaScriptOwnership);
    return wrapper;
}

int ScriptFields::Count() const
{
    return m_fields->Count();
}

int ScriptFields::Age() const
{
    return m_fields->Age();
}

QString ScriptFields::DataClass() const
{
    return m_fields->DataClass();
}

bool ScriptFields::HasEditor() const
{
    return m_fields->HasEditor();
}

} // namespace VeltScript
