#include "hovererrorform_p.h"

#include "hovererrorlayout.h"
#include "twips.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace Velt {

namespace {

QPointer<HoverErrorForm> fieldSlot;
QPointer<HoverErrorForm> nameSlot;

// The shared windows go with the application object.
void deleteForms()
{
    delete fieldSlot.data();
    delete nameSlot.data();
}

int twipsOr(int twips, const QWidget* widget, Qt::Orientation orientation)
{
    return twipsToPixels(twips, widget, orientation).value_or(0);
}

} // namespace

HoverErrorForm::HoverErrorForm(const QString& name)
    : QFrame(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_label(new QLabel(this))
{
    setObjectName(name);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);
    m_label->setObjectName(QStringLiteral("HoverErrorLabel"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setForegroundRole(QPalette::ToolTipText);
    m_label->setTextFormat(Qt::PlainText);
    m_label->installEventFilter(this);
}

HoverErrorForm* HoverErrorForm::shared(bool field)
{
    QPointer<HoverErrorForm>& slot = field ? fieldSlot : nameSlot;
    if (!slot) {
        if (!fieldSlot && !nameSlot)
            qAddPostRoutine(deleteForms);
        slot = new HoverErrorForm(field ? QStringLiteral("FieldHoverErrorForm")
                                        : QStringLiteral("NameHoverErrorForm"));
    }
    return slot;
}

HoverErrorForm* HoverErrorForm::fieldForm() { return shared(true); }

HoverErrorForm* HoverErrorForm::nameForm() { return shared(false); }

void HoverErrorForm::showMessage(const QString& message, QWidget* owner, QWidget* field,
                                 std::function<void()> cancel)
{
    m_owner = owner;
    m_cancel = std::move(cancel);
    m_label->setText(message);
    m_label->setAccessibleName(message);
    setAccessibleName(message);
    watch(field);
    place();
    show();
    raise();
}

void HoverErrorForm::hideFor(const QWidget* owner)
{
    if (owner && m_owner == owner) {
        hide();
        watch(nullptr);
    }
}

QWidget* HoverErrorForm::owner() const { return m_owner; }

QString HoverErrorForm::message() const { return m_label->text(); }

void HoverErrorForm::watch(QWidget* field)
{
    for (const QPointer<QWidget>& widget : std::as_const(m_watched))
        if (widget)
            widget->removeEventFilter(this);
    m_watched.clear();
    m_field = field;
    for (QWidget* widget = field; widget; widget = widget->parentWidget()) {
        widget->installEventFilter(this);
        m_watched.append(widget);
    }
}

void HoverErrorForm::place()
{
    if (!m_field)
        return;
    using namespace HoverErrorLayout;
    const QRect field(m_field->mapToGlobal(QPoint(0, 0)), m_field->size());
    QScreen* screen = QGuiApplication::screenAt(field.center());
    if (!screen)
        screen = m_field->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(field.topLeft(), QSize(4096, 4096));
    const QFontMetrics metrics(m_label->font());
    const int textWidth = metrics.horizontalAdvance(m_label->text());
    const int width = windowWidth(textWidth, field.width(), twipsOr(MinWidthTwips, m_field, Qt::Horizontal),
                                  twipsOr(MaxWidthTwips, m_field, Qt::Horizontal));
    const int height = windowHeight(textWidth, labelRect(QSize(width, 0)).width(), metrics.lineSpacing(),
                                    twipsOr(MaxHeightTwips, m_field, Qt::Vertical));
    setGeometry(placement(field, QSize(width, height), available));
}

void HoverErrorForm::resizeEvent(QResizeEvent* event)
{
    m_label->setGeometry(HoverErrorLayout::labelRect(size()));
    QFrame::resizeEvent(event);
}

void HoverErrorForm::requestCancel()
{
    if (m_owner && m_cancel)
        m_cancel();
    else
        hide();
}

void HoverErrorForm::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    requestCancel();
}

void HoverErrorForm::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    requestCancel();
}

bool HoverErrorForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label) {
        if (event->type() == QEvent::MouseButtonPress) {
            requestCancel();
            return true;
        }
        return false;
    }
    if (!isVisible())
        return false;
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize: place(); break;
    case QEvent::Hide:
        if (watched == m_field || (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()))
            hide();
        break;
    default: break;
    }
    return false;
}

} // namespace Velt
