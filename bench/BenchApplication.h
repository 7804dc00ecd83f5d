// The start of every benchmark program that needs the toolkit: it starts as the
// application does (AfxWinMain), so fonts, windows and the resources are there
// as they are for the program; the benchmarks run from InitInstance, with maps
// that have no projection (no catalogue is read), then `afterRuns` (if given)
// releases what must go while the toolkit still runs, and the program ends.
#pragma once

#include "core/Settings.h"
#include "platform/frames/CWinApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

inline int RunBenchmarksAsApplication(int argc, char** argv, void (*afterRuns)() = nullptr)
{
    class CBenchApp : public CWinApp {
    public:
        explicit CBenchApp(void (*after)()) : m_after(after) {}
        BOOL InitInstance() override
        {
            g_CoordinationSystem = -1;
            benchmark::RunSpecifiedBenchmarks();
            benchmark::Shutdown();
            if (m_after)
                m_after();
            return FALSE;
        }

    private:
        void (*m_after)();
    };
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    CBenchApp app(afterRuns);
    AfxWinMain(argc, argv);
    return 0;
}
