// Word suggestions measured: keystroke savings on English texts next to a
// simulated peer (xvkbd's word list), the time of one suggestion, the time
// to load the word list and the memory it takes. Prints tab-separated
// lines for bench/words.sh:
//   SAVINGS  text  N  learning  plinth%  peer%
//   LATENCY  p50_us  p95_us  max_us  suggestions
//   LOAD     median_ms  min_ms  max_ms  median_cpu_ms  first_ms
//   MEMORY   heap_kb  rss_kb  words  pairs
//
// Usage: word_savings [--weights L,LP,U,R,UP,H,HP,S] [--quick] LIST PEER_LIST TEXT...
// --weights sets the ranking's weights (RankingWeights, in its order), for
// tuning them on texts other than the benchmark's; --quick measures only
// Plinth's savings with five suggestions.

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/word_peer.h"
#include "platform/common/windows1252.h"
#include "src/words/word_suggestions.h"
#include "tools/words/core_suggester.h"

namespace {

using Clock = std::chrono::steady_clock;
using plinth::words::LearnedWords;
using plinth::words::RankingWeights;
using plinth::words::WordList;
using plinth::words::WordSuggestions;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "word_savings: cannot read " << path << '\n';
    std::exit(2);
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

// Times every suggestion the keyboard's code computes.
class TimedSuggester final : public plinth::word_typing::Suggester {
 public:
  TimedSuggester(WordSuggestions& suggestions, std::vector<double>* micros)
      : inner_(suggestions), micros_(micros) {}
  std::vector<std::string> Suggestions(std::size_t count) override {
    const auto start = Clock::now();
    std::vector<std::string> shown = inner_.Suggestions(count);
    if (micros_ != nullptr) {
      micros_->push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return shown;
  }
  void Type(char key) override { inner_.Type(key); }
  void Accept(std::size_t index) override { inner_.Accept(index); }

 private:
  plinth::word_typing::CoreSuggester inner_;
  std::vector<double>* micros_;
};

double Percent(const plinth::word_typing::TypingCost& cost) {
  return 100.0 * (1.0 - cost.cost / static_cast<double>(cost.characters));
}

double Quantile(std::vector<double> values, double q) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

RankingWeights ParseWeights(const std::string& text) {
  RankingWeights w;
  double* fields[] = {&w.list,         &w.list_pair,    &w.learned,           &w.recent,
                      &w.learned_pair, &w.learned_half, &w.learned_pair_half, &w.recent_span};
  std::istringstream in(text);
  std::string value;
  for (double* field : fields) {
    if (!std::getline(in, value, ',')) break;
    *field = std::stod(value);
  }
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  RankingWeights weights;
  if (args.size() >= 2 && args[0] == "--weights") {
    weights = ParseWeights(args[1]);
    args.erase(args.begin(), args.begin() + 2);
  }
  bool quick = false;
  if (!args.empty() && args[0] == "--quick") {
    quick = true;
    args.erase(args.begin());
  }
  if (args.size() < 3) {
    std::cerr << "Usage: word_savings [--weights ...] LIST PEER_LIST TEXT...\n";
    return 2;
  }

  // Memory first, on a fresh heap: what the loaded list keeps.
  const long rss_before = ResidentKilobytes();
  const auto heap = [] {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
  };
  const std::size_t heap_before = heap();
  std::string list_bytes = ReadFile(args[0]);
  plinth::words::WordListRead read = plinth::words::ReadWordList(list_bytes);
  list_bytes = std::string();
  if (!read.error.empty()) {
    std::cerr << "word_savings: " << read.error << '\n';
    return 2;
  }
  const WordList list = std::move(read.list);
  const std::size_t heap_after = heap();
  std::printf("MEMORY\t%zu\t%ld\t%zu\t%zu\n", (heap_after - heap_before) / 1024,
              ResidentKilobytes() - rss_before, list.words().size(), list.pair_count());

  // Wall time, and the processor time of this process, which other work on
  // a shared machine disturbs less.
  std::vector<double> load_ms;
  std::vector<double> cpu_ms;
  const auto cpu_now = [] {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
  };
  const std::string bytes = ReadFile(args[0]);
  for (int run = 0; run < 15; ++run) {
    const auto start = Clock::now();
    const double cpu_start = cpu_now();
    const plinth::words::WordListRead again = plinth::words::ReadWordList(bytes);
    cpu_ms.push_back(cpu_now() - cpu_start);
    load_ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::printf("LOAD\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\n", Quantile(load_ms, 0.5), Quantile(load_ms, 0),
              Quantile(load_ms, 1), Quantile(cpu_ms, 0.5), load_ms.front());

  const plinth::bench::PeerWordList peer_list(ReadFile(args[1]));
  std::vector<double> micros;
  for (std::size_t t = 2; t < args.size(); ++t) {
    const std::string text = plinth::platform::Utf8ToCp1252Lossy(ReadFile(args[t]));
    for (const bool learning : {false, true}) {
      for (const std::size_t count : {1u, 3u, 5u}) {
        if (quick && count != 5) continue;
        LearnedWords learned;
        WordSuggestions suggestions(list, learned, weights);
        suggestions.set_learning(learning);
        TimedSuggester ours(suggestions, count == 5 && learning ? &micros : nullptr);
        plinth::bench::PeerSuggester peer(peer_list, learning);
        const auto our_cost = plinth::word_typing::TypeText(text, ours, count);
        const auto peer_cost = quick ? our_cost : plinth::word_typing::TypeText(text, peer, count);
        std::printf("SAVINGS\t%s\t%zu\t%s\t%.1f\t%.1f\n", args[t].c_str(), count,
                    learning ? "yes" : "no", Percent(our_cost), Percent(peer_cost));
        std::fflush(stdout);
      }
    }
  }
  std::printf("LATENCY\t%.0f\t%.0f\t%.0f\t%zu\n", Quantile(micros, 0.5), Quantile(micros, 0.95),
              Quantile(micros, 1), micros.size());
  return 0;
}
