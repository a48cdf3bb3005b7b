// The string array editor at the data's limit, 65,535 elements, beside the plain Qt floor in
// the same run:
//   - opening the dialog on the array and painting it, beside a bare QTableView over a
//     trivial model of 65,535 rows and beside reading every element from the core (the array
//     is made once, outside the timing);
//   - pasting 65,535 lines into the grid (the dry run that checks every cell, then the
//     writing run), beside splitting the same text and assigning it to a std::vector.
#include "benchmain.h"
#include "countingdataeditorsite.h"
#include "dataeditor.h"
#include "stringarrayeditor.h"
#include "xcdialogdataediting.h"

#include "quen/quencore.h"

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QStringList>
#include <QTableView>

#include <vector>

namespace {

constexpr int kElements = 65535;

class TrivialModel : public QAbstractTableModel
{
public:
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kElements; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("S%1").arg(index.row())) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return orientation == Qt::Vertical ? QVariant(QString::number(section)) : QVariant(QStringLiteral("String value"));
    }
};

QuenHandle bigArray()
{
    static const QuenHandle array = [] {
        // Bounds are 16-bit: 65,535 elements run from -32768 to 32766.
        const QuenHandle made = QuenStrArrCreate(-32768, -32768 + kElements - 1);
        for (int i = 0; i < kElements; ++i)
            QuenStrArrSetAt1(made, -32768 + i, QByteArray("S" + QByteArray::number(i)).constData());
        return made;
    }();
    return array;
}

const QString& pasteText()
{
    static const QString text = [] {
        QStringList lines;
        lines.reserve(kElements);
        for (int i = 0; i < kElements; ++i)
            lines << QStringLiteral("P%1").arg(i);
        return lines.join(u'\n');
    }();
    return text;
}

void paint(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    widget.render(&image);
    benchmark::DoNotOptimize(image.constBits());
}

void BM_Floor_BareTableView_OpenAndPaint(benchmark::State& state)
{
    TrivialModel model;
    for (auto _ : state) {
        QTableView view;
        view.resize(600, 400);
        view.setModel(&model);
        paint(view);
    }
}
BENCHMARK(BM_Floor_BareTableView_OpenAndPaint)->Unit(benchmark::kMillisecond);

// What opening must read from the core at the least: every element, as a QString.
void BM_Floor_CoreReads(benchmark::State& state)
{
    const QuenHandle array = bigArray();
    std::vector<QString> values(kElements);
    for (auto _ : state) {
        for (int i = 0; i < kElements; ++i)
            values[size_t(i)] = QString::fromUtf8(QuenStrArrGetAt1(array, -32768 + i));
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(BM_Floor_CoreReads)->Unit(benchmark::kMillisecond);

void BM_StringArrayEditor_OpenAndPaint(benchmark::State& state)
{
    const QuenHandle array = bigArray();
    for (auto _ : state) {
        StringArrayEditor editor;
        CountingDataEditorSite site;
        editor.resize(600, 400);
        editor.host()->dialogEditing()->EditData(&site, array, 0, true, false);
        paint(editor);
        editor.host()->dialogEditing()->CancelEdit();
    }
}
BENCHMARK(BM_StringArrayEditor_OpenAndPaint)->Unit(benchmark::kMillisecond);

void BM_Floor_SplitAndAssign(benchmark::State& state)
{
    const QString& text = pasteText();
    std::vector<QString> values(kElements);
    for (auto _ : state) {
        const QStringList lines = text.split(u'\n');
        for (int i = 0; i < kElements; ++i)
            values[size_t(i)] = lines.at(i);
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(BM_Floor_SplitAndAssign)->Unit(benchmark::kMillisecond);

void BM_StringArrayEditor_Paste(benchmark::State& state)
{
    StringArrayEditor editor;
    CountingDataEditorSite site;
    editor.resize(600, 400);
    editor.host()->dialogEditing()->EditData(&site, bigArray(), 0, true, false);
    auto* grid = editor.findChild<QTableView*>(QStringLiteral("StringArrayList"));
    auto* paste = grid->findChild<QAction*>(QStringLiteral("PasteAction"));
    QGuiApplication::clipboard()->setText(pasteText());
    for (auto _ : state) {
        grid->setCurrentIndex(grid->model()->index(0, 0));
        grid->clearSelection();
        paste->trigger();
    }
    if (grid->model()->index(kElements - 1, 0).data().toString() != QStringLiteral("P65534"))
        state.SkipWithError("the paste did not reach the last element");
    editor.host()->dialogEditing()->CancelEdit();
}
BENCHMARK(BM_StringArrayEditor_Paste)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return VeltBench::runWidgetBenchmarks(argc, argv);
}
