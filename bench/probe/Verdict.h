#pragma once
// From raw samples to the printed verdict. The runner measures in rounds:
// every round runs each program once, interleaved, and every sample is
// tagged with its round. A figure's value is the median over the rounds of
// each round's median; a ratio to a floor is the median of the ratios taken
// round by round, so that a machine whose speed drifts between rounds still
// compares like with like.

#include <istream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Verdict {

// round -> the values sampled in that round
using Rounds = std::map<int, std::vector<double>>;
// sample name -> its rounds
using Samples = std::map<std::string, Rounds>;

// Lines "SAMPLE <round> <name> <value>"; any other line is ignored.
Samples parseSamples(std::istream& in);

std::optional<double> medianOf(std::vector<double> values);

// A floor is one sample, or one sample minus another taken in the same round
// (the bare web view's page load less the bare window's start).
struct Floor {
    std::string sample;
    std::string minus; // empty: nothing subtracted
};

struct Figure {
    std::string name;
    std::string unit;
    std::string sample;
    double scale = 1.0;         // multiplies sample values into the unit
    std::optional<Floor> floor; // set: the budget is a ratio to this floor
    double budget = 0.0;        // a ratio when floor is set, else in the unit
};

// Per round, the median of the round's values (or the floor's difference).
std::map<int, double> roundValues(const Samples& samples, const std::string& name);
std::map<int, double> floorRounds(const Samples& samples, const Floor& floor);

struct Judgement {
    std::optional<double> value;
    std::optional<double> ratio;
    bool ok = false;
    std::string line; // BENCH <name> <value> <unit> ratio=<r|-> budget=<b> ok|over
};

Judgement judgeFigure(const Figure& figure, const Samples& samples);

// Numbers as printed: two decimals below 10, one below 100, none above.
std::string formatNumber(double value);
// Budgets as written: 1.5, 50, 0.5.
std::string budgetText(double budget);

// The budgets the program must meet.
const std::vector<Figure>& budgetFigures();

} // namespace Verdict
