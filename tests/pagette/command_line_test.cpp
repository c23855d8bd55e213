#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pagette {
namespace {

struct PathCase {
  std::string commandLine;
  std::string path;
};

TEST(JobPathFromCommandLine, TakesEverythingBeforeTheFirstBlank) {
  const std::vector<PathCase> cases = {
      {"job.txt ", "job.txt"},
      {"job.txt more words here", "job.txt"},
      {"/tmp/a/job.txt", "/tmp/a/job.txt"},  // no blank: the whole line is the path
      {"C:\\VBM\\JOB.TXT extra", "C:\\VBM\\JOB.TXT"},
      {"\"C:\\Print Jobs\\a.txt\"", "\"C:\\Print"},  // quotes belong to the path
      {"  job.txt x", "job.txt"},                    // blanks before the path are no path
      {"job\ttab x", "job\ttab"},                    // only the blank ends the path
      {"", ""},
      {"   ", ""},
  };
  for (const PathCase& c : cases)
    EXPECT_EQ(jobPathFromCommandLine(c.commandLine), c.path)
        << "command line «" << c.commandLine << "»";
}

TEST(JoinArguments, JoinsTheArgumentsAfterTheProgramWithSingleBlanks) {
  const char* none[] = {"pagette"};
  const char* one[] = {"pagette", "job.txt"};
  const char* three[] = {"pagette", "job.txt", "x", "y z"};
  EXPECT_EQ(joinArguments(1, none), "");
  EXPECT_EQ(joinArguments(2, one), "job.txt");
  EXPECT_EQ(joinArguments(4, three), "job.txt x y z");
}

TEST(JobPathFromArguments, IsTheFirstArgumentWholeBlanksIncluded) {
  const char* none[] = {"pagette"};
  const char* blank[] = {"pagette", "a b.job"};
  const char* more[] = {"pagette", "/tmp/x y/j.job", "ignored", "words"};
  const char* empty[] = {"pagette", ""};
  EXPECT_EQ(jobPathFromArguments(1, none), "");
  EXPECT_EQ(jobPathFromArguments(2, blank), "a b.job");
  EXPECT_EQ(jobPathFromArguments(4, more), "/tmp/x y/j.job");
  EXPECT_EQ(jobPathFromArguments(2, empty), "");
}

TEST(WindowsCommandTail, DropsTheProgramNameAndTheBlanksAfterIt) {
  const std::vector<PathCase> cases = {
      {"pagette.exe job.txt x", "job.txt x"},
      {"\"C:\\Program Files\\pagette.exe\"   job.txt ", "job.txt "},
      {"\"C:\\Program Files\\pagette.exe\"job.txt", ""},
      {"pagette.exe", ""},
      {"\"unclosed quote job.txt", ""},
      {"", ""},
  };
  for (const PathCase& c : cases)
    EXPECT_EQ(windowsCommandTail(c.commandLine), c.path)
        << "command line «" << c.commandLine << "»";
}

}  // namespace
}  // namespace pagette
