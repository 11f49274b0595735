#pragma once

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
