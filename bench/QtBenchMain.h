// The main of a benchmark program that draws: the platform runs offscreen (unless
// told otherwise) with its fonts set up, so that both sides of each figure draw
// with the same font files and the same application object.
#pragma once

#include "platform/gdi/FontDatabase.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdlib>

#define KV_QT_BENCHMARK_MAIN()                                      \
    int main(int argc, char** argv)                                 \
    {                                                               \
        if (!std::getenv("QT_QPA_PLATFORM"))                        \
            setenv("QT_QPA_PLATFORM", "offscreen", 1);              \
        QApplication app(argc, argv);                               \
        AfxInitFonts();                                             \
        std::setlocale(LC_NUMERIC, "C");                            \
        ::benchmark::Initialize(&argc, argv);                       \
        if (::benchmark::ReportUnrecognizedArguments(argc, argv))   \
            return 1;                                               \
        ::benchmark::RunSpecifiedBenchmarks();                      \
        ::benchmark::Shutdown();                                    \
        return 0;                                                   \
    }
