// RestrictionEditing: the restriction group of a number editor's dialog (RestrictionCheck,
// RestrictionLowText, RestrictionHighText) with the low and high it holds, written once over
// the value type (see RestrictionRules for the traits).
//
// Each box is read on its own, with its own caption: a side that is never typed into keeps
// its bound, which for a new restriction is the unbounded value of that side, so a
// restriction bounded on one side is entered by typing that side alone. A pair typed crossed
// is kept and reported; OK closes it to the low bound.
#pragma once

#include "dialogpanel_p.h"
#include "restrictionrules.h"
#include "typeeditorbase_p.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QObject>
#include <QSignalBlocker>

#include <algorithm>
#include <functional>
#include <optional>

namespace Velt {

template <typename Traits>
class RestrictionEditing
{
public:
    using T = typename Traits::Value;
    using Rendering = typename Traits::Rendering;
    using Rules = RestrictionRules<Traits>;

    // Makes the group's controls; returns the group.
    QWidget* create(QWidget* parent)
    {
        m_controls = RestrictionControls::create(parent);
        return m_controls.frame;
    }

    Bounds<T> bounds() const { return m_bounds; }
    bool ticked() const { return m_controls.check->isChecked(); }

    // The check box and the boxes: a good pair updates the status, anything else is shown as
    // the editor's error. rendering gives how the editor shows values at the time.
    void wire(TypeEditorBasePrivate* editor, QObject* context,
              std::function<Rendering()> rendering, std::function<void()> updateStatus)
    {
        QObject::connect(m_controls.check, &QCheckBox::toggled, context, [=, this] {
            m_controls.enable(editor->designTime());
            updateStatus();
        });
        for (const BoundSide side : {BoundSide::Low, BoundSide::High}) {
            QObject::connect(box(side), &QLineEdit::textEdited, context, [=, this] {
                const QString error = edited(side, rendering());
                if (error.isEmpty())
                    updateStatus();
                else
                    editor->showError(error);
            });
        }
    }

    // BeginEdit: ticked when the stored restriction bounds a side; the boxes hold its bounds,
    // or nothing when there is none.
    void load(const std::optional<Bounds<T>>& stored, const Rendering& rendering, bool designTime)
    {
        m_bounds = Rules::orUnbounded(stored);
        {
            const QSignalBlocker quiet(m_controls.check);
            m_controls.check->setChecked(Rules::restricts(stored));
        }
        m_controls.enable(designTime);
        if (stored)
            render(rendering, false);
        else
            m_controls.clearTexts();
    }

    // The boxes in a new rendering; with boundedOnly, a box of an unbounded side keeps its text
    // (its value would not read back from a shorter rendering).
    void render(const Rendering& rendering, bool boundedOnly)
    {
        if (!boundedOnly || Rules::lowBounded(m_bounds.low))
            m_controls.low->setText(Traits::format(m_bounds.low, rendering));
        if (!boundedOnly || Rules::highBounded(m_bounds.high))
            m_controls.high->setText(Traits::format(m_bounds.high, rendering));
    }

    // A box typed into: "" when its bound was taken and the pair is in order, else the message.
    QString edited(BoundSide side, const Rendering& rendering)
    {
        const Parsed<Bounds<T>> typed =
            Rules::withBound(m_bounds, side, box(side)->text(), rendering);
        if (!typed.ok())
            return typed.error;
        m_bounds = typed.value;
        return m_bounds.low > m_bounds.high ? NumberTexts::lowAboveHighMessage() : QString();
    }

    // The bounds the value is checked against: none while the box is not ticked.
    Bounds<T> effective() const { return ticked() ? m_bounds : Rules::unbounded(); }

    // What OK stores: nothing when not ticked; a crossed pair is closed to its low bound.
    std::optional<Bounds<T>> accepted()
    {
        if (!ticked())
            return std::nullopt;
        m_bounds.high = std::max(m_bounds.high, m_bounds.low);
        return m_bounds;
    }

private:
    QLineEdit* box(BoundSide side) const
    {
        return side == BoundSide::Low ? m_controls.low : m_controls.high;
    }

    RestrictionControls m_controls;
    Bounds<T> m_bounds = Rules::unbounded();
};

} // namespace Velt
