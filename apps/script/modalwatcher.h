// ModalWatcher: the one-shot behind `Velt.onModal(fn)`. Installed as an event filter on the
// application, it waits for a modal window to be shown, removes itself and, once the modal loop
// runs, calls fn(dialog). An error thrown by fn is kept for the host and rejects the dialog so
// the modal loop cannot hang. Deletes itself after the call (or with its parent).
#pragma once

#include <QJSValue>
#include <QObject>

#include <functional>

class QJSEngine;

namespace VeltScript {

class ModalWatcher : public QObject
{
    Q_OBJECT
public:
    // onError receives what fn threw.
    ModalWatcher(QJSEngine* engine, const QJSValue& fn,
                 std::function<void(const QJSValue&)> onError, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void call(QObject* dialog);

    QJSEngine* m_engine;
    QJSValue m_fn;
    std::function<void(const QJSValue&)> m_onError;
    bool m_fired = false;
};

} // namespace VeltScript
