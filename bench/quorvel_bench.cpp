// SPDX-License-Identifier: GPL-3.0-or-later
// Each of the program's own routines is timed beside the library routine or
// plain formula it stands on, on the same inputs and in the same run; what is
// reported is the ratio of the two, against the target for that routine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "calc/drag_coefficient.h"
#include "runtime/conversions.h"

namespace {

constexpr std::size_t kInputCount = 10'000;

// Texts like those typed in the fields: speeds, times, masses, coefficients.
const std::vector<std::string>& FieldTexts() {
  static const std::vector<std::string> texts = [] {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> whole(0, 2000);
    std::uniform_int_distribution<int> decimals(0, 4);
    std::vector<std::string> out;
    out.reserve(kInputCount);
    for (std::size_t i = 0; i < kInputCount; ++i) {
      std::string text = std::to_string(whole(random));
      const int places = decimals(random);
      if (places > 0) {
        text += '.';
        for (int d = 0; d < places; ++d) text += static_cast<char>('0' + whole(random) % 10);
      }
      out.push_back(std::move(text));
    }
    return out;
  }();
  return texts;
}

// Values like the results the label shows.
const std::vector<double>& Results() {
  static const std::vector<double> values = [] {
    std::mt19937_64 random(54321);
    std::uniform_real_distribution<double> cx(0.05, 1.5);
    std::vector<double> out(kInputCount);
    for (double& v : out) v = cx(random);
    return out;
  }();
  return values;
}

const std::vector<quorvel::CoastDownInputs>& Inputs() {
  static const std::vector<quorvel::CoastDownInputs> inputs = [] {
    std::mt19937 random(777);
    std::uniform_real_distribution<double> jitter(0.9, 1.1);
    std::vector<quorvel::CoastDownInputs> out(kInputCount);
    for (std::size_t i = 0; i < out.size(); ++i) {
      quorvel::CoastDownInputs& in = out[i];
      in.InitialSpeed1 = 90 * jitter(random);
      in.FinalSpeed1 = 80 * jitter(random);
      in.Time1 = 7 * jitter(random);
      in.InitialSpeed2 = 20 * jitter(random);
      in.FinalSpeed2 = 10 * jitter(random);
      in.Time2 = 20 * jitter(random);
      in.SpeedsInKmh = i % 2 == 0;
      in.AreaFromHeightWidth = i % 3 == 0;
      in.FrontalArea = 2 * jitter(random);
      in.Height = 1.4 * jitter(random);
      in.Width = 1.7 * jitter(random);
      in.Weight = 1000 * jitter(random);
      in.MassCoefficient = 1.06;
      in.AirDensity = 1.22;
    }
    return out;
  }();
  return inputs;
}

// The same formula and order of steps as CalculateCx, with no checks at all.
double UncheckedCx(const quorvel::CoastDownInputs& in) {
  const double k = in.SpeedsInKmh ? quorvel::KmhToMs : 1.0;
  const auto scale = [&](double v) { return in.SpeedsInKmh ? v * k : v; };
  const double a1 = scale((in.InitialSpeed1 - in.FinalSpeed1) / in.Time1);
  const double a2 = scale((in.InitialSpeed2 - in.FinalSpeed2) / in.Time2);
  const double v1 = scale((in.InitialSpeed1 + in.FinalSpeed1) / 2);
  const double v2 = scale((in.InitialSpeed2 + in.FinalSpeed2) / 2);
  const double area =
      in.AreaFromHeightWidth ? (in.Height * in.Width) * quorvel::AreaFactor : in.FrontalArea;
  const double x = (in.MassCoefficient * in.Weight) * (a1 - a2);
  const double y = ((in.AirDensity / 2) * area) * (v1 * v1 - v2 * v2);
  return x / y;
}

void BM_TextToNumber(benchmark::State& state) {
  const auto& texts = FieldTexts();
  for (auto _ : state) {
    for (const std::string& text : texts) benchmark::DoNotOptimize(quorvel::TextToNumber(text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}

void BM_FromChars(benchmark::State& state) {
  const auto& texts = FieldTexts();
  for (auto _ : state) {
    for (const std::string& text : texts) {
      double value = 0;
      std::from_chars(text.data(), text.data() + text.size(), value);
      benchmark::DoNotOptimize(value);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}

void BM_NumberToText(benchmark::State& state) {
  const auto& values = Results();
  for (auto _ : state) {
    for (double v : values) benchmark::DoNotOptimize(quorvel::NumberToText(v, ","));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_ToChars(benchmark::State& state) {
  const auto& values = Results();
  std::array<char, 64> buffer{};
  for (auto _ : state) {
    for (double v : values) {
      // Not const: Benchmark 1.9 deprecates keeping a const value from being optimised away.
      auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                  std::chars_format::general, 15);
      benchmark::DoNotOptimize(result.ptr);
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

void BM_CalculateCx(benchmark::State& state) {
  const auto& inputs = Inputs();
  for (auto _ : state) {
    for (const auto& in : inputs) benchmark::DoNotOptimize(quorvel::CalculateCx(in));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(inputs.size()));
}

void BM_UncheckedFormula(benchmark::State& state) {
  const auto& inputs = Inputs();
  for (auto _ : state) {
    for (const auto& in : inputs) benchmark::DoNotOptimize(UncheckedCx(in));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(inputs.size()));
}

// Each benchmark runs several times, interleaved with the others; the ratio is
// taken between the fastest repetitions, the ones least disturbed by whatever
// else the machine was doing. The library computes that fastest repetition as
// a statistic of its own, over the repetitions that completed.
constexpr int kRepetitions = 10;
double Fastest(const std::vector<double>& times) {
  return times.empty() ? 0.0 : *std::min_element(times.begin(), times.end());
}
BENCHMARK(BM_TextToNumber)->Repetitions(kRepetitions)->ComputeStatistics("fastest", Fastest);
BENCHMARK(BM_FromChars)->Repetitions(kRepetitions)->ComputeStatistics("fastest", Fastest);
BENCHMARK(BM_NumberToText)->Repetitions(kRepetitions)->ComputeStatistics("fastest", Fastest);
BENCHMARK(BM_ToChars)->Repetitions(kRepetitions)->ComputeStatistics("fastest", Fastest);
BENCHMARK(BM_CalculateCx)->Repetitions(kRepetitions)->ComputeStatistics("fastest", Fastest);
BENCHMARK(BM_UncheckedFormula)->Repetitions(kRepetitions)->ComputeStatistics("fastest", Fastest);

// Keeps the "fastest" statistic's time per iteration of every benchmark while
// the console reporter prints as usual.
class FastestCollector : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "fastest") continue;
      fastest_[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  const std::map<std::string, double>& fastest() const { return fastest_; }

 private:
  std::map<std::string, double> fastest_;
};

struct Comparison {
  const char* routine;
  const char* baseline;
  double target;
};

}  // namespace

int main(int argc, char** argv) {
  // Interleave the repetitions of all benchmarks in random order, so that a
  // slow spell of the machine weighs on a routine and its baseline alike.
  std::vector<char*> args(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  argc = count;
  argv = args.data();
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  FastestCollector reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const Comparison comparisons[] = {
      {"BM_TextToNumber", "BM_FromChars", 2.0},
      {"BM_NumberToText", "BM_ToChars", 1.5},
      {"BM_CalculateCx", "BM_UncheckedFormula", 3.0},
  };
  std::printf("\n%-18s %-22s %8s %8s  %s\n", "routine", "baseline", "ratio", "target", "verdict");
  for (const Comparison& c : comparisons) {
    const auto routine = reporter.fastest().find(c.routine);
    const auto baseline = reporter.fastest().find(c.baseline);
    if (routine == reporter.fastest().end() || baseline == reporter.fastest().end()) continue;
    const double ratio = routine->second / baseline->second;
    const bool met = ratio <= c.target;
    std::printf("%-18s %-22s %7.2fx %7.2fx  %s\n", c.routine + 3, c.baseline + 3, ratio, c.target,
                met ? "within target" : "OVER TARGET");
  }
  // The verdicts are a report, read by people; a noisy machine must not fail a build.
  return 0;
}
