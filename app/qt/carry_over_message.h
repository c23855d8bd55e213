#pragma once

#include "period/carry_over.h"

namespace app {

// Tells the user that the previous period has no saved declaration: a plain
// message box of its own, not tied to the window.
class CarryOverMessageBox : public period::CarryOverNotice {
 public:
  void previousDeclarationMissing() override;
};

inline constexpr const char* kPreviousDeclarationMissing = "Önceki Döneme Ait Kayıt Bulunamadı !!!";
inline constexpr const char* kNoticeCaption = "Dikkat";

}  // namespace app
