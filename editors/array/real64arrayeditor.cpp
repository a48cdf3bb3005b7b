#include "real64arrayeditor.h"

#include "arraychartpanel.h"
#include "componentmacros.h"
#include "numericarrayeditor_p.h"
#include "numericarrayfields_p.h"
#include "platformservices.h"

VELT_REGISTER_CLASS(Real64ArrayEditor, VisibleControl, "XCStructEditing", "")

class Real64ArrayEditorPrivate : public Velt::NumericArrayEditorPrivate<Velt::Real64ArrayTraits>
{
    Q_DECLARE_PUBLIC(Real64ArrayEditor)

public:
    Velt::ArrayChartPanel* chart = nullptr;
    QWidget* viewPage = nullptr;

    bool option() const override { return chart->byRow(); }
    void loadOption(const bool& byRow) override { chart->setByRow(byRow); }

    void buildView();
    // Draws the plane shown in the grid, while the "View" tab is up.
    void drawChart();
    void shapeChanged() override { drawChart(); }
    void valuesChanged() override { drawChart(); }
};

void Real64ArrayEditorPrivate::buildView()
{
    Q_Q(Real64ArrayEditor);
    viewPage = new QWidget;
    viewPage->setObjectName(QStringLiteral("ViewPage"));
    auto* column = new QVBoxLayout(viewPage);
    chart = new Velt::ArrayChartPanel(viewPage);
    chart->setObjectName(QStringLiteral("ArrayChart"));
    column->addWidget(chart);
    tabs->addTab(viewPage, tr("View"));
    QObject::connect(tabs, &QTabWidget::currentChanged, q, [this] { drawChart(); });
    QObject::connect(unitsPerRow, &QCheckBox::toggled, q, [this] { drawChart(); });
    QObject::connect(chart, &Velt::ArrayChartPanel::statusMessage, q,
                     [this](const QString& text) { showStatus(text); });
    QObject::connect(chart, &Velt::ArrayChartPanel::errorMessage, q,
                     [this](const QString& text) { showError(text); });
}

void Real64ArrayEditorPrivate::drawChart()
{
    if (tabs->currentWidget() != viewPage || !numbers()->copy().active())
        return;
    if (unitsPerRow->isChecked()) {
        Velt::PlatformServices::instance().messageBox(tr("feature is not implemented"));
        return;
    }
    const Velt::ArrayShape shape = numbers()->shape();
    if (shape.dimensions < 1 || shape.dimensions > Velt::MaxArrayDimensions) {
        showError(tr("Cannot view more than 3 dimensions"));
        return;
    }
    const int plane = model->plane();
    const Velt::NumericArrayBuffer<Velt::Real64ArrayTraits>* values = numbers();
    Velt::ChartPlane drawn;
    drawn.rowLower = values->lower(0);
    drawn.rowUpper = values->upper(0);
    drawn.columnLower = shape.dimensions > 1 ? values->lower(1) : 0;
    drawn.columnUpper = shape.dimensions > 1 ? values->upper(1) : 0;
    drawn.value = [values, plane](int row, int column) {
        return values->value({row, column, plane});
    };
    drawn.units = units->text().trimmed();
    chart->setPlane(drawn);
}

Real64ArrayEditor::Real64ArrayEditor(QWidget* parent)
    : ArrayEditorBase(*new Real64ArrayEditorPrivate, QStringLiteral("CQuenReal64Array"),
                      QStringLiteral("Real Array"), QStringLiteral("CQuenReal64Array"), parent)
{
    Q_D(Real64ArrayEditor);
    d->setUp("Real64ArrayList", "Real64ArrayEditText");
    d->buildView();
    setPanel(d->frame);
    setFieldTable(Velt::NumericArrayFields::real64Table());
}

Real64ArrayEditor::~Real64ArrayEditor() = default;

Velt::ArrayChartPanel* Real64ArrayEditor::chart() const { return d_func()->chart; }

void Real64ArrayEditor::beginEdit(int32_t item) { d_func()->begin(item); }

void Real64ArrayEditor::acceptEdit(int32_t item) { d_func()->accept(item); }

void Real64ArrayEditor::cancelEdit() { d_func()->cancel(); }
