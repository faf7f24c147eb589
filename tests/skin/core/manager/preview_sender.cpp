// A stand-in skin editor for the live-preview tests: sends one live-preview block by WM_COPYDATA
// to a window of another process and exits with the answer (2 when the message could not go).
//   preview_sender WINDOW SKINDIR SKINNAME OPTIONSFILE [short|magic=N]
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/core/acSkinPreview.h"

namespace {

std::string ToAnsi(const wchar_t* text) {
  const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
  if (length > 1) WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 5) return 3;
  const HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoll(argv[1], nullptr, 10)));
  std::ifstream in(argv[4], std::ios::binary);
  const std::string options{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::int32_t magic = skin::kSkinDataMagic;
  std::size_t size = skin::kSkinDataSize;
  if (argc > 5) {
    const std::wstring option = argv[5];
    if (option == L"short") size -= 1;
    if (option.rfind(L"magic=", 0) == 0) magic = static_cast<std::int32_t>(std::wcstol(option.c_str() + 6, nullptr, 0));
  }
  const std::string block = skin::MakeSkinDataBlock(ToAnsi(argv[3]), ToAnsi(argv[2]), options, magic);
  COPYDATASTRUCT copy{0, static_cast<DWORD>(size), const_cast<char*>(block.data())};
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_COPYDATA, 7, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, 20000, &answer))
    return 2;
  return static_cast<int>(answer);
}
