// Tax and identity numbers are checked as they are typed: a red frame and the
// reason show, and nothing else changes.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "form/form.h"
#include "period/store.h"
#include "print/print_file.h"
#include "window_fixture.h"

namespace app_testing {
namespace {

const QRgb kRed = qRgb(255, 0, 0);

struct Typed {
  const char* field;
  const char* text;
  const char* reason;  // empty: no frame, no tooltip
};

class IdentityCheck : public WindowTest {
 protected:
  void retype(const char* name, const QString& text) {
    window->form().edit(name).setText("");
    typeInto(name, text);
  }
};

TEST_F(IdentityCheck, ShowsAndClearsAsTheTextChanges) {
  openWindow();
  const Typed steps[] = {
      {"Edit3", "463012789", "Vergi kimlik numarası 10 haneli olmalı"},
      {"Edit3", "4630127892", ""},
      {"Edit3", " 4630127892 ", ""},
      {"Edit3", "4630127895", "Vergi kimlik numarasının kontrol hanesi tutmuyor"},
      {"Edit3", "46301-27892", "Vergi kimlik numarası yalnız rakamlardan oluşmalı"},
      {"Edit3", "", ""},
      {"Edit4", "10000000146", ""},
      {"Edit4", "10000000147", "T.C. kimlik numarasının kontrol hanesi tutmuyor"},
      {"Edit4", "01000000014", "T.C. kimlik numarası 0 ile başlayamaz"},
      {"Edit4", "1000000014", "T.C. kimlik numarası 11 haneli olmalı"},
      {"Edit22", "1234567890", ""},
      {"Edit22", "12345678901", "Vergi kimlik numarası 10 haneli olmalı"},
      {"Edit23", "28764190546", ""},
      {"Edit23", "2876419054İ", "T.C. kimlik numarası yalnız rakamlardan oluşmalı"},
      {"Edit30", "KADIKÖY 4630127893", "Vergi kimlik numarasının kontrol hanesi tutmuyor"},
      {"Edit30", "KADIKÖY 4630127892", ""},
      {"Edit213", "GÖKSU 10000000147", "T.C. kimlik numarasının kontrol hanesi tutmuyor"},
      {"Edit213", "GÖKSU", ""},
      {"Edit29", "4630127895", ""},  // the payee's name is no number
      {"Edit5_3", "123", ""},
  };
  for (const Typed& step : steps) {
    const QString text = QString::fromUtf8(step.text);
    SCOPED_TRACE(std::string(step.field) + " «" + step.text + "»");
    retype(step.field, text);
    QWidget* field = widget(step.field);
    EXPECT_EQ(field->toolTip(), QString::fromUtf8(step.reason));
    if (*step.reason != '\0') {
      EXPECT_EQ(ringPixelsNotOf(field, kRed, true), 0);
    } else {
      EXPECT_EQ(ringPixelsNotOf(field, kBorderGrey, true), 0);
    }
  }
}

TEST_F(IdentityCheck, NumbersFromTheProgramAreCheckedToo) {
  openWindow();
  window->form().edit("Edit22").setText("3810492765");
  EXPECT_EQ(widget("Edit22")->toolTip(),
            QString::fromUtf8("Vergi kimlik numarasının kontrol hanesi tutmuyor"));
  window->form().edit("Edit22").setText("3810492764");
  EXPECT_EQ(widget("Edit22")->toolTip(), QString());
}

// Whatever the check finds, the store and the print file hold what was typed:
// the same bytes as a form that was given the same texts without a window.
TEST_F(IdentityCheck, ChangesNeitherTheStoreNorThePrintFile) {
  openWindow();
  struct Text {
    const char* field;
    const char* utf8;
    const char* cp1254;
  };
  const Text texts[] = {
      {"Edit3", " 46301a27892 ", " 46301a27892 "},
      {"Edit4", "28764190532", "28764190532"},
      {"Edit22", "123", "123"},
      {"Edit23", "01234567890  ", "01234567890  "},
      {"Edit30", "KADIKÖY 4630127893", "KADIK\xD6Y 4630127893"},
  };
  for (const Text& t : texts) retype(t.field, QString::fromUtf8(t.utf8));
  for (const Text& t : texts) EXPECT_EQ(ringPixelsNotOf(widget(t.field), kRed, true), 0) << t.field;

  form::Form typedWithoutWindow;
  for (const Text& t : texts) typedWithoutWindow.edit(t.field).setText(t.cp1254);

  auto filesOf = [](const form::Form& form) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    period::SaveDeclaration(form, "2026101112");
    print::WritePrintFile(form);
    QByteArray bytes;
    for (const char* name : {"muhtasar.ini", print::kPrintFile}) {
      QFile file(name);
      EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
      bytes += file.readAll() + "\n--\n";
    }
    QDir::setCurrent(previous);
    return bytes;
  };
  const QByteArray expected = filesOf(typedWithoutWindow);
  EXPECT_GT(expected.size(), 5000);
  EXPECT_EQ(filesOf(window->form()), expected);
}

}  // namespace
}  // namespace app_testing
