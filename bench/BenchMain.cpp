// kobal_bench: runs the registered benchmarks, then prints the ratios and the goals they meet.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "SummaryReporter.h"

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  // Colours only for a terminal, so saved output stays plain text.
  kobal::bench::SummaryReporter reporter(isatty(STDOUT_FILENO)
                                             ? benchmark::ConsoleReporter::OO_Defaults
                                             : benchmark::ConsoleReporter::OO_Tabular);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
