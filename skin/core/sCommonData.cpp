#include "skin/core/sCommonData.h"

#include <algorithm>
#include <cctype>

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/ScrollBox.h"
#include "skin/core/sCommonDataCodes.h"
#include "skin/core/sCommonDataDetail.h"
#include "skin/core/sMessages.h"
#include "skin/core/sProviderLink.h"
#include "skin/core/sSkinManager.h"
#include "skin/core/sSkinPaintWin32.h"
#include "skin/core/sStyleSimply.h"
#include "skin/core/sVclUtils.h"
#include "skin/graphics/sBlend32.h"
#include "skin/graphics/sColorUtils.h"

namespace skin {

using classlib::TControl;
using classlib::TWinControl;

bool RestrictDrawing = false;

namespace detail {

bool HasState(const classlib::TObject* o, classlib::TComponentStateItem item) {
  auto* c = dynamic_cast<const classlib::TComponent*>(o);
  return c != nullptr && c->ComponentState().Contains(item);
}

std::string UpperAscii(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

LRESULT PerformCmd(TControl* c, unsigned cmd, LPARAM lp, unsigned argument) {
  return c->Perform(SM_ALPHACMD, AlphaCmd(cmd, argument), lp);
}

const TsGeneralData* SectionOf(const TsCommonData* d) {
  TsSkinManager* sm = d->GetSkinManager();
  if (sm == nullptr || !sm->IsValidSkinIndex(d->SkinIndex)) return nullptr;
  return &sm->Records().gd[std::size_t(d->SkinIndex)];
}

}  // namespace detail

namespace {

using namespace detail;

std::string ToNarrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += static_cast<char>(c < 0x80 ? c : '?');
  return s;
}

const TsMaskData* BorderOf(const TsCommonData* d) {
  TsSkinManager* sm = d->GetSkinManager();
  if (sm == nullptr || !sm->IsValidImgIndex(d->BorderIndex)) return nullptr;
  return &sm->Records().ma[std::size_t(d->BorderIndex)];
}

}  // namespace

TsCommonData::TsCommonData(classlib::TObject* AOwner, bool CreateCacheBmp)
    : FOwnerControl(dynamic_cast<TControl*>(AOwner)), FOwnerObject(AOwner) {
  if (CreateCacheBmp) FCacheBmp = NewBitmap32(0, 0);
}

TsCommonData::~TsCommonData() {
  SkinIndex = Texture = HotTexture = -1;
  FOwnerControl = nullptr;
  FOwnerObject = nullptr;
  FSkinManager = nullptr;
}

void TsCommonData::DeclareProperties(classlib::TClassDecl<TsCommonData>& d) {
  d.String(
      L"SkinSection", [](TsCommonData* o) { return std::wstring(o->FSkinSection.begin(), o->FSkinSection.end()); },
      [](TsCommonData* o, const std::wstring& v) { o->SetSkinSection(ToNarrow(v)); });
  d.Component<TsSkinManager>(L"SkinManager", &TsCommonData::SkinManager, &TsCommonData::SetSkinManager);
  d.Bool(L"CustomColor", &TsCommonData::CustomColor, &TsCommonData::SetCustomColor, false);
  d.Bool(L"CustomFont", &TsCommonData::CustomFont, &TsCommonData::SetCustomFont, false);
}

void TsCtrlSkinData::DeclareProperties(classlib::TClassDecl<TsCtrlSkinData>& d) {
  d.Integer(L"HUEOffset", &TsCtrlSkinData::HUEOffset, &TsCtrlSkinData::SetHUEOffset, 0);
  d.Integer(L"Saturation", &TsCtrlSkinData::Saturation, &TsCtrlSkinData::SetSaturation, 0);
}

void RegisterSkinDataClasses() {
  classlib::RegisterClass<TsSkinManager, classlib::TComponent>(L"TsSkinManager");
  classlib::RegisterClass<TsCommonData, classlib::TPersistent>(L"TsCommonData");
  classlib::RegisterClass<TsCtrlSkinData, TsCommonData>(L"TsCtrlSkinData");
  classlib::RegisterClass<TsBoundLabel, classlib::TPersistent>(L"TsBoundLabel");
}

TsSkinManager* TsCommonData::GetSkinManager() const {
  return FSkinManager != nullptr ? FSkinManager : DefaultManager();
}

IacSkinProvider* TsCommonData::Provider() const { return dynamic_cast<IacSkinProvider*>(FOwnerObject); }

TacItemSkin TsCommonData::ItemSkin() const {
  TacItemSkin item;
  item.SkinIndex = SkinIndex;
  item.Section = FSkinSection;
  item.BorderIndex = BorderIndex;
  item.Texture = Texture;
  item.HotTexture = HotTexture;
  item.HUEOffset = FHUEOffset;
  item.Saturation = FSaturation;
  if (FCustomColor) {
    if (IacSkinProvider* p = Provider(); p != nullptr && p->ProviderForm() != nullptr)
      item.CustomColor = classlib::ColorToRGB(p->ProviderForm()->Color());
    else if (FOwnerControl != nullptr)
      item.CustomColor = classlib::ColorToRGB(FOwnerControl->Color());
  }
  return item;
}

bool TsCommonData::Skinned(bool CheckSkinActive) const {
  TsSkinManager* sm = GetSkinManager();
  if (FSkinSection.empty() || sm == nullptr || HasState(sm, classlib::csDestroying) ||
      !sm->IsValidSkinIndex(SkinIndex) || HasState(FOwnerObject, classlib::csDestroying))
    return false;
  return !CheckSkinActive || sm->Records().SkinData.Active;
}

void TsCommonData::UpdateIndexes() {
  if (HasState(FOwnerObject, classlib::csDesigning) &&
      GetOwnerFrame(dynamic_cast<classlib::TComponent*>(FOwnerObject)) != nullptr) {
    SkinIndex = Texture = HotTexture = -1;
    return;
  }
  BGChanged = true;
  TsSkinManager* sm = GetSkinManager();
  SkinIndex = sm != nullptr && sm->Active() ? sm->GetSkinIndex(FSkinSection) : -1;
  UpdateBGType(this);
  CtrlSkinState = 0;
  if (SkinIndex >= 0) {
    BorderIndex = sm->Records().gd[std::size_t(SkinIndex)].BorderIndex;
    Texture = sm->GetTextureIndex(SkinIndex, FSkinSection, "PATTERN");
    HotTexture = sm->GetTextureIndex(SkinIndex, FSkinSection, "HOTPATTERN");
    UpdateSkinState(this, false);
  } else {
    // A section the skin lacks has no border either: a stale index would draw another skin's image.
    BorderIndex = Texture = HotTexture = -1;
  }
}

void TsCommonData::SetSkinSection(const std::string& Value) {
  if (Value == FSkinSection) return;
  FSkinSection = Value.empty() ? "UNKNOWN" : UpperAscii(Value);
  TsSkinManager* sm = GetSkinManager();
  if (sm != nullptr && sm->HasSections())
    UpdateIndexes();
  else
    SkinIndex = -1;
  if (FOwnerControl != nullptr && !HasState(FOwnerControl, classlib::csLoading) &&
      !HasState(FOwnerControl, classlib::csReading) && !HasState(FOwnerControl, classlib::csDestroying) &&
      FOwnerControl->Parent() != nullptr) {
    if (!Updating()) {
      const bool valid = sm != nullptr && sm->HasSections() && sm->IsValidSkinIndex(SkinIndex);
      PerformCmd(FOwnerControl, valid ? ACMD_REFRESH : ACMD_REMOVESKIN, reinterpret_cast<LPARAM>(sm));
    }
    GlowID = -1;
  } else if (Provider() != nullptr) {
    BGChanged = true;
  }
}

void TsCommonData::SetSkinManager(TsSkinManager* Value) {
  if (Value == DefaultManager()) Value = nullptr;  // the default manager is kept as none
  if (Value == FSkinManager) return;
  FSkinManager = Value;
  if (HasState(FOwnerControl, classlib::csLoading)) return;
  TsSkinManager* sm = GetSkinManager();
  if (sm != nullptr && sm->HasSections())
    UpdateIndexes();
  else
    SkinIndex = -1;
  if (Provider() != nullptr) return;  // a provider's design-time procedure takes the command and does nothing
  if (FOwnerControl != nullptr && FOwnerControl->Parent() != nullptr &&
      !HasState(FOwnerControl, classlib::csDestroying)) {
    const bool valid = sm != nullptr && sm->HasSections() && sm->IsValidSkinIndex(SkinIndex);
    PerformCmd(FOwnerControl, valid ? ACMD_REFRESH : ACMD_REMOVESKIN, reinterpret_cast<LPARAM>(sm));
  }
}

void TsCommonData::Loaded() {
  UpdateData(this);
  if (!Skinned() || FOwnerControl == nullptr || FOwnerControl->Parent() == nullptr ||
      HasState(FOwnerControl, classlib::csLoading))
    return;
  if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl)) AddToAdapter(win);
  UpdateCtrlColors(this, false);
}

void TsCommonData::SetCustomColor(bool Value) {
  if (Value == FCustomColor) return;
  FCustomColor = Value;
  if (!HasState(FOwnerControl, classlib::csLoading)) UpdateCtrlColors(this, true);
}

void TsCommonData::SetCustomFont(bool Value) {
  if (Value == FCustomFont) return;
  FCustomFont = Value;
  if (!HasState(FOwnerControl, classlib::csLoading)) UpdateCtrlColors(this, true);
}

void TsCommonData::SetHUEOffset(int Value) {
  if (Value == FHUEOffset) return;
  FHUEOffset = Value;
  Loaded();
  Invalidate();
}

void TsCommonData::SetSaturation(int Value) {
  if (Value == FSaturation) return;
  FSaturation = Value;
  Loaded();
  Invalidate();
}

bool TsCommonData::Updating() {
  TsSkinManager* sm = GetSkinManager();
  if (sm == nullptr || HasState(sm, classlib::csDesigning)) return false;
  if (!IsCached(this)) return FUpdating;
  if (FOwnerControl != nullptr) {
    if (HasState(FOwnerControl, classlib::csDestroying)) return FUpdating;
    if (FUpdating) return true;
    if (FOwnerControl->Parent() == nullptr) return false;
    return GetBoolMsg(FOwnerControl->Parent(), ACMD_ISBUSY);
  }
  if (IacSkinProvider* p = Provider(); p != nullptr && p->ProviderForm() != nullptr) {
    TWinControl* parent = p->ProviderForm()->Parent();
    return parent != nullptr && GetBoolMsg(parent, ACMD_ISBUSY);
  }
  return false;
}

void TsCommonData::BeginUpdate() {
  ++FUpdateCount;
  FUpdating = true;
  CtrlSkinState |= kInUpdate;
  if (FOwnerControl != nullptr)
    PerformCmd(FOwnerControl, ACMD_BEGINUPDATE);
  else if (IacSkinProvider* p = Provider(); p != nullptr && p->ProviderForm() && p->ProviderForm()->HandleAllocated())
    SendAMessage(p->ProviderForm()->Handle(), ACMD_BEGINUPDATE);
}

void TsCommonData::EndUpdate(bool Repaint) {
  if (FUpdateCount <= 0) return;  // more ends than begins: nothing left to end
  if (--FUpdateCount > 0) return;
  FUpdating = false;
  CtrlSkinState &= static_cast<std::uint16_t>(~kInUpdate);
  if (FOwnerControl != nullptr)
    PerformCmd(FOwnerControl, ACMD_ENDUPDATE);
  else if (IacSkinProvider* p = Provider(); p != nullptr && p->ProviderForm() && p->ProviderForm()->HandleAllocated())
    SendAMessage(p->ProviderForm()->Handle(), ACMD_ENDUPDATE);
  if (Repaint) Invalidate();
}

void TsCommonData::Invalidate() {
  constexpr UINT kRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
  if (FOwnerControl != nullptr) {
    if (HasState(FOwnerControl, classlib::csDestroying) || HasState(FOwnerControl, classlib::csLoading)) return;
    BGChanged = true;
    if (!ControlIsReady(FOwnerControl)) return;
    if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl))
      RedrawWindow(win->Handle(), nullptr, nullptr, kRedraw);
    else
      FOwnerControl->Repaint();
  } else if (IacSkinProvider* p = Provider()) {
    BGChanged = true;
    if (p->ProviderForm() != nullptr && p->ProviderForm()->HandleAllocated())
      RedrawWindow(p->ProviderForm()->Handle(), nullptr, nullptr, kRedraw);
  }
}

bool TsCommonData::RepaintIfMoved() {
  if (UrgentPainting || !Skinned() || FOwnerControl == nullptr || !FOwnerControl->Enabled()) return true;
  const TsGeneralData* g = SectionOf(this);
  if (g == nullptr || g->Transparency <= 0) return false;
  TWinControl* parent = FOwnerControl->Parent();
  return parent != nullptr && parent->HandleAllocated() && GetBoolMsg(parent, ACMD_DEPENDSONPARENT);
}

void UpdateData(TsCommonData* Data) {
  if (Data == nullptr) return;
  if (!Data->SkinSection().empty()) {
    Data->UpdateIndexes();
    return;
  }
  std::string section(DefaultSectionOfCOC(Data->COC));
  if (section.empty() && Data->OwnerObject() != nullptr) section = ToNarrow(Data->OwnerObject()->ClassName());
  Data->SetSkinSection(section);
}

void UpdateBGType(TsCommonData* Data) {
  Data->BGType = 0;
  const TsGeneralData* g = SectionOf(Data);
  if (g == nullptr) return;
  if (g->ImagePercent != 0) Data->BGType |= 0x4;
  if (g->GradientPercent != 0 && g->GradientArray && !g->GradientArray->empty()) {
    const int mode = (*g->GradientArray)[0].Mode1;
    if (mode == 0 || mode == 2) Data->BGType |= 0x2;
    if (mode == 1 || mode == 2) Data->BGType |= 0x1;
  }
}

void UpdateSkinState(TsCommonData* Data, bool UpdateChildren) {
  if (Data == nullptr) return;
  Data->CtrlSkinState &= static_cast<std::uint16_t>(~kNoOwnCache);
  TControl* owner = Data->OwnerControl();
  if (dynamic_cast<classlib::TCustomPanel*>(owner) != nullptr ||
      dynamic_cast<classlib::TPageControl*>(owner) != nullptr ||
      dynamic_cast<classlib::TScrollingWinControl*>(owner) != nullptr)
    if (!IsCacheRequired(Data)) Data->CtrlSkinState |= kNoOwnCache;
  if (auto* win = dynamic_cast<TWinControl*>(owner); UpdateChildren && win != nullptr)
    for (int i = 0; i < win->ControlCount(); ++i)
      if (TControl* child = win->Controls(i)) PerformCmd(child, ACMD_SKINSTATE, 1);
  if (IacSkinProvider* p = Data->Provider(); p != nullptr && p->ProviderForm() != nullptr)
    if (!IsCacheRequired(Data) && p->ProviderForm()->FormStyle() != classlib::fsMDIForm)
      Data->CtrlSkinState |= kNoOwnCache;
}

bool IsCacheRequired(TsCommonData* Data) {
  const TsGeneralData* g = Data != nullptr ? SectionOf(Data) : nullptr;
  if (g == nullptr) return false;
  if (const TsMaskData* b = BorderOf(Data))
    if ((b->DrawMode & 4) != 0 || b->WL + b->WR > 20 || b->WT + b->WB > 20) return true;
  const int t = g->Transparency;
  if (t == 0) return g->ImagePercent != 0 || g->GradientPercent != 0;
  if (t != 100) return true;
  TsSkinManager* sm = Data->GetSkinManager();
  if (sm->IsValidImgIndex(Data->Texture) &&
      sm->Records().ma[std::size_t(Data->Texture)].DrawMode == static_cast<int>(TacFillMode::fmDisTiled))
    return true;
  TControl* owner = Data->OwnerControl();
  if (owner == nullptr || owner->Parent() == nullptr) return true;
  // The parent keeps a cache unless it says it paints without one.
  return (SendAMessage(owner->Parent(), ACMD_SKINSTATE) & kNoOwnCache) == 0;
}

bool IsCached(TsCommonData* Data) { return (Data->CtrlSkinState & kNoOwnCache) == 0 || ControlIsActive(Data); }

bool ControlIsActive(TsCommonData* Data) {
  TControl* owner = Data != nullptr ? Data->OwnerControl() : nullptr;
  if (owner == nullptr || HasState(owner, classlib::csDestroying) || !owner->Enabled() ||
      HasState(owner, classlib::csDesigning))
    return false;
  if (Data->FFocused) return true;
  if (auto* win = dynamic_cast<TWinControl*>(owner);
      win != nullptr && win->HandleAllocated() && win->Handle() == GetFocus())
    return dynamic_cast<classlib::TCustomPanel*>(owner) == nullptr;
  return Data->FMouseAbove && !sForbidMouse.Contains(Data->COC);
}

bool BgIsTransparent(TsCommonData* Data) {
  const TsGeneralData* g = SectionOf(Data);
  return Data->SkinIndex >= 0 && g != nullptr && g->Transparency > 0;
}

bool ParentTextured(TsCommonData* Data) {
  TControl* owner = Data->OwnerControl();
  TWinControl* parent = owner != nullptr ? owner->Parent() : nullptr;
  return parent != nullptr && parent->HandleAllocated() && GetBoolMsg(parent, ACMD_DEPENDSONPARENT);
}

int SkinBorderMaxWidth(TsCommonData* Data) {
  const TsMaskData* b = BorderOf(Data);
  if (b == nullptr || (b->DrawMode & 2) != 0) return 0;
  return std::max({int(b->WL), int(b->WT), int(b->WR), int(b->WB)});
}

void InitCacheBmp(TsCommonData* Data) {
  if (Data == nullptr) return;
  if (!Data->FCacheBmp) Data->FCacheBmp = NewBitmap32(0, 0);
  classlib::TBitmap* bmp = Data->FCacheBmp.get();
  if (bmp->PixelFormat() != classlib::pf32bit) bmp->SetPixelFormat(classlib::pf32bit);
  if (TControl* owner = Data->OwnerControl()) {
    const int w = std::max(owner->Width(), 0), h = std::max(owner->Height(), 0);
    if (bmp->Width() != w) bmp->SetWidth(w);
    if (bmp->Height() != h) bmp->SetHeight(h);
  }
}

void UpdateCtrlColors(TsCommonData* Data, bool Repaint) {
  TControl* owner = Data->OwnerControl();
  if (owner == nullptr || !Data->Skinned() || !sEditCtrls.Contains(Data->COC)) return;
  if (auto* win = dynamic_cast<TWinControl*>(owner); win != nullptr && !win->HandleAllocated()) return;
  const TsGeneralData* g = SectionOf(Data);
  if (!Data->CustomColor()) {
    const TColor c = ChangeSaturation(ChangeHue(Data->HUEOffset(), g->Color), Data->Saturation());
    if (c != owner->Color()) owner->SetColor(c);
  }
  if (!Data->CustomFont()) {
    const TColor c = ChangeSaturation(ChangeHue(Data->HUEOffset(), g->FontColor.Color), Data->Saturation());
    if (c != owner->Font()->Color()) owner->Font()->SetColor(c);
  }
  if (Repaint) Data->Invalidate();
}

TColor GetBGColor(TsCommonData* Data, int State, HWND Wnd) {
  TControl* owner = Data->OwnerControl();
  IacSkinProvider* provider = Data->Provider();
  auto ownColour = [&]() -> TColor {
    if (owner != nullptr) return owner->Color();
    if (provider != nullptr && provider->ProviderForm() != nullptr) return provider->ProviderForm()->Color();
    return classlib::clBtnFace;
  };
  const TsGeneralData* g = SectionOf(Data);
  if (!Data->Skinned() || g == nullptr) return ownColour();
  const bool hot = State > 0 && g->States > 1;
  const int t = g->Props[hot ? 1 : 0].Transparency;
  const TColor c = g->Props[hot ? 1 : 0].Color;
  if (t == 0) return Data->CustomColor() ? ownColour() : c;
  TColor parent = classlib::clBtnFace;
  if (owner != nullptr)
    parent = GetControlColor(owner->Parent());
  else if (Wnd != nullptr)
    parent = GetControlColor(GetParent(Wnd));
  if (t == 100) return parent;
  if (owner == nullptr && Wnd == nullptr) return classlib::clBtnFace;
  return MixColors(parent, c, t / 100.0);
}

}  // namespace skin
