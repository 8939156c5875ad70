// How long loading a layout file takes: the three loads of start-up
// (Default, Extend, Default) of the bundled layouts, and a layout that
// defines all 196 sections, read once into memory as the keyboard does and,
// as a baseline, through a reader that re-reads the file for every key (as
// the Windows profile API does).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "platform/common/posix_file_system.h"
#include "platform/common/windows1252.h"
#include "src/layout/layout_loader.h"

namespace {

using plinth::platform::Profile;

std::unique_ptr<Profile> ReadProfile(const std::string& path) {
  plinth::platform::PosixFileSystem files;
  return files.OpenProfile(path);
}

// A profile that opens and parses the file again for every lookup.
class RereadingProfile final : public Profile {
 public:
  explicit RereadingProfile(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> FindValue(std::string_view section, std::string_view key) override {
    return ReadProfile(path_)->FindValue(section, key);
  }

 private:
  std::string path_;
};

struct Loader {
  plinth::platform::Cp1252TextCase text;
  plinth::TButtonRec template_rec = plinth::MakeTemplateRec();
  plinth::TLayerSuffix suffix = plinth::MakeLayerSuffix();
  plinth::TButtonArray default_table;

  void Load(Profile& profile, plinth::TButtonArray& target) {
    benchmark::DoNotOptimize(plinth::ReadLatchSettings(profile));
    plinth::ReadLayoutButtons(profile, target,
                              {.template_rec = template_rec,
                               .layer_suffix = suffix,
                               .default_table = default_table,
                               .text_case = text});
  }
};

std::string BundledLayout(const char* name) { return std::string(PLINTH_LAYOUT_DIR) + name; }

void BM_StartupLoads(benchmark::State& state) {
  Loader loader;
  plinth::TButtonArray extend_table;
  plinth::TButtonArray main_table;
  for (auto _ : state) {
    loader.Load(*ReadProfile(BundledLayout("Default.ini")), loader.default_table);
    loader.Load(*ReadProfile(BundledLayout("Extend.ini")), extend_table);
    loader.Load(*ReadProfile(BundledLayout("Default.ini")), main_table);
    benchmark::DoNotOptimize(main_table);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 3);
  state.counters["per_load"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 3,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StartupLoads)->Unit(benchmark::kMicrosecond);

// Writes a layout that sets every key of all 196 button sections.
std::string FullLayoutPath() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "plinth-bench-full.ini";
    std::ofstream out(file, std::ios::binary);
    out << "[Configuration]\nShiftOperation=LATCH\nShift2Operation=TOGGLE\n";
    const char* prefixes[] = {"", "Shift", "Ext", "ExtShift"};
    for (const char* prefix : prefixes) {
      for (int cell = 1; cell <= 49; ++cell) {
        out << '[' << prefix << "Button" << cell << "]\nType=KEY\nCaption=c" << cell
            << "\nKeyString=k\nIconFile=i.ico\nHomeButton=0\nShifted=0\nControl=0\n"
            << "Shift=SET\nHandler=DEFAULT\nAction=CTRL\n";
        for (int i = 1; i <= 5; ++i) out << "Param" << i << "=p\nIntParam" << i << "=$10\n";
      }
    }
    return file.string();
  }();
  return path;
}

void BM_FullLayoutReadOnce(benchmark::State& state) {
  Loader loader;
  plinth::TButtonArray table;
  for (auto _ : state) loader.Load(*ReadProfile(FullLayoutPath()), table);
}
BENCHMARK(BM_FullLayoutReadOnce)->Unit(benchmark::kMicrosecond);

void BM_FullLayoutRereadPerKey(benchmark::State& state) {
  Loader loader;
  plinth::TButtonArray table;
  for (auto _ : state) {
    RereadingProfile profile(FullLayoutPath());
    loader.Load(profile, table);
  }
}
BENCHMARK(BM_FullLayoutRereadPerKey)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
