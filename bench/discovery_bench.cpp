// Term discovery on the synthetic contract: the quoted search (curly quotes, as the gathering
// stage runs it) and the capitalised search, each measured against a plain open and save of
// the same document in the same run (targets: the quoted search within two times, the
// capitalised search within three). Each runs at 100 and 1,000 pages with as many terms as
// pages, so that the cost per term and per page can be compared across lengths.
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/synthetic_contract.h"
#include "dialogs/frm_vlx_com.h"
#include "discovery/capped_terms.h"
#include "discovery/quoted_terms.h"
#include "engine/cls_osvlx_lib.h"
#include "host/package/package.h"
#include "host/shell/application.h"
#include "state/run_state.h"
#include "ui/script/backend.h"

namespace {

const std::string& contract(int pages) {
  static std::map<int, std::string> bytes;
  auto it = bytes.find(pages);
  if (it == bytes.end())
    it = bytes.emplace(pages, bench::buildSyntheticContract({pages, pages, pages / 2}).toBytes()).first;
  return it->second;
}

void BM_OpenAndSave(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  contract(pages);
  for (auto _ : state) {
    auto doc = host::Document::FromBytes(contract(pages), "contract.docx");
    doc->Content().InsertBefore(" ");  // so that the main part is written, not copied
    benchmark::DoNotOptimize(doc->package().toBytes());
  }
}

// Times one search per iteration on a freshly opened document; the opening is not timed.
template <typename Search>
void measure(benchmark::State& state, Search search) {
  const int pages = static_cast<int>(state.range(0));
  contract(pages);
  ui::script::Backend ui(ui::script::Unscripted::Default);
  state::pubEngine = std::make_shared<engine::clsOSVLXLib>();
  double seconds = 0;
  std::size_t found = 0;
  for (auto _ : state) {
    host::Application app;
    state::pubWdApp = &app;
    host::Document& doc = app.Documents().Add(host::Document::FromBytes(contract(pages), "contract.docx"));
    dialogs::frmVLX_COM form;
    std::vector<std::string> terms;
    const auto start = std::chrono::steady_clock::now();
    search(doc, form, terms);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    found = terms.size();
    state::pubWdApp = nullptr;
  }
  state.counters["search_s"] = benchmark::Counter(seconds, benchmark::Counter::kAvgIterations);
  state.counters["found"] = static_cast<double>(found);
  state.counters["us_per_found"] = benchmark::Counter(seconds * 1e6 / static_cast<double>(found ? found : 1),
                                                      benchmark::Counter::kAvgIterations);
  state.counters["ms_per_page"] = benchmark::Counter(seconds * 1e3 / pages, benchmark::Counter::kAvgIterations);
  state::pubEngine.reset();
}

void BM_QuotedSearch(benchmark::State& state) {
  measure(state, [](host::Document& doc, dialogs::frmVLX_COM& form, std::vector<std::string>& terms) {
    discovery::fncFindQuotedTerms(terms, doc, form, false, 147, 148, false);
  });
}

void BM_CappedSearch(benchmark::State& state) {
  const bool bold = state.range(1) != 0;
  measure(state, [bold](host::Document& doc, dialogs::frmVLX_COM& form, std::vector<std::string>& terms) {
    discovery::fncBuildCappedTermsArray(doc, terms, form, bold, false);
  });
}

}  // namespace

BENCHMARK(BM_OpenAndSave)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QuotedSearch)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CappedSearch)
    ->Args({100, 0})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_MAIN();
