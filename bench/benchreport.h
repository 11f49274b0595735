#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QtGlobal>

#include <algorithm>
#include <cstdio>
#include <vector>

// One line per measure that bench/run.sh gathers into its table:
//   RESULT <tab> measure <tab> figure <tab> target <tab> ok|MISS
// Lower is better for every figure reported this way.
inline bool ReportMeasure(const char* measure, double figure, double target, const char* unit) {
    const bool ok = figure <= target;
    std::printf("RESULT\t%s\t%.3f %s\t<= %g %s\t%s\n", measure, figure, unit, target, unit,
                ok ? "ok" : "MISS");
    std::fflush(stdout);
    return ok;
}

inline double MedianOf(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Before the application object: offscreen unless a display is asked for, and the program's
// pictures read from the build folder the benchmark runs from.
inline void PrepareBenchEnvironment(const char* argv0, bool offscreen = true) {
    if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QB_BUILD_DIR"))
        qputenv("QB_BUILD_DIR",
                QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath().toLocal8Bit());
}
