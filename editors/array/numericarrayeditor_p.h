// NumericArrayEditorPrivate: what the integer and real array editors share on the array frame,
// written once over the family's traits: the buffer over the deep copy of the item, the
// "Attributes" tab (UnitsText, UnitsCheck and the restriction group), the frame's hooks (the
// status line of the current cell, the first value outside the restriction, the message of a
// cell being typed, the wording of a paste that does not read), and BeginEdit, AcceptEdit and
// CancelEdit. A member adds its display option (the integer view, the real chart's orientation)
// through option()/loadOption() and its own tabs.
#pragma once

#include "arrayeditorbase_p.h"
#include "arraygridmodel_p.h"
#include "arrayitem_p.h"
#include "busycursor.h"
#include "dialogpanel_p.h"
#include "numericarraybuffer_p.h"
#include "numericarrayrules_p.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include <memory>

namespace Velt {

template <typename Traits>
class NumericArrayEditorPrivate : public ArrayEditorBasePrivate
{
public:
    using T = typename Traits::Value;
    using Rules = NumericArrayRules<Traits>;
    using Option = typename Traits::Option;

    // The member's display option, as the dialog shows it and as the item stores it.
    virtual Option option() const = 0;
    virtual void loadOption(const Option& option) = 0;

    NumericArrayBuffer<Traits>* numbers() const
    {
        return static_cast<NumericArrayBuffer<Traits>*>(buffer.get());
    }

    // Called by the member's constructor: the frame with the member's grid names, then the
    // "Attributes" tab, whose page is returned for the member to add to.
    QWidget* setUp(const char* gridName, const char* cellEditorName)
    {
        options.texts = Traits::texts();
        options.maxDimensions = 3;
        options.gridName = QString::fromLatin1(gridName);
        options.cellEditorName = QString::fromLatin1(cellEditorName);
        buffer = std::make_unique<NumericArrayBuffer<Traits>>();
        numbers()->setRestriction([this] { return effective(); });
        buildFrame();
        QWidget* attributes = buildAttributesPage();
        tabs->addTab(attributes, tr("Attributes"));
        return attributes;
    }

    // The bounds values are checked against: none while the box is not ticked.
    Bounds<T> effective() const
    {
        return restriction.check->isChecked() ? bounds : unbounded();
    }
    // The units the status line names: none while they are given per row.
    QString unitsShown() const
    {
        return unitsPerRow->isChecked() ? QString() : units->text().trimmed();
    }

    // The restriction boxes in the current rendering (empty while there is none to show).
    void renderRestriction()
    {
        const auto r = numbers()->rendering();
        if (!restriction.check->isChecked() && !stored) {
            restriction.clearTexts();
            return;
        }
        restriction.low->setText(Traits::format(bounds.low, r));
        restriction.high->setText(Traits::format(bounds.high, r));
    }

    void begin(int32_t item)
    {
        endCellEdit(false);
        q_ptr->panel()->hide();
        const bool hadElements = numbers()->copy().begin(item);
        const NumericArrayAttributes<Traits> read = NumericArrayAttributes<Traits>::read(item);
        loadOption(read.option);
        units->setText(read.units);
        {
            const QSignalBlocker quiet(unitsPerRow);
            unitsPerRow->setChecked(false);
        }
        stored = read.restriction.has_value();
        bounds = read.restriction.value_or(unbounded());
        {
            const QSignalBlocker quiet(restriction.check);
            restriction.check->setChecked(RestrictionRules<typename Traits::Scalar>::restricts(read.restriction));
        }
        restriction.enable(designTime());
        renderRestriction();
        const ArrayShape shape = numbers()->shape();
        loadFrame(numbers()->copy().maximumCount(), ArrayItem::locks(item, shape.dimensions));
        showTab(hadElements ? ValuesTab : DimensionsTab);
        updateStatus();
    }

    void accept(int32_t item)
    {
        endCellEdit(true);
        NumericArrayAttributes<Traits> attributes;
        attributes.units = units->text().trimmed();
        if (restriction.check->isChecked())
            attributes.restriction = bounds;
        attributes.option = option();
        const QList<BoundLock> boundLocks = locks();
        numbers()->copy().accept(item, attributes, [&boundLocks](int32_t written) {
            ArrayItem::setLocks(written, boundLocks);
        });
    }

    void cancel()
    {
        endCellEdit(false);
        numbers()->copy().release();
    }

    // ---- the frame's hooks
    QString statusText() const override
    {
        const ArrayCell cell = currentCell();
        return Rules::statusLine(numbers()->value(cell), cell, numbers()->dimensions(),
                                 numbers()->rendering(), unitsShown());
    }
    QString contentError() const override
    {
        const NumericArrayBuffer<Traits>* values = numbers();
        return Rules::firstOutside(
            values->shape(), [values](const ArrayCell& cell) { return values->value(cell); },
            values->rendering(), effective());
    }
    QString entryError(const ArrayCell&, const QString& text) const override
    {
        return Rules::enter(text, numbers()->rendering(), effective()).error;
    }
    QString pasteErrorText(const QString& cellError) const override
    {
        return NumericArrayTexts::pasteError(cellError);
    }

    QLineEdit* units = nullptr;
    QCheckBox* unitsPerRow = nullptr;
    RestrictionControls restriction;
    Bounds<T> bounds = unbounded();
    bool stored = false; // the item came with a restriction

protected:
    static QString tr(const char* text) { return QCoreApplication::translate("ArrayEditor", text); }
    static constexpr Bounds<T> unbounded()
    {
        return {Traits::Scalar::UnboundedLow, Traits::Scalar::UnboundedHigh};
    }

private:
    QWidget* buildAttributesPage()
    {
        QObject* q = q_ptr;
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("AttributesPage"));
        auto* column = new QVBoxLayout(page);
        auto* unitsFrame = new QGroupBox(tr("Units"), page);
        unitsFrame->setObjectName(QStringLiteral("UnitsFrame"));
        auto* unitsLayout = new QGridLayout(unitsFrame);
        units = DialogPanel::lineEdit(unitsFrame, "UnitsText");
        unitsLayout->addWidget(DialogPanel::label(tr("&Units name"), units, unitsFrame), 0, 0);
        unitsLayout->addWidget(units, 0, 1);
        unitsPerRow = new QCheckBox(tr("Units &provided for each row"), unitsFrame);
        unitsPerRow->setObjectName(QStringLiteral("UnitsCheck"));
        unitsLayout->addWidget(unitsPerRow, 1, 0, 1, 2);
        column->addWidget(unitsFrame);
        restriction = RestrictionControls::create(page);
        column->addWidget(restriction.frame);
        column->addStretch(1);

        QObject::connect(units, &QLineEdit::textEdited, q, [this] { updateStatus(); });
        QObject::connect(unitsPerRow, &QCheckBox::toggled, q, [this] { updateStatus(); });
        QObject::connect(restriction.check, &QCheckBox::toggled, q, [this] {
            restriction.enable(designTime());
            updateStatus();
        });
        for (const BoundSide side : {BoundSide::Low, BoundSide::High}) {
            QLineEdit* box = side == BoundSide::Low ? restriction.low : restriction.high;
            QObject::connect(box, &QLineEdit::textEdited, q, [this, side](const QString& text) {
                // A text that does not read keeps the bound; a crossed pair is kept and
                // reported, and OK closes it to the low bound.
                const Parsed<Bounds<T>> typed =
                    Rules::restrictionBox(bounds, side, text, numbers()->rendering());
                bounds = typed.value;
                if (!typed.ok())
                    return showError(typed.error);
                updateStatus();
            });
        }
        return page;
    }
};

} // namespace Velt
