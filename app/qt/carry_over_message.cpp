#include "app/qt/carry_over_message.h"

#include <QMessageBox>

namespace app {

void CarryOverMessageBox::previousDeclarationMissing() {
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kNoticeCaption),
                  QString::fromUtf8(kPreviousDeclarationMissing), QMessageBox::Ok);
  box.exec();
}

}  // namespace app
