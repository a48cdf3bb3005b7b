// VeltApi: the `Velt` global of velt-script. It creates registered classes by identifier, drives
// widgets with simulated keys, finds children by objectName and exposes what the recording
// platform service saw (prompts, beeps, shown errors). Objects made by create() are owned by
// the API and deleted with it; everything else it hands out belongs to someone else.
#pragma once

#include <QJSValue>
#include <QObject>

#include <memory>

class QJSEngine;

namespace VeltScript {

class VeltApi : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject* registry READ registry CONSTANT)
    Q_PROPERTY(QJSValue prompts READ prompts CONSTANT)
    Q_PROPERTY(int beeps READ beeps)
    Q_PROPERTY(QJSValue shownErrors READ shownErrors)
public:
    explicit VeltApi(QJSEngine* engine, QObject* parent = nullptr);
    ~VeltApi() override;

    // A new instance of a registered class ("VeltEditors.Int32Editor"), or null.
    Q_INVOKABLE QObject* create(const QString& classId);
    Q_INVOKABLE void processEvents();
    // key: a Qt::Key code, a one-character text or a key name ("Enter", "F2", "Tab").
    // modifiers: a Qt::KeyboardModifiers number or a text such as "Ctrl+Shift".
    Q_INVOKABLE void keyClick(QObject* widget, const QJSValue& key,
                              const QJSValue& modifiers = QJSValue());
    Q_INVOKABLE void keyClicks(QObject* widget, const QString& text);
    // The first descendant of `root` (every top-level widget when null) with that objectName.
    Q_INVOKABLE QObject* find(QObject* root, const QString& objectName);
    Q_INVOKABLE void print(const QString& text);

    // A new, unbound XCStructEditFields (the script owns it).
    Q_INVOKABLE QObject* fields();
    // A new CountingDataEditorSite (the script owns it).
    Q_INVOKABLE QObject* site();
    // Calls fn(dialog) once, as soon as the next modal dialog is showing (from inside its modal
    // loop). An error thrown by fn closes that dialog and is reported as uncaught.
    Q_INVOKABLE void onModal(const QJSValue& fn);
    // Edits a parameter (or, with symbolMode, a symbol) in the library's data editor dialog;
    // true when the edit was accepted. Throws when no type editor serves its class.
    Q_INVOKABLE bool editParameter(int parameterHandle, bool readOnly = false,
                                   bool symbolMode = false);

    // The error a modal callback threw since the last call (undefined when none); clears it.
    QJSValue takeModalError();

    QObject* registry() const;
    // { answers: [...], asked: [...] }: the script pushes the buttons message boxes will answer
    // with; each question asked is appended to `asked` as { title, text, buttons, answer }.
    QJSValue prompts() const;
    int beeps() const;
    QJSValue shownErrors() const;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace VeltScript
