// ScriptPlatform: the platform services of velt-script. A recording service whose answers come
// from the script: before each message box the answers the script pushed onto
// `Velt.prompts.answers` move into the recorder's queue, and each question asked is appended to
// `Velt.prompts.asked`. Installed for its own lifetime; the JS objects belong to the engine.
#pragma once

#include "recordingplatformservices.h"

#include <QJSValue>

class QJSEngine;

namespace VeltScript {

class ScriptPlatform : public Velt::RecordingPlatformServices
{
public:
    explicit ScriptPlatform(QJSEngine* engine);
    ~ScriptPlatform() override;

    // { answers: [], asked: [] }
    QJSValue promptsObject() const { return m_prompts; }
    // The texts shown by the error display, as a new JS array.
    QJSValue shownErrorsArray() const;

    int messageBox(const QString& prompt, int flags = OkOnly, const QString& title = QString(),
                   QWidget* parent = nullptr) override;

    ScriptPlatform(const ScriptPlatform&) = delete;
    ScriptPlatform& operator=(const ScriptPlatform&) = delete;

private:
    QJSEngine* m_engine;
    QJSValue m_prompts;
    Velt::PlatformServices* m_previous;
};

} // namespace VeltScript
