#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "form/form.h"
#include "print/print_file.h"

namespace {

// A declaration with every payee row filled, the largest print file there is.
void fillDeclaration(form::Form& form) {
  form.edit(1).setText("KADIK\xD6Y");
  form.edit(8).setText("011");
  form.maskEdit(1).setText("___,125,430.50");
  form.maskEdit(10).setText("___,_18,814.58");
  for (int r = 1; r <= 62; ++r) {
    form.edit(3 * r + 26).setText("PAYEE " + std::to_string(r) + " ADRES");
    form.edit(3 * r + 27).setText("KADIK\xD6Y 1234567890");
    form.edit(3 * r + 28).setText("021");
    form.maskEdit(2 * r + 23).setText("___,__5,000.00");
    form.maskEdit(2 * r + 24).setText("___,___,750.00");
  }
}

void BM_WritePrintFile(benchmark::State& state) {
  std::string dir = (std::filesystem::temp_directory_path() / "muhtasar-bench-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  form::Form form;
  fillDeclaration(form);
  for (auto _ : state) print::WritePrintFile(form);
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_WritePrintFile);

void BM_PrintFileContent(benchmark::State& state) {
  form::Form form;
  fillDeclaration(form);
  for (auto _ : state) benchmark::DoNotOptimize(print::printFileContent(form));
}
BENCHMARK(BM_PrintFileContent);

}  // namespace
