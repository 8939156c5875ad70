// How long the keyboard's start-up (three loads: Default, Extend, Default)
// takes when Default.ini is one of the hostile layout files, read from disk,
// and how much memory that start-up needs at its peak. The peak is measured
// once per file in a child process of its own, so that one file's peak does
// not hide another's, and reported as the counter peak_rss_mb.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/hostile/disk_keyboard.h"
#include "tests/hostile/hostile_layouts.h"

namespace {

using plinth::hostile::DiskKeyboard;

const std::string& BundledDefault() {
  static const std::string text = plinth::hostile::BundledLayout("Default");
  return text;
}

// The peak resident memory, in megabytes, of a child that writes the file
// and starts the keyboard on it.
double PeakMegabytesOfStartUp(const std::string& bytes) {
  const pid_t child = fork();
  if (child == 0) {
    DiskKeyboard keyboard;
    keyboard.Write("Default.ini", bytes);
    keyboard.Write("Extend.ini", "");
    keyboard.Create();
    _exit(0);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return -1;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

void StartUpWithHostileDefault(benchmark::State& state,
                               const plinth::hostile::HostileLayout* layout) {
  const std::string bytes = layout->make();
  DiskKeyboard files;
  files.Write("Default.ini", bytes);
  files.Write("Extend.ini", "");
  for (auto _ : state) {
    DiskKeyboard keyboard;
    state.PauseTiming();
    std::filesystem::copy_file(files.directory() / "Default.ini",
                               keyboard.directory() / "Default.ini");
    keyboard.Write("Extend.ini", "");
    state.ResumeTiming();
    keyboard.Create();
    benchmark::DoNotOptimize(keyboard.form().MainTable);
  }
  state.counters["file_mb"] = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
  state.counters["peak_rss_mb"] = PeakMegabytesOfStartUp(bytes);
}

const int kRegistered = [] {
  static const auto corpus = plinth::hostile::AllHostileLayouts(BundledDefault());
  for (const auto& layout : corpus) {
    benchmark::RegisterBenchmark(("StartUpWithHostileDefault/" + layout.name).c_str(),
                                 StartUpWithHostileDefault, &layout)
        ->Unit(benchmark::kMillisecond);
  }
  return 0;
}();

}  // namespace

BENCHMARK_MAIN();
