// Our own small stand-in for the part of the Google Benchmark API that the
// benchmarks here use, for the PE build (Debian ships Google Benchmark only
// for Linux). Same source-level use: BENCHMARK(fn)->Arg(n)->Unit(...),
// `for (auto _ : state)`, state.range(0), PauseTiming/ResumeTiming,
// Iterations, Repetitions, UseManualTime/SetIterationTime, BENCHMARK_MAIN(). Wall-clock time only;
// with repetitions it prints each run and then mean, median, stddev, min and max.
#pragma once

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond, kSecond };

template <class T>
inline void DoNotOptimize(T const& value) {
  asm volatile("" : : "r,m"(value) : "memory");
}

class State {
 public:
  using Clock = std::chrono::steady_clock;
  State(int64_t iterations, std::vector<int64_t> args, bool manualTime = false)
      : iterations_(iterations), args_(std::move(args)), manual_(manualTime) {}

  // Marked unused, as Google Benchmark does, so `for (auto _ : state)` is quiet.
  struct __attribute__((unused)) Value {};
  struct Iterator {
    State* state;
    int64_t left;
    bool operator!=(const Iterator&) {
      if (left > 0) return true;
      state->Stop();
      return false;
    }
    void operator++() { --left; }
    Value operator*() const { return {}; }
  };
  Iterator begin() {
    Start();
    return {this, iterations_};
  }
  Iterator end() { return {this, 0}; }

  int64_t range(size_t i = 0) const { return args_.at(i); }
  int64_t iterations() const { return iterations_; }
  void PauseTiming() {
    if (!manual_) elapsed_ += Clock::now() - started_;
  }
  void ResumeTiming() { started_ = Clock::now(); }
  // With UseManualTime, the iteration's time as the benchmark measured it.
  void SetIterationTime(double seconds) {
    elapsed_ += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  }
  void SetLabel(const std::string& label) { label_ = label; }
  void SkipWithError(const char* message) { error_ = message; }

  double Seconds() const { return std::chrono::duration<double>(elapsed_).count(); }
  const std::string& Label() const { return label_; }
  const std::string& Error() const { return error_; }

 private:
  void Start() {
    elapsed_ = Clock::duration::zero();
    started_ = Clock::now();
  }
  void Stop() {
    if (!manual_) elapsed_ += Clock::now() - started_;
  }

  int64_t iterations_;
  std::vector<int64_t> args_;
  Clock::time_point started_{};
  Clock::duration elapsed_{};
  bool manual_ = false;
  std::string label_, error_;
};

class Benchmark {
 public:
  Benchmark(std::string name, std::function<void(State&)> fn)
      : name_(std::move(name)), fn_(std::move(fn)) {}
  Benchmark* Arg(int64_t value) {
    args_.push_back(value);
    return this;
  }
  Benchmark* Unit(TimeUnit unit) {
    unit_ = unit;
    return this;
  }
  Benchmark* Iterations(int64_t n) {
    iterations_ = n;
    return this;
  }
  Benchmark* Repetitions(int n) {
    repetitions_ = n;
    return this;
  }
  Benchmark* UseManualTime() {
    manualTime_ = true;
    return this;
  }
  Benchmark* MinTime(double seconds) {
    minTime_ = seconds;
    return this;
  }

  void Run(const char* filter) const {
    std::vector<int64_t> args = args_;
    if (args.empty()) args.push_back(-1);
    for (int64_t arg : args) {
      const std::string name = args_.empty() ? name_ : name_ + "/" + std::to_string(arg);
      if (filter && !std::strstr(name.c_str(), filter)) continue;
      std::vector<int64_t> a;
      if (!args_.empty()) a.push_back(arg);
      std::vector<double> perIteration;
      for (int rep = 0; rep < repetitions_; ++rep) {
        int64_t n = iterations_ > 0 ? iterations_ : 1;
        for (;;) {
          State state(n, a, manualTime_);
          fn_(state);
          if (!state.Error().empty()) {
            std::printf("%-40s ERROR: %s\n", name.c_str(), state.Error().c_str());
            return;
          }
          const double secs = state.Seconds();
          if (iterations_ > 0 || secs >= minTime_ || n >= 1000000000) {
            perIteration.push_back(secs / static_cast<double>(n));
            Print(name, perIteration.back(), n, state.Label());
            break;
          }
          const double want = secs > 0 ? minTime_ * 1.4 / secs * static_cast<double>(n) : n * 10.0;
          n = std::max<int64_t>(n + 1, std::min<int64_t>(static_cast<int64_t>(want), n * 100));
        }
      }
      if (perIteration.size() > 1) Summary(name, perIteration);
    }
  }

 private:
  double Scale() const {
    switch (unit_) {
      case kNanosecond:
        return 1e9;
      case kMicrosecond:
        return 1e6;
      case kMillisecond:
        return 1e3;
      default:
        return 1.0;
    }
  }
  const char* UnitName() const {
    switch (unit_) {
      case kNanosecond:
        return "ns";
      case kMicrosecond:
        return "us";
      case kMillisecond:
        return "ms";
      default:
        return "s";
    }
  }
  void Print(const std::string& name, double secs, int64_t n, const std::string& label) const {
    std::printf("%-40s %12.3f %s %10lld %s\n", name.c_str(), secs * Scale(), UnitName(),
                static_cast<long long>(n), label.c_str());
    std::fflush(stdout);
  }
  void Summary(const std::string& name, std::vector<double> v) const {
    std::sort(v.begin(), v.end());
    double mean = 0;
    for (double x : v) mean += x;
    mean /= static_cast<double>(v.size());
    double var = 0;
    for (double x : v) var += (x - mean) * (x - mean);
    const double stddev = std::sqrt(var / static_cast<double>(v.size() - 1));
    const double median =
        v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    const std::pair<const char*, double> rows[] = {{"mean", mean},
                                                   {"median", median},
                                                   {"stddev", stddev},
                                                   {"min", v.front()},
                                                   {"max", v.back()}};
    for (const auto& [what, value] : rows)
      std::printf("%-40s %12.3f %s\n", (name + "_" + what).c_str(), value * Scale(), UnitName());
  }

  std::string name_;
  std::function<void(State&)> fn_;
  std::vector<int64_t> args_;
  TimeUnit unit_ = kNanosecond;
  int64_t iterations_ = 0;
  int repetitions_ = 1;
  double minTime_ = 0.5;
  bool manualTime_ = false;
};

namespace internal {
inline std::vector<std::unique_ptr<Benchmark>>& Registry() {
  static std::vector<std::unique_ptr<Benchmark>> all;
  return all;
}
inline Benchmark* Register(const char* name, void (*fn)(State&)) {
  Registry().push_back(std::make_unique<Benchmark>(name, fn));
  return Registry().back().get();
}
inline int RunAll(int argc, char** argv) {
  const char* filter = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--benchmark_filter=", 19) == 0) filter = argv[i] + 19;
  }
  std::printf("%-40s %15s %10s\n", "Benchmark", "Time", "Iterations");
  for (const auto& b : Registry()) b->Run(filter);
  return 0;
}
}  // namespace internal

}  // namespace benchmark

#define W95_BENCH_CONCAT2(a, b) a##b
#define W95_BENCH_CONCAT(a, b) W95_BENCH_CONCAT2(a, b)
#define BENCHMARK(fn)                                                                  \
  [[maybe_unused]] static ::benchmark::Benchmark* W95_BENCH_CONCAT(bench_, __LINE__) = \
      ::benchmark::internal::Register(#fn, fn)
#define BENCHMARK_MAIN() \
  int main(int argc, char** argv) { return ::benchmark::internal::RunAll(argc, argv); }
