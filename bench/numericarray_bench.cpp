// The real array editor at the element limit (65535 reals): opening the dialog on the array
// (deep copy, grid and first paint) beside a bare QTableView over a trivial model of the same
// size, pasting 65535 values from the clipboard into the grid, and moving a bound by one (a
// redimension of the deep copy that keeps every value by index, and the grid rebuilt).
#include "benchmain.h"
#include "arraygridmodel_p.h"
#include "componentregistry.h"
#include "corehooks.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "typeeditorbase.h"
#include "updown_p.h"
#include "xcdialogdataediting.h"

#include "quen/quencore.h"

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTableView>

#include <memory>

namespace {

constexpr int Elements = 65535;
constexpr int First = -32768;

// A table of Elements rows and one column whose cells are their row number.
class TrivialModel : public QAbstractTableModel
{
public:
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : Elements; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(QString::number(index.row())) : QVariant();
    }
};

struct RealArray
{
    explicit RealArray(int elements)
    {
        // Bounds are 16-bit: the whole range but one index for the largest array.
        item = QuenR64ArrCreate(First, First + elements - 1);
        for (int32_t i = 0; i < elements; ++i)
            QuenR64ArrSetAt1(item, First + i, i * 0.5);
    }
    ~RealArray() { QuenDataRelease(item); }
    QuenHandle item = 0;
};

// A real array editor, shown, with an edit of the array in progress.
struct OpenEditor
{
    explicit OpenEditor(int elements = Elements) : array(elements)
    {
        editor.reset(qobject_cast<Velt::TypeEditorBase*>(
            Velt::ComponentRegistry::instance().create(QStringLiteral("VeltEditors.Real64ArrayEditor"))));
        editor->resize(800, 600);
        editor->show();
        open();
    }
    ~OpenEditor() { close(); }
    DataEditor* host() const { return editor->findChild<DataEditor*>(QStringLiteral("DataEditor")); }
    void open()
    {
        site = std::make_unique<CountingDataEditorSite>();
        host()->dialogEditing()->EditData(site.get(), array.item, 0, true, false);
    }
    void close() { host()->dialogEditing()->CancelEdit(); }
    QTableView* grid() const { return editor->findChild<QTableView*>(QStringLiteral("Real64ArrayList")); }

    RealArray array;
    std::unique_ptr<Velt::TypeEditorBase> editor;
    std::unique_ptr<CountingDataEditorSite> site;
};

// The floor: a shown view is given the model again and paints its first page.
void BM_OpenBareTableView(benchmark::State& state)
{
    TrivialModel model;
    QTableView view;
    view.resize(800, 600);
    view.show();
    for (auto _ : state) {
        view.setModel(nullptr);
        view.setModel(&model);
        view.repaint();
    }
    state.counters["rows"] = view.model()->rowCount();
}
BENCHMARK(BM_OpenBareTableView)->Unit(benchmark::kMillisecond);

// The shown editor ends its edit and begins one on the array: deep copy, bounds, grid, status,
// and the first page painted. With one element, what opening costs whatever the size.
void BM_OpenRealArrayDialog(benchmark::State& state)
{
    OpenEditor open(int(state.range(0)));
    for (auto _ : state) {
        open.close();
        open.open();
        open.grid()->repaint();
    }
    state.counters["rows"] = open.grid()->model()->rowCount();
}
BENCHMARK(BM_OpenRealArrayDialog)->Arg(Elements)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PasteRealArray(benchmark::State& state)
{
    OpenEditor open;
    QStringList lines;
    for (int i = 0; i < Elements; ++i)
        lines << QString::number(i * 0.25);
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
    QTableView* grid = open.grid();
    for (auto _ : state) {
        grid->setCurrentIndex(grid->model()->index(0, 0));
        grid->clearSelection();
        QMetaObject::invokeMethod(grid, "pasteRequested");
    }
    const QAbstractItemModel* model = grid->model();
    if (!open.host()->ErrorMessage().isEmpty())
        state.SkipWithError(open.host()->ErrorMessage().toUtf8().constData());
    else if (model->index(Elements - 1, 0).data().toString() != QStringLiteral("16383.5"))
        state.SkipWithError("the last value was not pasted");
}
BENCHMARK(BM_PasteRealArray)->Unit(benchmark::kMillisecond);

void BM_RedimensionRealArray(benchmark::State& state)
{
    OpenEditor open;
    QObject* upDown = nullptr;
    QMetaObject::invokeMethod(open.editor.get(), "UpperUpDown", Q_RETURN_ARG(QObject*, upDown), Q_ARG(int, 0));
    auto* upper = static_cast<Velt::UpDown*>(upDown);
    bool down = true;
    int moves = 0;
    for (auto _ : state) {
        // The last index goes down by one, dropping the last element, and back: 65534 values
        // are kept each time.
        if (down)
            Q_EMIT upper->down();
        else
            Q_EMIT upper->up();
        down = !down;
        moves += open.grid()->model()->rowCount() == (down ? Elements : Elements - 1);
    }
    if (moves != int(state.iterations()))
        state.SkipWithError("the bound did not move");
}
BENCHMARK(BM_RedimensionRealArray)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return VeltBench::runWidgetBenchmarks(argc, argv, [] { Velt::installCoreHooks(); });
}
