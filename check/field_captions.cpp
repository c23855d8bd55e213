// How the form names a field to the accountant: its row and its caption.
#include "check/field_captions.h"

#include <initializer_list>
#include <map>

#include "form/catalogue.h"

namespace check {
namespace {

using form::editName;
using form::maskEditName;
using form::staticTextName;

// Built by appending: GCC 12 at -O3 takes "literal" + string for an overlapping copy.
std::string joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) text += part;
  return text;
}

std::string row(int number, const std::string& caption) {
  return joined({std::to_string(number), " numaralı satır, ", caption});
}

std::map<std::string, std::string> buildTitles() {
  std::map<std::string, std::string> titles = {
      {"Edit1", row(1, "Vergi Dairesi")},
      {"Edit2", row(2, "İl - İlçe")},
      {"Edit28", "Dönem"},
      {"Edit3", row(3, "Vergi Kimlik Numarası")},
      {"Edit4", row(4, "T.C. Kimlik No.")},
      {"Edit5_1", row(5, "E-Posta Adresi")},
      {"Edit5_2", row(5, "Alan Kodu")},
      {"Edit5_3", row(5, "Telefon No.")},
      {"Edit6", row(6, "Soyadı / Ünvanı")},
      {"Edit7", row(7, "Adı")},
      {staticTextName(1), row(17, "a, Toplam Gayri Safi Tutar")},
      {staticTextName(2), row(17, "b, Toplam Gelir Vergisi Kesintisi")},
      {maskEditName(19), row(18, "Terkin Edilen Tutar")},
      {staticTextName(41), row(19, "Terkin Sonrası Kalan Gelir Vergisi (17b-18)")},
      {maskEditName(20), row(20, "Mahsup Edilecek Tevkifat Tutarı")},
      {maskEditName(21), row(21, "Vergi İndiriminden Doğan Mahsup Edilecek Gelir Vergisi")},
      {staticTextName(42), row(22, "Mahsup Edilecek Gelir Vergisi (20+21)")},
      {maskEditName(22), row(23, "Tevkifata İlişkin Damga Vergisi")},
      {staticTextName(45), row(24, "Vergi İndiriminden Doğan Damga Vergisi")},
      {maskEditName(23), row(25, "Muhtasar Beyannameye Ait Damga Vergisi")},
      {"Edit5", "Çalıştırılan İşçi Sayısı, Asgari ücretli"},
      {"Edit17", "Çalıştırılan İşçi Sayısı, Diğer ücretli"},
      {staticTextName(36), "Çalıştırılan İşçi Sayısı, Toplam"},
      {staticTextName(37), joined({"Tablo II ", row(1, "Matrah (17a)")})},
      {staticTextName(38), joined({"Tablo II ", row(2, "Tahakkuk Eden (19)")})},
      {staticTextName(39), joined({"Tablo II ", row(3, "Mahsup (22)")})},
      {staticTextName(40), joined({"Tablo II ", row(4, "Ödenecek (2-3)")})},
      {staticTextName(46), joined({"Tablo II ", row(5, "Damga Vergisi Ödenecek (23+24)")})},
      {staticTextName(52), joined({"Tablo II ", row(6, "Damga Vergisi Ödenecek")})},
  };
  for (int n = 8; n <= 16; ++n) {
    titles[editName(n)] = row(n, "Ödemelerin Tür Kodu");
    titles[maskEditName(n - 7)] = row(n, "Ödemelerin Gayri Safi Tutarı");
    titles[maskEditName(n + 2)] = row(n, "Gelir Vergisi Kesinti Tutarı");
  }
  const char* const taxpayer[] = {"Adı ve Soyadı", "İmzası", "Tarih"};
  for (int n = 0; n < 3; ++n) titles[editName(19 + n)] = joined({"Vergi Sorumlusunun ", taxpayer[n]});
  const char* const preparer[] = {"Vergi Kimlik No", "T.C. Kimlik No", "E-posta Adresi",
                                  "Adı ve Soyadı",   "İmzası",         "Tarih"};
  for (int n = 0; n < 6; ++n) titles[editName(22 + n)] = joined({"Düzenleyenin ", preparer[n]});
  titles[form::checkBoxName(1)] = "AYLIK";
  titles[form::checkBoxName(2)] = "ÜÇ AYLIK";
  static const char* const months[] = {"Ocak",   "Şubat",   "Mart",  "Nisan",  "Mayıs",
                                       "Haziran", "Temmuz", "Ağustos", "Eylül", "Ekim",
                                       "Kasım",  "Aralık"};
  for (int m = 1; m <= 12; ++m) {
    titles[form::checkBoxName(3 + 2 * ((m - 1) % 6) + (m - 1) / 6)] = joined({"Ay: ", months[m - 1]});
  }
  for (int r = 1; r <= form::kPayeeRows; ++r) {
    titles[editName(3 * r + 26)] = payeeCellCaption(r, 0);
    titles[editName(3 * r + 27)] = payeeCellCaption(r, 1);
    titles[editName(3 * r + 28)] = payeeCellCaption(r, 2);
    titles[maskEditName(2 * r + 23)] = payeeCellCaption(r, 3);
    titles[maskEditName(2 * r + 24)] = payeeCellCaption(r, 4);
  }
  return titles;
}

}  // namespace

std::string fieldCaption(const std::string& fieldName) {
  static const std::map<std::string, std::string> titles = buildTitles();
  const auto found = titles.find(fieldName);
  return found == titles.end() ? fieldName : found->second;
}

std::string payeeCellCaption(int row, int column) {
  static const char* const heads[] = {"Adı ve Soyadı (ünvanı) Adresi",
                                      "Vergi Dairesi ve Vergi Kimlik No", "Tür Kodu",
                                      "Gayri Safi Tutarı", "Kesilen Gelir Vergisi Tutarı"};
  return joined({"Tablo III ", std::to_string(row), ". ödeme satırı, ", heads[column]});
}

}  // namespace check
