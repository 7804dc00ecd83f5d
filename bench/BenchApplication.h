// The start of every benchmark program that needs the toolkit: it starts as the
// application does (AfxWinMain), so fonts, windows and the resources are there
// as they are for the program; the benchmarks run from InitInstance, with maps
// that have no projection (no catalogue is read), and then the program ends.
#pragma once

#include "core/Settings.h"
#include "platform/frames/CWinApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

inline int RunBenchmarksAsApplication(int argc, char** argv)
{
    class CBenchApp : public CWinApp {
    public:
        BOOL InitInstance() override
        {
            g_CoordinationSystem = -1;
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
            return FALSE;
        }
    };
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    CBenchApp app;
    AfxWinMain(argc, argv);
    return 0;
}
