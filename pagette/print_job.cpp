#include "print_job.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "command_line.h"
#include "dry_run_printer.h"
#include "job_error.h"
#include "job_reader.h"
#include "layout.h"
#include "piped_layout.h"

namespace pagette {
namespace {

namespace fs = std::filesystem;

std::ifstream openJobFile(const std::string& path) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (error) throw JobError("the print job file cannot be opened: " + error.message());
  // A pipe or a device could block for ever or never end.
  if (!fs::is_regular_file(status))
    throw JobError("the print job file cannot be opened: it is not a regular file");
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw JobError(std::string("the print job file cannot be opened: ") + std::strerror(errno));
  }
  return in;
}

void layOut(std::istream& job, Printer& printer) {
  JobReader reader(job);
  Layout layout(printer);
  while (std::optional<JobRecord> record = reader.next()) layout.print(*record);
}

}  // namespace

std::vector<JobRecord> readJobFile(const std::string& path) {
  std::ifstream in = openJobFile(path);
  JobReader reader(in);
  std::vector<JobRecord> records;
  while (std::optional<JobRecord> record = reader.next()) records.push_back(std::move(*record));
  return records;
}

void printJobFile(const std::string& path, Printer& printer) {
  // The file is read twice, record by record, so that a job of any length
  // takes no more memory than one record: first laid out without output, to
  // find every error before anything reaches the printer, then printed.
  std::ifstream job = openJobFile(path);
  DryRunPrinter dryRun(printer);
  layOut(job, dryRun);
  job.clear();
  if (!job.seekg(0)) throw JobError("the print job file cannot be read a second time");
  if (MeasurerMaker makeMeasurer = printer.measurerMaker())
    layOutAlongside(job, printer, makeMeasurer);
  else
    layOut(job, printer);
  printer.endDocument();
  // Windows deletes no file that is still open without shared deleting.
  job.close();
  std::error_code error;
  if (!fs::remove(path, error) || error) {
    throw JobError("the job was printed, but the print job file cannot be deleted: " +
                   (error ? error.message() : std::string("it is gone")));
  }
}

int runPagette(std::string_view commandLine, const PrinterOpener& openPrinter,
               std::ostream& errors) {
  return runPagetteOnJob(jobPathFromCommandLine(commandLine), openPrinter, errors);
}

int runPagetteOnJob(const std::string& path, const PrinterOpener& openPrinter,
                    std::ostream& errors) {
  if (path.empty()) {
    errors << "usage: pagette PRINT-JOB-FILE\n"
              "Prints the print job file on the default printer and then deletes it.\n";
    return kExitUsage;
  }
  try {
    std::unique_ptr<Printer> printer = openPrinter(path);
    printJobFile(path, *printer);
    return kExitPrinted;
  } catch (const std::exception& failure) {
    errors << "pagette: " << path << ": " << failure.what() << '\n';
    return kExitFailed;
  }
}

}  // namespace pagette
