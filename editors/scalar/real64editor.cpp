#include "real64editor.h"

#include "componentmacros.h"
#include "itemproperties_p.h"
#include "platformservices.h"
#include "real64fields_p.h"
#include "real64rules.h"
#include "numberediting_p.h"
#include "updown_p.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

VELT_REGISTER_CLASS(Real64Editor, VisibleControl, "XCStructEditing, XCRuntimeDataEvaluation", "")

namespace R = Velt::Real64Rules;
namespace P = Velt::ItemProperties;
using Velt::DialogPanel::label;
using Velt::DialogPanel::lineEdit;

class Real64EditorPrivate : public Velt::NumberEditingPrivate<R::Traits>
{
    Q_DECLARE_PUBLIC(Real64Editor)

public:
    int precision = 0; // as stored; only the rendering caps it
    QLineEdit* precisionText = nullptr;
    Velt::UpDown* precisionUpDown = nullptr;

    QWidget* buildPanel();
    void wire();

    int rendering() const override { return precision; }

    void updateStatus() override
    {
        const Velt::StatusLine line = R::realStatus(value, precision, restriction.effective(),
                                                    entry->text(), units->text());
        showMessages(line.error, line.status);
    }

    void takePrecision(int newPrecision)
    {
        precision = newPrecision;
        entry->setText(R::formatRealText(value, precision));
        restriction.render(precision, true);
        updateStatus();
    }

    void stepPrecision(int step)
    {
        const Velt::Parsed<int> current = R::validatePrecision(precisionText->text());
        const int next = (current.ok() ? current.value : 0) + step;
        if (next < 0 || next > Velt::NumericConversion::MaximumPrecision) {
            Velt::PlatformServices::instance().beep();
            return;
        }
        precisionText->setText(R::precisionText(next));
        takePrecision(next);
    }
};

Real64Editor::Real64Editor(QWidget* parent)
    : TypeEditorBase(*new Real64EditorPrivate, QStringLiteral("CQuenReal64"),
                     QStringLiteral("Real (64 bit)"), QStringLiteral("Number"), parent)
{
    Q_D(Real64Editor);
    setPanel(d->buildPanel());
    d->wire();
    setFieldTable(Velt::Real64Fields::table([d] { return d->restriction.bounds(); }));
}

Real64Editor::~Real64Editor() = default;

double Real64Editor::value() const { return d_func()->value; }
int Real64Editor::precision() const { return d_func()->precision; }

bool Real64Editor::Bind(int32_t, int32_t) { return true; }
bool Real64Editor::Evaluate(int32_t, int32_t) { return true; }
bool Real64Editor::Scan(int32_t, int32_t) { return true; }
bool Real64Editor::Unbind(int32_t, int32_t) { return true; }

void Real64Editor::beginEdit(int32_t item)
{
    Q_D(Real64Editor);
    d->precision = Velt::Real64Fields::precisionOf(item);
    d->restriction.load(P::restriction<double>(item), d->precision, d->designTime());
    d->value = P::value<double>(item);
    d->entry->setText(R::formatRealText(d->value, d->precision));
    d->precisionText->setText(R::precisionText(d->precision));
    d->units->setText(P::stringProperty(item, P::Units));
    d->units->setReadOnly(!d->designTime());
    d->updateStatus();
}

void Real64Editor::acceptEdit(int32_t item)
{
    Q_D(Real64Editor);
    P::setInt32PropertyOrRemove(item, P::Precision, d->precision);
    d->value =
        P::storeNumber<R::Traits>(item, d->restriction.accepted(), d->units->text(), d->value);
}

QWidget* Real64EditorPrivate::buildPanel()
{
    QWidget* panel = Velt::DialogPanel::panel("Real64Panel");
    QVBoxLayout* layout = Velt::DialogPanel::columnOf(panel);

    auto* grid = new QGridLayout;
    entry = lineEdit(panel, "EntryText");
    units = lineEdit(panel, "UnitsText");
    precisionText = lineEdit(panel, "PrecisionText");
    precisionText->setMaxLength(6);
    precisionUpDown = new Velt::UpDown(panel);
    precisionUpDown->setObjectName(QStringLiteral("PrecisionUpDown"));
    grid->addWidget(label(Real64Editor::tr("&Value:"), entry, panel), 0, 0);
    grid->addWidget(entry, 0, 1, 1, 2);
    grid->addWidget(label(Real64Editor::tr("&Units:"), units, panel), 1, 0);
    grid->addWidget(units, 1, 1, 1, 2);
    grid->addWidget(label(Real64Editor::tr("&Precision:"), precisionText, panel), 2, 0);
    auto* precisionRow = new QHBoxLayout;
    precisionRow->setSpacing(0);
    precisionRow->addWidget(precisionText);
    precisionRow->addWidget(precisionUpDown);
    precisionRow->addStretch();
    grid->addLayout(precisionRow, 2, 1);
    auto* hint = new QLabel(Real64Editor::tr("digits after the point in scientific notation; "
                                             "blank for the general format"),
                            panel);
    hint->setObjectName(QStringLiteral("PrecisionHint"));
    hint->setWordWrap(true);
    hint->setEnabled(false);
    grid->addWidget(hint, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);
    layout->addLayout(grid);
    layout->addWidget(restriction.create(panel));
    layout->addStretch();
    return panel;
}

void Real64EditorPrivate::wire()
{
    Q_Q(Real64Editor);
    wireNumber(q);
    QObject::connect(units, &QLineEdit::textEdited, q, [this] { updateStatus(); });
    QObject::connect(precisionText, &QLineEdit::textEdited, q, [this](const QString& text) {
        const Velt::Parsed<int> typed = R::validatePrecision(text);
        if (typed.ok())
            takePrecision(typed.value);
        else
            showError(typed.error);
    });
    QObject::connect(precisionUpDown, &Velt::UpDown::up, q, [this] { stepPrecision(1); });
    QObject::connect(precisionUpDown, &Velt::UpDown::down, q, [this] { stepPrecision(-1); });
}
