#include "Verdict.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace Verdict {

Samples parseSamples(std::istream& in) {
    Samples samples;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string tag;
        std::string name;
        int round = 0;
        double value = 0.0;
        if (!(fields >> tag) || tag != "SAMPLE")
            continue;
        if (!(fields >> round >> name >> value) || !std::isfinite(value))
            continue;
        samples[name][round].push_back(value);
    }
    return samples;
}

std::optional<double> medianOf(std::vector<double> values) {
    if (values.empty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::map<int, double> roundValues(const Samples& samples, const std::string& name) {
    std::map<int, double> result;
    const auto found = samples.find(name);
    if (found == samples.end())
        return result;
    for (const auto& [round, values] : found->second) {
        if (const auto median = medianOf(values))
            result[round] = *median;
    }
    return result;
}

std::map<int, double> floorRounds(const Samples& samples, const Floor& floor) {
    std::map<int, double> result = roundValues(samples, floor.sample);
    if (floor.minus.empty())
        return result;
    const std::map<int, double> minus = roundValues(samples, floor.minus);
    for (auto it = result.begin(); it != result.end();) {
        const auto other = minus.find(it->first);
        if (other == minus.end()) {
            it = result.erase(it);
            continue;
        }
        it->second -= other->second;
        ++it;
    }
    return result;
}

std::string formatNumber(double value) {
    char text[64];
    const double magnitude = std::fabs(value);
    const int decimals = magnitude < 10.0 ? 2 : magnitude < 100.0 ? 1 : 0;
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string budgetText(double budget) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", budget);
    return text;
}

Judgement judgeFigure(const Figure& figure, const Samples& samples) {
    Judgement judgement;
    const std::map<int, double> rounds = roundValues(samples, figure.sample);
    std::vector<double> values;
    for (const auto& [round, value] : rounds)
        values.push_back(value * figure.scale);
    judgement.value = medianOf(values);

    if (figure.floor) {
        const std::map<int, double> floors = floorRounds(samples, *figure.floor);
        std::vector<double> ratios;
        for (const auto& [round, value] : rounds) {
            const auto floor = floors.find(round);
            // A floor of nothing or less is a failed measurement, not a
            // ratio to trust.
            if (floor != floors.end() && floor->second > 0.0)
                ratios.push_back(value / floor->second);
        }
        judgement.ratio = medianOf(ratios);
        judgement.ok = judgement.value && judgement.ratio && *judgement.ratio <= figure.budget;
    } else {
        judgement.ok = judgement.value && *judgement.value <= figure.budget;
    }

    std::ostringstream line;
    line << "BENCH " << figure.name << ' '
         << (judgement.value ? formatNumber(*judgement.value) : "-") << ' ' << figure.unit
         << " ratio=" << (judgement.ratio ? formatNumber(*judgement.ratio) : "-")
         << " budget=" << budgetText(figure.budget) << ' ' << (judgement.ok ? "ok" : "over");
    judgement.line = line.str();
    return judgement;
}

const std::vector<Figure>& budgetFigures() {
    static const Floor window{"floor_window_shown_ms", ""};
    static const Floor webLoad{"floor_webview_loaded_ms", "floor_window_shown_ms"};
    static const Floor windowPss{"floor_window_pss_kb", ""};
    static const Floor webPss{"floor_webview_pss_kb", ""};
    static const std::vector<Figure> budgets{
        {"startup_fresh", "ms", "startup_fresh_ms", 1.0, window, 1.5},
        {"startup_existing", "ms", "startup_existing_ms", 1.0, window, 1.5},
        {"startup_pupils", "ms", "startup_pupils_ms", 1.0, window, 1.5},
        {"startup_module", "ms", "startup_module_ms", 1.0, window, 1.5},
        {"paper_open_first", "ms", "paper_open_first_ms", 1.0, webLoad, 1.2},
        {"paper_open_second", "ms", "paper_open_second_ms", 1.0, webLoad, 0.5},
        {"next_question", "ms", "next_question_ms", 1.0, std::nullopt, 50.0},
        {"marking", "ms", "marking_ms", 1.0, std::nullopt, 2.0},
        {"report", "ms", "report_ms", 1.0, std::nullopt, 100.0},
        {"idle_cpu", "ms", "idle_cpu_ms", 1.0, std::nullopt, 20.0},
        {"pss_main_window", "MB", "pss_main_kb", 1.0 / 1024.0, windowPss, 1.5},
        {"pss_practice_window", "MB", "pss_practice_kb", 1.0 / 1024.0, webPss, 1.2},
    };
    return budgets;
}

} // namespace Verdict
