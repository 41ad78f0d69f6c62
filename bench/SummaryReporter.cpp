// Collects the per-number figure of each benchmark (its median when repeated) for the summary.
#include "SummaryReporter.h"

#include <cstdio>
#include <ostream>

#include "BenchCounters.h"

namespace kobal::bench {

void SummaryReporter::ReportRuns(const std::vector<Run>& reports) {
  ConsoleReporter::ReportRuns(reports);
  for (const Run& run : reports) {
    if (run.error_occurred) continue;
    const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
    const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
    if (!median && !single) continue;
    const auto counter = run.counters.find(kPerNumber);
    if (counter == run.counters.end()) continue;
    figures_[run.run_name.function_name] = {counter->second.value * 1e9, median};
  }
}

const SummaryReporter::Figure* SummaryReporter::Find(const std::string& name) const {
  const auto found = figures_.find(name);
  return found == figures_.end() ? nullptr : &found->second;
}

void SummaryReporter::Ratio(const std::string& label, const std::string& slow,
                            const std::string& fast, double goal) {
  const Figure* slowFigure = Find(slow);
  const Figure* fastFigure = Find(fast);
  if (slowFigure == nullptr || fastFigure == nullptr || fastFigure->nanoseconds <= 0) return;
  const double ratio = slowFigure->nanoseconds / fastFigure->nanoseconds;
  char line[160];
  if (goal > 0) {
    const bool met = ratio >= goal;
    std::snprintf(line, sizeof line, "  %-40s %10.1fx  (goal at least %.0fx: %s)\n", label.c_str(),
                  ratio, goal, met ? "met" : "MISSED");
  } else {
    std::snprintf(line, sizeof line, "  %-40s %10.1fx\n", label.c_str(), ratio);
  }
  GetOutputStream() << line;
}

void SummaryReporter::Goal(const std::string& label, const std::string& name, double limit) {
  const Figure* figure = Find(name);
  if (figure == nullptr) return;
  const bool met = figure->nanoseconds < limit;
  char line[160];
  std::snprintf(line, sizeof line, "  %-40s %10.1f ns (goal under %.0f ns: %s)\n", label.c_str(),
                figure->nanoseconds, limit, met ? "met" : "MISSED");
  GetOutputStream() << line;
}

void SummaryReporter::PrintSummary() {
  if (figures_.empty()) return;
  bool allMedians = true;
  for (const auto& entry : figures_) allMedians = allMedians && entry.second.median;
  std::ostream& out = GetOutputStream();
  out << "\nSummary, CPU time per number"
      << (allMedians ? " (medians of the repetitions)" : " (single runs: add repetitions)")
      << ":\n";
  char line[160];
  for (const auto& [name, figure] : figures_) {
    std::snprintf(line, sizeof line, "  %-40s %10.1f ns\n", name.c_str(), figure.nanoseconds);
    out << line;
  }
  out << "Ratios and goals:\n";
  Ratio("libphonenumber / DetectCarrier, mix", "libphonenumber/mix", "DetectCarrier/mix", 300);
  Goal("DetectCarrier, fixed-line hit", "DetectCarrier/fixed_line_hit", 100);
  Goal("DetectCarrier, fixed-line miss", "DetectCarrier/fixed_line_miss", 100);
  Ratio("scan / index, fixed-line hit", "FixedLine/scan_hit", "FixedLine/index_hit", 0);
  Ratio("scan / index, fixed-line miss", "FixedLine/scan_miss", "FixedLine/index_miss", 0);
  out.flush();
}

}  // namespace kobal::bench
