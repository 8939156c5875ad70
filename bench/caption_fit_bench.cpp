// How long fitting a button's caption takes: a caption that fits, a long
// caption cut where a bisection finds the place, and the redraw of a button
// whose caption, font and room have not changed (as while a dwell bar
// fills), which measures nothing. The measure is the fixed-width one, as
// slow as a character count, so that the figures count measurements.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/common/caption_fit.h"

namespace {

using plinth::platform::CaptionFitCache;
using plinth::platform::CaptionRoom;
using plinth::platform::FitCaption;
using plinth::platform::MonospaceWidth;
using plinth::platform::TextEncoding;

constexpr CaptionRoom kButton{.width = 27, .font_size = 12, .smallest_size = 8};
constexpr const char* kEllipsis = "\xE2\x80\xA6";

std::string CaptionOfLength(std::int64_t characters) {
  return std::string(static_cast<std::size_t>(characters), 'x');
}

void BM_FitCaption(benchmark::State& state) {
  const std::string caption = CaptionOfLength(state.range(0));
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        FitCaption(caption, kButton, MonospaceWidth, kEllipsis, TextEncoding::Utf8));
  }
}
BENCHMARK(BM_FitCaption)->Arg(3)->Arg(40)->Arg(2047);

void BM_RedrawWithTheSameCaption(benchmark::State& state) {
  const std::string caption = CaptionOfLength(state.range(0));
  CaptionFitCache cache;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        cache.Fit(caption, kButton, 0, MonospaceWidth, kEllipsis, TextEncoding::Utf8));
  }
}
BENCHMARK(BM_RedrawWithTheSameCaption)->Arg(3)->Arg(2047);

}  // namespace

BENCHMARK_MAIN();
