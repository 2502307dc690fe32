// The median of a set of timings, for benchmarks that time whole program
// runs themselves and report medians as counters.
#pragma once

#include <algorithm>
#include <vector>

inline double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}
