#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "job_record.h"
#include "printer.h"

namespace pagette {

// Reads every record of a print job file. Throws JobError when the file cannot
// be opened and RecordError for a bad record.
std::vector<JobRecord> readJobFile(const std::string& path);

// Prints a print job file and deletes it once the document has ended. The job
// is laid out once without output first: a job that fails sends nothing to the
// printer, and the file stays. Throws JobError.
void printJobFile(const std::string& path, Printer& printer);

// Opens the system's default printer for the job at a path; throws JobError
// when there is none.
using PrinterOpener = std::function<std::unique_ptr<Printer>(const std::string& jobPath)>;

constexpr int kExitPrinted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The whole run of the program for the path of a job file; returns the exit
// status. Failures are told on `errors`, naming the job file. An empty path
// gets the usage.
int runPagetteOnJob(const std::string& jobPath, const PrinterOpener& openPrinter,
                    std::ostream& errors);

// The same for a raw command line, whose path ends at the first blank.
int runPagette(std::string_view commandLine, const PrinterOpener& openPrinter,
               std::ostream& errors);

}  // namespace pagette
