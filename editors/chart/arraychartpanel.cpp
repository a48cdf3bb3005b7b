#include "arraychartpanel.h"

#include "busycursor.h"
#include "chartplotter_p.h"
#include "chartseriesrules.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace Velt {

namespace {
// The picture size of savePng while the panel has not been laid out.
constexpr QSize kDefaultPictureSize(800, 600);
} // namespace

struct ArrayChartPanel::Private
{
    ChartPlane plane;
    bool byRow = false;
    std::unique_ptr<ChartPlotter> plotter;
    QButtonGroup* options = nullptr;
};

ArrayChartPanel::ArrayChartPanel(QWidget* parent) : QWidget(parent), d(new Private)
{
    auto* viewBy = new QGroupBox(tr("View by"), this);
    viewBy->setObjectName(QStringLiteral("RCMajorOption"));
    auto* byColumn = new QRadioButton(tr("Colu&mn"), viewBy);
    byColumn->setObjectName(QStringLiteral("RCMajorOption0"));
    byColumn->setChecked(true);
    auto* byRow = new QRadioButton(tr("&Row"), viewBy);
    byRow->setObjectName(QStringLiteral("RCMajorOption1"));
    auto* optionLayout = new QHBoxLayout(viewBy);
    optionLayout->addWidget(byColumn);
    optionLayout->addWidget(byRow);
    d->options = new QButtonGroup(this);
    d->options->addButton(byColumn, 0);
    d->options->addButton(byRow, 1);
    connect(d->options, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            setByRow(id == 1);
    });

    auto* copyButton = new QPushButton(tr("&Copy"), this);
    copyButton->setObjectName(QStringLiteral("CopyButton"));
    copyButton->setAccessibleDescription(tr("Copies the chart's picture to the clipboard"));
    connect(copyButton, &QPushButton::clicked, this, &ArrayChartPanel::copy);
    auto* printButton = new QPushButton(tr("&Print..."), this);
    printButton->setObjectName(QStringLiteral("PrintButton"));
    printButton->setAccessibleDescription(tr("Shows a print preview of the chart"));
    connect(printButton, &QPushButton::clicked, this, &ArrayChartPanel::print);

    d->plotter = ChartPlotter::create(this);
    QWidget* view = d->plotter->view();
    view->setObjectName(QStringLiteral("Chart"));
    view->setAccessibleName(tr("Chart"));
    view->setAccessibleDescription(
        tr("Plus and minus zoom, the arrow keys scroll, Home shows the whole chart"));

    auto* hint = new QLabel(tr("To zoom and scroll, press Help."), this);
    hint->setObjectName(QStringLiteral("HintLabel"));

    auto* top = new QHBoxLayout;
    top->addWidget(viewBy);
    top->addStretch();
    top->addWidget(copyButton, 0, Qt::AlignBottom);
    top->addWidget(printButton, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view, 1);
    layout->addWidget(hint);

    setTabOrder(byColumn, byRow);
    setTabOrder(byRow, copyButton);
    setTabOrder(copyButton, printButton);
    setTabOrder(printButton, view);
    refresh();
}

ArrayChartPanel::~ArrayChartPanel() = default;

void ArrayChartPanel::setPlane(const ChartPlane& plane)
{
    d->plane = plane;
    refresh();
}

ChartPlane ArrayChartPanel::plane() const
{
    return d->plane;
}

bool ArrayChartPanel::byRow() const
{
    return d->byRow;
}

void ArrayChartPanel::setByRow(bool byRow)
{
    if (d->byRow == byRow)
        return;
    d->byRow = byRow;
    d->options->button(byRow ? 1 : 0)->setChecked(true);
    refresh();
    Q_EMIT byRowChanged(byRow);
}

void ArrayChartPanel::refresh()
{
    const BusyCursor busy;
    const ChartSeriesRules::Layout layout = ChartSeriesRules::layout(d->plane, d->byRow);
    PlotData data;
    data.horizontalTitle = layout.horizontalTitle;
    data.verticalTitle = layout.verticalTitle;
    data.valueLabel = [](double value) { return ChartSeriesRules::formatValueLabel(value); };
    data.series.reserve(layout.series.size());
    for (const ChartSeriesRules::Series& series : layout.series)
        data.series.append({series.title, ChartSeriesRules::seriesPoints(d->plane, d->byRow, series.index)});
    d->plotter->setData(data);
    if (!layout.status.isEmpty())
        Q_EMIT statusMessage(layout.status);
}

QImage ArrayChartPanel::image(const QSize& size) const
{
    const BusyCursor busy;
    return d->plotter->image(size);
}

bool ArrayChartPanel::savePng(const QString& path, QString* error, const QSize& size)
{
    const auto fail = [&](const QString& why) {
        const QString text = tr("Cannot save the chart to %1: %2").arg(QDir::toNativeSeparators(path), why);
        if (error)
            *error = text;
        Q_EMIT errorMessage(text);
        return false;
    };
    QSize pictureSize = size;
    if (pictureSize.isEmpty())
        pictureSize = d->plotter->view()->isVisible() ? d->plotter->view()->size() : kDefaultPictureSize;
    const QImage picture = image(pictureSize);
    if (picture.isNull())
        return fail(tr("the picture could not be drawn at %1 x %2").arg(pictureSize.width()).arg(pictureSize.height()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!picture.save(&file, "PNG")) {
        file.cancelWriting();
        return fail(file.errorString().isEmpty() ? tr("the picture could not be written") : file.errorString());
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

void ArrayChartPanel::copy()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    QWidget* view = d->plotter->view();
    const qreal dpr = view->devicePixelRatioF();
    const QSize size = view->size().isEmpty() ? kDefaultPictureSize : view->size();
    const BusyCursor busy;
    const QImage picture = d->plotter->image(size * dpr, dpr);
    if (!clipboard || picture.isNull()) {
        Q_EMIT errorMessage(tr("The chart could not be copied to the clipboard"));
        return;
    }
    clipboard->setImage(picture);
}

void ArrayChartPanel::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("ChartPrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        const BusyCursor busy;
        QPainter painter(target);
        // The page gets the chart at the view's proportions, as large as it fits.
        const QRectF page = target->pageLayout().paintRectPixels(target->resolution());
        QSizeF shape = d->plotter->view()->size().isEmpty() ? QSizeF(kDefaultPictureSize)
                                                             : QSizeF(d->plotter->view()->size());
        shape.scale(page.size(), Qt::KeepAspectRatio);
        // Draw in screen-sized units so fonts and lines keep their proportions on paper.
        const qreal scale = shape.width() / QSizeF(kDefaultPictureSize).width();
        painter.scale(scale, scale);
        d->plotter->render(&painter, QRectF(QPointF(0, 0), shape / scale));
    });
    preview.exec();
}

} // namespace Velt
