// A host of the installed library: a symbol selector over a table of the core, and an integer
// editor created both directly and through the component registry. Exit status 0 when all of
// it works.
#include "componentregistry.h"
#include "int32editor.h"
#include "symbolselector.h"

#include "quen/quencore.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {

int failures = 0;

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "velt-consumer: %s\n", what);
        ++failures;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);

    const QuenHandle table = QuenTableCreate("Station");
    QuenPbDefAddParm(table, QuenParmCreate("Voltage", "CQuenInt32"));
    check(QuenTableRegAddTable(table, QUEN_TRUE) != QUEN_FALSE, "the core keeps the table");
    QuenPbRelease(table);

    SymbolSelector selector;
    selector.show();
    selector.setTableName("Station");
    selector.setSymbolName("voltage");
    check(selector.FullName() == QStringLiteral("Station.Voltage"), "the selector chooses");

    Int32Editor editor;
    editor.show();
    check(editor.findChild<QWidget*>(QStringLiteral("DataEditor")) != nullptr,
          "the integer editor embeds its data editor");
    std::unique_ptr<QObject> created(
        Velt::ComponentRegistry::instance().create(QStringLiteral("VeltEditors.Int32Editor")));
    check(qobject_cast<Int32Editor*>(created.get()) != nullptr,
          "the component registry creates the integer editor");

    QApplication::processEvents();
    QuenTableRegClear();
    return failures == 0 ? 0 : 1;
}
