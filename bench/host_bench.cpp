// Speed of the document model on large synthetic contracts: load, save, marking 20,000
// index entries (the cost of one edit must not grow with the document), and finding every
// occurrence of 1,000 terms one Execute at a time, as the indexing engine does.
#include <map>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/synthetic_contract.h"
#include "host/model/document.h"
#include "host/model/find.h"
#include "host/package/package.h"
#include "host/platform/error.h"

namespace {

constexpr int kTerms = 1000;
constexpr int kEntries = 20000;

const std::string& contract(int pages) {
  static std::map<int, std::string> cache;
  auto it = cache.find(pages);
  if (it == cache.end()) {
    bench::ContractShape shape{pages, kTerms, pages / 2};
    it = cache.emplace(pages, bench::buildSyntheticContract(shape).toBytes()).first;
  }
  return it->second;
}

void BM_Load(benchmark::State& state) {
  const std::string& bytes = contract(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto doc = host::Document::FromBytes(bytes, "contract.docx");
    benchmark::DoNotOptimize(doc->Content().End());
  }
}

void BM_Save(benchmark::State& state) {
  auto doc = host::Document::FromBytes(contract(static_cast<int>(state.range(0))), "contract.docx");
  doc->Content().InsertBefore(" ");  // the main part has changed and must be written again
  for (auto _ : state) benchmark::DoNotOptimize(doc->package().toBytes());
}

void BM_MarkEntries(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = host::Document::FromBytes(contract(static_cast<int>(state.range(0))), "contract.docx");
    long length = doc->Content().End();
    state.ResumeTiming();
    // From the end backwards, so that each position is still where it was chosen.
    for (long i = kEntries; i > 0; --i) {
      long pos = length * i / (kEntries + 1);
      try {
        doc->Indexes().MarkEntry(doc->Range(pos, pos), "Entry");
      } catch (const host::Error&) {  // the end of a table row takes no text: use the cell before
        doc->Indexes().MarkEntry(doc->Range(pos - 1, pos - 1), "Entry");
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * kEntries);
}

void BM_FindEveryTerm(benchmark::State& state) {
  auto doc = host::Document::FromBytes(contract(static_cast<int>(state.range(0))), "contract.docx");
  auto terms = bench::syntheticTerms(kTerms);
  long found = 0;
  for (auto _ : state) {
    found = 0;
    for (const std::string& term : terms) {
      host::Range r = doc->Content();
      r.Collapse(host::wdCollapseStart);
      host::Find f = r.Find();
      f.SetText(term);
      f.SetMatchCase(true);
      while (f.Execute()) ++found;
    }
  }
  state.counters["occurrences"] = static_cast<double>(found);
}

}  // namespace

BENCHMARK(BM_Load)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MarkEntries)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_FindEveryTerm)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_MAIN();
