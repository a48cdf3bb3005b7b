// HoverErrorDisplay: what the value field editor and the name editor share about showing their
// error in a hover window: the HoverError switch, the timer ("HoverErrorTimer") that keeps the
// window beside the field while the error lasts, the last message shown (DisplayError is raised
// only for a new one) and CancelHoverError. Owned by its editor.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QTimer;
class QWidget;

namespace Velt {

class HoverErrorForm;

class HoverErrorDisplay : public QObject
{
    Q_OBJECT
public:
    // `form` gives the shared window; `message` the editor's current error; `field` the input
    // element the window goes beside; `cancel` is the editor's CancelHoverError(true).
    HoverErrorDisplay(QWidget* editor, HoverErrorForm* (*form)(), std::function<QString()> message,
                      std::function<QWidget*()> field, std::function<void()> cancel);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Shows the current error beside the field, or hides the window when there is none, the
    // switch is off or the editor is hidden. A message not shown before is announced.
    void update();
    // Stops the timer, waits for a display in progress, hides the window and, when asked,
    // puts the focus back into the field.
    void cancel(bool focusToField);
    // The editor is going away or being cleared: hide its window, forget the last message.
    void reset();

    QTimer* timer() const { return m_timer; }
    QString lastShown() const { return m_lastShown; }

Q_SIGNALS:
    // A new message is on show (the editor's DisplayError).
    void displayed(const QString& message);

private:
    QWidget* m_editor;
    HoverErrorForm* (*m_form)();
    std::function<QString()> m_message;
    std::function<QWidget*()> m_field;
    std::function<void()> m_cancel;
    QTimer* m_timer;
    QString m_lastShown;
    bool m_enabled = true;
    bool m_displaying = false;
    bool m_cancelPending = false;
};

} // namespace Velt
