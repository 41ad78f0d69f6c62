// Console output plus a closing summary: the ratios and goals that need two benchmarks at once.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace kobal::bench {

class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  explicit SummaryReporter(OutputOptions options) : ConsoleReporter(options) {}
  void ReportRuns(const std::vector<Run>& reports) override;

  // Prints the figures of what ran, the ratios and whether each goal was met.
  void PrintSummary();

 private:
  struct Figure {
    double nanoseconds;  // CPU time per number
    bool median;         // from the median of repetitions, not a single run
  };
  const Figure* Find(const std::string& name) const;
  void Ratio(const std::string& label, const std::string& slow, const std::string& fast,
             double goal);
  void Goal(const std::string& label, const std::string& name, double limit);

  std::map<std::string, Figure> figures_;
};

}  // namespace kobal::bench
