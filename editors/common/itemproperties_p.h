// ItemProperties: a data item's value and the editing properties beside it in the core, as
// every type editor reads and stores them ("Units", "View As", "Precision", "Restriction",
// "Enumeration"). Widget-free: both faces of every editor go through these few calls, so a
// property is read and written the same way everywhere.
//
// Ownership follows the core: a property handle read here belongs to the item; a value stored
// here is created, handed to QuenDataExSetProperty (which keeps its own copy) and released.
#pragma once

#include "restrictionrules.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace Velt::ItemProperties {

inline constexpr char Units[] = "Units";
inline constexpr char ViewAs[] = "View As";
inline constexpr char Precision[] = "Precision";
inline constexpr char Restriction[] = "Restriction";
inline constexpr char Enumeration[] = "Enumeration";
inline constexpr char FormatOperation[] = "Format Operation";
inline constexpr char Format[] = "Format";
inline constexpr char FormatLock[] = "Format Lock";

// The property's handle, 0 when absent.
int32_t property(int32_t item, const char* name);
bool hasProperty(int32_t item, const char* name);
// Storing 0 removes the property.
void removeProperty(int32_t item, const char* name);

// A string property, trimmed; "" when absent.
QString stringProperty(int32_t item, const char* name);
// A new string item holding the trimmed text, or removal when the trimmed text is empty.
void setStringProperty(int32_t item, const char* name, const QString& text);

// A string property exactly as stored (a pattern keeps its blanks); nullopt when absent.
std::optional<QString> textProperty(int32_t item, const char* name);
// A new string item holding the text as it is, also when it is empty.
void setTextProperty(int32_t item, const char* name, const QString& text);

// An integer property (precision); nullopt when absent.
std::optional<int32_t> int32Property(int32_t item, const char* name);
// A new integer item, also for 0.
void setInt32Property(int32_t item, const char* name, int32_t value);
// A new integer item, or removal when the value is 0.
void setInt32PropertyOrRemove(int32_t item, const char* name, int32_t value);

// The value of an integer (T = int32_t) or real (T = double) item, and its "Restriction": a
// two-element array (1 = low, 2 = high) of the same type.
template <typename T>
T value(int32_t item);
template <typename T>
void setValue(int32_t item, T value);
template <typename T>
std::optional<Bounds<T>> restriction(int32_t item);
template <typename T>
void setRestriction(int32_t item, Bounds<T> bounds);

// What OK stores for every number, in this order: the restriction (high raised to low; none,
// or one that bounds neither side, removes it), the units, then the value clamped into the
// restriction stored. Returns that value.
template <typename Traits>
typename Traits::Value storeNumber(int32_t item,
                                   std::optional<Bounds<typename Traits::Value>> restriction,
                                   const QString& units, typename Traits::Value number)
{
    if (restriction)
        restriction->high = std::max(restriction->high, restriction->low);
    if (RestrictionRules<Traits>::restricts(restriction)) {
        setRestriction(item, *restriction);
        number = std::clamp(number, restriction->low, restriction->high);
    } else {
        removeProperty(item, Restriction);
    }
    setStringProperty(item, Units, units);
    setValue(item, number);
    return number;
}

// "Enumeration": a string array whose bounds are the first and last value of the choice list
// and whose element i is the label of value i.
struct ChoiceList
{
    int32_t begin = 0;
    int32_t end = -1;
    QStringList labels; // labels.at(i - begin) is the label of value i

    QString label(int32_t value) const;
};
// The falsehood and truth list a new choice list starts with.
ChoiceList defaultChoiceList();

std::optional<ChoiceList> choiceList(int32_t item);
void setChoiceList(int32_t item, const ChoiceList& list);
// The bounds alone (no labels read); nullopt without a list.
std::optional<Bounds<int32_t>> choiceBounds(int32_t item);
// One label of the stored list, "" when there is none.
QString choiceLabel(int32_t item, int32_t value);
// Sets one label in the stored list, in place.
void setChoiceLabel(int32_t item, int32_t value, const QString& label);

} // namespace Velt::ItemProperties
