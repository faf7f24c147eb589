#pragma once
// The skin state of one painted object (a skinned control, a form's skin provider, or a window
// handler's own state): its section, the indexes the section resolves to, its 32-bit cache bitmap
// and the flags that say whether the cache is stale and whether painting must wait. Win32 only.
//
// Paint contract. Every skinned control, handler and form paints by these rules:
//  1. Paint only when ControlIsReady(owner) and SkinData->Skinned(); otherwise paint unskinned.
//  2. FUpdating := GetUpdating(); while it is set, paint nothing: the parent's command 6
//     (ACMD_PARENTUPDATED) or the manager's command 3 (ACMD_REFRESH) repaints later.
//  3. When BGChanged is set, render the cache:
//     a. InitCacheBmp(SkinData): a pf32bit DIB of the owner's size;
//     b. GetBGInfo(info, Parent, false) (no drawing), CI := BGInfoToCI(info): the parent pixel under
//        the owner's (0, 0) is (CI.X + Left, CI.Y + Top) of CI.Bmp;
//     c. PaintItem(SkinData, CI, true, State, (0, 0, Width, Height), (Left, Top), cache,
//        UpdateCorners), then the glyph and the text;
//     d. BGChanged := false.
//  4. Copy the cache to the screen.
// State is 0 normal, 1 or more the hot look (hot, focused, default); borders and corner images
// take the cell of the state (2 pressed); painters clamp it to the section's States - 1.
// A container whose CtrlSkinState has bit 0x0001 keeps no cache: it paints straight from its
// parent's background. Windowless children are painted by their container through PaintControls.
#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"
#include "classlib/Messages.h"
#include "classlib/TypInfo.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sSectionPaint.h"

namespace classlib {
class TCustomLabel;
}

namespace skin {

class TsSkinManager;
class IacSkinProvider;
class TsBoundLabel;

// Set while the manager announces a new skin; commands 1 and 13 clear it.
extern bool RestrictDrawing;

class TsCommonData : public classlib::TPersistent {
 public:
  TsCommonData(classlib::TObject* AOwner, bool CreateCacheBmp);
  ~TsCommonData() override;
  std::wstring ClassName() const override { return L"TsCommonData"; }
  // Published: SkinSection, SkinManager (stored when set), CustomColor, CustomFont.
  static void DeclareProperties(classlib::TClassDecl<TsCommonData>& d);

  // The own manager, else the default one.
  TsSkinManager* GetSkinManager() const;
  bool Skinned(bool CheckSkinActive = false) const;
  void UpdateIndexes();
  void Loaded();
  void BeginUpdate();
  // Updating ends with the last EndUpdate; further calls change nothing.
  void EndUpdate(bool Repaint = false);
  void Invalidate();
  bool RepaintIfMoved();

  bool Updating();
  void SetUpdating(bool Value) { FUpdating = Value; }
  const std::string& SkinSection() const { return FSkinSection; }
  void SetSkinSection(const std::string& Value);
  TsSkinManager* SkinManager() const { return FSkinManager; }
  void SetSkinManager(TsSkinManager* Value);
  // Drops the own manager reference without re-indexing (the manager is going away).
  void ForgetSkinManager() { FSkinManager = nullptr; }
  bool ManagerStored() const { return FSkinManager != nullptr; }
  bool CustomColor() const { return FCustomColor; }
  void SetCustomColor(bool Value);
  bool CustomFont() const { return FCustomFont; }
  void SetCustomFont(bool Value);
  int HUEOffset() const { return FHUEOffset; }
  void SetHUEOffset(int Value);
  int Saturation() const { return FSaturation; }
  void SetSaturation(int Value);
  int UpdateCount() const { return FUpdateCount; }

  classlib::TControl* OwnerControl() const { return FOwnerControl; }
  classlib::TObject* OwnerObject() const { return FOwnerObject; }
  classlib::TBitmap* CacheBmp() const { return FCacheBmp.get(); }
  // The provider when the owner is a form's skin provider.
  IacSkinProvider* Provider() const;
  // What the painters read of this state.
  TacItemSkin ItemSkin() const;

  int GlowID = -1;
  int BorderIndex = -1;
  int SkinIndex = -1;
  int Texture = -1;
  int HotTexture = -1;
  void* GraphControl = nullptr;
  bool UrgentPainting = false;
  bool BGChanged = true;
  bool HalfVisible = true;
  HRGN FRegion = nullptr;
  int COC = 0;
  bool FFocused = false;
  bool FMouseAbove = false;
  std::uint16_t CtrlSkinState = 0;
  std::uint16_t BGType = 0;
  HDC PrintDC = nullptr;
  TRect InvalidRectH;
  TRect InvalidRectV;

  friend void InitCacheBmp(TsCommonData* Data);

 private:
  std::string FSkinSection;
  bool FCustomFont = false;
  bool FCustomColor = false;
  int FUpdateCount = 0;
  int FHUEOffset = 0;
  int FSaturation = 0;
  bool FUpdating = false;
  TsSkinManager* FSkinManager = nullptr;
  classlib::TControl* FOwnerControl = nullptr;
  classlib::TObject* FOwnerObject = nullptr;
  std::unique_ptr<classlib::TBitmap> FCacheBmp;
};

// The published SkinData of the controls.
class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
  std::wstring ClassName() const override { return L"TsCtrlSkinData"; }
  // Published in addition: HUEOffset, Saturation.
  static void DeclareProperties(classlib::TClassDecl<TsCtrlSkinData>& d);
};

// The skin manager and the skin states in the class registry, so that descriptions can name the
// manager and set a control's SkinData.SkinSection.
void RegisterSkinDataClasses();

// The label control a bound label shows. The skinned edit label implements it above the core;
// the core reaches the label through this and the class library's label alone.
class IacBoundLabelControl {
 public:
  virtual classlib::TCustomLabel* LabelControl() = 0;
  virtual bool UseSkinColor() const = 0;
  virtual void SetUseSkinColor(bool Value) = 0;

 protected:
  ~IacBoundLabelControl() = default;
};

// Makes the label control of Bound, owned by AOwner (the control the label is bound to).
using TacBoundLabelFactory = IacBoundLabelControl* (*)(classlib::TComponent* AOwner, TsBoundLabel* Bound);
// The unit of the skinned labels sets it; until then activating a bound label raises
// EInvalidOperation.
void SetBoundLabelFactory(TacBoundLabelFactory Factory);

// The caption label an edit-type control may carry beside it: made, placed and freed here, kept
// on the control's parent and moved with the control. Whoever frees the label first (this
// record, or the parent freeing its children), the other side learns of it.
class TsBoundLabel : public classlib::TPersistent {
 public:
  // CommonData is the control's skin state; its owner control is the control the label serves.
  TsBoundLabel(classlib::TComponent* AOwner, TsCommonData* CommonData);
  ~TsBoundLabel() override;
  std::wstring ClassName() const override { return L"TsBoundLabel"; }
  // Published: Active, Caption, Indent, Font, Layout, MaxWidth, UseSkinColor.
  static void DeclareProperties(classlib::TClassDecl<TsBoundLabel>& d);

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  const std::wstring& Caption() const { return FText; }
  void SetCaption(const std::wstring& Value);
  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  TsCaptionLayout Layout() const { return FLayout; }
  void SetLayout(TsCaptionLayout Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  // The label's font, or this record's own while there is no label (what is set there is not
  // carried over to a label made later).
  classlib::TFont* Font() const;
  void SetFont(const classlib::TFont* Value);
  // The label's flag; true without a label.
  bool UseSkinColor() const;
  void SetUseSkinColor(bool Value);

  // Places a visible label beside the control by Layout, Indent and MaxWidth; the control calls
  // it when it moves or changes size.
  void AlignLabel();
  void UpdateAlignment();
  IacBoundLabelControl* TheLabel() const { return FTheLabel; }
  // The control the label is bound to.
  classlib::TControl* BoundControl() const;
  // The label control tells the record it is being freed, whoever frees it.
  void LabelFreed(IacBoundLabelControl* Label);

 private:
  classlib::TCustomLabel* LabelCtl() const;
  void FreeLabel();

  int FMaxWidth = 0;
  std::wstring FText;
  TsCaptionLayout FLayout = TsCaptionLayout::sclLeft;
  std::unique_ptr<classlib::TFont> FFont;
  int FIndent = 0;
  bool FActive = false;
  IacBoundLabelControl* FTheLabel = nullptr;
  TsCommonData* FCommonData = nullptr;
  classlib::TComponent* FOwner = nullptr;
};

// Control-state bits of CtrlSkinState.
inline constexpr std::uint16_t kNoOwnCache = 0x0001;
inline constexpr std::uint16_t kPrinting = 0x0200;
inline constexpr std::uint16_t kInUpdate = 0x0800;

void UpdateData(TsCommonData* Data);
void UpdateSkinState(TsCommonData* Data, bool UpdateChildren = true);
bool IsCacheRequired(TsCommonData* Data);
bool IsCached(TsCommonData* Data);
bool ControlIsActive(TsCommonData* Data);
bool BgIsTransparent(TsCommonData* Data);
bool ParentTextured(TsCommonData* Data);
int SkinBorderMaxWidth(TsCommonData* Data);
inline void AlignShadow(TsCommonData*) {}
void InitCacheBmp(TsCommonData* Data);
void UpdateCtrlColors(TsCommonData* Data, bool Repaint);
void UpdateBGType(TsCommonData* Data);
// The colour the owner offers its children for State: the section's, the parent's, or both mixed
// by the section's transparency; the owner's own colour when unskinned.
TColor GetBGColor(TsCommonData* Data, int State, HWND Wnd = nullptr);

// Skin commands and the common message handling.
// The command table: true when the command is answered here and the receiver's own handling stops.
bool CommonMessage(classlib::TMessage& Message, TsCommonData* Data);
// What every skinned control's window procedure runs first: the skin commands, moves and sizes,
// focus, mouse, visibility and the system notices that change the look. True: the message is
// handled and goes no further. False for a missing skin state.
bool CommonWndProc(classlib::TMessage& Message, TsCommonData* Data);

// The answer to a child's background question (command 34) for State; Wnd is the window the
// question is about when the state has no owner control.
void InitBGInfo(TsCommonData* Data, TacBGInfo& BGInfo, int State, HWND Wnd = nullptr);
// The colour children draw behind them (the answer to command 21); only meaningful with an owner
// control. The parent's share is asked of the parent with command 21.
TColor GetCommandColor(TsCommonData* Data);
// Where the owner finds its parent's painted background.
void GetParentCache(TsCommonData* Data, TCacheInfo& CI);
// The same for a bare window: its parent window's answer; EmptyCI without parent.
void GetParentCacheHwnd(HWND Wnd, TCacheInfo& CI);
// The section whose font colour a control on a skinned parent uses; DefaultIndex when the parent
// lends none (or is see-through, then its own parent is asked).
int GetFontIndex(classlib::TControl* Control, int DefaultIndex, TsSkinManager* Manager, int State);
// Shows the section's glow around the owner (or Wnd) while the mouse is over it, hides it otherwise.
void ShowGlowingIfNeeded(TsCommonData* Data, bool Clicked = false, HWND Wnd = nullptr);
// The cache copied to DC without painting over the control's children: SrcRect of the cache to
// DstRect; the children's bounds move by the offsets.
void CopyWinControlCache(classlib::TWinControl* Control, TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect,
                         HDC DC, bool UpdateCorners, int OffsetX = 0, int OffsetY = 0);
// The same for a window's child windows; of a native group box only its frame is spared. Without a
// cache nothing is drawn.
void CopyHwndCache(HWND Wnd, TsCommonData* Data, const TRect& SrcRect, const TRect& DstRect, HDC DC, bool UpdateCorners,
                   int OffsetX = 0, int OffsetY = 0);

// The painters in the forms for a control's skin state.
void PaintItemBG(TsCommonData* Data, const TCacheInfo& CI, int State, const TRect& R, TPoint pP,
                 classlib::TBitmap* ItemBmp);
void PaintItem(TsCommonData* Data, const TCacheInfo& CI, bool Filling, int State, const TRect& R, TPoint pP,
               classlib::TBitmap* ItemBmp, bool UpdateCorners);
// A container's section over its parent's background, asked of Parent.
void PaintSkinControl(TsCommonData* Data, classlib::TControl* Parent, bool Filling, int State, const TRect& R,
                      TPoint pP, classlib::TBitmap* ItemBmp, bool UpdateCorners);
// Corners of a control's cache.
enum class TsCorner : std::uint8_t { scLeftTop, scLeftBottom, scRightTop, scRightBottom };
using TsCorners = TacSet<TsCorner>;
inline constexpr TsCorners kAllCorners{TsCorner::scLeftTop, TsCorner::scLeftBottom, TsCorner::scRightTop,
                                       TsCorner::scRightBottom};
// The key pixels of the border image's corners in the cache take the parent's background: from
// the parent control, or the parent window; the set form asks the parent control only.
void UpdateCorners(TsCommonData* Data, int State);
void UpdateCorners(TsCommonData* Data, int State, TsCorners Corners);
// The same on any cache: its key corner pixels from the background Bg (its offset is the cache's
// place in Bg's bitmap), else Bg's colour; corners are clipped to the cache.
void RepairCacheCorners(TsSkinManager* Manager, int BorderIndex, const TImage32View& Cache, int State,
                        TsCorners Corners, const TacBGInfo& Bg);
// The border into the cache at R, the BorderWidth band of R copied to DC; the area inside.
TRect PaintBorderFast(HDC DC, const TRect& R, int BorderWidth, TsCommonData* Data, int State);

}  // namespace skin
