#include "scriptplatform.h"

#include <QJSEngine>

namespace VeltScript {

ScriptPlatform::ScriptPlatform(QJSEngine* engine)
    : m_engine(engine), m_prompts(engine->newObject()), m_previous(setInstance(this))
{
    m_prompts.setProperty(QStringLiteral("answers"), engine->newArray());
    m_prompts.setProperty(QStringLiteral("asked"), engine->newArray());
}

ScriptPlatform::~ScriptPlatform()
{
    setInstance(m_previous);
}

QJSValue ScriptPlatform::shownErrorsArray() const
{
    const QStringList errors = shownErrors();
    QJSValue array = m_engine->newArray(quint32(errors.size()));
    for (qsizetype i = 0; i < errors.size(); ++i)
        array.setProperty(quint32(i), errors.at(i));
    return array;
}

int ScriptPlatform::messageBox(const QString& prompt, int flags, const QString& title,
                               QWidget* parent)
{
    // One answer per box, taken from the front of the script's array (which the script may
    // have replaced since); none left: the box's default answer.
    QJSValue answers = m_prompts.property(QStringLiteral("answers"));
    if (answers.isArray() && answers.property(QStringLiteral("length")).toUInt() > 0)
        queueAnswer(answers.property(QStringLiteral("shift")).callWithInstance(answers).toInt());

    const int answer = RecordingPlatformServices::messageBox(prompt, flags, title, parent);

    QJSValue asked = m_prompts.property(QStringLiteral("asked"));
    QJSValue entry = m_engine->newObject();
    entry.setProperty(QStringLiteral("text"), prompt);
    entry.setProperty(QStringLiteral("title"), RecordingPlatformServices::prompts().constLast().title);
    entry.setProperty(QStringLiteral("flags"), flags);
    entry.setProperty(QStringLiteral("answer"), answer);
    asked.setProperty(asked.property(QStringLiteral("length")).toUInt(), entry);
    return answer;
}

} // namespace VeltScript
