// NumberEditingPrivate: the private part every number editor's dialog shares, written once
// over the value type (see RestrictionRules for the traits): the value being edited, the entry
// box EntryText, the units box UnitsText and the restriction group. A text typed into the entry
// that reads becomes the value and the status is brought up to date; one that does not shows
// its error and the value stays.
#pragma once

#include "restrictionediting_p.h"
#include "restrictionrules.h"
#include "typeeditorbase_p.h"

#include <QLineEdit>
#include <QObject>

namespace Velt {

template <typename Traits>
class NumberEditingPrivate : public TypeEditorBasePrivate
{
public:
    using T = typename Traits::Value;
    using Rendering = typename Traits::Rendering;

    // How values are shown now (the view, the precision).
    virtual Rendering rendering() const = 0;
    // The host's error and status for the dialog's state.
    virtual void updateStatus() = 0;

    // Connects the entry and the restriction group; context is the control.
    void wireNumber(QObject* context)
    {
        QObject::connect(entry, &QLineEdit::textEdited, context, [this](const QString& text) {
            const Parsed<T> parsed = Traits::parse(NumberTexts::ValueCaption, text, rendering());
            if (!parsed.ok()) {
                showError(parsed.error);
                return;
            }
            value = parsed.value;
            updateStatus();
        });
        restriction.wire(this, context, [this] { return rendering(); }, [this] { updateStatus(); });
    }

    T value{};
    RestrictionEditing<Traits> restriction;
    QLineEdit* entry = nullptr;
    QLineEdit* units = nullptr;
};

} // namespace Velt
