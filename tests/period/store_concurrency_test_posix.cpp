// Several windows saving different periods into one store at the same time:
// every section none of them meant to change keeps its bytes.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "form/form.h"
#include "period/period_test_support.h"
#include "period/history.h"
#include "period/store.h"
#include "support/error_message.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::readFile;
using testing_support::ScratchDir;
using testing_support::writeFile;

// The sections of a store written with CR LF lines, by name, header included.
std::map<std::string, std::string> sectionsOf(const std::string& store) {
  std::map<std::string, std::string> sections;
  size_t at = 0;
  while (at < store.size()) {
    const size_t next = store.find("\r\n[", at);
    const size_t end = next == std::string::npos ? store.size() : next + 2;
    const std::string text = store.substr(at, end - at);
    sections[text.substr(1, text.find(']') - 1)] = text;
    at = end;
  }
  return sections;
}

std::string key(int i) {
  return "2026" + std::to_string(100000 + i);
}

// Rounds of saves per process; a long soak sets MUHTASAR_STORE_SOAK_ROUNDS.
int rounds() {
  const char* soak = std::getenv("MUHTASAR_STORE_SOAK_ROUNDS");
  return soak != nullptr ? std::atoi(soak) : 40;
}

// A saving process: its own period, saved once per round with the round's
// number in it. Exit status 0 when every save went through.
[[noreturn]] void saveRounds(const std::string& period, int count) {
  form::Form form;
  for (int round = 1; round <= count; ++round) {
    form.edit(1).setText(period + " round " + std::to_string(round));
    form.maskEdit(1).setText(std::to_string(round));
    const std::string message =
        testing_support::errorMessage([&] { period::SaveDeclaration(form, period); });
    if (message != "no error") _exit(1);
  }
  _exit(0);
}

// A reading process: an untouched period is always there, whole.
[[noreturn]] void readRounds(int count) {
  for (int round = 0; round < count * 4; ++round) {
    if (!period::DeclarationExists(key(7)) || period::StoredValue(key(1999), "Edit2") != "b1999")
      _exit(1);
  }
  _exit(0);
}

TEST(ConcurrentSaves, KeepEverySectionNoneOfThemChanged) {
  ScratchDir dir;
  std::string store;
  for (int i = 0; i < 2000; ++i) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely about a chain of +.
    const std::string n = std::to_string(i);
    store.append("[").append(key(i)).append("]\r\nEdit1=a").append(n);
    store.append("\r\nEdit2=b").append(n).append("\r\nMaskEdit1=___,___,__");
    store.append(std::to_string(i % 10)).append(".00\r\n");
  }
  writeFile("muhtasar.ini", store);
  const auto before = sectionsOf(store);
  // Two periods that the store holds, in its middle, and one it does not.
  const std::vector<std::string> saved = {key(500), key(1500), "2027010203"};
  const int count = rounds();

  std::vector<pid_t> children;
  for (const std::string& period : saved) {
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) saveRounds(period, count);
    children.push_back(child);
  }
  const pid_t reader = fork();
  ASSERT_NE(reader, -1);
  if (reader == 0) readRounds(count);
  children.push_back(reader);
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (child == reader ? "a reader missed a period" : "a save failed");
  }

  const auto after = sectionsOf(readFile("muhtasar.ini"));
  EXPECT_EQ(after.size(), 2001u);
  for (const auto& [name, text] : before) {
    if (name == saved[0] || name == saved[1]) continue;
    ASSERT_EQ(after.count(name), 1u) << name;
    EXPECT_EQ(after.at(name), text) << name;
  }
  for (const std::string& period : saved) {
    EXPECT_EQ(period::StoredValue(period, "Edit1"), period + " round " + std::to_string(count));
  }
  // Beside the store, only the history of what the saves wrote over.
  EXPECT_EQ(period_testing::filesIn("."),
            (std::vector<std::string>{"muhtasar-gecmis.ini", "muhtasar.ini"}));
  // Each period's versions, one a save that changed it, all kept whole.
  const auto versions = period::readHistory();
  for (const std::string& period : {saved[0], saved[1]}) {
    EXPECT_EQ(period::versionsOf(versions, period).size(), std::size_t(std::min(count, 50)))
        << period;
  }
}

}  // namespace
