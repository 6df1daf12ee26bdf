#include "figures.h"

#include <algorithm>
#include <cstdio>

namespace bench {
namespace {

double Quantile(const std::vector<double>& sorted, double q) {
    const double position = q * static_cast<double>(sorted.size() - 1);
    const std::size_t below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    const double fraction = position - static_cast<double>(below);
    return sorted[below] + (sorted[above] - sorted[below]) * fraction;
}

std::string Number(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string QuartileText(const Spread& spread, int decimals) {
    return Number(spread.Min, decimals) + " " + Number(spread.P25, decimals) + " " + Number(spread.Median, decimals) +
           " " + Number(spread.P75, decimals) + " " + Number(spread.Max, decimals);
}

Spread SpreadOf(std::vector<double> samples) {
    Spread spread;
    if (samples.empty()) return spread;
    std::sort(samples.begin(), samples.end());
    spread.Min = samples.front();
    spread.P25 = Quantile(samples, 0.25);
    spread.Median = Quantile(samples, 0.5);
    spread.P75 = Quantile(samples, 0.75);
    spread.Max = samples.back();
    spread.Count = samples.size();
    return spread;
}

std::string FigureLine(const std::string& name, const std::string& unit, const Spread& notice, const Spread& floor,
                       int decimals) {
    const std::string ratio = floor.Median > 0 ? Number(notice.Median / floor.Median, 2) + "x" : "n/a";
    std::string runs = std::to_string(notice.Count);
    if (floor.Count != notice.Count) runs += "/" + std::to_string(floor.Count);
    return name + ": notice " + Number(notice.Median, decimals) + " " + unit + " / floor " +
           Number(floor.Median, decimals) + " " + unit + " = " + ratio + " [min p25 median p75 max: notice " +
           QuartileText(notice, decimals) + "; floor " + QuartileText(floor, decimals) + "; " + runs + " runs each]";
}

}  // namespace bench
