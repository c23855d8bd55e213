// muhtasar-open on Windows: the launcher's rules over the system's folder
// dialog (IFileOpenDialog), the registry and CreateProcessW. Started with a
// payroll summary or a folder ("Open with", a shortcut), it runs muhtasar.exe
// from its own folder in that folder; started alone (the Start menu), it
// asks for the company folder first.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "launcher/launch_rules.h"

namespace {

namespace fs = std::filesystem;

// The product's own key under HKCU\Software, and the folder chosen last in it.
constexpr const wchar_t* kSettingsKey = L"Software\\Muhtasar Beyanname";
constexpr const wchar_t* kLastFolderValue = L"LastFolder";

// Texts are UTF-8, as the launcher's rules hold them.
std::wstring wideOf(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

std::string utf8Of(const std::wstring& wide) {
  const std::u8string text = fs::path(wide).u8string();
  return std::string(text.begin(), text.end());
}

std::wstring programFolder() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

class WindowsFace : public launcher::LauncherFace {
 public:
  std::optional<fs::path> askForFolder(const fs::path& start) override {
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&dialog)))) {
      report("Klasör seçme penceresi açılamadı.");
      return std::nullopt;
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(wideOf(launcher::kFolderDialogTitle).c_str());
    IShellItem* startItem = nullptr;
    if (!start.empty() && SUCCEEDED(SHCreateItemFromParsingName(start.wstring().c_str(), nullptr,
                                                                IID_PPV_ARGS(&startItem)))) {
      dialog->SetFolder(startItem);
      startItem->Release();
    }
    std::optional<fs::path> chosen;
    IShellItem* result = nullptr;
    // Cancel (or closing the dialog) ends the launcher without a word.
    if (SUCCEEDED(dialog->Show(nullptr)) && SUCCEEDED(dialog->GetResult(&result))) {
      PWSTR path = nullptr;
      if (SUCCEEDED(result->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        chosen = fs::path(path);
        CoTaskMemFree(path);
      }
      result->Release();
    }
    dialog->Release();
    return chosen;
  }

  fs::path rememberedFolder() override {
    wchar_t value[32768];
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kLastFolderValue, RRF_RT_REG_SZ, nullptr,
                     value, &bytes) != ERROR_SUCCESS) {
      return {};
    }
    return fs::path(value);
  }

  void rememberFolder(const fs::path& folder) override {
    const std::wstring text = folder.wstring();
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kLastFolderValue, REG_SZ, text.c_str(),
                    DWORD((text.size() + 1) * sizeof(wchar_t)));
  }

  fs::path usersFolder() override {
    PWSTR path = nullptr;
    fs::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Profile, 0, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
  }

  // muhtasar.exe takes no arguments: it works in the folder it is started in.
  int runMuhtasarIn(const fs::path& folder) override {
    const std::wstring program = programFolder() + L"muhtasar.exe";
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.wstring().c_str(), &startup, &process)) {
      report(launcher::cannotStart(utf8Of(program),
                                   "Windows hatası " + std::to_string(GetLastError())));
      return 1;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    return int(status);
  }

  void report(const std::string& message) override {
    MessageBoxW(nullptr, wideOf(message).c_str(), wideOf(launcher::kErrorCaption).c_str(),
                MB_OK | MB_ICONERROR);
  }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<fs::path> paths;
  for (int i = 1; i < count; ++i) paths.emplace_back(arguments[i]);
  LocalFree(arguments);
  WindowsFace face;
  const int status = launcher::runLauncher(paths, face);
  CoUninitialize();
  return status;
}
