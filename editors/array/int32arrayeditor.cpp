#include "int32arrayeditor.h"

#include "componentmacros.h"
#include "int32rules.h"
#include "numericarrayeditor_p.h"
#include "numericarrayfields_p.h"

#include <QButtonGroup>
#include <QRadioButton>

VELT_REGISTER_CLASS(Int32ArrayEditor, VisibleControl, "XCStructEditing", "")

namespace R = Velt::Int32Rules;

class Int32ArrayEditorPrivate : public Velt::NumericArrayEditorPrivate<Velt::Int32ArrayTraits>
{
    Q_DECLARE_PUBLIC(Int32ArrayEditor)

public:
    QButtonGroup* views = nullptr;

    QString option() const override { return numbers()->rendering(); }
    void loadOption(const QString& view) override
    {
        numbers()->setRendering(view);
        const qsizetype at = R::dialogViewNames().indexOf(view);
        if (at >= 0)
            views->button(int(at))->setChecked(true);
    }

    void buildViews(QWidget* page);
    void viewChosen(const QString& view);
};

void Int32ArrayEditorPrivate::buildViews(QWidget* page)
{
    auto* box = new QGroupBox(tr("View as"), page);
    box->setObjectName(QStringLiteral("ViewAsFrame"));
    auto* layout = new QGridLayout(box);
    views = new QButtonGroup(page);
    const std::pair<const char*, const char*> choices[] = {
        {"ViewAsDecimalOption", "&Decimal"},
        {"ViewAsOctalOption", "&Octal"},
        {"ViewAsHexOption", "&Hexadecimal"},
        {"ViewAsOctalVBOption", "VB O&ctal (&&o)"},
        {"ViewAsHexVBOption", "VB He&xadecimal (&&h)"}};
    int id = 0;
    for (const auto& [name, caption] : choices) {
        auto* option = new QRadioButton(tr(caption), box);
        option->setObjectName(QString::fromLatin1(name));
        views->addButton(option, id);
        layout->addWidget(option, id % 3, id / 3);
        ++id;
    }
    views->button(0)->setChecked(true);
    static_cast<QVBoxLayout*>(page->layout())->insertWidget(0, box);
    QObject::connect(views, &QButtonGroup::idClicked, page,
                     [this](int chosen) { viewChosen(R::dialogViewNames().at(chosen)); });
}

void Int32ArrayEditorPrivate::viewChosen(const QString& view)
{
    if (view == numbers()->rendering())
        return;
    endCellEdit(true);
    numbers()->setRendering(view);
    refreshCells();
    renderRestriction();
    updateStatus();
}

Int32ArrayEditor::Int32ArrayEditor(QWidget* parent)
    : ArrayEditorBase(*new Int32ArrayEditorPrivate, QStringLiteral("CQuenInt32Array"),
                      QStringLiteral("Integer Array"), QStringLiteral("CQuenInt32Array"), parent)
{
    Q_D(Int32ArrayEditor);
    d->buildViews(d->setUp("Int32ArrayList", "Int32ArrayEditText"));
    setPanel(d->frame);
    setFieldTable(Velt::NumericArrayFields::int32Table());
}

Int32ArrayEditor::~Int32ArrayEditor() = default;

QString Int32ArrayEditor::view() const { return d_func()->numbers()->rendering(); }

void Int32ArrayEditor::beginEdit(int32_t item) { d_func()->begin(item); }

void Int32ArrayEditor::acceptEdit(int32_t item) { d_func()->accept(item); }

void Int32ArrayEditor::cancelEdit() { d_func()->cancel(); }
