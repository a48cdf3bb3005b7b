// UpDown: the small pair of arrow buttons beside a number box that steps it up or down (the
// integer editor's choice list bounds, the real editor's precision). It only reports the
// clicks, repeating while held; the editor decides what a step means.
#pragma once

#include "velt_export.h"

#include <QWidget>

class QToolButton;

namespace Velt {

class VELT_EXPORT UpDown : public QWidget
{
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

Q_SIGNALS:
    void up();
    void down();

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace Velt
