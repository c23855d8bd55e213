#pragma once

#include "period/store.h"

namespace app {

// Asked after the declaration could not be saved on closing the window:
// whether to leave without saving. Without a way out, a store that keeps
// refusing the save would keep the window open for ever. The window asks a
// message box; tests give the answer.
class ExitQuestion {
 public:
  virtual ~ExitQuestion() = default;
  // True when the user chose to leave without saving.
  virtual bool exitWithoutSaving() = 0;
};

// "Beyanname kaydedilemedi. Kaydetmeden çıkılsın mı?" with "Evet" and "Hayır",
// "Hayır" the default, so that a hasty Enter keeps the declaration on screen.
class MessageBoxExitQuestion : public ExitQuestion {
 public:
  bool exitWithoutSaving() override;
};

// The question before overwriting another window's save, as a message box:
// "Evet", "Hayır" and "İptal"; Escape and closing the box mean "İptal".
period::OverwriteAnswer askBeforeOverwriting();

}  // namespace app
