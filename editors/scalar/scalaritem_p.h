// ScalarItem: the editing properties of a scalar data item in the core, as the scalar type
// editors read and store them ("Units", "View As", "Precision", "Restriction", "Enumeration").
// Widget-free: both faces of every scalar editor go through these few calls, so a property is
// read and written the same way everywhere.
//
// Ownership follows the core: a property handle read here belongs to the item; a value stored
// here is created, handed to QuenDataExSetProperty (which keeps its own copy) and released.
#pragma once

#include <QString>
#include <QStringList>

#include "numericconversion.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace Velt::ScalarItem {

inline constexpr char Units[] = "Units";
inline constexpr char ViewAs[] = "View As";
inline constexpr char Precision[] = "Precision";
inline constexpr char Restriction[] = "Restriction";
inline constexpr char Enumeration[] = "Enumeration";

// The property's handle, 0 when absent.
int32_t property(int32_t item, const char* name);
bool hasProperty(int32_t item, const char* name);
// Storing 0 removes the property.
void removeProperty(int32_t item, const char* name);

// A string property, trimmed; "" when absent.
QString stringProperty(int32_t item, const char* name);
// A new string item holding the trimmed text, or removal when the trimmed text is empty.
void setStringProperty(int32_t item, const char* name, const QString& text);

// An integer property (precision); nullopt when absent.
std::optional<int32_t> int32Property(int32_t item, const char* name);
// A new integer item, or removal when the value is 0.
void setInt32PropertyOrRemove(int32_t item, const char* name, int32_t value);

template <typename T>
struct Bounds
{
    T low{};
    T high{};
};

// "Restriction": a two-element array (1 = low, 2 = high) of integers or reals.
std::optional<Bounds<int32_t>> int32Restriction(int32_t item);
void setInt32Restriction(int32_t item, Bounds<int32_t> bounds);
std::optional<Bounds<double>> realRestriction(int32_t item);
void setRealRestriction(int32_t item, Bounds<double> bounds);
inline void setRestriction(int32_t item, Bounds<int32_t> bounds) { setInt32Restriction(item, bounds); }
inline void setRestriction(int32_t item, Bounds<double> bounds) { setRealRestriction(item, bounds); }

// Storing a restriction on accept: high is raised to low; an absent restriction, or one that is
// unbounded on both sides, removes the property. Returns the value clamped into what was stored.
template <typename T>
T storeRestriction(int32_t item, std::optional<Bounds<T>> restriction, T value)
{
    if (restriction) {
        restriction->high = std::max(restriction->high, restriction->low);
        if (!(Velt::NumericConversion::isUnboundedLow(restriction->low)
              && Velt::NumericConversion::isUnboundedHigh(restriction->high))) {
            setRestriction(item, *restriction);
            return std::clamp(value, restriction->low, restriction->high);
        }
    }
    removeProperty(item, Restriction);
    return value;
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
std::optional<ChoiceList> choiceList(int32_t item);
void setChoiceList(int32_t item, const ChoiceList& list);
// Sets one label in the stored list, in place.
void setChoiceLabel(int32_t item, int32_t value, const QString& label);

// Shows the core's collected errors to the user when there are any.
void displayCoreErrors();

} // namespace Velt::ScalarItem
