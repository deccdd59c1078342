// Start-up reads every keyset: the folder is listed, the names are sorted
// and all eleven files are loaded. Every step edit saves one keyset.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "keysets/KeysetFiles.h"
#include "keysets/KeysetNames.h"
#include "toolkit/memory/MemoryToolkit.h"

namespace {

namespace fs = std::filesystem;
using namespace quorbel;

// Eleven saved keysets with steps in every layer, in a folder of their own.
struct ElevenKeysets {
  ElevenKeysets()
      : files(
            keysets, [this] { return folder; }, toolkit, windows) {
    std::string pattern = (fs::temp_directory_path() / "quorbel-bench-XXXXXX").string();
    folder = fs::path(::mkdtemp(pattern.data())) / "keysets";
    const std::vector<std::string> names = {"Default", "Editor", "Mixer",  "Browser",
                                            "Sampler", "Term",   "Viewer", "Notes",
                                            "Mail",    "Paint",  "Player"};
    for (int k = 0; k < kKeysetSlots; ++k) {
      auto model = keysets.Lock();
      model->SetKeysetName(k, names[static_cast<std::size_t>(k)]);
      model->SetCurrent(k);
      for (int layer = 0; layer < kLayerSlots; ++layer) {
        model->PickLayer(layer);
        for (int c = 0; c < kControlCount; ++c) {
          for (int s = 1; s <= kMaxSteps; ++s) model->SetStep(c, s, Step{0, 0, 'A' + s, kCtrl, s});
        }
      }
    }
    for (int k = 0; k < kKeysetSlots; ++k) files.SaveKeyset(k);
  }
  ~ElevenKeysets() {
    std::error_code error;
    fs::remove_all(folder.parent_path(), error);
  }

  fs::path folder;
  KeysetModel keysets;
  ui::MemoryToolkit toolkit;
  ui::WindowState windows;
  KeysetFiles files;
};

ElevenKeysets& Prepared() {
  static ElevenKeysets prepared;
  return prepared;
}

void BM_ListAndLoadElevenKeysets(benchmark::State& state) {
  ElevenKeysets& eleven = Prepared();
  for (auto _ : state) {
    eleven.keysets.Lock()->ResetTable();
    const std::vector<std::string> names = KeysetListNames(eleven.files.ListKeysetFiles());
    eleven.files.LoadKeysets(names);
    benchmark::DoNotOptimize(names.size());
  }
  state.SetBytesProcessed(state.iterations() * kKeysetSlots *
                          static_cast<std::int64_t>(kKeysetFileBytes));
}
BENCHMARK(BM_ListAndLoadElevenKeysets)->Unit(benchmark::kMicrosecond);

void BM_SaveOneKeyset(benchmark::State& state) {
  ElevenKeysets& eleven = Prepared();
  for (auto _ : state) benchmark::DoNotOptimize(eleven.files.SaveKeyset(3));
}
BENCHMARK(BM_SaveOneKeyset)->Unit(benchmark::kMicrosecond);

}  // namespace
