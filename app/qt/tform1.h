#pragma once

#include <QMainWindow>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/qt/error_report.h"
#include "app/qt/exit_question.h"
#include "app/qt/form_widgets.h"
#include "app/window_commands.h"
#include "app/window_texts.h"
#include "form/form.h"

class QAction;
class QScrollArea;

namespace app {

// The declaration window "Form1": a view of the form. It owns the form and
// the period key, shows every field, and runs the commands of its menu and
// events at the edge where errors are reported.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(ErrorReport& errors, period::CarryOverNotice& notice,
         WindowCommands commands = WindowCommands::program(), QWidget* parent = nullptr);
  ~TForm1() override;

  form::Form& form() { return form_; }
  const std::string& periodKey() const { return periodKey_; }
  QWidget* fieldWidget(std::string_view name) {
    completeForm();
    return widgets_.find(name);
  }
  QScrollArea* clientArea() const { return clientArea_; }
  QScrollArea* payeeList() const { return widgets_.payeeList; }

  // Asked when the save on closing fails; without one, the window stays open.
  void setExitQuestion(ExitQuestion& question) { exitQuestion_ = &question; }
  // Told once after the first show when another window has the period open.
  void setOpenElsewhereNotice(std::function<void()> notice) { openElsewhere_ = std::move(notice); }

  // Window creation: fills the form before the window is first shown.
  void FormCreate();
  // Builds what the window leaves for after its first paint (see event()).
  void completeForm();

  // Moves the focus through the fields in the form's focus order, wrapping
  // from the last to the first and back.
  void focusNextField();
  void focusPreviousField();

 public slots:
  void HesaplananDeerleriGncelle1Click();
  void ncekiDnemdenDevir1Click();
  void Yazdr1Click();
  void KontrolEt1Click();
  void Gemi1Click();
  void run(MenuCommand command);
  void k1Click();

 protected:
  // Key preview: the window sees the keys of every field first.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // FormClose: the declaration is saved on every way of closing; a failed
  // save keeps the window open unless the user then chooses to leave
  // without saving.
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // The first paint asks for the rest of the form to be built after it.
  bool event(QEvent* event) override;

 private:
  void buildMenu();
  void bringIntoView(QWidget* field);
  int focusIndexOf(QWidget* widget) const;
  void focusField(int index, Qt::FocusReason reason);

  form::Form form_;
  std::string periodKey_;
  period::CarryOverNotice& notice_;
  WindowCommands commands_;
  HandlerEdge edge_;
  ExitQuestion* exitQuestion_ = nullptr;
  std::function<void()> openElsewhere_;
  FormWidgets widgets_;
  QScrollArea* clientArea_ = nullptr;
  std::vector<QWidget*> focusOrder_;
  QMetaObject::Connection focusTracking_;
  bool shownBefore_ = false;
  bool complete_ = false;
};

}  // namespace app
