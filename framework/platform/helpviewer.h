// HelpViewer: the small window that shows the "VeltEditors" help, HTML pages compiled into the
// library's resources under qrc:/velteditors/help/. One viewer serves the whole process; it is
// created on first use and deletes itself when closed.
#pragma once

#include "velt_export.h"

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace Velt {

class VELT_EXPORT HelpViewer : public QDialog
{
    Q_OBJECT

public:
    // Shows (creating when needed) the viewer at a topic and returns it.
    static HelpViewer* showTopic(const QString& topic, QWidget* parent = nullptr);
    // The page for a topic: "qrc:/velteditors/help/<topic>.html" when the page exists,
    // otherwise the index page.
    static QUrl pageFor(const QString& topic);

    QUrl currentPage() const;

private:
    explicit HelpViewer(QWidget* parent = nullptr);
    QTextBrowser* m_browser;
};

} // namespace Velt
