// ArrayFrameFilter: the keys and focus changes of the array frame's text boxes that their
// signals do not carry: a bound box applies its bound when it loses the focus, selects its
// whole text when it gets it, and steps with the up and down arrows; the index box steps the
// current row with the arrows; ValueText stores its text on Enter and drops it on Escape.
#pragma once

#include <QObject>

namespace Velt {

class ArrayEditorBasePrivate;

class ArrayFrameFilter : public QObject
{
    Q_OBJECT

public:
    ArrayFrameFilter(ArrayEditorBasePrivate* frame, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool boundEvent(QObject* watched, QEvent* event);

    ArrayEditorBasePrivate* m_frame;
};

} // namespace Velt
