#include "app/qt/exit_question.h"

#include <QMessageBox>
#include <QPushButton>

#include "app/window_texts.h"

namespace app {

bool MessageBoxExitQuestion::exitWithoutSaving() {
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle),
                  QString::fromUtf8(kExitQuestion));
  QPushButton* yes = box.addButton(QString::fromUtf8("Evet"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QString::fromUtf8("Hayır"), QMessageBox::NoRole);
  box.setDefaultButton(no);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes;
}

period::OverwriteAnswer askBeforeOverwriting() {
  QMessageBox box(QMessageBox::Question, QString::fromUtf8(kApplicationTitle),
                  QString::fromUtf8(kOverwriteQuestion));
  QPushButton* yes = box.addButton(QString::fromUtf8("Evet"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QString::fromUtf8("Hayır"), QMessageBox::NoRole);
  QPushButton* cancel = box.addButton(QString::fromUtf8("İptal"), QMessageBox::RejectRole);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == yes) return period::OverwriteAnswer::SaveThisWindow;
  if (box.clickedButton() == no) return period::OverwriteAnswer::TakeStored;
  return period::OverwriteAnswer::Cancel;
}

}  // namespace app
