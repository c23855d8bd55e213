#include "form/catalogue.h"

#include <string>
#include <tuple>
#include <utility>

namespace form {
namespace {

const Font kWindowFont{};
const Font kBlackFont{"Arial", 11, false, false, Colour::Black};
const Font kBoldFont{"Arial", 11, true, false, Colour::Maroon};
const Font kBoldBlackFont{"Arial", 11, true, false, Colour::Black};

constexpr int kFieldHeight = 20;
constexpr int kCheckHeight = 17;

std::string blanks(int n) { return std::string(static_cast<size_t>(n), ' '); }

class Builder {
 public:
  std::vector<Component> components;

  Component& add(ComponentKind kind, std::string name, std::string parent, int left, int top,
                 int width, int height, std::string caption, Font font) {
    Component c;
    c.name = std::move(name);
    c.kind = kind;
    c.parent = std::move(parent);
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.caption = std::move(caption);
    c.font = std::move(font);
    components.push_back(std::move(c));
    return components.back();
  }

  Component& label(int number, std::string caption, int left, int top, Font font = kWindowFont,
                   std::string parent = "") {
    return add(ComponentKind::Label, "Label" + std::to_string(number), std::move(parent), left, top,
               0, 0, std::move(caption), std::move(font));
  }

  // Text fields on the window itself show black text; those of the panels and
  // the payee list keep the maroon window font.
  Component& edit(const std::string& name, int left, int top, int width, std::string parent = "",
                  Font font = kBlackFont) {
    return add(ComponentKind::TextField, name, std::move(parent), left, top, width, kFieldHeight,
               "", std::move(font));
  }

  Component& maskEdit(int number, int left, int top, int width, std::string changeHandler = "",
                      std::string parent = "") {
    Component& c = add(ComponentKind::AmountField, maskEditName(number), std::move(parent), left,
                       top, width, kFieldHeight, "", kBlackFont);
    c.changeHandler = std::move(changeHandler);
    return c;
  }

  Component& lineNumber(int number, int row, int left, int top) {
    Component& c = add(ComponentKind::DisplayField, staticTextName(number), "", left, top, 17,
                       kFieldHeight, std::to_string(row), kWindowFont);
    c.alignment = Alignment::Centre;
    return c;
  }

  Component& computed(int number, int left, int top) {
    Component& c = add(ComponentKind::DisplayField, staticTextName(number), "", left, top, 80,
                       kFieldHeight, "___,___,___.__", kBlackFont);
    c.alignment = Alignment::Centre;
    return c;
  }

  Component& captionBox(const std::string& name, std::string caption, int left, int top,
                        int width, int height, Font font, Alignment alignment) {
    Component& c = add(ComponentKind::DisplayField, name, "", left, top, width, height,
                       std::move(caption), std::move(font));
    c.alignment = alignment;
    c.wordWrap = true;
    return c;
  }

  Component& checkBox(int number, std::string caption, int left, int top, int width) {
    return add(ComponentKind::CheckBox, checkBoxName(number), "Panel4", left, top, width,
               kCheckHeight, std::move(caption), kWindowFont);
  }

  Component& container(ComponentKind kind, std::string name, int left, int top, int width,
                       int height) {
    return add(kind, std::move(name), "", left, top, width, height, "", kWindowFont);
  }
};

void addHeader(Builder& b) {
  Component& bas = b.captionBox(
      "StaticTextBas", "Maliye Bakanlığı GELİRLER" + blanks(11) + "Genel Müdürlüğü", 4, 5, 109,
      54, Font{"Arial", 11, true, false, Colour::SystemWindow}, Alignment::Centre);
  bas.background = Colour::Maroon;
  b.label(2, "MUHTASAR BEYANNAME", 196, 0, Font{"Arial", 19, true, false, Colour::Maroon});
  b.label(1, "(G.V.K. 94 üncü ve K.V.K. 24. üncü Maddelere Göre Yapılan Tevkifatlar İçin)", 124,
          24);
  b.label(6, "1003", 524, 8, Font{"Arial", 27, false, false, Colour::Maroon});
}

void addTaxpayerBlock(Builder& b) {
  const Font msSansSerif{"MS Sans Serif", 11, false, false, Colour::Maroon};
  b.lineNumber(4, 1, 3, 64);
  b.edit("Edit1", 28, 64, 168);
  b.label(7, "VERGİ DAİRESİ MÜDÜRLÜĞÜNE", 28, 86);
  b.lineNumber(5, 2, 3, 104);
  b.edit("Edit2", 28, 104, 168);
  b.label(23, "İL - İLÇE", 28, 126);
  b.lineNumber(6, 3, 26, 152);
  b.edit("Edit3", 156, 152, 207);
  b.label(24, "Vergi Kimlik Numarası", 52, 155);
  b.lineNumber(7, 4, 368, 152);
  b.edit("Edit4", 460, 152, 127);
  b.label(26, "T.C. Kimlik No.", 388, 155);
  b.lineNumber(8, 5, 26, 176);
  b.edit("Edit5_1", 156, 176, 175);
  b.label(25, "E-Posta Adresi", 52, 179);
  b.edit("Edit5_2", 396, 176, 55);
  b.label(29, "Telefon No.", 340, 180);
  b.label(30, "(Alan Kodu)", 396, 200, Font{"Arial", 11, false, true, Colour::Maroon});
  b.edit("Edit5_3", 460, 176, 127);
  b.lineNumber(9, 6, 26, 216);
  b.edit("Edit6", 156, 216, 431);
  b.label(27, "Soyadı", 52, 219, msSansSerif);
  b.lineNumber(10, 7, 26, 240);
  b.edit("Edit7", 156, 240, 431);
  b.label(28, "Adı", 52, 243, msSansSerif);
  b.label(39, "Ünvanı", 98, 232);

  // The vertical caption "VERGİ SORUMLUSUNUN": one centred letter per label.
  struct Letter {
    const char* text;
    int label, top, height;
  };
  const Font letterFont{"Arial", 8, false, false, Colour::Maroon};
  const Letter vergi[] = {
      {"V", 53, 168, 14}, {"E", 54, 182, 12}, {"R", 52, 194, 14}, {"G", 51, 208, 12},
      {"İ", 50, 220, 12}};
  const Letter sorumlusunun[] = {
      {"S", 55, 144, 14}, {"O", 56, 156, 12}, {"R", 57, 168, 14}, {"U", 58, 182, 12},
      {"M", 59, 194, 14}, {"L", 60, 208, 12}, {"U", 61, 220, 14}, {"S", 62, 234, 12},
      {"U", 63, 246, 14}, {"N", 65, 260, 12}, {"U", 66, 270, 12}, {"N", 64, 282, 14}};
  auto column = [&](const auto& letters, int left, int width) {
    for (const Letter& l : letters) {
      Component& c = b.label(l.label, l.text, left, l.top, letterFont);
      c.width = width;
      c.height = l.height;
      c.alignment = Alignment::Centre;
    }
  };
  column(vergi, 0, 12);
  column(sorumlusunun, 14, 10);
}

void addPeriodPanel(Builder& b) {
  b.container(ComponentKind::Panel, "Panel4", 204, 64, 303, 65);
  b.edit("Edit28", 30, 2, 127, "Panel4");
  b.checkBox(1, "AYLIK", 172, 0, 57);
  b.checkBox(2, "ÜÇ AYLIK", 231, 0, 69);
  static const char* const kMonths[] = {"OCA", "ŞUB", "MAR", "NİS", "MAY", "HAZ",
                                        "TEM", "AĞU", "EYL", "EKİ", "KAS", "ARA"};
  // Months stand in six columns and two lines; the boxes are numbered column
  // by column, so July (CheckBox4) stands right under January (CheckBox3).
  for (int number = 3; number <= 14; ++number) {
    const int k = (number - 3) / 2;
    const int j = (number - 3) % 2;
    const int month = 6 * j + k + 1;
    Component& c = b.checkBox(number, kMonths[month - 1], 48 * k, 24 + 20 * j, 41);
    c.captionLeftOfBox = true;
  }
}

void addTableOne(Builder& b) {
  b.captionBox("StaticTextTablo1", "TABLO I" + blanks(72) + "MATRAH VE VERGİ BİLDİRİMİ", 4, 294,
               583, 21, kBoldBlackFont, Alignment::Left);
  b.label(33, "ÖDEMELERİN TÜR KODU  (*)", 4, 324, kBoldFont);
  b.label(34, "ÖDEMELERİN GAYRİ SAFİ TUTARI", 172, 324, kBoldFont);
  b.label(35, "GELİR VERGİSİ KESİNTİ TUTARI", 420, 324, kBoldFont);

  // Withholding table, rows 8-16.
  for (int k = 1; k <= 9; ++k) {
    const int top = 320 + 24 * k;
    b.lineNumber(k + 10, k + 7, 4, top);
    b.edit(editName(k + 7), 34, top, 56);
    b.maskEdit(k, 210, top, 80, "MaskEdit1Change");
    b.maskEdit(k + 9, 466, top, 80, "MaskEdit10Change");
  }

  // Row 17, the totals.
  b.lineNumber(20, 17, 4, 560);
  b.captionBox("StaticText3", "TOPLAM", 34, 560, 56, 20, kBlackFont, Alignment::Left);
  b.label(36, "a", 194, 563);
  b.computed(1, 210, 560);
  b.label(37, "b", 450, 563);
  b.computed(2, 466, 560);

  // Rows 18-25.
  b.lineNumber(21, 18, 4, 584);
  b.label(38,
          "Ücret ödemeleri üzerinden yapılan Tevkifatın 5084 Sayılı Kanun Gereği Terkin Edilen "
          "Tutarı",
          34, 587);
  b.maskEdit(19, 466, 584, 80, "MaskEdit10Change");
  b.lineNumber(22, 19, 4, 608);
  b.label(40, "Terkin Sonrası Kalan Gelir Vergisi Tutarı (17b-18)", 34, 611);
  b.computed(41, 466, 608);
  b.lineNumber(23, 20, 92, 632);
  b.label(41, "K.V.K. 8/4. Mad. Uyarınca G.V.K94/6-a'ya Göre Hesaplanacak Gelir", 114, 630);
  b.label(42, "Vergisine Mahsup Edilecek Tevkifat Tutarı", 114, 641);
  b.maskEdit(20, 466, 632, 80, "MaskEdit20Change");
  b.lineNumber(24, 21, 92, 656);
  b.label(43, "Vergi İndiriminden Doğan Mahsup Edilecek Gelir Vergisi", 114, 662);
  b.maskEdit(21, 466, 656, 80, "MaskEdit20Change");
  b.lineNumber(25, 22, 92, 680);
  b.label(44, "Mahsup Edilecek Gelir Vergisi (20+21)", 114, 683);
  b.computed(42, 466, 680);
  b.lineNumber(26, 23, 188, 720);
  b.label(45, "Tevkifata İlişkin Damga Vergisi", 210, 723);
  b.maskEdit(22, 466, 720, 80, "MaskEdit20Change");
  b.lineNumber(27, 24, 188, 744);
  b.label(46, "Vergi İndiriminden Doğan  Damga vergisi (21x", 210, 747);
  Component& rate = b.edit("Edit18", 432, 744, 33);
  rate.caption = ".0075";
  rate.changeHandler = "MaskEdit20Change";
  rate.keyHandler = "Edit18KeyPress";
  b.computed(45, 466, 744);
  b.lineNumber(28, 25, 188, 768);
  b.label(47, "Muhtasar Beyannameye Ait Damga Vergisi", 210, 771);
  b.maskEdit(23, 466, 768, 80, "MaskEdit23Change");
  b.captionBox("StaticTextMahsup", "MAHSUP EDİLEN VERGİLER", 4, 644, 79, 49, kBoldFont,
               Alignment::Centre);

  // Employee counts.
  b.label(31, "ÇALIŞTIRILAN İŞÇİ SAYISI", 10, 704, kBoldFont);
  for (auto [name, top, label, caption] :
       {std::tuple{"Edit5", 720, 32, "Asgari ücretli"}, std::tuple{"Edit17", 744, 48, "Diğer ücretli"}}) {
    Component& count = b.edit(name, 82, top, 56);
    count.changeHandler = "Edit5Change";
    count.keyHandler = "Edit5KeyPress";
    b.label(label, caption, 10, top + 2);
  }
  b.captionBox("StaticText36", "", 82, 768, 56, 20, kBlackFont, Alignment::Left).wordWrap = false;
  b.label(49, "TOPLAM", 10, 770);
}

void addTableTwo(Builder& b) {
  b.captionBox("StaticText31", "TABLO II" + blanks(56) + "TAHAKKUKA ESAS İCMAL CETVELİ", 4, 798,
               583, 21, kBoldBlackFont, Alignment::Left);
  b.label(67, "Vergi Tevkifatı", 170, 820, kBoldFont);
  b.label(68, "Damga Vergisi (23+24)", 426, 820, kBoldFont);
  struct Row {
    int box, row, boxLeft, boxTop, label;
    const char* caption;
    int labelLeft, labelTop, field, fieldLeft;
  };
  const Row rows[] = {
      {32, 1, 3, 840, 4, "Matrah (17a)", 27, 844, 37, 170},
      {33, 2, 3, 864, 5, "Tahakkuk Eden (19)", 24, 868, 38, 170},
      {34, 3, 3, 888, 8, "Mahsup (22)", 24, 892, 39, 170},
      {35, 4, 3, 912, 9, "Ödenecek (2-3)", 24, 916, 40, 170},
      {43, 5, 387, 840, 10, "Ödenecek", 408, 844, 46, 466},
      {44, 6, 387, 912, 11, "Ödenecek", 408, 916, 52, 466},
  };
  for (const Row& r : rows) {
    b.lineNumber(r.box, r.row, r.boxLeft, r.boxTop);
    b.label(r.label, r.caption, r.labelLeft, r.labelTop);
    b.computed(r.field, r.fieldLeft, r.boxTop);
  }
}

void addSignatoryPanels(Builder& b) {
  b.container(ComponentKind::Panel, "Panel2", 4, 941, 271, 170);
  b.label(12, "VERGİ SORUMLUSUNUN", 8, 8, kBoldFont, "Panel2");
  const std::tuple<int, const char*, int> taxpayer[] = {
      {13, "Adı ve Soyadı", 19}, {14, "İmzası", 20}, {15, "Tarih", 21}};
  int top = 48;
  for (auto [label, caption, field] : taxpayer) {
    b.label(label, caption, 8, top + 6, kWindowFont, "Panel2");
    b.edit(editName(field), 80, top, 175, "Panel2", kWindowFont);
    top += 24;
  }

  b.container(ComponentKind::Panel, "Panel3", 292, 941, 295, 170);
  b.label(16, "BEYANNAMEYİ DÜZENLEYEN S.M. VEYA S.M.M.M.", 8, 8, kBoldFont, "Panel3");
  const std::tuple<int, const char*, int> preparer[] = {
      {22, "Vergi Kimlik No", 22}, {21, "T.C. Kimlik No", 23}, {20, "E-posta Adresi", 24},
      {17, "Adı ve Soyadı", 25},   {18, "İmzası", 26},         {19, "Tarih", 27}};
  top = 24;
  for (auto [label, caption, field] : preparer) {
    b.label(label, caption, 8, top + 6, kWindowFont, "Panel3");
    b.edit(editName(field), 88, top, 175, "Panel3", kWindowFont);
    top += 24;
  }
}

void addTableThree(Builder& b) {
  b.captionBox("StaticTextTablo2",
               "TABLO III" + blanks(20) +
                   "ÜCRET VE ÜCRET SAYILAN ÖDEMELER İLE MENKUL SERMAYE İRATLARI DIŞINDA KALAN "
                   "ÖDEMELERE AİT BİLDİRİM",
               4, 1118, 583, 31, kBoldBlackFont, Alignment::Centre);
  const std::tuple<int, const char*, int, int, int, int> heads[] = {
      {47, "ÖDEME YAPILANIN", 4, 1150, 382, 20},
      {50, "ÖDEMENİN", 385, 1150, 118, 20},
      {29, "KESİLEN GELİR VERGİSİ TUTARI", 502, 1150, 81, 49},
      {48, "Adı ve Soyadı (ünvanı) Adresi", 4, 1169, 277, 30},
      {49, "Vergi Dairesi ve Vergi Kimlik No", 280, 1169, 106, 30},
      {51, "Tür Kodu", 385, 1169, 38, 30},
      {30, "Gayri Safi Tutarı", 422, 1169, 81, 30}};
  for (auto [number, caption, left, top, width, height] : heads) {
    b.captionBox(staticTextName(number), caption, left, top, width, height, kWindowFont,
                 Alignment::Centre);
  }

  // The payee list: cells overlap by one pixel so that their borders form a grid.
  b.container(ComponentKind::ScrollBox, "V", 2, 1199, 607, 152);
  for (int r = 1; r <= kPayeeRows; ++r) {
    const int top = 19 * r - 17;
    b.edit(editName(3 * r + 26), 2, top, 277, "V", kWindowFont);
    b.edit(editName(3 * r + 27), 278, top, 106, "V", kWindowFont);
    b.edit(editName(3 * r + 28), 383, top, 38, "V", kWindowFont);
    b.maskEdit(2 * r + 23, 420, top, 81, "", "V");
    b.maskEdit(2 * r + 24, 500, top, 81, "", "V");
  }
}

std::vector<Component> buildCatalogue() {
  Builder b;
  addHeader(b);
  addTaxpayerBlock(b);
  addPeriodPanel(b);
  addTableOne(b);
  addTableTwo(b);
  addSignatoryPanels(b);
  addTableThree(b);
  return std::move(b.components);
}

std::vector<std::string> buildFocusOrder() {
  std::vector<std::string> order = {"Edit1",   "Edit3",   "Edit4",   "Edit6",
                                    "Edit5_1", "Edit5_2", "Edit5_3", "Edit7"};
  for (int k = 1; k <= 9; ++k) {
    order.push_back(editName(k + 7));
    order.push_back(maskEditName(k));
    order.push_back(maskEditName(k + 9));
  }
  for (int n = 19; n <= 23; ++n) order.push_back(maskEditName(n));
  for (const char* name : {"Edit5", "Edit17", "Edit18"}) order.push_back(name);
  for (int n = 19; n <= 27; ++n) order.push_back(editName(n));
  order.push_back(checkBoxName(1));
  order.push_back(checkBoxName(2));
  order.push_back("Edit28");
  for (int n = 3; n <= 14; ++n) order.push_back(checkBoxName(n));
  order.push_back("Edit2");
  for (int r = 1; r <= kPayeeRows; ++r) {
    order.push_back(editName(3 * r + 26));
    order.push_back(editName(3 * r + 27));
    order.push_back(editName(3 * r + 28));
    order.push_back(maskEditName(2 * r + 23));
    order.push_back(maskEditName(2 * r + 24));
  }
  return order;
}

}  // namespace

const std::vector<Component>& catalogue() {
  static const std::vector<Component> components = buildCatalogue();
  return components;
}

const std::vector<std::string>& focusOrder() {
  static const std::vector<std::string> order = buildFocusOrder();
  return order;
}

std::string editName(int number) { return "Edit" + std::to_string(number); }
std::string maskEditName(int number) { return "MaskEdit" + std::to_string(number); }
std::string staticTextName(int number) { return "StaticText" + std::to_string(number); }
std::string checkBoxName(int number) { return "CheckBox" + std::to_string(number); }

int monthBoxNumber(int month) {
  const int k = (month - 1) % 6;
  const int j = (month - 1) / 6;
  return 3 + 2 * k + j;
}

bool isAmountFieldNumber(int number) { return number >= 1 && number <= 148 && number != 24; }

}  // namespace form
