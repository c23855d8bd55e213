#include "app/qt/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "app/qt/check_list.h"
#include "help/qt/open_guide.h"
#include "help/user_guide.h"
#include "period/io_error.h"
#include "app/qt/history_window.h"
#include "app/qt/component_look.h"
#include "app/focus_context.h"
#include "app/window_texts.h"
#include "form/catalogue.h"
#include "period/store.h"

namespace app {
namespace {

bool isEnter(const QKeyEvent& key) {
  return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
         !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool isTab(const QKeyEvent& key) {
  return (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
         !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// Scrolls so that the whole field shows, by the window's focus-context rule.
void scrollToShow(QScrollArea& area, const QWidget& field, int margin, int contextTop = -1) {
  const QRect place(field.mapTo(area.widget(), QPoint(0, 0)), field.size());
  QScrollBar* down = area.verticalScrollBar();
  down->setValue(scrolledTo(down->value(), place.top(), place.bottom(), area.viewport()->height(),
                            margin, contextTop));
  QScrollBar* across = area.horizontalScrollBar();
  across->setValue(scrolledTo(across->value(), place.left(), place.right(),
                              area.viewport()->width(), margin));
}

void useStandInFonts() {
  // "MS Sans Serif" exists on few machines; the window's own face stands in.
  QFont::insertSubstitutions("MS Sans Serif", {"Microsoft Sans Serif", "Liberation Sans", "Arial"});
}

}  // namespace

TForm1::TForm1(ErrorReport& errors, period::CarryOverNotice& notice, WindowCommands commands,
               QWidget* parent)
    : QMainWindow(parent), notice_(notice), commands_(std::move(commands)), edge_(errors) {
  useStandInFonts();
  setObjectName(QString::fromUtf8(kWindowName));
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setFont(fontOf(form::Font{}));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, colourOf(form::Colour::ButtonFace));
  palette.setColor(QPalette::WindowText, colourOf(form::Colour::Maroon));
  setPalette(palette);

  widgets_ = buildFormWidgets(form_, edge_, kWindowHeight);
  clientArea_ = new QScrollArea(this);
  clientArea_->setObjectName("ClientArea");
  clientArea_->setFrameShape(QFrame::NoFrame);
  clientArea_->setFocusPolicy(Qt::NoFocus);
  clientArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  clientArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  clientArea_->setWidgetResizable(true);
  clientArea_->viewport()->setBackgroundRole(QPalette::Window);
  clientArea_->setWidget(widgets_.content);
  setCentralWidget(clientArea_);
  buildMenu();
  // F1: the guide, at its section on the window and its commands.
  auto* guideKey = new QAction(this);
  guideKey->setShortcut(QKeySequence(Qt::Key_F1));
  connect(guideKey, &QAction::triggered, this, [this] {
    edge_.run([] {
      const std::string failure = help::openGuide(help::kWindowSection);
      if (!failure.empty()) throw period::Error(failure);
    });
  });
  addAction(guideKey);

  resize(kWindowWidth, kWindowHeight);
}

// The lower part of the form and the focus order that runs through it are
// built once the window has been painted, so that the window shows as soon as
// the part seen at start is built.
void TForm1::completeForm() {
  if (complete_) return;
  complete_ = true;
  buildRestOfForm(form_, edge_, widgets_);
  for (const std::string& name : form::focusOrder()) {
    QWidget* field = widgets_.find(name);
    field->setFocusPolicy(Qt::StrongFocus);
    field->installEventFilter(this);
    if (!focusOrder_.empty()) setTabOrder(focusOrder_.back(), field);
    focusOrder_.push_back(field);
  }
  focusTracking_ = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { bringIntoView(now); });
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::Paint && !complete_)
    QMetaObject::invokeMethod(this, &TForm1::completeForm, Qt::QueuedConnection);
  return QMainWindow::event(event);
}

TForm1::~TForm1() {
  // The fields' widgets go before the form they show.
  disconnect(focusTracking_);
  for (QWidget* field : focusOrder_) field->removeEventFilter(this);
  delete takeCentralWidget();
}

void TForm1::buildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  for (const MenuItem& item : kMenuItems) {
    QAction* action = bar->addAction(QString::fromUtf8(item.caption));
    action->setObjectName(item.name);
    connect(action, &QAction::triggered, this, [this, command = item.command] { run(command); });
  }
}

void TForm1::run(MenuCommand command) {
  switch (command) {
    case MenuCommand::UpdateComputedValues:
      return HesaplananDeerleriGncelle1Click();
    case MenuCommand::CarryOver:
      return ncekiDnemdenDevir1Click();
    case MenuCommand::Print:
      return Yazdr1Click();
    case MenuCommand::Check:
      return KontrolEt1Click();
    case MenuCommand::History:
      return Gemi1Click();
    case MenuCommand::Exit:
      return k1Click();
  }
}

void TForm1::FormCreate() {
  edge_.run([this] { commands_.startUp(form_, periodKey_); });
}

void TForm1::HesaplananDeerleriGncelle1Click() {
  edge_.run([this] { commands_.updateComputedValues(form_, periodKey_); });
}

void TForm1::ncekiDnemdenDevir1Click() {
  edge_.run([this] { commands_.carryOverPrevious(form_, periodKey_, notice_); });
}

void TForm1::Yazdr1Click() {
  edge_.run([this] { commands_.printDeclaration(form_, periodKey_); });
}

void TForm1::k1Click() {
  close();
}

void TForm1::closeEvent(QCloseEvent* event) {
  const bool closes = closesAfterSave(
      edge_, [this] { commands_.saveDeclaration(form_, periodKey_); },
      [this] { return exitQuestion_ != nullptr && exitQuestion_->exitWithoutSaving(); });
  if (closes)
    event->accept();
  else
    event->ignore();
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownBefore_) return;
  shownBefore_ = true;
  // Centred on the desktop; the outer size counts the frame where a window
  // manager draws one.
  const QSize frame = frameGeometry().size() - geometry().size();
  resize(kWindowWidth - frame.width(), kWindowHeight - frame.height());
  if (QScreen* desktop = screen()) {
    const QPoint centre = desktop->availableGeometry().center();
    move(centre.x() - kWindowWidth / 2, centre.y() - kWindowHeight / 2);
  }
  // The first field lies at the top, in view, whether or not the form is complete.
  widgets_.find(form::focusOrder().front())->setFocus(Qt::OtherFocusReason);
  // Said once the window stands on the screen, not before it.
  if (commands_.holdPeriod && commands_.holdPeriod(periodKey_) && openElsewhere_)
    QTimer::singleShot(0, this, [this] { openElsewhere_(); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (isEnter(key)) {
      // Enter never reaches the field: the move runs once this key is done.
      QMetaObject::invokeMethod(this, &TForm1::focusNextField, Qt::QueuedConnection);
      return true;
    }
    if (isTab(key)) {
      if (key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier))
        focusPreviousField();
      else
        focusNextField();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

int TForm1::focusIndexOf(QWidget* widget) const {
  auto it = std::find(focusOrder_.begin(), focusOrder_.end(), widget);
  return it == focusOrder_.end() ? -1 : static_cast<int>(it - focusOrder_.begin());
}

// The findings of the whole declaration; the one chosen takes the focus to
// its field, shown with its section heading.
void TForm1::KontrolEt1Click() {
  QWidget* before = QApplication::focusWidget();
  const std::string field = showCheckList(this, check::checkLinesOf(check::checkForm(form_)));
  activateWindow();
  completeForm();
  QWidget* widget = field.empty() ? nullptr : widgets_.find(field);
  if (!widget) {
    if (before) before->setFocus(Qt::OtherFocusReason);
    return;
  }
  widget->setFocus(Qt::OtherFocusReason);
  bringIntoView(widget);
}

// The period's earlier versions; the one chosen comes into the form as a load
// would bring it, unsaved: the usual saves keep the one it replaces.
void TForm1::Gemi1Click() {
  HistoryView view;
  if (!edge_.run([&] { view = historyViewOf(periodKey_); })) return;
  const std::optional<period::Version> chosen = showHistory(this, view, form_);
  activateWindow();
  if (chosen) edge_.run([&] { period::restoreVersion(form_, *chosen); });
}

void TForm1::focusField(int index, Qt::FocusReason reason) {
  QWidget* field = focusOrder_.at(static_cast<size_t>(index));
  field->setFocus(reason);
  bringIntoView(field);
}

void TForm1::focusNextField() {
  completeForm();
  const int count = static_cast<int>(focusOrder_.size());
  const int current = focusIndexOf(QApplication::focusWidget());
  focusField(current < 0 ? 0 : (current + 1) % count, Qt::TabFocusReason);
}

void TForm1::focusPreviousField() {
  completeForm();
  const int count = static_cast<int>(focusOrder_.size());
  const int current = focusIndexOf(QApplication::focusWidget());
  focusField(current < 0 ? count - 1 : (current + count - 1) % count, Qt::BacktabFocusReason);
}

// A field comes into view with the heading of its section where both fit, so
// that a field reached from below is seen in its context, not alone.
void TForm1::bringIntoView(QWidget* field) {
  if (field == nullptr || focusIndexOf(field) < 0) return;
  QScrollArea* payees = widgets_.payeeList;
  if (payees->widget()->isAncestorOf(field)) scrollToShow(*payees, *field, 0);
  scrollToShow(*clientArea_, *field, kScrollMargin,
               sectionTopOf(field->mapTo(widgets_.content, QPoint(0, 0)).y()));
}

}  // namespace app
