#include "skin/windows/acLinkWnd.h"

#include <cwctype>

#include "classlib/ScopeExit.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/windows/acWndRoutines.h"

namespace skin {

namespace {

bool StartsWithNoCase(const std::wstring& s, std::size_t at, const wchar_t* word) {
  for (std::size_t i = 0; word[i] != 0; ++i)
    if (at + i >= s.size() || std::towlower(s[at + i]) != std::towlower(word[i])) return false;
  return true;
}

}  // namespace

std::wstring LinkTextWithoutMarkup(const std::wstring& Caption) {
  std::wstring out;
  out.reserve(Caption.size());
  for (std::size_t i = 0; i < Caption.size();) {
    if (StartsWithNoCase(Caption, i, L"</a>")) {
      i += 4;
      continue;
    }
    // "<A>" and an opening tag with attributes ("<a href=...>") alike: the user reads neither.
    if (StartsWithNoCase(Caption, i, L"<a") && i + 2 < Caption.size() &&
        (Caption[i + 2] == L'>' || std::iswspace(Caption[i + 2]))) {
      const std::size_t close = Caption.find(L'>', i + 2);
      if (close != std::wstring::npos) {
        i = close + 1;
        continue;
      }
    }
    out += Caption[i++];
  }
  return out;
}

bool TacLinkWnd::PaintText() {
  classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
  canvas->Brush()->SetStyle(classlib::bsClear);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    const classlib::TScopeExit free([&] { DeleteObject(font); });
    // The canvas font takes the description; the handle stays ours.
    if (font != nullptr) canvas->Font()->SetHandle(font);
  }
  canvas->Font()->SetStyle(canvas->Font()->Style().Include(classlib::fsUnderline));
  TRect r{0, 0, WndSize.cx + 4, WndSize.cy};
  acWriteTextEx(canvas, LinkTextWithoutMarkup(Caption), true, r, DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP, SkinData,
                false);
  return true;
}

void TacLinkWnd::acWndProc(classlib::TMessage& Message) {
  if (SkinData == nullptr || SkinData->GetSkinManager() == nullptr || !SkinData->GetSkinManager()->Active() ||
      (GetWindowLongW(CtrlHandle, GWL_EXSTYLE) & WS_EX_STATICEDGE) != 0) {
    TacStaticWnd::acWndProc(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_MOVE:
      SkinData->BGChanged = true;
      PassOn(Message);
      Redraw();
      return;
    case WM_SETTEXT:
      PassOn(Message);
      Caption = GetWndText(CtrlHandle);
      SkinData->BGChanged = true;
      Redraw();
      return;
    case WM_PAINT: {
      // The link is painted with its background.
      PAINTSTRUCT ps{};
      BeginPaint(CtrlHandle, &ps);
      EndPaint(CtrlHandle, &ps);
      return;
    }
    case WM_ERASEBKGND:
      if (!IsWindowVisible(CtrlHandle)) break;
      AC_WMPaint(Message);
      Message.Result = 1;
      return;
    case WM_NCPAINT: return;
    default: break;
  }
  TacStaticWnd::acWndProc(Message);
}

}  // namespace skin
