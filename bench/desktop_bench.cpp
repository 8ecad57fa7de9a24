// Speed of the desktop host's window on synthetic contracts of 100 and 1,000 pages: opening a
// file until its first page is painted (next to reading the same file into the document model
// alone), painting after scrolling a page down, and painting after jumping anywhere. The view
// lays out only what is in sight, so opening and every frame should cost about the same at both
// lengths. Runs on Qt's offscreen platform unless another is set.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/desktop/document_view.h"
#include "app/desktop/main_window.h"
#include "bench/synthetic_contract.h"
#include "host/model/document.h"
#include "host/shell/application.h"
#include "ui/script/backend.h"

namespace {

constexpr int kTerms = 1000;

QTemporaryDir& folder() {
  static QTemporaryDir dir;
  return dir;
}

// The contract of that many pages, written to a file once.
const std::string& contract(int pages) {
  static std::map<int, std::string> files;
  auto it = files.find(pages);
  if (it == files.end()) {
    const std::string path = (std::filesystem::path(folder().path().toStdString()) /
                              ("contract-" + std::to_string(pages) + ".docx"))
                                 .string();
    std::ofstream(path, std::ios::binary) << bench::buildSyntheticContract({pages, kTerms, pages / 2}).toBytes();
    it = files.emplace(pages, path).first;
  }
  return it->second;
}

// A shown window with the contract open and its first page painted.
struct OpenWindow {
  explicit OpenWindow(int pages) {
    window.resize(1100, 800);
    window.show();
    QCoreApplication::processEvents();  // the window is exposed: paints happen from now on
    window.openFile(contract(pages));
    QCoreApplication::processEvents();  // the new views are shown and sized
    view().viewport()->repaint();
  }
  app::desktop::DocumentView& view() { return *window.textView(); }
  host::Application app;
  app::desktop::MainWindow window{app};
};

void BM_ReadOnly(benchmark::State& state) {
  const std::string& file = contract(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(host::Document::Open(file)->Content().End());
}

void BM_OpenAndPaint(benchmark::State& state) {
  const int pages = static_cast<int>(state.range(0));
  contract(pages);
  std::size_t items = 0, laid = 0;
  for (auto _ : state) {
    OpenWindow open(pages);
    items = open.view().items();
    laid = open.view().laidOutItems();
  }
  state.counters["items"] = static_cast<double>(items);
  state.counters["laid_out"] = static_cast<double>(laid);
}

void BM_ScrollPage(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  QScrollBar* bar = open.view().verticalScrollBar();
  for (auto _ : state) {
    bar->setValue(bar->value() + bar->pageStep() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
    open.view().viewport()->repaint();
  }
  state.counters["laid_out"] = static_cast<double>(open.view().laidOutItems());
}

void BM_JumpAnywhere(benchmark::State& state) {
  OpenWindow open(static_cast<int>(state.range(0)));
  QScrollBar* bar = open.view().verticalScrollBar();
  unsigned seed = 12345;
  for (auto _ : state) {
    seed = seed * 1103515245u + 12345u;
    bar->setValue(static_cast<int>(seed % static_cast<unsigned>(bar->maximum() + 1)));
    open.view().viewport()->repaint();
  }
}

}  // namespace

BENCHMARK(BM_ReadOnly)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndPaint)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollPage)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JumpAnywhere)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication qt(argc, argv);
  ui::script::Backend user;  // the window asks nothing here; a backend must still be there
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
