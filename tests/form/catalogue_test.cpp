#include "form/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "form/form.h"
#include "form/key_filters.h"

namespace form {
namespace {

std::string nextInFocusOrder(const std::string& name) {
  const auto& order = focusOrder();
  auto it = std::find(order.begin(), order.end(), name);
  EXPECT_NE(it, order.end()) << name;
  if (it == order.end()) return {};
  ++it;
  return it == order.end() ? order.front() : *it;
}

TEST(Catalogue, FieldCountsByKind) {
  Form form;
  std::map<FieldKind, int> counts;
  for (const Field* f : form.fields()) ++counts[f->kind()];
  EXPECT_EQ(counts[FieldKind::Text], 217);
  EXPECT_EQ(counts[FieldKind::Amount], 147);
  EXPECT_EQ(counts[FieldKind::Display], 56);
  EXPECT_EQ(counts[FieldKind::Check], 14);
}

TEST(Catalogue, EveryNameIsUnique) {
  std::set<std::string> names;
  for (const Component& c : catalogue()) EXPECT_TRUE(names.insert(c.name).second) << c.name;
  for (int n = 1; n <= 68; ++n) EXPECT_EQ(names.count("Label" + std::to_string(n)), n == 3 ? 0u : 1u) << n;
}

TEST(Catalogue, LoopOverAmountFieldsPassesOverTwentyFour) {
  Form form;
  int met = 0;
  for (int n = 1; n <= 148; ++n) {
    if (form.contains(maskEditName(n))) ++met;
  }
  EXPECT_EQ(met, 147);
  EXPECT_FALSE(form.contains("MaskEdit24"));
  EXPECT_FALSE(isAmountFieldNumber(24));
}

TEST(CatalogueDeathTest, LookingUpANameOutsideTheCatalogueStops) {
  Form form;
  EXPECT_DEATH(form.maskEdit(24), "MaskEdit24");
  EXPECT_DEATH(form.edit("Edit215"), "Edit215");
  EXPECT_DEATH(form.edit("StaticText1"), "StaticText1");
}

TEST(Catalogue, NumberedDisplayFieldsNeverMeetTheNamedOnes) {
  Form form;
  std::set<std::string> met;
  for (int n = 1; n <= 52; ++n) met.insert(form.staticText(n).name());
  EXPECT_EQ(met.size(), 52u);
  for (const char* named : {"StaticTextBas", "StaticTextTablo1", "StaticTextTablo2", "StaticTextMahsup"}) {
    EXPECT_TRUE(form.contains(named));
    EXPECT_EQ(met.count(named), 0u);
  }
}

TEST(Catalogue, InitialTexts) {
  Form form;
  EXPECT_EQ(form.edit("Edit18").text(), ".0075");
  EXPECT_EQ(form.edit("Edit5").text(), "");
  EXPECT_EQ(form.edit("Edit5_1").text(), "");
  EXPECT_EQ(form.maskEdit(1).text(), "   ,   ,   .  ");
  EXPECT_EQ(form.maskEdit(1).editText(), "___,___,___.__");
  EXPECT_EQ(form.staticText(36).caption(), "");
  EXPECT_EQ(form.staticText(3).caption(), "TOPLAM");
  EXPECT_EQ(form.staticText(4).caption(), "1");
  EXPECT_EQ(form.staticText(19).caption(), "16");
  EXPECT_EQ(form.staticText(44).caption(), "6");
  // Captions become code page 1254: "İ" is byte 0xDD.
  EXPECT_EQ(form.staticText("StaticTextMahsup").caption(), "MAHSUP ED\xDDLEN VERG\xDDLER");
  EXPECT_EQ(form.staticText("StaticTextBas").caption().size(), 51u);
  EXPECT_EQ(form.staticText("StaticTextTablo1").caption().size(), 104u);
  EXPECT_EQ(form.staticText(31).caption().size(), 92u);
  EXPECT_EQ(form.staticText("StaticTextTablo2").caption().size(), 125u);
  for (int n = 1; n <= 14; ++n) EXPECT_FALSE(form.checkBox(n).checked());
}

const Component& component(const std::string& name) {
  const auto& all = catalogue();
  auto it = std::find_if(all.begin(), all.end(), [&](const Component& c) { return c.name == name; });
  EXPECT_NE(it, all.end()) << name;
  return *it;
}

TEST(Catalogue, PayeeRowsFirstAndLast) {
  struct Cell {
    std::string name;
    int left, top, width;
  };
  const Cell cells[] = {
      {"Edit29", 2, 2, 277},      {"Edit30", 278, 2, 106},      {"Edit31", 383, 2, 38},
      {"MaskEdit25", 420, 2, 81}, {"MaskEdit26", 500, 2, 81},   {"Edit212", 2, 1161, 277},
      {"Edit213", 278, 1161, 106}, {"Edit214", 383, 1161, 38}, {"MaskEdit147", 420, 1161, 81},
      {"MaskEdit148", 500, 1161, 81}};
  for (const Cell& cell : cells) {
    const Component& c = component(cell.name);
    EXPECT_EQ(c.parent, "V") << cell.name;
    EXPECT_EQ(c.left, cell.left) << cell.name;
    EXPECT_EQ(c.top, cell.top) << cell.name;
    EXPECT_EQ(c.width, cell.width) << cell.name;
    EXPECT_EQ(c.height, 20) << cell.name;
  }
}

TEST(Catalogue, MonthBoxes) {
  const std::tuple<int, int, const char*, int, int> months[] = {
      {1, 3, "OCA", 0, 24}, {7, 4, "TEM", 0, 44},  {2, 5, "ŞUB", 48, 24},
      {8, 6, "AĞU", 48, 44}, {12, 14, "ARA", 240, 44}, {6, 13, "HAZ", 240, 24}};
  for (auto [month, box, caption, left, top] : months) {
    EXPECT_EQ(monthBoxNumber(month), box);
    const Component& c = component(checkBoxName(box));
    EXPECT_EQ(c.caption, caption);
    EXPECT_EQ(c.parent, "Panel4");
    EXPECT_EQ(c.left, left);
    EXPECT_EQ(c.top, top);
    EXPECT_TRUE(c.captionLeftOfBox);
  }
}

TEST(Catalogue, FocusOrderMoves) {
  const std::pair<const char*, const char*> moves[] = {
      {"Edit1", "Edit3"},   {"Edit6", "Edit5_1"},   {"Edit7", "Edit8"},
      {"Edit8", "MaskEdit1"}, {"MaskEdit10", "Edit9"}, {"MaskEdit18", "MaskEdit19"},
      {"MaskEdit23", "Edit5"}, {"Edit18", "Edit19"},   {"Edit27", "CheckBox1"},
      {"CheckBox2", "Edit28"}, {"Edit28", "CheckBox3"}, {"CheckBox14", "Edit2"},
      {"Edit2", "Edit29"},   {"MaskEdit26", "Edit32"}, {"MaskEdit148", "Edit1"}};
  for (auto [from, to] : moves) EXPECT_EQ(nextInFocusOrder(from), to) << from;
}

TEST(Catalogue, FocusOrderVisitsEveryInputFieldOnce) {
  Form form;
  std::set<std::string> inputs;
  for (const Field* f : form.fields()) {
    if (f->kind() != FieldKind::Display) inputs.insert(f->name());
  }
  const auto& order = focusOrder();
  EXPECT_EQ(std::set<std::string>(order.begin(), order.end()), inputs);
  EXPECT_EQ(order.size(), inputs.size());
}

TEST(Catalogue, HandlerBindings) {
  std::map<std::string, std::set<std::string>> byHandler;
  for (const Component& c : catalogue()) {
    if (!c.changeHandler.empty()) byHandler[c.changeHandler].insert(c.name);
    if (!c.keyHandler.empty()) byHandler[c.keyHandler].insert(c.name);
  }
  std::set<std::string> gross, tax;
  for (int n = 1; n <= 9; ++n) gross.insert(maskEditName(n));
  for (int n = 10; n <= 19; ++n) tax.insert(maskEditName(n));
  EXPECT_EQ(byHandler["MaskEdit1Change"], gross);
  EXPECT_EQ(byHandler["MaskEdit10Change"], tax);
  EXPECT_EQ(byHandler["MaskEdit20Change"],
            (std::set<std::string>{"MaskEdit20", "MaskEdit21", "MaskEdit22", "Edit18"}));
  EXPECT_EQ(byHandler["MaskEdit23Change"], (std::set<std::string>{"MaskEdit23"}));
  EXPECT_EQ(byHandler["Edit5Change"], (std::set<std::string>{"Edit5", "Edit17"}));
  EXPECT_EQ(byHandler["Edit5KeyPress"], (std::set<std::string>{"Edit5", "Edit17"}));
  EXPECT_EQ(byHandler["Edit18KeyPress"], (std::set<std::string>{"Edit18"}));
  EXPECT_EQ(byHandler.size(), 7u);
  EXPECT_EQ(keyFilterFor("Edit18KeyPress"), &Edit18KeyPress);
}

// The declaration logic runs without the window toolkit.
TEST(Catalogue, LogicFoldersIncludeNoQtHeader) {
  for (const char* folder : {"form", "period", "print"}) {
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(MUHTASAR_SOURCE_DIR) / folder)) {
      std::ifstream in(entry.path());
      std::string line;
      while (std::getline(in, line)) {
        const bool qt = line.rfind("#include <Q", 0) == 0 || line.rfind("#include <qt", 0) == 0;
        EXPECT_FALSE(qt) << entry.path() << ": " << line;
      }
    }
  }
}

}  // namespace
}  // namespace form
