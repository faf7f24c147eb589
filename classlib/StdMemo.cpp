// The multi-line edit of the standard controls and its lines.
#include <string>
#include <vector>

#include "classlib/Exception.h"
#include "classlib/StdCtrls.h"

namespace classlib {

// ---- TMemoStrings ----

std::vector<std::wstring> TMemoStrings::Split() const {
  const std::wstring text = owner_->Text();
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == L'\r') ++end;
    if (end < text.size() && text[end] == L'\n') ++end;
    start = end;
  }
  return lines;
}

void TMemoStrings::Join(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines[i];
  }
  owner_->SetText(text);
}

void TMemoStrings::Check(int index, int count) const {
  if (index < 0 || index >= count) throw EListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

std::wstring TMemoStrings::Get(int index) const {
  const std::vector<std::wstring> lines = Split();
  Check(index, static_cast<int>(lines.size()));
  return lines[static_cast<std::size_t>(index)];
}

int TMemoStrings::GetCount() const { return static_cast<int>(Split().size()); }

void TMemoStrings::Put(int index, const std::wstring& text) {
  std::vector<std::wstring> lines = Split();
  Check(index, static_cast<int>(lines.size()));
  lines[static_cast<std::size_t>(index)] = text;
  Join(lines);
}

void TMemoStrings::Insert(int index, const std::wstring& text) {
  std::vector<std::wstring> lines = Split();
  // Inserting at the end appends.
  Check(index, static_cast<int>(lines.size()) + 1);
  lines.insert(lines.begin() + index, text);
  Join(lines);
}

void TMemoStrings::Delete(int index) {
  std::vector<std::wstring> lines = Split();
  Check(index, static_cast<int>(lines.size()));
  lines.erase(lines.begin() + index);
  Join(lines);
}

void TMemoStrings::Clear() { owner_->SetText(L""); }

void TMemoStrings::SetText(std::wstring_view text) {
  // One window update for the whole text, its breaks made CR LF.
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == L'\r') ++end;
    if (end < text.size() && text[end] == L'\n') ++end;
    start = end;
  }
  Join(lines);
}

// ---- TCustomMemo ----

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  ControlStyle.Exclude(csFixedHeight);
  FWidth = 185;
  FHeight = 89;
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::DeclareProperties(TClassDecl<TCustomMemo>& d) {
  d.StringList(
      L"Lines",
      [](TCustomMemo* m) {
        std::vector<std::wstring> lines;
        for (int i = 0; i < m->Lines()->Count(); ++i) lines.push_back(m->Lines()->Strings(i));
        return lines;
      },
      [](TCustomMemo* m, const std::vector<std::wstring>& v) {
        std::wstring text;
        for (const std::wstring& line : v) text += line + L"\r\n";
        m->Lines()->SetText(text);
      });
  d.Enum(L"ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars, ssNone);
  d.Bool(L"WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true);
  d.Bool(L"WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns, true);
  d.Bool(L"WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs, false);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  // A wrapping memo never scrolls sideways.
  if (FWordWrap) Params.Style &= ~DWORD(ES_AUTOHSCROLL);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (!FWordWrap && (FScrollBars == ssHorizontal || FScrollBars == ssBoth)) Params.Style |= WS_HSCROLL;
}

void TCustomMemo::KeyPress(wchar_t& Key) {
  TCustomEdit::KeyPress(Key);
  // Enter without WantReturns and Tab without WantTabs reach the form, not the text; the
  // window would still take the character if the form let it through.
  if ((Key == L'\r' && !FWantReturns) || (Key == L'\t' && !FWantTabs)) Key = 0;
}

void TCustomMemo::Dispatch(TMessage& M) {
  if (M.Msg == WM_GETDLGCODE) {
    TCustomEdit::Dispatch(M);
    if (FWantTabs)
      M.Result |= DLGC_WANTTAB;
    else
      M.Result &= ~LRESULT(DLGC_WANTTAB);
    if (!FWantReturns) M.Result &= ~LRESULT(DLGC_WANTALLKEYS);
    return;
  }
  TCustomEdit::Dispatch(M);
}

}  // namespace classlib
