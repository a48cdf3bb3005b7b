// The parameter block editor at the data's limit, 32767 parameters, beside a bare QTreeView over a
// trivial lazy model of the same shape in the same run:
//   - build and first paint (the block is made once, outside the timing);
//   - expanding one parameter, moving the current cell, opening and accepting the value editor;
//   - moving the current row through the list, with the field objects created after warm-up as
//     a counter (the pool makes it 0) and the process's peak resident memory in MiB.
#include "benchmain.h"
#include "parmblockeditor.h"
#include "parmfieldeditor.h"
#include "xcstructeditfields.h"

#include "quen/quencore.h"

#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTreeView>

#include <sys/resource.h>

namespace {

constexpr int kParameters = 32767;

// The floor: four columns of short texts made on demand, one child row under each row.
class TrivialModel : public QAbstractItemModel
{
public:
    QModelIndex index(int row, int column, const QModelIndex& parent) const override
    {
        if (parent.isValid())
            return parent.internalId() == 0 && row == 0 ? createIndex(row, column, quintptr(parent.row()) + 1) : QModelIndex();
        return createIndex(row, column, quintptr(0));
    }
    QModelIndex parent(const QModelIndex& child) const override
    {
        return child.internalId() == 0 ? QModelIndex() : createIndex(int(child.internalId() - 1), 0, quintptr(0));
    }
    int rowCount(const QModelIndex& parent) const override
    {
        if (!parent.isValid())
            return kParameters;
        return parent.internalId() == 0 && parent.column() == 0 ? 1 : 0;
    }
    int columnCount(const QModelIndex&) const override { return 4; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return QStringLiteral("P%1.%2").arg(index.row()).arg(index.column());
    }
};

QuenHandle bigBlock()
{
    static const QuenHandle block = [] {
        const QuenHandle made = QuenPbDefCreate();
        for (int i = 0; i < kParameters; ++i) {
            const QuenHandle parm = QuenParmCreate(QByteArray("P" + QByteArray::number(i)).constData(), "CQuenInt32");
            QuenInt32SetValue(QuenParmGetData(parm), i);
            QuenPbDefAddParm(made, parm);
        }
        return made;
    }();
    return block;
}

void paint(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void peakMemory(benchmark::State& state)
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}

void BM_Floor_BareTreeView_BuildAndPaint(benchmark::State& state)
{
    TrivialModel model;
    for (auto _ : state) {
        QTreeView view;
        view.setUniformRowHeights(true);
        view.resize(800, 600);
        view.setModel(&model);
        paint(view);
    }
    peakMemory(state);
}
BENCHMARK(BM_Floor_BareTreeView_BuildAndPaint)->Unit(benchmark::kMillisecond);

void BM_ParmBlockEditor_BuildAndPaint(benchmark::State& state)
{
    const QuenHandle block = bigBlock();
    for (auto _ : state) {
        ParmBlockEditor editor;
        editor.resize(800, 600);
        editor.EditParameterBlockDefinition(int(block));
        paint(editor);
    }
    peakMemory(state);
}
BENCHMARK(BM_ParmBlockEditor_BuildAndPaint)->Unit(benchmark::kMillisecond);

// One editor for the interaction benchmarks, loaded once.
ParmBlockEditor& loaded()
{
    static ParmBlockEditor* editor = [] {
        auto* made = new ParmBlockEditor;
        made->resize(800, 600);
        made->EditParameterBlockDefinition(int(bigBlock()));
        paint(*made);
        return made;
    }();
    return *editor;
}

void BM_Floor_BareTreeView_ExpandOne(benchmark::State& state)
{
    TrivialModel model;
    QTreeView view;
    view.setUniformRowHeights(true);
    view.resize(800, 600);
    view.setModel(&model);
    int row = 0;
    for (auto _ : state) {
        const QModelIndex index = model.index(row++ % kParameters, 0, {});
        view.expand(index);
        paint(view);
        view.collapse(index);
    }
}
BENCHMARK(BM_Floor_BareTreeView_ExpandOne)->Unit(benchmark::kMicrosecond);

void BM_ParmBlockEditor_ExpandOne(benchmark::State& state)
{
    ParmBlockEditor& editor = loaded();
    QTreeView* view = editor.list();
    int row = 0;
    for (auto _ : state) {
        const QModelIndex index = view->model()->index(row++ % kParameters, 0);
        view->expand(index);
        paint(editor);
        view->collapse(index);
    }
}
BENCHMARK(BM_ParmBlockEditor_ExpandOne)->Unit(benchmark::kMicrosecond);

void BM_ParmBlockEditor_MoveCurrentCell(benchmark::State& state)
{
    ParmBlockEditor& editor = loaded();
    QTreeView* view = editor.list();
    int step = 0;
    for (auto _ : state) {
        view->setCurrentIndex(view->model()->index((step * 997) % kParameters, step % 4));
        ++step;
        paint(editor);
    }
}
BENCHMARK(BM_ParmBlockEditor_MoveCurrentCell)->Unit(benchmark::kMicrosecond);

void BM_ParmBlockEditor_OpenAndAcceptValueEditor(benchmark::State& state)
{
    ParmBlockEditor& editor = loaded();
    int row = 0;
    for (auto _ : state) {
        editor.EditCell(1, 1 + (row++ * 131) % kParameters, 0);
        editor.findChild<ParmFieldEditor*>()->setText(QString::number(row));
        editor.EndInplaceEditing(true);
        paint(editor);
    }
}
BENCHMARK(BM_ParmBlockEditor_OpenAndAcceptValueEditor)->Unit(benchmark::kMicrosecond);

// Page by page through the whole list: every row is bound on the way. After the first pass the
// pooled collections and fields are reused, so no field object is created.
void BM_ParmBlockEditor_ScrollThroughList(benchmark::State& state)
{
    ParmBlockEditor& editor = loaded();
    QTreeView* view = editor.list();
    const auto pass = [&] {
        for (int row = 0; row < kParameters; row += 25) {
            view->scrollTo(view->model()->index(row, 0), QAbstractItemView::PositionAtTop);
            paint(editor);
        }
    };
    pass();
    const quint64 before = XCStructEditFields::fieldObjectsCreated();
    for (auto _ : state)
        pass();
    state.counters["fields_created_after_warmup"] = double(XCStructEditFields::fieldObjectsCreated() - before);
    peakMemory(state);
}
BENCHMARK(BM_ParmBlockEditor_ScrollThroughList)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char** argv)
{
    return VeltBench::runWidgetBenchmarks(argc, argv);
}
