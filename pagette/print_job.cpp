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

namespace pagette {
namespace {

namespace fs = std::filesystem;

void layOut(const std::vector<JobRecord>& records, Printer& printer) {
  Layout layout(printer);
  for (const JobRecord& record : records) layout.print(record);
}

}  // namespace

std::vector<JobRecord> readJobFile(const std::string& path) {
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
  JobReader reader(in);
  std::vector<JobRecord> records;
  while (std::optional<JobRecord> record = reader.next()) records.push_back(std::move(*record));
  return records;
}

void printJobFile(const std::string& path, Printer& printer) {
  const std::vector<JobRecord> records = readJobFile(path);
  DryRunPrinter dryRun(printer);
  layOut(records, dryRun);
  layOut(records, printer);
  printer.endDocument();
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
