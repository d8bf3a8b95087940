// The median of a run's measurements (rounds taken by turns are compared by
// the median of their own ratios, so one slow round on a busy machine does
// not decide the figure).
#pragma once

#include <algorithm>
#include <vector>

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty()      ? 0
         : v.size() % 2 ? v[v.size() / 2]
                        : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Rounds taken by turns of ours, another build of ours (an earlier one, or
// none: 1) and the platform's peer: each one's times and the rounds' own
// ratios, for their medians.
struct ByTurns {
  std::vector<double> ours, other, platform;
  std::vector<double> ratio;       // ours / platform's
  std::vector<double> otherRatio;  // other / platform's
  std::vector<double> toOther;     // ours / other
  void Add(double o, double t, double p) {
    ours.push_back(o);
    other.push_back(t);
    platform.push_back(p);
    ratio.push_back(o / p);
    otherRatio.push_back(t / p);
    toOther.push_back(o / t);
  }
};
