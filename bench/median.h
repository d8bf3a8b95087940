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
