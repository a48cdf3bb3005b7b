#include "modalwatcher.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QJSEngine>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace VeltScript {

ModalWatcher::ModalWatcher(QJSEngine* engine, const QJSValue& fn,
                           std::function<void(const QJSValue&)> onError, QObject* parent)
    : QObject(parent), m_engine(engine), m_fn(fn), m_onError(std::move(onError))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool ModalWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_fired && event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal()) {
            m_fired = true;
            QCoreApplication::instance()->removeEventFilter(this);
            // The show happens before the modal loop starts; the call runs inside it.
            QPointer<QWidget> dialog(widget);
            QTimer::singleShot(0, this, [this, dialog] { call(dialog); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void ModalWatcher::call(QObject* dialog)
{
    if (!dialog) {
        deleteLater();
        return;
    }
    QJSEngine::setObjectOwnership(dialog, QJSEngine::CppOwnership);
    const QJSValue result = m_fn.call({m_engine->newQObject(dialog)});
    if (result.isError()) {
        if (m_onError)
            m_onError(result);
        if (auto* modal = qobject_cast<QDialog*>(dialog); modal && modal->isVisible())
            modal->reject();
        else if (auto* window = qobject_cast<QWidget*>(dialog))
            window->close();
    }
    deleteLater();
}

} // namespace VeltScript
