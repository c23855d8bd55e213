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

}  // namespace app
