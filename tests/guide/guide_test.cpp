// The user guide: every message that the programs' code can show is explained
// in it, by its exact text, and every picture it shows is there. A message is
// found in the code as a string literal of at least two words that begins as a
// sentence does (a capital letter or a quote): a new message without an
// explanation in the guide fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

const fs::path kSource = MUHTASAR_SOURCE_DIR;

// The guide's text as a reader sees it: no tags, entities decoded, blanks folded.
std::string guideText() {
  std::string html = readAll(kSource / "guide" / "index.html");
  html = std::regex_replace(html, std::regex("<[^>]*>"), "");
  for (const auto& [entity, text] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""},
                                     {"&amp;", "&"}}) {
    html = std::regex_replace(html, std::regex(entity), text);
  }
  return std::regex_replace(html, std::regex("\\s+"), " ");
}

// Literals that are not messages: the form's and the paper's captions, font
// and printer names, a registry key, the English usage texts of --help.
const std::set<std::string> kNotMessages = {
    "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial Narrow",
    R"(Software\\Muhtasar Beyanname)", "PDF (*.pdf)", R"(PDF (*.pdf)\0*.pdf\0)",
    "Vergi İndiriminden Doğan  Damga vergisi (21 x oran)", "Vergi Kimlik No", "T.C. Kimlik No",
    "Soyadı, Adı (Ünvanı)"};

std::string unescaped(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\n|\\0)"), " ");
  text = std::regex_replace(text, std::regex(R"(\\(["'\\]))"), "$1");
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());  // menu mnemonics
  text = std::regex_replace(text, std::regex("\\s+"), " ");
  const auto first = text.find_first_not_of(" \"'");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

struct Message {
  std::string file, text;
};

std::vector<Message> messagesInTheCode() {
  static const std::regex literal(R"lit("((?:[^"\\]|\\.)*)")lit");
  static const std::regex sentence(R"(^(\\["']|['«]|[A-Z]|Ç|Ğ|İ|Ö|Ş|Ü))");
  static const std::regex word("(^|\\s)[^\\s]*[A-Za-zÇĞİÖŞÜçğıöşü]{2,}");
  std::vector<Message> messages;
  for (const char* room : {"app", "check", "form", "launcher", "muhtasar_print", "pagette", "period",
                           "print", "help"}) {
    if (!fs::exists(kSource / room)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(kSource / room)) {
      const std::string ext = entry.path().extension().string();
      const std::string name = entry.path().filename().string();
      if ((ext != ".cpp" && ext != ".h") || name == "catalogue.cpp" || name == "field_captions.cpp")
        continue;
      std::istringstream lines(readAll(entry.path()));
      for (std::string line; std::getline(lines, line);) {
        const auto start = line.find_first_not_of(' ');
        if (start == std::string::npos || line.compare(start, 2, "//") == 0 ||
            line.compare(start, 8, "#include") == 0)
          continue;
        for (auto m = std::sregex_iterator(line.begin(), line.end(), literal);
             m != std::sregex_iterator(); ++m) {
          const std::string text = (*m)[1];
          if (kNotMessages.count(text) || !std::regex_search(text, sentence)) continue;
          const auto words = std::distance(std::sregex_iterator(text.begin(), text.end(), word),
                                           std::sregex_iterator());
          if (words < 2) continue;
          messages.push_back({fs::relative(entry.path(), kSource).string(), unescaped(text)});
        }
      }
    }
  }
  return messages;
}

TEST(UserGuide, ExplainsEveryMessageOfThePrograms) {
  const std::string guide = guideText();
  const std::vector<Message> messages = messagesInTheCode();
  EXPECT_GT(messages.size(), 60u) << "the messages are no longer found in the code";
  for (const Message& message : messages) {
    EXPECT_NE(guide.find(message.text), std::string::npos)
        << message.file << ": «" << message.text << "» is not in guide/index.html";
  }
}

TEST(UserGuide, IsTurkishAndEveryPictureItShowsIsThere) {
  const std::string html = readAll(kSource / "guide" / "index.html");
  EXPECT_NE(html.find("<html lang=\"tr\">"), std::string::npos);
  EXPECT_NE(html.find("<title>Muhtasar Beyanname Kullanım Kılavuzu</title>"), std::string::npos);
  static const std::regex picture(R"re(<img src="([^"]+)")re");
  int pictures = 0;
  for (auto m = std::sregex_iterator(html.begin(), html.end(), picture); m != std::sregex_iterator();
       ++m, ++pictures) {
    const fs::path file = kSource / "guide" / std::string((*m)[1]);
    EXPECT_TRUE(fs::is_regular_file(file)) << file;
    EXPECT_EQ(readAll(file).substr(1, 3), "PNG") << file;
  }
  EXPECT_GE(pictures, 4);
  // Nothing outside the guide: it reads without a network.
  EXPECT_EQ(html.find("http"), std::string::npos);
}

}  // namespace
