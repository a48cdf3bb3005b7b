// velt-script [--show] [--workspace FILE] SCRIPT.js
// Runs a script against the library: exit 0 when it ends, 1 on an uncaught exception, 2 on bad
// usage (no script, unreadable script, unknown option, workspace that does not load).
#include "scripthost.h"

#include "corehooks.h"
#include "dataeditorregistry.h"

#include "quen/quencore.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kUsage =
    "usage: velt-script [--show] [--workspace FILE] SCRIPT.js\n"
    "  --workspace FILE  load a workspace before the script runs\n"
    "  --show            show windows (default: offscreen)\n";

struct Options
{
    bool show = false;
    bool help = false;
    std::string workspace;
    std::string script;
    std::string error;
};

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--show") == 0) {
            o.show = true;
        } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            o.help = true;
        } else if (std::strcmp(arg, "--workspace") == 0) {
            if (i + 1 >= argc) {
                o.error = "--workspace needs a file";
                return o;
            }
            o.workspace = argv[++i];
        } else if (std::strncmp(arg, "--workspace=", 12) == 0) {
            o.workspace = arg + 12;
        } else if (arg[0] == '-' && arg[1] != '\0') {
            o.error = std::string("unknown option ") + arg;
            return o;
        } else if (o.script.empty()) {
            o.script = arg;
        } else {
            o.error = std::string("unexpected argument ") + arg;
            return o;
        }
    }
    if (!o.help && o.script.empty())
        o.error = "no script given";
    return o;
}

int badUsage(const std::string& why)
{
    std::fprintf(stderr, "velt-script: %s\n%s", why.c_str(), kUsage);
    return VeltScript::ScriptHost::BadUsage;
}

// Every message the core holds, oldest first, one per line.
std::string takeCoreErrors()
{
    std::string text;
    int32_t code = 0;
    const char* message = nullptr;
    while (QuenExcRegReceiveError(&code, &message) != QUEN_FALSE) {
        if (!text.empty())
            text += '\n';
        text += message ? message : "";
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!options.error.empty())
        return badUsage(options.error);

    // Scripts run without a display unless asked to show windows or told where to draw.
    if (!options.show && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velt-script"));
    QApplication::setOrganizationName(QStringLiteral("VeltEditors"));
    Velt::installCoreHooks();

    const QString scriptPath = QString::fromLocal8Bit(options.script.c_str());
    QFile file(scriptPath);
    if (!file.open(QIODevice::ReadOnly))
        return badUsage("cannot read " + options.script + ": " + file.errorString().toStdString());
    const QString source = QString::fromUtf8(file.readAll());

    if (!options.workspace.empty()) {
        QuenExcRegClearError(0);
        const QByteArray path = QString::fromLocal8Bit(options.workspace.c_str()).toUtf8();
        if (QuenWorkspaceLoad(path.constData()) == QUEN_FALSE) {
            const std::string why = takeCoreErrors();
            std::fprintf(stderr, "velt-script: cannot load workspace %s%s%s\n",
                         options.workspace.c_str(), why.empty() ? "" : ": ", why.c_str());
            return VeltScript::ScriptHost::BadUsage;
        }
    }

    int status = 0;
    {
        VeltScript::ScriptHost host;
        status = host.evaluate(source, scriptPath);
        // Shown windows stay up until the user closes them.
        if (status == VeltScript::ScriptHost::Finished && options.show) {
            bool visible = false;
            for (QWidget* w : QApplication::topLevelWidgets())
                visible = visible || w->isVisible();
            if (visible)
                QApplication::exec();
        }
    }
    if (DataEditorRegistry::isLoaded())
        DataEditorRegistry::unload();
    Velt::removeCoreHooks();
    QuenWorkspaceClear();
    return status;
}
