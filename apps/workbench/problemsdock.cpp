#include "problemsdock.h"

#include "qtstrings.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QListWidget>
#include <QStyle>

namespace Workbench {

namespace {
constexpr int kPillRole = Qt::UserRole + 1; // the problem's handle, 0 for a plain message
}

ProblemsDock::ProblemsDock(QWidget* parent)
    : QDockWidget(tr("Problems"), parent), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("ProblemsDock"));
    m_list->setObjectName(QStringLiteral("ProblemsList"));
    m_list->setAlternatingRowColors(true);
    m_list->setWordWrap(true);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clearAction = new QAction(tr("C&lear Problems"), m_list);
    connect(clearAction, &QAction::triggered, this, &ProblemsDock::clear);
    m_list->addAction(clearAction);
    setWidget(m_list);
    updateTitle();
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (const auto pill = QuenHandle(item->data(kPillRole).toUInt()))
            Q_EMIT problemActivated(pill);
    });
}

void ProblemsDock::showPills(QuenHandle pills)
{
    for (int i = m_list->count() - 1; i >= 0; --i) {
        if (m_list->item(i)->data(kPillRole).toUInt())
            delete m_list->takeItem(i);
    }
    const int32_t size = pills ? QuenPillsGetSize(pills) : 0;
    for (int32_t i = 1; i <= size; ++i) {
        const QuenHandle pill = QuenPillsGetPill(pills, i);
        if (pill && QuenPillIsValid(pill)) {
            const QString text = quen::toQString(QuenPillGetProblemText(pill));
            auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_MessageBoxWarning), text);
            item->setData(kPillRole, uint(pill)); // the list keeps the problem alive
            item->setToolTip(tr("%1 (Enter or double-click shows the value)").arg(text));
            m_list->addItem(item);
        }
        if (pill)
            QuenPillRelease(pill);
    }
    updateTitle();
    Q_EMIT countChanged(count());
}

void ProblemsDock::addMessages(const QString& messages, Severity severity)
{
    QStyle::StandardPixmap icon = QStyle::SP_MessageBoxCritical;
    if (severity == Severity::Warning)
        icon = QStyle::SP_MessageBoxWarning;
    else if (severity == Severity::Information)
        icon = QStyle::SP_MessageBoxInformation;
    const QString when = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
    const QStringList lines = messages.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(style()->standardIcon(icon), line.trimmed());
        item->setToolTip(when + QLatin1String(": ") + line.trimmed());
        m_list->addItem(item);
    }
    if (!lines.isEmpty()) {
        m_list->scrollToBottom();
        updateTitle();
        Q_EMIT countChanged(count());
    }
}

int ProblemsDock::count() const
{
    return m_list->count();
}

QStringList ProblemsDock::messages() const
{
    QStringList result;
    for (int i = 0; i < m_list->count(); ++i)
        result << m_list->item(i)->text();
    return result;
}

void ProblemsDock::clear()
{
    m_list->clear();
    updateTitle();
    Q_EMIT countChanged(0);
}

void ProblemsDock::updateTitle()
{
    setWindowTitle(count() == 0 ? tr("Problems") : tr("Problems (%1)").arg(count()));
}

} // namespace Workbench
