// What a player opens at the top of the unpacked folder: starts game\vantorel.exe with
// game\ as its working folder, where the game finds its sheets at ..\content\, waits
// for it, and ends with its status. It takes no part in the game itself.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kGameFolder[] = L"game";
constexpr wchar_t kGame[] = L"vantorel.exe";

// The folder this program lies in, wherever it was started from.
std::wstring ownFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/"));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::wstring folder = ownFolder() + L"\\" + kGameFolder;
  const std::wstring game = folder + L"\\" + kGame;
  std::wstring command = L"\"" + game + L"\"";
  // The game writes its lines where this program's went, if anywhere.
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(game.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    const std::wstring message = L"Could not start " + game +
                                 L".\n\nUnpack the whole zip and open Vantorel.exe inside it.";
    MessageBoxW(nullptr, message.c_str(), L"Vantorel", MB_OK | MB_ICONERROR);
    return 1;
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}
