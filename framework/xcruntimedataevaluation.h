// XCRuntimeDataEvaluation: the runtime side of a type editor. The core evaluates data whose
// value is only known while a test runs (a string with a format pattern, for instance) by
// calling back into the library, which forwards to the type editor of the item's class through
// this interface. Each member returns false when it failed; a failure should leave its reason
// in the core's error register.
#pragma once

#include <QtPlugin>

#include <cstdint>

class XCRuntimeDataEvaluation
{
public:
    virtual ~XCRuntimeDataEvaluation() = default;

    virtual bool Bind(int32_t DataHandle, int32_t ParmBlockHandle) = 0;
    virtual bool Evaluate(int32_t DataHandle, int32_t ParmBlockHandle) = 0;
    virtual bool Scan(int32_t DataHandle, int32_t ParmBlockHandle) = 0;
    virtual bool Unbind(int32_t DataHandle, int32_t ParmBlockHandle) = 0;
};

#define XCRuntimeDataEvaluation_iid "VeltEditors.XCRuntimeDataEvaluation"
Q_DECLARE_INTERFACE(XCRuntimeDataEvaluation, XCRuntimeDataEvaluation_iid)
