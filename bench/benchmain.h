// The main of every widget benchmark: an offscreen QApplication (unless a platform is chosen),
// an optional set-up once it exists, then Google Benchmark with its usual arguments.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

#include <functional>

namespace VeltBench {

inline int runWidgetBenchmarks(int argc, char** argv, const std::function<void()>& setUp = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // the editor registry and the controls are windows
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace VeltBench
