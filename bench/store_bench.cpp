// Saving and loading a declaration against stores of many periods, beside the
// time to write the same bytes once with one plain write.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "form/catalogue.h"
#include "form/form.h"
#include "period/startup.h"
#include "period/store.h"

namespace {

// A scratch folder as the current directory, holding a store of the given
// number of full sections; the benchmarks work on the middle one.
class StoreFolder {
 public:
  explicit StoreFolder(int sections) : previous_(std::filesystem::current_path()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "muhtasar-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    std::filesystem::current_path(path_);

    form::Form form;
    fill(form, "first");
    period::SaveDeclaration(form, "SECTION");
    const std::string section = readStore().substr(std::string("[SECTION]\r\n").size());
    std::string store;
    // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) about its own
    // inlined prepend in "[" + key(i).
    for (int i = 0; i < sections; ++i) {
      store += '[';
      store += key(i);
      store += "]\r\n";
      store += section;
    }
    std::ofstream(path_ / "muhtasar.ini", std::ios::binary) << store;
    bytes_ = store;
  }
  ~StoreFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }

  static std::string key(int i) {
    return std::to_string(2000 + i / 4) + "0" + std::to_string(1 + i % 4) + "0203";
  }

  // A declaration with its text, amount and payee fields filled.
  static void fill(form::Form& form, const std::string& name) {
    for (int n = 1; n <= 214; ++n) form.edit(n).setText(name + " " + std::to_string(n));
    for (int n = 1; n <= 148; ++n) {
      if (form::isAmountFieldNumber(n)) form.maskEdit(n).setText("___,__1,234.50");
    }
    for (int n = 1; n <= 14; n += 3) form.checkBox(n).setChecked(true);
  }

  static std::string readStore() {
    std::ifstream in("muhtasar.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  const std::string& bytes() const { return bytes_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
  std::string bytes_;
};

void BM_SaveDeclaration(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  StoreFolder folder(sections);
  const std::string key = StoreFolder::key(sections / 2);
  form::Form form;
  StoreFolder::fill(form, "first");
  int round = 0;
  for (auto _ : state) {
    // Every save changes one entry, as typing between two saves does.
    form.edit(30).setText(++round % 2 ? "changed" : "again");
    period::SaveDeclaration(form, key);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(folder.bytes().size()));
}

void BM_LoadDeclaration(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  StoreFolder folder(sections);
  const std::string key = StoreFolder::key(sections / 2);
  for (auto _ : state) {
    form::Form form;
    period::LoadDeclaration(form, key);
    benchmark::DoNotOptimize(form.edit(30).text());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(folder.bytes().size()));
}

// The same save beside a history that holds `versions` versions of every
// period: keeping the version written over rewrites the history whole.
void BM_SaveDeclarationWithHistory(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  const int versions = static_cast<int>(state.range(1));
  StoreFolder folder(sections);
  std::string history;
  std::size_t header = folder.bytes().find("\r\n") + 2;
  const std::string section = folder.bytes().substr(header, folder.bytes().find("\r\n[", header) - header + 2);
  for (int i = 0; i < sections; ++i) {
    for (int v = 0; v < versions; ++v) {
      history += '[';
      history += StoreFolder::key(i);
      history += " 2026-01-01 00:00:";
      history += char('0' + v / 10 % 6);
      history += char('0' + v % 10);
      history += "]\r\n";
      history += section;
      history += "Neden=Kaydetmeden \xF6nce\r\n";
    }
  }
  std::ofstream("muhtasar-gecmis.ini", std::ios::binary) << history;
  const std::string key = StoreFolder::key(sections / 2);
  form::Form form;
  StoreFolder::fill(form, "first");
  int round = 0;
  for (auto _ : state) {
    form.edit(30).setText(++round % 2 ? "changed" : "again");
    period::SaveDeclaration(form, key);
  }
  state.counters["history_MB"] = double(history.size()) / 1e6;
}

// The store work of start-up for a period the store already holds: the
// existence test, the load and the save at once.
void BM_StartUpStoreWork(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  StoreFolder folder(sections);
  const std::string key = StoreFolder::key(sections / 2);
  std::ofstream("BORDMHT.DAT", std::ios::binary) << key.substr(0, 4) << "\r\n"
                                                 << key.substr(4) << "\r\n";
  for (auto _ : state) {
    form::Form form;
    std::string periodKey;
    period::StartUp(form, periodKey);
    benchmark::DoNotOptimize(form.edit(30).text());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(folder.bytes().size()));
}

// The same bytes written once: fopen, one fwrite, fclose; with toDisk, the
// bytes are pushed to the disk before the close, as a save does before it
// replaces the store.
void plainWrite(benchmark::State& state, bool toDisk) {
  StoreFolder folder(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::FILE* file = std::fopen("plain.ini", "wb");
    std::fwrite(folder.bytes().data(), 1, folder.bytes().size(), file);
    if (toDisk) {
      std::fflush(file);
      fsync(fileno(file));
    }
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(folder.bytes().size()));
}

void BM_PlainWrite(benchmark::State& state) {
  plainWrite(state, false);
}

void BM_PlainWriteToDisk(benchmark::State& state) {
  plainWrite(state, true);
}

void sectionCounts(benchmark::internal::Benchmark* b) {
  b->Arg(1)
      ->Arg(120)
      ->Arg(1200)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(7)
      ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_SaveDeclaration)->Apply(sectionCounts);
BENCHMARK(BM_LoadDeclaration)->Apply(sectionCounts);
BENCHMARK(BM_SaveDeclarationWithHistory)
    ->Args({120, 10})
    ->Args({120, 50})
    ->Args({1200, 50})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK(BM_StartUpStoreWork)->Apply(sectionCounts);
BENCHMARK(BM_PlainWrite)->Apply(sectionCounts);
BENCHMARK(BM_PlainWriteToDisk)->Apply(sectionCounts);

}  // namespace
