// Fuzzes the declaration store: any "muhtasar.ini" loads without an error other
// than the check-box message, and what is then saved loads back into a fresh
// form as the same declaration, field by field; saving that form again leaves
// the store byte for byte as it was.
//
// The input is the period key on its first line, then the store's bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "form/form.h"
#include "period/io_error.h"
#include "period/store.h"
#include "memory_files.h"

namespace {

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The period key as the payroll summary reader can give it: no line ends and no
// end-of-file mark.
std::string periodKeyFrom(std::string_view line) {
  std::string key;
  for (char c : line) {
    if (c != '\r' && c != 26) key += c;
  }
  return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::MemoryFiles files;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t lineEnd = input.find('\n');
  if (lineEnd == std::string_view::npos) return 0;
  const std::string key = periodKeyFrom(input.substr(0, lineEnd));
  fuzz::writeFile("muhtasar.ini", input.substr(lineEnd + 1));

  form::Form loaded;
  try {
    period::LoadDeclaration(loaded, key);
  } catch (const period::Error& error) {
    // A stored check box that reads as no Boolean stops the load; nothing else
    // may. (The message names the stored text, which may hold a zero byte that
    // ends what() early.)
    const std::string message = error.what();
    if (!endsWith(message, "' is not a valid boolean value") && message.rfind('\'', 0) != 0)
      fuzz::fail(std::string("load failed: ") + error.what());
  }
  period::SaveDeclaration(loaded, key);
  const std::string saved = fuzz::readFile("muhtasar.ini");

  form::Form reloaded;
  period::LoadDeclaration(reloaded, key);
  for (const std::string& name : period::storedFieldNames()) {
    if (period::storedText(loaded, name) != period::storedText(reloaded, name))
      fuzz::fail(name + " saved as «" + period::storedText(loaded, name) + "» loads back as «" +
                 period::storedText(reloaded, name) + "»");
  }

  period::SaveDeclaration(reloaded, key);
  if (fuzz::readFile("muhtasar.ini") != saved)
    fuzz::fail("saving the declaration that was loaded back changed the store");
  return 0;
}
