// HoverErrorForm: the borderless window beside an in-place editor that shows its error. There
// is one per process for the value field editors ("FieldHoverErrorForm") and one for the name
// editors ("NameHoverErrorForm"); the editor that showed it last owns it. The window never
// takes the focus; it follows its field when the field or its window moves, hides with it, and
// a click (or a key, should it ever get one) hands it back to its owner, which closes it and
// puts the focus back into the field.
#pragma once

#include <QFrame>
#include <QPointer>

#include <functional>

class QLabel;

namespace Velt {

class HoverErrorForm : public QFrame
{
    Q_OBJECT
public:
    static HoverErrorForm* fieldForm();
    static HoverErrorForm* nameForm();

    // Shows the message beside the field for `owner`; `cancel` is what a click on the window
    // asks of the owner.
    void showMessage(const QString& message, QWidget* owner, QWidget* field,
                     std::function<void()> cancel);
    // Hides the window when `owner` owns it.
    void hideFor(const QWidget* owner);
    QWidget* owner() const;
    QString message() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit HoverErrorForm(const QString& name);
    static HoverErrorForm* shared(bool field);
    void watch(QWidget* field);
    void place();
    void requestCancel();

    QLabel* m_label;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_field;
    QList<QPointer<QWidget>> m_watched;
    std::function<void()> m_cancel;
};

} // namespace Velt
