#include "builtineditors.h"

namespace Velt {

namespace {

using L = QLatin1StringView;

constexpr BuiltinEditor Editors[] = {
    {L("VeltEditors.ComplexEditor"), L("CQuenComplex"), true, true},
    {L("VeltEditors.InstEditor"), L("CQuenInst"), false, false},
    {L("VeltEditors.Int32Editor"), L("CQuenInt32"), true, true},
    {L("VeltEditors.Int32ArrayEditor"), L("CQuenInt32Array"), true, true},
    {L("VeltEditors.PointEditor"), L("CQuenPoint"), true, true},
    {L("VeltEditors.PointArrayEditor"), L("CQuenPointArray"), true, true},
    {L("VeltEditors.RangeEditor"), L("CQuenRange"), true, true},
    {L("VeltEditors.RangeArrayEditor"), L("CQuenRangeArray"), true, true},
    {L("VeltEditors.Real64Editor"), L("CQuenReal64"), true, true},
    {L("VeltEditors.Real64ArrayEditor"), L("CQuenReal64Array"), true, true},
    {L("VeltEditors.StringEditor"), L("CQuenString"), false, false},
    {L("VeltEditors.StringArrayEditor"), L("CQuenStringArray"), true, true},
    {L("VeltEditors.SwitchPathEditor"), L("CQuenSwitchPath"), true, true},
    {L("VeltEditors.WaveformEditor"), L("CQuenWaveform"), true, true},
    {L("VeltEditors.ReferenceEditor"), L("CQuenObjectReference"), true, true},
    // Sited, but registered through an instance of its own, after the start-up table.
    {L("VeltEditors.LifetimeEditor"), L("CQuenObjectLifetime"), true, false},
};

} // namespace

std::span<const BuiltinEditor> builtinEditors() { return Editors; }

} // namespace Velt
