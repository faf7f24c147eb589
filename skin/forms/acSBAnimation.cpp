#include "skin/forms/acSBAnimation.h"

#include <algorithm>
#include <string>

#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinRect.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acDialogWnd.h"
#include "skin/graphics/sAlphaGraph.h"

namespace skin {

using classlib::TBitmap;

namespace {

bool IsGlowCode(int HT) { return HT == HTMINBUTTON || HT == HTMAXBUTTON || HT == HTCLOSE; }

TRect ScreenBounds(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// A glyph drawn by GDI leaves alpha 0 behind; whatever it painted must show.
void OpaqueWhereDrawn(const TImage32View& V) {
  for (int y = 0; y < V.Height; ++y)
    for (int x = 0; x < V.Width; ++x) {
      std::uint32_t& p = V.At(x, y).U;
      if ((p >> 24) == 0 && (p & 0xFFFFFFu) != 0) p |= 0xFF000000u;
    }
}

// A user button's own glyph centred in Dst (one pixel right and down while pressed).
void DrawUserGlyph(TBitmap& Glyph, const TImage32View& Dst, bool Pressed) {
  if (Glyph.Width() <= 0 || Glyph.Height() <= 0) return;
  const int x0 = (Dst.Width - Glyph.Width()) / 2 + (Pressed ? 1 : 0);
  const int y0 = (Dst.Height - Glyph.Height()) / 2 + (Pressed ? 1 : 0);
  const bool alpha = Glyph.PixelFormat() == classlib::pf32bit;
  if (!alpha) Glyph.SetPixelFormat(classlib::pf32bit);
  const TImage32View src = Glyph.Image32View();
  // Without alpha its bottom-left pixel is the transparent colour.
  const std::uint32_t key = src.At(0, src.Height - 1).U & 0xFFFFFFu;
  for (int y = 0; y < src.Height; ++y)
    for (int x = 0; x < src.Width; ++x) {
      if (!Dst.Contains(x0 + x, y0 + y)) continue;
      const std::uint32_t s = src.At(x, y).U;
      std::uint32_t& d = Dst.At(x0 + x, y0 + y).U;
      if (!alpha) {
        if ((s & 0xFFFFFFu) != key) d = s | 0xFF000000u;
        continue;
      }
      const std::uint32_t a = s >> 24;
      std::uint32_t out = std::max(a, d >> 24) << 24;
      for (int shift : {0, 8, 16}) {
        const std::uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
        out |= ((sc * a + dc * (255 - a)) / 255) << shift;
      }
      d = out;
    }
}

}  // namespace

TacSBAnimation::TacSBAnimation(classlib::TComponent* AOwner) : classlib::TTimer(AOwner) {
  SetEnabled(false);
  OnTimer = [this](classlib::TObject* Sender) { OnAnimTimer(Sender); };
}

TacSBAnimation::~TacSBAnimation() {
  SetEnabled(false);
  FreeForm();
  if (PBtnData != nullptr && PBtnData->Timer == this) PBtnData->Timer = nullptr;
}

TsSkinManager* TacSBAnimation::Manager() const { return SkinData != nullptr ? SkinData->GetSkinManager() : nullptr; }

int TacSBAnimation::Step() const { return MaxIterations > 0 ? 255 / MaxIterations : 0; }

void TacSBAnimation::FreeForm() {
  AForm.reset();
  ABmp.reset();
}

void TacSBAnimation::StartAnimation(int NewState, bool ToUp) {
  if (NewState == CurrentState) return;
  CurrentState = NewState;
  if (NewState != 0) {
    if (NewState == 2) FreeForm();
    CurrentLevel = 1;
    Up = ToUp;
    UpdateForm(std::min(Step(), 255));
    ++CurrentLevel;
  } else {
    Up = false;
    --CurrentLevel;
    UpdateForm(std::min(Step(), 255));
  }
  if (MaxIterations > 1) SetEnabled(true);
}

void TacSBAnimation::ChangeState(int, bool ToUp) {
  Up = ToUp;
  SetEnabled(true);
}

void TacSBAnimation::OnAnimTimer(classlib::TObject*) {
  if (Up) {
    if (CurrentLevel < MaxIterations) {
      UpdateForm(std::clamp(Step() * CurrentLevel, 0, 255));
      ++CurrentLevel;
    } else {
      CheckMouseLeave();
      if (MaxIterations >= 0) {
        MaxIterations = -1;
        UpdateForm(255);
      }
    }
    return;
  }
  if (CurrentLevel > 0) {
    UpdateForm(std::clamp(Step() * CurrentLevel, 0, 255));
    --CurrentLevel;
    return;
  }
  CurrentState = -1;
  SetEnabled(false);
  FreeForm();
}

void TacSBAnimation::CheckMouseLeave() {
  // A held button keeps its press until the release decides, wherever that happens.
  if (PBtnData == nullptr || FormHandle == nullptr || PBtnData->State == 2 || CurrentState == 2) return;
  POINT p{};
  GetCursorPos(&p);
  const TRect w = ScreenBounds(FormHandle);
  const TRect& r = PBtnData->Rect;
  const int x = p.x - w.Left, y = p.y - w.Top;
  if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return;
  SetEnabled(false);
  SendMessageW(FormHandle, WM_MOUSELEAVE, 0, 0);
}

bool TacSBAnimation::Glowing() const {
  const TsSkinManager* m = Manager();
  return m != nullptr && m->GetAllowGlowing() && CurrentState == 1 && PBtnData != nullptr &&
         IsGlowCode(PBtnData->HitCode);
}

int TacSBAnimation::Offset() const {
  if (!Glowing()) return 0;
  const TsSkinData& sd = Manager()->Records().SkinData;
  switch (PBtnData->HitCode) {
    case HTMINBUTTON: return sd.BIMinGlowMargin;
    case HTMAXBUTTON: return sd.BIMaxGlowMargin;
    default: return sd.BICloseGlowMargin;
  }
}

int TacSBAnimation::ImageIndex() const {
  if (PBtnData == nullptr) return -1;
  if (SP != nullptr && PBtnData->HitCode == HTMINBUTTON && FormHandle != nullptr && IsIconic(FormHandle)) {
    const TsSkinManager* m = Manager();
    if (m != nullptr) return m->GetMaskIndex(m->Records().ConstData.IndexGLobalInfo, "GLOBALINFO", "BICONNORM");
  }
  return PBtnData->ImageIndex;
}

int TacSBAnimation::GlowImageIndex() const {
  const TsSkinManager* m = Manager();
  const int image = ImageIndex();
  if (m == nullptr || !m->IsValidImgIndex(image)) return -1;
  const std::string name = m->Records().ma[std::size_t(image)].PropertyName + "GLOW0";
  const int glow = m->GetMaskIndex(m->Records().ConstData.IndexGLobalInfo, "GLOBALINFO", name);
  return m->IsValidImgIndex(glow) ? glow : -1;
}

TRect TacSBAnimation::GetFormBounds() const {
  const TRect w = ScreenBounds(FormHandle);
  const TRect& b = PBtnData->Rect;
  TRect r{w.Left + b.Left, w.Top + b.Top, w.Left + b.Left, w.Top + b.Top};
  const int offset = Offset();
  const int glow = offset != 0 ? GlowImageIndex() : -1;
  if (glow >= 0) {
    const TsMaskData& md = Manager()->Records().ma[std::size_t(glow)];
    r.Left -= offset;
    r.Top -= offset;
    r.Right = r.Left + WidthOfImage(md);
    r.Bottom = r.Top + HeightOfImage(md);
  } else {
    r.Right = r.Left + (b.Right - b.Left);
    r.Bottom = r.Top + (b.Bottom - b.Top);
  }
  return r;
}

void TacSBAnimation::MakeForm() {
  if (AForm) return;
  AForm.reset(classlib::Create<classlib::TForm>(nullptr));
  AForm->SetTag(acAnimWindowTag);
  AForm->SetBorderStyle(classlib::bsNone);
  AForm->HandleNeeded();
  const HWND h = AForm->Handle();
  LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
  if ((GetWindowLongPtrW(FormHandle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) ex |= WS_EX_TOPMOST;
  SetWindowLongPtrW(h, GWL_EXSTYLE, ex);
}

void TacSBAnimation::MakeImg() {
  if (CurrentState == 0 && ABmp) return;
  TsSkinManager* m = Manager();
  if (m == nullptr || PBtnData == nullptr) return;
  const TRect r = GetFormBounds();
  const int glow = Glowing() ? GlowImageIndex() : -1;
  if (!ABmp) {
    ABmp = std::make_unique<TBitmap>();
    ABmp->SetPixelFormat(classlib::pf32bit);
    ABmp->SetSize(r.Right - r.Left, r.Bottom - r.Top);
  }
  const TImage32View dst = ABmp->Image32View();
  if (glow >= 0) {
    const TsMaskData& md = m->Records().ma[std::size_t(glow)];
    const TImage32View src = md.Source();
    for (int y = 0; y < dst.Height; ++y)
      for (int x = 0; x < dst.Width; ++x)
        dst.At(x, y).U = src.Contains(md.R.Left + x, md.R.Top + y) ? src.At(md.R.Left + x, md.R.Top + y).U : 0;
    return;
  }
  for (int y = 0; y < dst.Height; ++y)
    for (int x = 0; x < dst.Width; ++x) dst.At(x, y).U = 0;
  const int image = ImageIndex();
  if (m->IsValidImgIndex(image)) {
    TCacheInfo32 ci;
    ci.Ready = false;
    ci.FillColor = clFuchsia;
    DrawSkinGlyph(dst, TPoint{0, 0}, PBtnData->State, 1, m->Records().ma[std::size_t(image)], ci);
    OpaqueWhereDrawn(dst);
  }
  if (SP != nullptr && PBtnData->HitCode >= 1000 && PBtnData->HitCode - 1000 < SP->TitleButtons()->Count()) {
    TsTitleButton* b = SP->TitleButtons()->Items(PBtnData->HitCode - 1000);
    if (b->Glyph() != nullptr && !b->Glyph()->Empty()) DrawUserGlyph(*b->Glyph(), dst, PBtnData->State == 2);
  }
}

void TacSBAnimation::UpdateForm(int Blend) {
  MakeForm();
  MakeImg();
  if (!AForm || !ABmp || ABmp->Empty()) return;
  TRect r = GetFormBounds();
  if (r.Right - r.Left != ABmp->Width()) {
    r.Left -= (ABmp->Width() - (r.Right - r.Left)) / 2;
    r.Top -= (ABmp->Height() - (r.Bottom - r.Top)) / 2;
  }
  const HWND h = AForm->Handle();
  const bool topmost = (GetWindowLongPtrW(FormHandle, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  HWND after = topmost ? HWND_TOPMOST : GetWindow(FormHandle, GW_HWNDPREV);
  if (after == h) after = GetWindow(h, GW_HWNDPREV);
  if (after == nullptr) after = HWND_TOP;
  SetWindowPos(h, after, r.Left, r.Top, ABmp->Width(), ABmp->Height(), SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  SetWindowLongPtrW(h, GWL_EXSTYLE,
                    GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  const POINT pos{r.Left, r.Top};
  SetFormBlendValue(h, ABmp.get(), Blend, &pos);
  ShowWindow(h, SW_SHOWNOACTIVATE);
}

void StartSBAnimation(TsCaptionButton& Btn, int State, int Iterations, bool Up, TsSkinProvider* SP, TacDialogWnd* Dlg) {
  if (TacSBAnimation* t = Btn.Timer) {
    if (Up) t->CurrentState = State;
    t->MaxIterations = Iterations;
    t->Up = Up;
    t->SetEnabled(true);
    if (State == 2) {
      t->CurrentLevel = Iterations;
      t->AForm.reset();
      t->ABmp.reset();
      t->MakeForm();
      t->MakeImg();
      t->UpdateForm(255);
    }
    return;
  }
  if (SP == nullptr && Dlg == nullptr) return;
  auto* t = classlib::Create<TacSBAnimation>(nullptr);
  if (SP != nullptr) {
    t->SP = SP;
    t->BorderForm = SP->BorderForm.get();
    t->FormHandle = SP->Form->Handle();
    t->SkinData = SP->SkinData();
  } else {
    t->FormHandle = Dlg->CtrlHandle;
    t->SkinData = Dlg->SkinData;
  }
  t->SetEnabled(false);
  t->PBtnData = &Btn;
  Btn.Timer = t;
  t->MaxIterations = Iterations;
  t->SetInterval(acAnimInterval);
  t->StartAnimation(State, true);
}

}  // namespace skin
