// velt-workbench [WORKSPACE.json] [--screenshot FILE.png]
// Opens a workspace (the bundled sample when none is given) in the workbench window. With
// --screenshot it lays the window out, saves a picture of it and exits (works offscreen).
#include "mainwindow.h"

#include "corehooks.h"
#include "dataeditorregistry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velt-workbench"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velt Workbench"));
    QApplication::setOrganizationName(QStringLiteral("VeltEditors"));
    QApplication::setApplicationVersion(QStringLiteral(VELT_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The VeltEditors workbench."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("workspace"),
                                 QStringLiteral("Workspace file to open (default: the sample)."),
                                 QStringLiteral("[workspace]"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the window and exit."),
                                        QStringLiteral("file"));
    parser.addOption(screenshot);
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "velt-workbench: %s\n\n%s", qPrintable(parser.errorText()),
                     qPrintable(parser.helpText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "velt-workbench: one workspace at a time\n");
        return 2;
    }

    Velt::installCoreHooks();
    DataEditorRegistry::instance(); // the pictures of the data classes
    const bool shooting = parser.isSet(screenshot);
    int status = 0;
    {
        Workbench::MainWindow window(Workbench::MainWindow::Options{!shooting});
        QString path = parser.positionalArguments().value(0);
        if (path.isEmpty())
            path = Workbench::MainWindow::sampleWorkspacePath();
        if (!path.isEmpty()) {
            const bool loaded = window.openWorkspace(QDir::current().absoluteFilePath(path));
            if (!loaded && shooting)
                status = 1;
        }
        window.show();
        if (shooting) {
            QApplication::processEvents();
            const QString file = parser.value(screenshot);
            if (!window.grab().save(file, "PNG")) {
                std::fprintf(stderr, "velt-workbench: cannot write %s\n", qPrintable(file));
                status = 1;
            }
        } else {
            status = QApplication::exec();
        }
    }
    DataEditorRegistry::unload();
    Velt::removeCoreHooks();
    QuenWorkspaceClear();
    return status;
}
