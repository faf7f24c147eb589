#include "skin/windows/acSpeedButtonHandler.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "skin/core/sConstOptions.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sSkinTextWin32.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sAlphaGraph.h"
#include "skin/graphics/sBitmapOverloads.h"

namespace skin {

// Hears of the button's end, so that nothing is written into a freed button.
class TacSpeedButtonHandler::TWatch : public classlib::TComponent {
 public:
  explicit TWatch(TacSpeedButtonHandler* Handler) : classlib::TComponent(nullptr), handler_(Handler) {}

 protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override {
    classlib::TComponent::Notification(AComponent, Operation);
    if (Operation == classlib::opRemove && AComponent == handler_->Ctrl) handler_->ButtonGone();
  }

 private:
  TacSpeedButtonHandler* handler_;
};

TacSpeedButtonHandler::TacSpeedButtonHandler(classlib::TControl* Btn, TsCommonData* ASkinData,
                                             TsSkinManager* ASkinManager, const std::string& SkinSection, bool Repaint)
    : Ctrl(Btn), SkinManager(ASkinManager), SkinData(ASkinData), watch_(std::make_unique<TWatch>(this)) {
  if (SkinManager == nullptr && SkinData != nullptr) SkinManager = SkinData->GetSkinManager();
  if (SkinData != nullptr && SkinData->SkinSection().empty()) SkinData->SetSkinSection(SkinSection);
  if (Ctrl == nullptr) return;
  Ctrl->FreeNotification(watch_.get());
  OldWndProc = Ctrl->WindowProc;
  Ctrl->WindowProc = classlib::TWndMethod(this, &TacSpeedButtonHandler::acWndProc);
  if (Repaint && Ctrl->Visible()) Ctrl->Invalidate();
}

TacSpeedButtonHandler::~TacSpeedButtonHandler() {
  GiveBack();
  if (Ctrl != nullptr) Ctrl->RemoveFreeNotification(watch_.get());
  SkinManager = nullptr;
}

void TacSpeedButtonHandler::GiveBack() {
  if (Ctrl == nullptr || !OldWndProc) return;
  if (Ctrl->WindowProc == classlib::TWndMethod(this, &TacSpeedButtonHandler::acWndProc)) Ctrl->WindowProc = OldWndProc;
  OldWndProc = {};
}

void TacSpeedButtonHandler::ButtonGone() {
  Ctrl = nullptr;
  OldWndProc = {};
  Destroyed = true;
}

bool TacSpeedButtonHandler::Skinned() const {
  return Ctrl != nullptr && SkinData != nullptr && SkinData->GetSkinManager() != nullptr &&
         SkinData->GetSkinManager()->Active();
}

void TacSpeedButtonHandler::Repaint() {
  if (Ctrl != nullptr) Ctrl->Repaint();
}

LRESULT TacSpeedButtonHandler::CallPrevWndProc(classlib::TControl*, UINT Msg, WPARAM WParam, LPARAM& LParam) {
  if (!OldWndProc) return 0;
  classlib::TMessage m{Msg, WParam, LParam, 0};
  OldWndProc(m);
  LParam = m.LParam;
  return m.Result;
}

std::wstring TacSpeedButtonHandler::Caption() const { return Ctrl != nullptr ? Ctrl->Text() : std::wstring(); }

int TacSpeedButtonHandler::CurrentState() const {
  if (classlib::TSpeedButton* b = Speed();
      b != nullptr && (b->State() == classlib::bsDown || b->State() == classlib::bsExclusive))
    return 2;
  return ControlIsActive(SkinData) ? 1 : 0;
}

int TacSpeedButtonHandler::GlyphWidth() const {
  classlib::TSpeedButton* b = Speed();
  if (b == nullptr || b->Glyph() == nullptr || b->Glyph()->Empty()) return 0;
  return b->Glyph()->Width() / std::max(b->NumGlyphs(), 1);
}

int TacSpeedButtonHandler::GlyphHeight() const {
  classlib::TSpeedButton* b = Speed();
  if (b == nullptr || b->Glyph() == nullptr || b->Glyph()->Empty()) return 0;
  return b->Glyph()->Height();
}

TSize TacSpeedButtonHandler::TextRectSize() const {
  const std::wstring text = Caption();
  if (text.empty() || SkinData->CacheBmp() == nullptr) return {0, 0};
  RECT r{0, 0, 255, 0};
  DrawTextW(SkinData->CacheBmp()->Canvas()->Handle(), text.c_str(), int(text.size()), &r,
            DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
  return {r.right - r.left, r.bottom - r.top};
}

TRect TacSpeedButtonHandler::ImgRect() const {
  classlib::TSpeedButton* b = Speed();
  const int w = Ctrl->Width(), h = Ctrl->Height();
  const int gw = GlyphWidth(), gh = GlyphHeight();
  const TSize text = TextRectSize();
  const int margin = b != nullptr ? b->Margin() : -1;
  const int spacing = !Caption().empty() && b != nullptr ? b->Spacing() : 0;
  const int dx = (w - gw - spacing - text.cx) / 2, dy = (h - gh - spacing - text.cy) / 2;
  int x = 0, y = 0;
  switch (b != nullptr ? b->Layout() : classlib::blGlyphLeft) {
    case classlib::blGlyphLeft:
      x = margin == -1 ? dx : margin;
      y = (h - gh) / 2;
      break;
    case classlib::blGlyphRight:
      x = margin == -1 ? w - dx - gw : w - gw - margin;
      y = (h - gh) / 2;
      break;
    case classlib::blGlyphTop:
      x = (w - gw) / 2;
      y = margin == -1 ? dy : margin;
      break;
    case classlib::blGlyphBottom:
      x = (w - gw) / 2;
      y = margin == -1 ? h - dy - gh : h - gh - margin;
      break;
  }
  if (CurrentState() == 2) ++x, ++y;
  return {x, y, x + gw, y + gh};
}

TRect TacSpeedButtonHandler::CaptionRect() const {
  classlib::TSpeedButton* b = Speed();
  const int w = Ctrl->Width(), h = Ctrl->Height();
  const TSize size = TextRectSize();
  const int p = CurrentState() == 2 ? 1 : 0;
  const int margin = b != nullptr ? b->Margin() : -1;
  const int spacing = b != nullptr ? b->Spacing() : 0;
  const classlib::TButtonLayout layout = b != nullptr ? b->Layout() : classlib::blGlyphLeft;
  const int cx = (w - size.cx) / 2 + p, cy = (h - size.cy) / 2 + p;
  int x = cx, y = cy;
  if (GlyphWidth() == 0) {
    if (margin != -1) {
      switch (layout) {
        case classlib::blGlyphLeft: x = margin; break;
        case classlib::blGlyphRight: x = w - margin - size.cx; break;
        case classlib::blGlyphTop: y = margin; break;
        case classlib::blGlyphBottom: y = h - margin - size.cy; break;
      }
    }
  } else {
    const TRect i = ImgRect();
    switch (layout) {
      case classlib::blGlyphLeft: x = i.Right + spacing; break;
      case classlib::blGlyphRight: x = i.Left - spacing - size.cx; break;
      case classlib::blGlyphTop: y = i.Bottom + spacing; break;
      case classlib::blGlyphBottom: y = i.Top - spacing - size.cy; break;
    }
  }
  return {x, y, x + size.cx, y + size.cy};
}

void TacSpeedButtonHandler::DoDrawText(TRect R, UINT Flags) {
  acWriteTextEx(SkinData->CacheBmp()->Canvas(), Caption(), true, R, Flags & ~UINT(DT_SINGLELINE), SkinData,
                CurrentState() > 0);
}

void TacSpeedButtonHandler::DrawCaption() {
  if (Caption().empty()) return;
  classlib::TCanvas* canvas = SkinData->CacheBmp()->Canvas();
  canvas->Font()->Assign(Ctrl->Font());
  canvas->Brush()->SetStyle(classlib::bsClear);
  DoDrawText(CaptionRect(), GetStringFlags(Ctrl, classlib::taLeftJustify) | DT_WORDBREAK | DT_EXPANDTABS);
}

void TacSpeedButtonHandler::DrawGlyph() {
  classlib::TSpeedButton* b = Speed();
  if (b == nullptr || GlyphWidth() == 0) return;
  DrawGlyphEx(b->Glyph(), SkinData->CacheBmp(), ImgRect(), b->NumGlyphs(), b->Enabled(),
              TsDisabledGlyphKind{TsDisabledGlyphKindValue::dgBlended}, CurrentState(), 0, b->Down() ? 1 : 0);
}

void TacSpeedButtonHandler::PrepareCache() {
  InitCacheBmp(SkinData);
  classlib::TBitmap* cache = SkinData->CacheBmp();
  cache->Canvas()->Font()->Assign(Ctrl->Font());
  TacBGInfo bg;
  if (Ctrl->Parent() != nullptr) GetBGInfo(bg, Ctrl->Parent(), false);
  const TCacheInfo ci = BGInfoToCI(bg);
  if (bg.BgType == TacBGType::btCache && (bg.Bmp == nullptr || bg.Bmp->Width() == 0)) return;
  const int state = CurrentState();
  const TRect all{0, 0, Ctrl->Width(), Ctrl->Height()};
  PaintItem(SkinData, ci, true, state, all, TPoint{Ctrl->Left(), Ctrl->Top()}, cache, true);
  UpdateCorners(SkinData, state);
  DrawCaption();
  DrawGlyph();
  if (!Ctrl->Enabled())
    BmpDisabledKind(View32(cache), false, true, CacheInfo32(ci), TPoint{Ctrl->Left(), Ctrl->Top()}, ci.FillColor);
  SkinData->BGChanged = false;
}

void TacSpeedButtonHandler::AC_WMPaint(classlib::TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (dc == nullptr || Ctrl == nullptr) return;
  const int saved = SaveDC(dc);
  PrepareCache();
  UpdateCorners(SkinData, 0);
  BitBlt(dc, 0, 0, Ctrl->Width(), Ctrl->Height(), SkinData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

void TacSpeedButtonHandler::acWndProc(classlib::TMessage& Message) {
  if (Ctrl == nullptr) return;
  const bool ownManager = Message.LParam == reinterpret_cast<LPARAM>(SkinManager);
  if (Message.Msg == SM_ALPHACMD) {
    switch (CommandOf(Message.WParam)) {
      case ACMD_NEWSKIN:
        if (!ownManager) break;
        CommonWndProc(Message, SkinData);
        return;
      case ACMD_REMOVESKIN:
        if (!ownManager || Ctrl->ComponentState().Contains(classlib::csDestroying)) break;
        CommonWndProc(Message, SkinData);
        if (Ctrl->Visible()) Repaint();
        GiveBack();
        Destroyed = true;
        return;
      case ACMD_REFRESH:
        if (!ownManager) break;
        CommonWndProc(Message, SkinData);
        if (Ctrl->Visible()) Repaint();
        return;
      case ACMD_PARENTUPDATED:
        if (!SkinData->Updating()) break;
        SkinData->SetUpdating(false);
        Repaint();
        return;
      case ACMD_ISSKINNED: Message.Result = 1; return;
      case ACMD_REDRAW:
        SkinData->SetUpdating(false);
        SkinData->BGChanged = true;
        Repaint();
        break;
      case ACMD_GETAPPLICATION:
        Message.Result = reinterpret_cast<LRESULT>(static_cast<classlib::TApplication*>(classlib::Application));
        return;
      default: break;
    }
  } else if (Message.Msg == WM_PAINT && Skinned()) {
    AC_WMPaint(Message);
    return;
  } else if (Message.Msg == classlib::CM_MOUSEENTER || Message.Msg == classlib::CM_MOUSELEAVE) {
    SkinData->FMouseAbove = Message.Msg == classlib::CM_MOUSEENTER;
    SkinData->BGChanged = true;
    Message.Result = CallPrevWndProc(Ctrl, Message.Msg, Message.WParam, Message.LParam);
    Repaint();
    return;
  }
  Message.Result = CallPrevWndProc(Ctrl, Message.Msg, Message.WParam, Message.LParam);
}

}  // namespace skin
