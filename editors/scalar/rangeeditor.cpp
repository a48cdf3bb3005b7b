#include "rangeeditor.h"

#include "componentmacros.h"
#include "dialogpanel_p.h"
#include "itemproperties_p.h"
#include "rangefields_p.h"
#include "rangeitem_p.h"
#include "rangerules.h"
#include "stringitem_p.h"
#include "typeeditorbase_p.h"

#include "quen/quencore.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>
#include <span>

VELT_REGISTER_CLASS(RangeEditor, VisibleControl, "XCStructEditing", "")

namespace R = Velt::RangeRules;
namespace P = Velt::ItemProperties;
using R::Quantity;
using Velt::DialogPanel::label;
using Velt::DialogPanel::lineEdit;

namespace {

constexpr std::array<Quantity, 6> kQuantities{Quantity::Start, Quantity::Stop, Quantity::Center,
                                              Quantity::Span,  Quantity::Step, Quantity::Points};

std::size_t indexOf(Quantity quantity) { return std::size_t(quantity); }

} // namespace

class RangeEditorPrivate : public Velt::TypeEditorBasePrivate
{
    Q_DECLARE_PUBLIC(RangeEditor)

public:
    ~RangeEditorPrivate() override { releaseCopy(); }

    int32_t copy = 0; // the working copy of the open edit
    R::View view;
    std::array<QLineEdit*, 6> boxes{};
    std::array<QLabel*, 6> labels{};
    QRadioButton* startStopOption = nullptr;
    QRadioButton* centerSpanOption = nullptr;
    QRadioButton* stepSizeOption = nullptr;
    QRadioButton* pointsOption = nullptr;
    QLineEdit* units = nullptr;

    QLineEdit* box(Quantity quantity) const { return boxes[indexOf(quantity)]; }

    QWidget* buildPanel();
    void wire();

    void releaseCopy()
    {
        if (copy)
            QuenDataRelease(copy);
        copy = 0;
    }

    // The view's boxes take input, the others do not; the options show the view.
    void showView()
    {
        const std::array<Quantity, 3> shown = R::quantitiesOf(view);
        for (const Quantity quantity : kQuantities) {
            const bool enabled = std::find(shown.begin(), shown.end(), quantity) != shown.end();
            Velt::DialogPanel::setInputEnabled(box(quantity), labels[indexOf(quantity)], enabled);
        }
        (view.centerSpan ? centerSpanOption : startStopOption)->setChecked(true);
        (view.byStep ? stepSizeOption : pointsOption)->setChecked(true);
    }

    // Renders the copy's quantities into their boxes, all but the one being typed in.
    void render(std::span<const Quantity> quantities, const QLineEdit* typing = nullptr)
    {
        const R::Values values = Velt::RangeItem::values(copy);
        for (const Quantity quantity : quantities) {
            if (box(quantity) != typing)
                box(quantity)->setText(R::render(quantity, values));
        }
    }

    void updateSummary()
    {
        std::array<QString, 3> texts;
        const std::array<Quantity, 3> shown = R::quantitiesOf(view);
        for (std::size_t i = 0; i < shown.size(); ++i)
            texts[i] = box(shown[i])->text();
        const Velt::StatusLine line = R::summary(view, texts);
        showMessages(line.error, line.status);
    }

    void choose(R::View chosen)
    {
        if (!copy || chosen == view)
            return;
        view = chosen;
        render(R::quantitiesOf(view));
        showView();
        updateSummary();
    }

    void typed(Quantity quantity)
    {
        if (!copy)
            return;
        QLineEdit* const typing = box(quantity);
        const Velt::Parsed<double> read = R::parse(quantity, typing->text());
        if (!read.ok()) {
            showError(read.error);
            return;
        }
        if (!Velt::RangeItem::set(copy, quantity, read.value)) {
            showError(Velt::StringItem::takeCoreError());
            return;
        }
        // The core may have moved what the view shows beside the typed quantity (a new span
        // keeps the number of points, so the step follows): show what OK will store.
        render(R::quantitiesOf(view), typing);
        updateSummary();
    }
};

RangeEditor::RangeEditor(QWidget* parent)
    : TypeEditorBase(*new RangeEditorPrivate, QStringLiteral("CQuenRange"),
                     QStringLiteral("Range"), QStringLiteral("NumberList"), parent)
{
    Q_D(RangeEditor);
    setPanel(d->buildPanel());
    d->wire();
    setFieldTable(Velt::RangeFields::table());
}

RangeEditor::~RangeEditor() = default;

int32_t RangeEditor::workingCopy() const { return d_func()->copy; }

void RangeEditor::beginEdit(int32_t item)
{
    Q_D(RangeEditor);
    d->releaseCopy();
    d->units->setText(P::stringProperty(item, P::Units));
    d->units->setReadOnly(!d->designTime());
    d->copy = QuenDataCopy(item);
    // A plain copy carries no properties: the view comes from the item itself.
    d->view = Velt::RangeItem::view(item);
    d->render(kQuantities);
    d->showView();
    d->panel->updateGeometry();
    d->updateSummary();
}

void RangeEditor::acceptEdit(int32_t item)
{
    Q_D(RangeEditor);
    if (d->copy)
        Velt::RangeItem::store(item, d->view, Velt::RangeItem::values(d->copy));
    P::setStringProperty(item, P::Units, d->units->text());
    Velt::RangeItem::showCoreErrors();
    d->releaseCopy();
}

void RangeEditor::cancelEdit() { d_func()->releaseCopy(); }

QWidget* RangeEditorPrivate::buildPanel()
{
    Q_Q(RangeEditor);
    QWidget* panel = Velt::DialogPanel::panel("RangePanel");
    QVBoxLayout* layout = Velt::DialogPanel::columnOf(panel);

    startStopOption = new QRadioButton(RangeEditor::tr("St&art and stop"), panel);
    centerSpanOption = new QRadioButton(RangeEditor::tr("Ce&nter and span"), panel);
    stepSizeOption = new QRadioButton(RangeEditor::tr("&By step size"), panel);
    pointsOption = new QRadioButton(RangeEditor::tr("B&y number of points"), panel);
    const std::array<std::pair<QRadioButton*, const char*>, 4> options{{
        {startStopOption, "StartStopOption"},
        {centerSpanOption, "CenterSpanOption"},
        {stepSizeOption, "StepSizeOption"},
        {pointsOption, "PointsOption"},
    }};
    for (const auto& [option, name] : options) {
        option->setObjectName(QString::fromLatin1(name));
        option->setAccessibleName(option->text().remove(u'&'));
    }
    // Two choices, each of two options.
    auto* pairGroup = new QButtonGroup(q);
    pairGroup->addButton(startStopOption);
    pairGroup->addButton(centerSpanOption);
    auto* thirdGroup = new QButtonGroup(q);
    thirdGroup->addButton(stepSizeOption);
    thirdGroup->addButton(pointsOption);

    const std::array<std::pair<const char*, QString>, 6> named{{
        {"StartText", RangeEditor::tr("&Start:")},
        {"StopText", RangeEditor::tr("S&top:")},
        {"CenterText", RangeEditor::tr("C&enter:")},
        {"SpanText", RangeEditor::tr("S&pan:")},
        {"StepSizeText", RangeEditor::tr("Step si&ze:")},
        {"PointsText", RangeEditor::tr("Po&ints:")},
    }};
    for (std::size_t i = 0; i < named.size(); ++i) {
        boxes[i] = lineEdit(panel, named[i].first);
        labels[i] = label(named[i].second, boxes[i], panel);
        boxes[i]->setAccessibleName(R::caption(kQuantities[i]));
    }
    box(Quantity::Points)->setMaxLength(6);
    units = lineEdit(panel, "UnitsText");
    units->setAccessibleName(RangeEditor::tr("Units"));

    // One line per option: the option, then the boxes it enables, each with its label.
    auto* grid = new QGridLayout;
    const auto addLine = [&](int line, QRadioButton* option, std::initializer_list<Quantity> quantities) {
        grid->addWidget(option, line, 0);
        int column = 1;
        for (const Quantity quantity : quantities) {
            grid->addWidget(labels[indexOf(quantity)], line, column++);
            grid->addWidget(box(quantity), line, column++);
        }
    };
    addLine(0, startStopOption, {Quantity::Start, Quantity::Stop});
    addLine(1, centerSpanOption, {Quantity::Center, Quantity::Span});
    addLine(2, stepSizeOption, {Quantity::Step});
    addLine(3, pointsOption, {Quantity::Points});
    grid->addWidget(label(RangeEditor::tr("&Units:"), units, panel), 4, 1);
    grid->addWidget(units, 4, 2);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
    layout->addStretch();

    const QList<QWidget*> order{startStopOption, box(Quantity::Start), box(Quantity::Stop),
                                centerSpanOption, box(Quantity::Center), box(Quantity::Span),
                                stepSizeOption, box(Quantity::Step),
                                pointsOption, box(Quantity::Points), units};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    return panel;
}

void RangeEditorPrivate::wire()
{
    Q_Q(RangeEditor);
    const auto onChosen = [this, q](QRadioButton* option, auto change) {
        QObject::connect(option, &QRadioButton::toggled, q, [this, change](bool on) {
            if (!on)
                return;
            R::View chosen = view;
            change(chosen);
            choose(chosen);
        });
    };
    onChosen(startStopOption, [](R::View& v) { v.centerSpan = false; });
    onChosen(centerSpanOption, [](R::View& v) { v.centerSpan = true; });
    onChosen(stepSizeOption, [](R::View& v) { v.byStep = true; });
    onChosen(pointsOption, [](R::View& v) { v.byStep = false; });
    for (const Quantity quantity : kQuantities) {
        QObject::connect(box(quantity), &QLineEdit::textEdited, q,
                         [this, quantity] { typed(quantity); });
    }
}
