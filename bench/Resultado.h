#pragma once
// The one line per case every benchmark prints, which scripts/benchmark.sh
// gathers into one table: the program's time, raw SQLite doing the same work
// in the same run, their ratio, the process's peak memory so far, and the goal.
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace Bench {

inline double Mediana(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Peak resident memory in MiB: of this process, or of the largest child process waited for.
inline double PicoMemoriaMiB(bool hijos = false) {
    rusage u{};
    getrusage(hijos ? RUSAGE_CHILDREN : RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0;
}

// crudoMs < 0: no raw counterpart. The line starts with "CASO|" for the gatherer.
inline void Fila(const char* caso, double programaMs, double crudoMs, double memoriaMiB, const char* meta) {
    char crudo[32] = "-", relacion[32] = "-";
    if (crudoMs >= 0) {
        std::snprintf(crudo, sizeof crudo, "%.1f", crudoMs);
        if (crudoMs > 0) std::snprintf(relacion, sizeof relacion, "%.2fx", programaMs / crudoMs);
    }
    std::printf("CASO|%s|%.1f|%s|%s|%.0f|%s\n", caso, programaMs, crudo, relacion, memoriaMiB, meta);
    std::fflush(stdout);
}

} // namespace Bench
