// The core's objects: data items of the sixteen classes, descriptions, parameters and
// parameter blocks (definitions, value blocks and symbol tables share one representation).
#pragma once

#include "names_p.h"
#include "store_p.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace quen {

enum class DataClass : uint8_t {
    Int32,
    Real64,
    String,
    Complex,
    Point,
    Range,
    Inst,
    Int32Array,
    Real64Array,
    StringArray,
    PointArray,
    RangeArray,
    Waveform,
    SwitchPath,
    ObjectReference,
    ObjectLifetime,
};
constexpr int kDataClassCount = 16;

const char* className(DataClass cls);                     // "CQuenInt32", ...
std::optional<DataClass> classFromName(std::string_view name);

struct ComplexValue { double re = 0, im = 0; };
struct PointValue { double x = 0, y = 0; };
struct RangeValue { double start = 0, stop = 0; int32_t points = 1; };

struct ArrayValue
{
    int dims = 1;
    std::array<int32_t, 3> lower { 0, 0, 0 };
    std::array<int32_t, 3> upper { -1, 0, 0 }; // an empty array: upper = lower - 1 in dimension 0
    int32_t maxSize = 0;                       // 0: the core's default at creation
    std::variant<std::vector<int32_t>, std::vector<double>, std::vector<std::string>,
                 std::vector<PointValue>, std::vector<RangeValue>>
            elements;
};

struct WaveformValue
{
    double start = 0, stop = 0;
    std::vector<double> values;
};
struct InstValue { std::string moduleRefName; };
struct SwitchPathValue { std::vector<std::string> nodes; };
struct ObjectReferenceValue
{
    int32_t referenceType = 0;
    std::string moduleName, className, libraryName;
};
struct ObjectLifetimeValue
{
    int32_t instantiation = 0, release = 0;
    bool disposeOnRelease = false;
};

using Value = std::variant<int32_t, double, std::string, ComplexValue, PointValue, RangeValue,
                           InstValue, ArrayValue, WaveformValue, SwitchPathValue,
                           ObjectReferenceValue, ObjectLifetimeValue>;

// The empty value of a class (what QuenDataCreate gives).
Value defaultValue(DataClass cls);

struct DataItem : Object
{
    static constexpr Kind staticKind = Kind::Data;
    explicit DataItem(DataClass c) : Object(Kind::Data), cls(c), value(defaultValue(c)) { }

    DataClass cls;
    Value value;
    std::vector<std::pair<std::string, QuenHandle>> properties; // owned, in insertion order
    bool runtimeEvaluation = false;
    bool runtimeScan = false;
};

struct Desc : Object
{
    static constexpr Kind staticKind = Kind::Desc;
    Desc() : Object(Kind::Desc) { }
    std::string text;
    std::vector<std::string> keywords;
};

struct Parm : Object
{
    static constexpr Kind staticKind = Kind::Parm;
    Parm() : Object(Kind::Parm) { }

    std::string name;
    QuenHandle desc = 0;     // owned; every parameter has one
    QuenHandle data = 0;     // owned; 0 for a reference
    std::string typeName;    // the class, kept for references (and when data is absent)
    bool output = false;
    bool reference = false;
    std::string refName, refTable;
    bool hidden = false;
    bool developmentEditable = true;
    bool referenceEditable = true;
    std::size_t position = 0; // where it stood in its block when last numbered: a hint, checked
};

// A parameter's name, for the index of its block ("" for no parameter).
const std::string& nameOfParm(QuenHandle parm);

struct Block : Object
{
    static constexpr Kind staticKind = Kind::Block;
    Block() : Object(Kind::Block) { }

    std::string name;
    std::vector<QuenHandle> parms; // owned, in order
    NameIndex names { nameOfParm }; // the parameters by name, kept in step with parms
    QuenHandle desc = 0;           // owned
    int32_t age = 0;
    int32_t refs = 1;
    bool bound = false;            // a value block created from a definition
    bool registered = false;       // in the table registry, whose name index follows renames
};

// Object construction and destruction with all they own. Each returns 0 / false with an error
// in the register on failure.
QuenHandle newData(DataClass cls);
QuenHandle newDesc(const std::string& text);
QuenHandle copyData(const DataItem& from, bool withProperties);
QuenHandle copyParm(const Parm& from);
void destroyData(QuenHandle handle);
void destroyDesc(QuenHandle handle);
void destroyParm(QuenHandle handle);
void destroyBlock(QuenHandle handle);

} // namespace quen
