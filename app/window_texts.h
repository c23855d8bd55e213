#pragma once

namespace app {

// The application title: the program's name outside the window and the
// caption of every error report.
inline constexpr const char* kApplicationTitle = "Varlen Bilgi İşlem Merkezi";
inline constexpr const char* kWindowCaption = "VBM Muhtasar Beyanname";
inline constexpr const char* kWindowName = "Form1";

// Outer size of the window, frame and title bar included.
inline constexpr int kWindowWidth = 654;
inline constexpr int kWindowHeight = 683;

// The menu bar: its commands with their Alt letters.
enum class MenuCommand { UpdateComputedValues, CarryOver, Print, Check, History, Exit };
struct MenuItem {
  const char* name;
  const char* caption;
  MenuCommand command;
};
inline constexpr MenuItem kMenuItems[] = {
    {"HesaplananDeerleriGncelle1", "Hesaplanan Değerleri &Güncelle",
     MenuCommand::UpdateComputedValues},
    {"ncekiDnemdenDevir1", "Önceki Dönemden &Devir", MenuCommand::CarryOver},
    {"Yazdr1", "&Yazdır", MenuCommand::Print},
    // The whole declaration checked; it only shows, and never stops a command.
    {"KontrolEt1", "K&ontrol Et", MenuCommand::Check},
    // The period's earlier versions, compared with the form and brought back.
    {"Gemi1", "Geç&miş", MenuCommand::History},
    {"k1", "Çı&kış", MenuCommand::Exit},
};

// Asked when the declaration could not be saved on closing: "Evet" leaves
// without saving, "Hayır" (the default, so that a hasty Enter keeps the
// declaration on screen) stays.
inline constexpr const char* kExitQuestion = "Beyanname kaydedilemedi. Kaydetmeden çıkılsın mı?";

// Said once after the window is shown, when another window has the period open.
inline constexpr const char* kOpenElsewhereNotice = "Bu dönemin beyannamesi başka bir pencerede de açık.";

// Asked before a save would overwrite what another window saved of the period
// after this one had loaded it; the buttons Evet, Hayır and İptal.
inline constexpr const char* kOverwriteQuestion =
    "Bu dönemin beyannamesi bu pencereye yüklendikten sonra başka bir pencerede kaydedildi.\n"
    "Evet: bu penceredekini kaydet (ötekinin değişiklikleri kaybolur).\n"
    "Hayır: kaydedilmiş olanı bu pencereye al.\n"
    "İptal: hiçbir şey yapma.";

}  // namespace app
