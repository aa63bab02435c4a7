// Reads the samples of a benchmark run on standard input and prints the
// floors and one verdict line per figure:
//   FLOOR <name> <value> <unit>
//   BENCH <name> <value> <unit> ratio=<r|-> budget=<b> ok|over
// Exits 1 when any figure is over its budget or could not be measured.

#include "probe/Verdict.h"

#include <cstdio>
#include <iostream>

int main() {
    const Verdict::Samples samples = Verdict::parseSamples(std::cin);

    struct FloorLine {
        const char* name;
        const char* unit;
        Verdict::Floor floor;
        double scale;
    };
    const FloorLine floors[] = {
        {"bare_window_shown", "ms", {"floor_window_shown_ms", ""}, 1.0},
        {"bare_webview_loaded", "ms", {"floor_webview_loaded_ms", ""}, 1.0},
        {"bare_webview_load", "ms", {"floor_webview_loaded_ms", "floor_window_shown_ms"}, 1.0},
        {"bare_window_pss", "MB", {"floor_window_pss_kb", ""}, 1.0 / 1024.0},
        {"bare_webview_pss", "MB", {"floor_webview_pss_kb", ""}, 1.0 / 1024.0},
        {"bare_webview_idle_cpu", "ms", {"floor_webview_idle_ms", ""}, 1.0},
    };
    for (const FloorLine& line : floors) {
        std::vector<double> values;
        for (const auto& [round, value] : Verdict::floorRounds(samples, line.floor))
            values.push_back(value * line.scale);
        const auto median = Verdict::medianOf(values);
        std::printf("FLOOR %s %s %s rounds=%zu\n", line.name,
                    median ? Verdict::formatNumber(*median).c_str() : "-", line.unit,
                    values.size());
    }

    // Figures shown beside the budgets, to tell where a figure's time goes.
    auto info = [&samples](const char* sample, const char* name) {
        std::vector<double> values;
        for (const auto& [round, value] : Verdict::roundValues(samples, sample))
            values.push_back(value);
        if (const auto median = Verdict::medianOf(values))
            std::printf("INFO %s %s ms\n", name, Verdict::formatNumber(*median).c_str());
    };
    // The same marking with the disk flushes of its writes turned into no-ops.
    info("marking_unflushed_ms", "marking_without_disk_flush");
    // The open practice window once its question's engine has finished the
    // work it does in the first seconds after a page loaded: the clock alone.
    info("idle_again_cpu_ms", "idle_cpu_next_10s");

    bool allOk = true;
    for (const Verdict::Figure& figure : Verdict::budgetFigures()) {
        const Verdict::Judgement judgement = Verdict::judgeFigure(figure, samples);
        std::printf("%s\n", judgement.line.c_str());
        allOk = allOk && judgement.ok;
    }
    return allOk ? 0 : 1;
}
