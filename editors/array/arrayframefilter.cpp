#include "arrayframefilter_p.h"

#include "arrayeditorbase_p.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace Velt {

namespace R = ArrayRules;

ArrayFrameFilter::ArrayFrameFilter(ArrayEditorBasePrivate* frame, QObject* parent)
    : QObject(parent), m_frame(frame)
{
}

bool ArrayFrameFilter::eventFilter(QObject* watched, QEvent* event)
{
    ArrayEditorBasePrivate* d = m_frame;
    if (watched == d->valueText && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            d->storeValue();
            return true;
        }
        if (key == Qt::Key_Escape) {
            d->dropValue();
            return true;
        }
        return false;
    }
    if (watched == d->indexText[0] && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            d->stepIndex(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
        return false;
    }
    return boundEvent(watched, event);
}

bool ArrayFrameFilter::boundEvent(QObject* watched, QEvent* event)
{
    ArrayEditorBasePrivate* d = m_frame;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    for (int dim = 0; dim < d->options.maxDimensions; ++dim) {
        const ArrayEditorBasePrivate::BoundRow& row = d->bounds[size_t(dim)];
        if (box != row.lower && box != row.upper)
            continue;
        const R::Side side = box == row.lower ? R::Side::Lower : R::Side::Upper;
        switch (event->type()) {
        case QEvent::FocusIn:
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
            return false;
        case QEvent::FocusOut:
            d->applyBounds(dim);
            return false;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key != Qt::Key_Up && key != Qt::Key_Down) || box->isReadOnly())
                return false;
            d->stepBound(dim, side, key == Qt::Key_Up ? 1 : -1);
            return true;
        }
        default:
            return false;
        }
    }
    return false;
}

} // namespace Velt
