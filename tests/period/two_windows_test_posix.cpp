// Two windows on one period, as two processes on one store: the later save asks
// before it overwrites what the other window saved after this one loaded it,
// and asks nothing where no work of the other window would be lost.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "form/form.h"
#include "period/store.h"
#include "support/scratch_dir.h"

namespace {

using period::OverwriteAnswer;
using testing_support::ScratchDir;

// The other window: a process that has seen the store as this one has, then
// does its part and ends.
void inOtherWindow(const std::function<void()>& part) {
  const pid_t child = fork();
  if (child == 0) {
    part();
    _exit(0);
  }
  int status = -1;
  waitpid(child, &status, 0);
  ASSERT_EQ(status, 0);
}

void saveInThisProcess(const std::string& key, const std::string& edit1) {
  form::Form form;
  period::LoadDeclaration(form, key);
  form.edit(1).setText(edit1);
  period::SaveDeclarationAskingFirst(form, key);
}

struct TwoWindowsCase {
  const char* name;
  std::string otherKey, otherEdit;  // what the other window saves; "" saves nothing
  std::string thisEdit;             // what this window holds at its save; "" no edit
  OverwriteAnswer answer;
  int questions;                    // how often this window asks
  std::string stored;               // Edit1 of period K in the store afterwards
  std::string shown;                // Edit1 of this window's form afterwards
  bool cancelled;
};

class TwoWindows : public testing::TestWithParam<TwoWindowsCase> {};

TEST_P(TwoWindows, TheLaterSaveAsksOnlyWhereWorkWouldBeLost) {
  const TwoWindowsCase& c = GetParam();
  ScratchDir dir;
  form::Form other;
  other.edit(1).setText("other period");
  period::SaveDeclaration(other, "L");
  form::Form form;
  form.edit(1).setText("loaded");
  period::SaveDeclaration(form, "K");  // the start-up save
  if (!c.otherEdit.empty()) inOtherWindow([&] { saveInThisProcess(c.otherKey, c.otherEdit); });

  int questions = 0;
  period::setOverwriteQuestion([&] {
    ++questions;
    return c.answer;
  });
  if (!c.thisEdit.empty()) form.edit(1).setText(c.thisEdit);
  bool cancelled = false;
  try {
    period::SaveDeclarationAskingFirst(form, "K");
    // A print after the answer saves again: it must not ask a second time.
    period::SaveDeclarationAskingFirst(form, "K");
  } catch (const period::CommandCancelled&) {
    cancelled = true;
  }
  period::setOverwriteQuestion(nullptr);
  EXPECT_EQ(questions, c.questions);
  EXPECT_EQ(cancelled, c.cancelled);
  EXPECT_EQ(period::StoredValue("K", "Edit1"), c.stored);
  EXPECT_EQ(form.edit(1).text(), c.shown);
  EXPECT_EQ(period::StoredValue("L", "Edit1"), c.otherKey == "L" ? c.otherEdit : "other period");
}

INSTANTIATE_TEST_SUITE_P(
    Store, TwoWindows,
    testing::Values(
        TwoWindowsCase{"EvetSavesThisWindow", "K", "theirs", "", OverwriteAnswer::SaveThisWindow, 1,
                       "loaded", "loaded", false},
        TwoWindowsCase{"EvetWithAnEditOfItsOwn", "K", "theirs", "mine",
                       OverwriteAnswer::SaveThisWindow, 1, "mine", "mine", false},
        TwoWindowsCase{"HayirTakesTheStoredDeclaration", "K", "theirs", "mine",
                       OverwriteAnswer::TakeStored, 1, "theirs", "theirs", false},
        TwoWindowsCase{"IptalSavesNothing", "K", "theirs", "mine", OverwriteAnswer::Cancel, 1,
                       "theirs", "mine", true},
        TwoWindowsCase{"NoOtherSave", "", "", "mine", OverwriteAnswer::Cancel, 0, "mine", "mine",
                       false},
        TwoWindowsCase{"NoEditAndNoOtherSave", "", "", "", OverwriteAnswer::Cancel, 0, "loaded",
                       "loaded", false},
        TwoWindowsCase{"TheOtherSavedAnotherPeriod", "L", "theirs", "mine", OverwriteAnswer::Cancel,
                       0, "mine", "mine", false},
        TwoWindowsCase{"BothWriteTheSame", "K", "same", "same", OverwriteAnswer::Cancel, 0, "same",
                       "same", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
