// Samples summed up as a median with its spread, and the one-line form in
// which every benchmark figure is printed: notice against the floor program.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct Spread {
    double Min = 0;
    double P25 = 0;
    double Median = 0;
    double P75 = 0;
    double Max = 0;
    std::size_t Count = 0;
};

// Quartiles by linear interpolation between the sorted samples; an empty
// set gives all zeros and Count 0.
Spread SpreadOf(std::vector<double> samples);

// "min p25 median p75 max" with `decimals` places.
std::string QuartileText(const Spread& spread, int decimals);

// "NAME: notice M UNIT / floor M UNIT = R.RRx [min p25 median p75 max:
// notice ...; floor ...; N runs each]", with M the medians. The ratio is
// "n/a" when the floor's median is 0.
std::string FigureLine(const std::string& name, const std::string& unit, const Spread& notice, const Spread& floor,
                       int decimals);

}  // namespace bench
