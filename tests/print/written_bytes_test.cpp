// The files that leave the program, the store and the print file, hold CR LF
// after every line and the code page 1254 bytes of the texts unchanged: no
// text-mode translation on Windows, none elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "form/form.h"
#include "period/store.h"
#include "print/print_file.h"
#include "support/scratch_dir.h"

namespace {

using testing_support::readFile;

std::size_t occurrences(const std::string& bytes, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = bytes.find(part); at != std::string::npos; at = bytes.find(part, at + 1))
    ++n;
  return n;
}

// Every line feed follows a carriage return and every carriage return comes
// before a line feed (so no CR CR LF either); the file ends with a line end.
void expectCrLfLines(const std::string& bytes, const char* file) {
  EXPECT_TRUE(bytes.ends_with("\r\n")) << file;
  EXPECT_EQ(occurrences(bytes, "\n"), occurrences(bytes, "\r\n")) << file;
  EXPECT_EQ(occurrences(bytes, "\r"), occurrences(bytes, "\r\n")) << file;
}

TEST(WrittenFiles, CrLfAfterEveryLineAndCodePage1254BytesUnchanged) {
  testing_support::ScratchDir dir;
  const std::string turkish = "KADIK\xD6Y \xD0\xDD\xDE\xDC\xC7\xF0\xFD\xFE\xFC\xF6\xE7 \x80";
  std::string upperHalf;
  for (int byte = 0x80; byte <= 0xFF; ++byte) upperHalf += static_cast<char>(byte);
  form::Form form;
  form.edit("Edit1").setText(turkish);
  form.edit("Edit2").setText(upperHalf);

  period::SaveDeclaration(form, "K");
  print::WritePrintFile(form);

  const std::string store = readFile("muhtasar.ini");
  const std::string printed = readFile(print::kPrintFile);
  expectCrLfLines(store, "store");
  expectCrLfLines(printed, "print file");
  EXPECT_NE(store.find("\r\nEdit1=" + turkish + "\r\nEdit2=" + upperHalf + "\r\n"),
            std::string::npos);
  EXPECT_TRUE(printed.starts_with(turkish + "\r\n" + upperHalf + "\r\n"));
  form::Form loaded;
  period::LoadDeclaration(loaded, "K");
  EXPECT_EQ(loaded.edit("Edit1").text(), turkish);
  EXPECT_EQ(loaded.edit("Edit2").text(), upperHalf);
}

}  // namespace
