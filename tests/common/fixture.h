// The fixture every library test shares (begin() in init, end() in cleanup): the core's errors
// go through the library's hooks, message boxes and beeps are recorded instead of shown, and
// each test function must leave the core with the live object count it found and an empty error
// register.
#pragma once

#include "corehooks.h"
#include "platformservices.h"
#include "recordingplatformservices.h"

#include "quen/quencore.h"

#include <QTest>

#include <cstdint>

namespace VeltTest {

class Fixture
{
public:
    Fixture() : m_scope(&services) { Velt::installCoreHooks(); }
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    // Starts a test function: nothing recorded, no pending error, the live count taken.
    void begin()
    {
        services.clear();
        QuenExcRegClearError(0);
        m_liveAtStart = QuenCoreGetLiveObjectCount();
    }
    // Ends it: everything the test made is released and no error was left behind. Release what
    // the test function owns (editors, builders) before calling this.
    void end()
    {
        QCOMPARE(QuenCoreGetLiveObjectCount(), m_liveAtStart);
        QVERIFY2(!QuenExcRegIsError(0), "an error was left in the core's register");
    }

    Velt::RecordingPlatformServices services;

private:
    Velt::ScopedPlatformServices m_scope;
    int32_t m_liveAtStart = 0;
};

} // namespace VeltTest
