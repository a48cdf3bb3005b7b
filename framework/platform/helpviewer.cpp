#include "helpviewer.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace Velt {

namespace {
QPointer<HelpViewer> s_viewer;
const QString HelpRoot = QStringLiteral(":/velteditors/help/");
} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent), m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("VeltEditors Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(560, 480);
}

QUrl HelpViewer::pageFor(const QString& topic)
{
    const QString name = topic.trimmed().toLower();
    const bool known = !name.isEmpty() && !name.contains(u'/')
        && QFile::exists(HelpRoot + name + QStringLiteral(".html"));
    return QUrl(QStringLiteral("qrc") + HelpRoot + (known ? name : QStringLiteral("index"))
                + QStringLiteral(".html"));
}

HelpViewer* HelpViewer::showTopic(const QString& topic, QWidget* parent)
{
    if (!s_viewer)
        s_viewer = new HelpViewer(parent);
    s_viewer->m_browser->setSource(pageFor(topic));
    s_viewer->show();
    s_viewer->raise();
    s_viewer->activateWindow();
    return s_viewer;
}

QUrl HelpViewer::currentPage() const { return m_browser->source(); }

} // namespace Velt
