#include "real64editor.h"

#include "componentmacros.h"
#include "dataeditor.h"
#include "platformservices.h"
#include "real64fields_p.h"
#include "real64rules.h"
#include "scalarpanel_p.h"
#include "updown_p.h"

#include "quen/quencore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

VELT_REGISTER_CLASS(Real64Editor, VisibleControl, "XCStructEditing, XCRuntimeDataEvaluation", "")

namespace R = Velt::Real64Rules;
using Velt::ScalarItem::Bounds;

struct Real64Editor::Private
{
    explicit Private(Real64Editor* owner) : q(owner) { }

    Real64Editor* const q;
    // Editor state.
    double value = 0;
    double low = -R::Unbounded;
    double high = R::Unbounded;
    int precision = 0;

    QLineEdit* entry = nullptr;
    QLineEdit* units = nullptr;
    QLineEdit* precisionText = nullptr;
    Velt::RestrictionControls restriction;

    Bounds<double> effectiveBounds() const
    {
        return restriction.check->isChecked() ? Bounds<double>{low, high}
                                              : Bounds<double>{-R::Unbounded, R::Unbounded};
    }

    void updateStatus()
    {
        const Bounds<double> bounds = effectiveBounds();
        const R::Messages messages = R::realStatus(value, precision, bounds.low, bounds.high,
                                                   entry->text(), units->text());
        q->showMessages(messages.error, messages.status);
    }

    // The entry, and the restriction boxes (every one, or the bounded ones), in the current
    // precision.
    enum class Boxes { None, Bounded, All };
    void render(Boxes boxes)
    {
        entry->setText(R::formatRealText(value, precision));
        const bool all = boxes == Boxes::All;
        if (all || (boxes == Boxes::Bounded && !Velt::NumericConversion::isUnboundedLow(low)))
            restriction.low->setText(R::formatRealText(low, precision));
        if (all || (boxes == Boxes::Bounded && !Velt::NumericConversion::isUnboundedHigh(high)))
            restriction.high->setText(R::formatRealText(high, precision));
    }

    void takePrecision(int newPrecision)
    {
        precision = newPrecision;
        render(Boxes::Bounded);
        updateStatus();
    }

    void stepPrecision(int step)
    {
        const R::Precision current = R::validatePrecision(precisionText->text());
        const int from = current.ok() ? current.precision : 0;
        const int next = from + step;
        if (next < 0 || next > Velt::NumericConversion::MaximumPrecision) {
            Velt::PlatformServices::instance().beep();
            return;
        }
        precisionText->setText(R::precisionText(next));
        takePrecision(next);
    }

    void boundEdited()
    {
        const R::Parsed lowText = R::parseRealText(R::LowCaption, restriction.low->text());
        const R::Parsed highText = R::parseRealText(R::HighCaption, restriction.high->text());
        if (!lowText.ok() || !highText.ok()) {
            q->showError(!lowText.ok() ? lowText.error : highText.error);
            return;
        }
        if (lowText.value > highText.value) {
            q->showError(R::lowAboveHighMessage());
            return;
        }
        low = lowText.value;
        high = highText.value;
        updateStatus();
    }
};

Real64Editor::Real64Editor(QWidget* parent)
    : TypeEditorBase(QStringLiteral("CQuenReal64"), QStringLiteral("Real (64 bit)"),
                     QStringLiteral("Number"), parent),
      d(std::make_unique<Private>(this))
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Real64Panel"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* grid = new QGridLayout;
    d->entry = Velt::ScalarPanel::lineEdit(panel, "EntryText");
    d->units = Velt::ScalarPanel::lineEdit(panel, "UnitsText");
    d->precisionText = Velt::ScalarPanel::lineEdit(panel, "PrecisionText");
    d->precisionText->setMaxLength(6);
    auto* precisionUpDown = new Velt::UpDown(panel);
    precisionUpDown->setObjectName(QStringLiteral("PrecisionUpDown"));
    grid->addWidget(Velt::ScalarPanel::label(tr("&Value:"), d->entry, panel), 0, 0);
    grid->addWidget(d->entry, 0, 1, 1, 2);
    grid->addWidget(Velt::ScalarPanel::label(tr("&Units:"), d->units, panel), 1, 0);
    grid->addWidget(d->units, 1, 1, 1, 2);
    grid->addWidget(Velt::ScalarPanel::label(tr("&Precision:"), d->precisionText, panel), 2, 0);
    auto* precisionRow = new QHBoxLayout;
    precisionRow->setSpacing(0);
    precisionRow->addWidget(d->precisionText);
    precisionRow->addWidget(precisionUpDown);
    precisionRow->addStretch();
    grid->addLayout(precisionRow, 2, 1);
    auto* hint = new QLabel(tr("digits after the point in scientific notation; blank for "
                               "the general format"),
                            panel);
    hint->setObjectName(QStringLiteral("PrecisionHint"));
    hint->setWordWrap(true);
    hint->setEnabled(false);
    grid->addWidget(hint, 3, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);
    layout->addLayout(grid);
    d->restriction = Velt::RestrictionControls::create(panel);
    layout->addWidget(d->restriction.frame);
    layout->addStretch();
    setPanel(panel);

    connect(d->entry, &QLineEdit::textEdited, this, [this](const QString& text) {
        const R::Parsed parsed = R::parseRealText(R::ValueCaption, text);
        if (!parsed.ok()) {
            showError(parsed.error);
            return;
        }
        d->value = parsed.value;
        d->updateStatus();
    });
    connect(d->units, &QLineEdit::textEdited, this, [this] { d->updateStatus(); });
    connect(d->precisionText, &QLineEdit::textEdited, this, [this](const QString& text) {
        const R::Precision precision = R::validatePrecision(text);
        if (!precision.ok()) {
            showError(precision.error);
            return;
        }
        d->takePrecision(precision.precision);
    });
    connect(precisionUpDown, &Velt::UpDown::up, this, [this] { d->stepPrecision(1); });
    connect(precisionUpDown, &Velt::UpDown::down, this, [this] { d->stepPrecision(-1); });
    connect(d->restriction.check, &QCheckBox::toggled, this, [this] {
        d->restriction.enable(designTime());
        d->updateStatus();
    });
    connect(d->restriction.low, &QLineEdit::textEdited, this, [this] { d->boundEdited(); });
    connect(d->restriction.high, &QLineEdit::textEdited, this, [this] { d->boundEdited(); });
}

Real64Editor::~Real64Editor() = default;

double Real64Editor::value() const { return d->value; }
int Real64Editor::precision() const { return d->precision; }

// ---- structured face ---------------------------------------------------------------------------

void Real64Editor::DeclareFields(int32_t DataHandle, XCStructEditFields& Fields)
{
    Velt::Real64Fields::declareFields(DataHandle, Fields);
}

void Real64Editor::GetField(int32_t DataHandle, XCStructEditField& Field)
{
    Velt::Real64Fields::getField(DataHandle, Field);
}

void Real64Editor::DeclareField(int32_t DataHandle, XCStructEditField& Field)
{
    Velt::Real64Fields::declareField(DataHandle, Field);
}

void Real64Editor::FieldChanged(int32_t DataHandle, XCStructEditField& Field, bool PostEdits,
                                bool& Refresh)
{
    Velt::Real64Fields::fieldChanged(DataHandle, Field, PostEdits, Refresh, {d->low, d->high});
}

// ---- runtime side ----------------------------------------------------------------------------

bool Real64Editor::Bind(int32_t, int32_t) { return true; }
bool Real64Editor::Evaluate(int32_t, int32_t) { return true; }
bool Real64Editor::Scan(int32_t, int32_t) { return true; }
bool Real64Editor::Unbind(int32_t, int32_t) { return true; }

// ---- dialog face -------------------------------------------------------------------------------

void Real64Editor::beginEdit(int32_t item)
{
    const Velt::Real64Item snapshot = Velt::Real64Item::read(item);
    d->low = snapshot.low();
    d->high = snapshot.high();
    d->precision = std::clamp(snapshot.precision, 0, Velt::NumericConversion::MaximumPrecision);
    {
        const QSignalBlocker quiet(d->restriction.check);
        d->restriction.check->setChecked(snapshot.restricted());
    }
    d->restriction.enable(designTime());
    d->value = snapshot.value;
    d->render(snapshot.restriction ? Private::Boxes::All : Private::Boxes::None);
    if (!snapshot.restriction)
        d->restriction.clearTexts();
    d->precisionText->setText(R::precisionText(d->precision));
    d->units->setText(snapshot.units);
    d->units->setReadOnly(!designTime());
    d->updateStatus();
}

void Real64Editor::acceptEdit(int32_t item)
{
    std::optional<Bounds<double>> restriction;
    if (d->restriction.check->isChecked()) {
        d->high = std::max(d->high, d->low);
        restriction = Bounds<double>{d->low, d->high};
    }
    Velt::Real64Item::store(item, d->value, d->precision, d->units->text(), restriction);
    d->value = QuenReal64GetValue(item);
}

void Real64Editor::cancelEdit() { }
