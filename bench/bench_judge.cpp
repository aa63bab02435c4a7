// Reads the samples of a benchmark run on standard input and prints the
// floors and one verdict line per figure:
//   FLOOR <name> <value> <unit>
//   BENCH <name> <value> <unit> ratio=<r|-> budget=<b> ok|over
// Exits 1 when any figure is over its budget or could not be measured.

#include "probe/Verdict.h"

#include <cstdio>
#include <iostream>

int main() {
    const Verdict::Samples samples = Verdict::ParseSamples(std::cin);

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
    };
    for (const FloorLine& line : floors) {
        std::vector<double> values;
        for (const auto& [round, value] : Verdict::FloorRounds(samples, line.floor))
            values.push_back(value * line.scale);
        const auto median = Verdict::Median(values);
        std::printf("FLOOR %s %s %s rounds=%zu\n", line.name,
                    median ? Verdict::FormatNumber(*median).c_str() : "-", line.unit,
                    values.size());
    }

    // Where the marking's time goes: the same marking with the disk flushes
    // of its writes turned into no-ops.
    std::vector<double> unflushed;
    for (const auto& [round, value] : Verdict::RoundValues(samples, "marking_unflushed_ms"))
        unflushed.push_back(value);
    if (const auto median = Verdict::Median(unflushed))
        std::printf("INFO marking_without_disk_flush %s ms\n",
                    Verdict::FormatNumber(*median).c_str());

    bool allOk = true;
    for (const Verdict::Figure& figure : Verdict::Budgets()) {
        const Verdict::Judgement judgement = Verdict::Judge(figure, samples);
        std::printf("%s\n", judgement.line.c_str());
        allOk = allOk && judgement.ok;
    }
    return allOk ? 0 : 1;
}
