// The whole indexing pass as the add-in drives it, on a 1,000-page contract with 1,000
// terms: for each term (longest first) and each text story, the engine's search-and-index,
// plus the full-capital pass; then the index is inserted. Measured against a plain open and
// save of the same document in the same run (target: at most three times as long).
#include <chrono>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/synthetic_contract.h"
#include "engine/cls_osvlx_lib.h"
#include "host/package/package.h"
#include "host/shell/application.h"
#include "host/text/text.h"
#include "ui/script/backend.h"

namespace {

constexpr int kPages = 1000;
constexpr int kTerms = 1000;

const std::string& contract() {
  static const std::string bytes = bench::buildSyntheticContract({kPages, kTerms, kPages / 2}).toBytes();
  return bytes;
}

void BM_OpenAndSave(benchmark::State& state) {
  for (auto _ : state) {
    auto doc = host::Document::FromBytes(contract(), "contract.docx");
    doc->Content().InsertBefore(" ");  // so that the main part is written, not copied
    benchmark::DoNotOptimize(doc->package().toBytes());
  }
}

void BM_IndexingPass(benchmark::State& state) {
  ui::script::Backend ui(ui::script::Unscripted::Default);
  engine::clsOSVLXLib engine;
  std::vector<std::string> terms = bench::syntheticTerms(kTerms);
  engine.fncListSort(terms);
  long occurrences = 0;
  using Clock = std::chrono::steady_clock;
  double passSeconds = 0, insertSeconds = 0, saveSeconds = 0;
  for (auto _ : state) {
    host::Application app;
    host::Document& doc = app.Documents().Add(host::Document::FromBytes(contract(), "contract.docx"));
    auto t0 = Clock::now();
    engine::CounterArray counters = engine.fncBuildCounterArray(app, doc, terms, true);
    for (host::Range story : doc.StoryRanges()) {
      if (story.StoryType() >= 4 || story.StoryLength() < 2) continue;
      for (engine::CounterRow& row : counters) {
        row.count = engine.fncSearchAndIndexTermInStory(doc, story, row.term, row.count, story.StoryType(), true, true,
                                                        "IndexAll", "");
        std::string upper = host::toUtf8(host::upperSameLength(host::toText(row.term)));
        if (upper != row.term)
          row.count = engine.fncSearchAndIndexTermInStory(doc, story, upper, row.count, story.StoryType(), true, true,
                                                          "IndexAll", row.term);
      }
    }
    auto t1 = Clock::now();
    doc.Select(doc.Range(0, 0));
    engine.IndexInsert(app, doc, 2, ":  \t");
    auto t2 = Clock::now();
    benchmark::DoNotOptimize(doc.package().toBytes());
    auto t3 = Clock::now();
    passSeconds += std::chrono::duration<double>(t1 - t0).count();
    insertSeconds += std::chrono::duration<double>(t2 - t1).count();
    saveSeconds += std::chrono::duration<double>(t3 - t2).count();
    occurrences = 0;
    for (const engine::CounterRow& row : counters) occurrences += row.count;
  }
  // Where the time goes, per iteration.
  state.counters["pass_s"] = benchmark::Counter(passSeconds, benchmark::Counter::kAvgIterations);
  state.counters["insert_s"] = benchmark::Counter(insertSeconds, benchmark::Counter::kAvgIterations);
  state.counters["save_s"] = benchmark::Counter(saveSeconds, benchmark::Counter::kAvgIterations);
  state.counters["occurrences"] = static_cast<double>(occurrences);
}

}  // namespace

BENCHMARK(BM_OpenAndSave)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IndexingPass)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
