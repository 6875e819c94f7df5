// Saving and loading a whole layout file of 10,000 and 100,000 icons, with the
// files held in memory: the cost of our own formatting, parsing and
// conversion, not of a disk.
#include <benchmark/benchmark.h>

#include <string>

#include "layoutfile/layout_file.h"
#include "memory_file_system.h"
#include "platform/windows_1252_codec.h"

namespace icotrace {
namespace {

const std::u16string kPath = u"C:\\Icotrace\\1920x1080.ICOLAY";

// Captions of a usual length, with accents, spread over a large desktop; with
// foreign, one in a hundred is Greek, so that the file is written in UTF-8.
Layout MakeLayout(int count, bool foreign = false) {
  Layout layout;
  layout.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    layout.push_back(
        {(foreign && i % 100 == 0 ? u"Συντόμευση n° " : u"Raccourci vers le dossier Éléments n° ") +
             std::u16string(number.begin(), number.end()),
         (i % 40) * 75 - 1500, (i / 40) * 90, i * 7919, i % 300});
  }
  return layout;
}

void BM_SaveLayoutFile(benchmark::State& state) {
  const Layout layout = MakeLayout(static_cast<int>(state.range(0)), state.range(1) != 0);
  const Windows1252Codec codec;
  testing::MemoryFileSystem files;
  for (auto _ : state) {
    const SaveReport report = SaveLayoutFile(files, codec, kPath, layout);
    benchmark::DoNotOptimize(report);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(files.At(kPath).bytes.size()));
}

void BM_LoadLayoutFile(benchmark::State& state) {
  const Windows1252Codec codec;
  testing::MemoryFileSystem files;
  SaveLayoutFile(files, codec, kPath,
                 MakeLayout(static_cast<int>(state.range(0)), state.range(1) != 0));
  for (auto _ : state) {
    Layout layout;
    LoadLayoutFile(files, codec, kPath, layout);
    benchmark::DoNotOptimize(layout.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(files.At(kPath).bytes.size()));
}

// Second argument: 1 for a layout with foreign names, in UTF-8.
BENCHMARK(BM_SaveLayoutFile)
    ->ArgsProduct({{10'000, 100'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLayoutFile)
    ->ArgsProduct({{10'000, 100'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace icotrace
