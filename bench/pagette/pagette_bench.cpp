// Medians: pagette_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QtGlobal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "job_records.h"
#include "layout.h"
#include "print_job.h"
#include "process_start.h"
#include "qt_printer.h"
#include "recording_printer.h"

namespace {

using pagette::JobRecord;
using pagette::Layout;
using pagette::testing::readRecords;

// A job as producers write it: mostly texts, with lines and boxes between
// them, 50 records a page.
void writeJob(std::ostream& job, int records, int recordsPerPage) {
  job << "0,1,66,9,130,0,8,0,720,720,1440,720,,\"Arial Narrow\"\r\n";
  for (int i = 0; i < records; ++i) {
    const int page = 1 + i / recordsPerPage;
    const int row = 2 + (i % recordsPerPage);
    switch (i % 10) {
      case 7:
        job << "2," << page << "," << row << ",5,120,1,1,0,0,0,0,0,,\"\"\r\n";
        break;
      case 8:
        job << "3," << page << ",2,64,50,1,1,1,0,0,0,0,,\"\"\r\n";
        break;
      case 9:
        job << "4," << page << "," << row << ",10,40,1,1,1,0,0,0,0,1,\"\"\r\n";
        break;
      default:
        job << "1," << page << "," << row << "," << (i % 4) * 30 << ",28," << (i % 3)
            << ",0,0,0,0,0,0,1,\"\xDC"
               "cret ~"
            << i
            << "~, GEL\xDD"
               "R VERG\xDD"
               "S\xDD KES\xDD"
               "NT\xDD"
               "S\xDD "
            << i << "\"\r\n";
    }
  }
}

// A job of short texts that fit their fields, about 45 bytes a record, 50
// records a page: a payslip run's lines.
void writeShortTextJob(std::ostream& job, int records) {
  for (int i = 0; i < records; ++i) {
    job << "1," << 1 + i / 50 << "," << 2 + i % 50 << ",10,40,0,0,0,0,0,0,0,1,\"text " << i
        << "\"\r\n";
  }
}

std::string jobOf(int records, int recordsPerPage) {
  std::ostringstream job;
  writeJob(job, records, recordsPerPage);
  return job.str();
}

void LayoutOf100000RecordsIntoARecordingPrinter(benchmark::State& state) {
  const std::vector<JobRecord> records = readRecords(jobOf(100000, 50));
  for (auto _ : state) {
    pagette::testing::RecordingPrinter printer;
    Layout layout(printer);
    for (const JobRecord& record : records) layout.print(record);
    benchmark::DoNotOptimize(printer.operations.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(records.size()));
}
BENCHMARK(LayoutOf100000RecordsIntoARecordingPrinter)->Unit(benchmark::kMillisecond);

void ReadingOf100000Records(benchmark::State& state) {
  const std::string job = jobOf(100000, 50);
  for (auto _ : state) benchmark::DoNotOptimize(readRecords(job).size());
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(job.size()));
}
BENCHMARK(ReadingOf100000Records)->Unit(benchmark::kMillisecond);

void TenPageJobToPdf(benchmark::State& state) {
  const std::string job = jobOf(500, 50);
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::string jobPath = (folder / "pagette-bench.job").string();
  const std::string pdfPath = (folder / "pagette-bench.pdf").string();
  for (auto _ : state) {
    state.PauseTiming();
    std::ofstream(jobPath, std::ios::binary) << job;
    state.ResumeTiming();
    auto printer = pagette::QtPrinter::openPdfFile(QString::fromStdString(pdfPath));
    pagette::printJobFile(jobPath, *printer);
  }
  std::filesystem::remove(pdfPath);
}
BENCHMARK(TenPageJobToPdf)->Unit(benchmark::kMillisecond);

void writeMixedJob(std::ostream& job, int records) {
  writeJob(job, records, 50);
}

// The whole job file to a PDF file, as the program prints it. The job is
// written to disk, not held here, so that the process's peak memory (measure it
// with /usr/bin/time -v and --benchmark_filter) is pagette's own. The printing
// pass lays the job out on a second thread: the time is wall-clock time, and
// the CPU column counts the drawing thread alone.
void JobFileToPdf(benchmark::State& state, void (*write)(std::ostream&, int)) {
  const int records = static_cast<int>(state.range(0));
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  const std::string jobPath = (folder / "pagette-bench-large.job").string();
  const std::string pdfPath = (folder / "pagette-bench-large.pdf").string();
  for (auto _ : state) {
    state.PauseTiming();
    {
      std::ofstream job(jobPath, std::ios::binary);
      write(job, records);
    }
    state.ResumeTiming();
    auto printer = pagette::QtPrinter::openPdfFile(QString::fromStdString(pdfPath));
    pagette::printJobFile(jobPath, *printer);
  }
  std::filesystem::remove(pdfPath);
  state.SetItemsProcessed(state.iterations() * records);
}
// Mostly texts cut to their fields, with lines and boxes between them.
BENCHMARK_CAPTURE(JobFileToPdf, mixed, writeMixedJob)
    ->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1)
    ->UseRealTime();
// Short texts that fit, about 45 bytes a record.
BENCHMARK_CAPTURE(JobFileToPdf, short_texts, writeShortTextJob)
    ->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  // Set up as the program sets itself up.
  pagette::prepareProcess();
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
