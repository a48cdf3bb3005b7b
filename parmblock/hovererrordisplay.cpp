#include "hovererrordisplay_p.h"

#include "hovererrorform_p.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

namespace Velt {

namespace {
constexpr int TimerInterval = 250; // ms between checks that the window still fits its field
constexpr int MaxWaitPolls = 100000;
} // namespace

HoverErrorDisplay::HoverErrorDisplay(QWidget* editor, HoverErrorForm* (*form)(),
                                     std::function<QString()> message,
                                     std::function<QWidget*()> field, std::function<void()> cancel)
    : QObject(editor)
    , m_editor(editor)
    , m_form(form)
    , m_message(std::move(message))
    , m_field(std::move(field))
    , m_cancel(std::move(cancel))
    , m_timer(new QTimer(editor))
{
    m_timer->setObjectName(QStringLiteral("HoverErrorTimer"));
    m_timer->setInterval(TimerInterval);
    connect(m_timer, &QTimer::timeout, this, &HoverErrorDisplay::update);
}

void HoverErrorDisplay::setEnabled(bool enabled)
{
    m_enabled = enabled;
    update();
}

void HoverErrorDisplay::update()
{
    if (m_displaying)
        return;
    const QString message = m_message();
    if (!m_enabled || !m_editor->isVisible() || message.isEmpty()) {
        m_timer->stop();
        m_form()->hideFor(m_editor);
        return;
    }
    m_displaying = true;
    m_cancelPending = false;
    m_form()->showMessage(message, m_editor, m_field(), m_cancel);
    m_displaying = false;
    if (m_cancelPending) { // cancelled while the window was being shown
        m_form()->hideFor(m_editor);
        return;
    }
    if (!m_timer->isActive())
        m_timer->start();
    if (message != m_lastShown) {
        m_lastShown = message;
        Q_EMIT displayed(message);
    }
}

void HoverErrorDisplay::cancel(bool focusToField)
{
    if (m_timer->isActive() || m_displaying) {
        m_cancelPending = true;
        m_timer->stop();
    }
    for (int poll = 0; m_displaying && poll < MaxWaitPolls; ++poll)
        QCoreApplication::processEvents();
    m_form()->hideFor(m_editor);
    if (focusToField)
        if (QWidget* field = m_field(); field && field->isVisible())
            field->setFocus(Qt::OtherFocusReason);
}

void HoverErrorDisplay::reset()
{
    m_timer->stop();
    m_form()->hideFor(m_editor);
    m_lastShown.clear();
}

} // namespace Velt
