#pragma once
// The main program of the benchmarks that build list controls or windows:
// Qt on the offscreen platform around Google Benchmark's own run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>

// Runs the benchmarks registered in the program inside a QApplication; an
// argument neither Qt nor Google Benchmark knows is an error (exit 1).
inline int EjecutarConQt(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
