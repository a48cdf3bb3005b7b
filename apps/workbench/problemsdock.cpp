#include "problemsdock.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QListWidget>
#include <QStyle>

namespace Workbench {

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
