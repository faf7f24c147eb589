#pragma once
// The form skin provider: the component that skins one form. Dropped on a form (the form owns it)
// or made at run time for a form caught by the dialog hook, it takes over the form's WindowProc
// from its constructor on and gives it back when freed. It keeps the form's skin state (section
// "FORM"), the title-button records, the skinned system menu and the form's scroll handler, and
// answers the frame metrics every frame painter and hit test asks. Win32 only.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/EnumInfo.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConstTypes.h"
#include "skin/core/sProviderLink.h"
#include "skin/forms/acBorderForm.h"
#include "skin/forms/acFrameMetrics.h"
#include "skin/forms/acSysMenuRules.h"
#include "skin/graphics/sTextOutWin32.h"
#include "skin/windows/acMainWnd.h"
#include "skin/windows/acSBUtils.h"

namespace skin {

class TsSkinProvider;
class TsSystemMenu;
class TacCtrlAdapter;

// Asked before the form's adapter takes Item: CanBeAdded false refuses it; SkinSection may name
// the section the item's handler is to use.
using TAddItemEvent = std::function<void(classlib::TComponent* Item, bool& CanBeAdded, std::string& SkinSection)>;
class TsMDIForm;
class TacSBAnimation;
class TacThreadedTimer;

enum TsGripMode { gmNone, gmRightBottom };
enum TsResizeMode { rmStandard, rmBorder };

}  // namespace skin

template <>
inline const classlib::TEnumInfo& classlib::EnumInfo<skin::TsGripMode>() {
  static const TEnumInfo i{L"TsGripMode", {L"gmNone", L"gmRightBottom"}};
  return i;
}
template <>
inline const classlib::TEnumInfo& classlib::EnumInfo<skin::TsResizeMode>() {
  static const TEnumInfo i{L"TsResizeMode", {L"rmStandard", L"rmBorder"}};
  return i;
}

namespace skin {

// Extra caption text beside (or instead of) the form's caption.
class TacAddedTitle : public classlib::TPersistent {
 public:
  explicit TacAddedTitle(TsSkinProvider* AOwner);
  ~TacAddedTitle() override;
  std::wstring ClassName() const override { return L"TacAddedTitle"; }
  static void DeclareProperties(classlib::TClassDecl<TacAddedTitle>& d);

  const std::wstring& Text() const { return FText; }
  void SetText(const std::wstring& Value);
  classlib::TFont* Font() const { return FFont.get(); }
  void SetFont(classlib::TFont* Value);
  bool ShowMainCaption() const { return FShowMainCaption; }
  void SetShowMainCaption(bool Value);

  TsSkinProvider* FOwner = nullptr;

 private:
  void Changed();
  std::wstring FText;
  std::unique_ptr<classlib::TFont> FFont;
  bool FShowMainCaption = true;
};

// A caption icon of the form's own in place of its window icon.
class TsTitleIcon : public classlib::TPersistent {
 public:
  TsTitleIcon();
  ~TsTitleIcon() override;
  std::wstring ClassName() const override { return L"TsTitleIcon"; }
  static void DeclareProperties(classlib::TClassDecl<TsTitleIcon>& d);
  classlib::TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(classlib::TBitmap* Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }

 private:
  std::unique_ptr<classlib::TBitmap> FGlyph;
  int FWidth = 0;
  int FHeight = 0;
};

// The state of one title button.
struct TsCaptionButton {
  int State = 0;  // 0 normal, 1 hot, 2 pressed
  int ImageIndex = -1;
  TRect Rect;
  int HitCode = 0;
  bool HaveAlignment = false;
  int GlowID = -1;
  // The running glow or fade of the button; its owner frees it (KillAnimations).
  TacSBAnimation* Timer = nullptr;
};

// Frees an animation timer of a form (a component that may belong to no owner).
struct TacTimerFree {
  void operator()(TacThreadedTimer* Timer) const;
};

// A user title button.
class TsTitleButton : public classlib::TCollectionItem {
 public:
  explicit TsTitleButton(classlib::TCollection* Collection);
  ~TsTitleButton() override;
  std::wstring ClassName() const override { return L"TsTitleButton"; }
  static void DeclareProperties(classlib::TClassDecl<TsTitleButton>& d);

  const std::wstring& Name() const { return FName; }
  void SetName(const std::wstring& Value) {
    if (Value != FName) FName = Value;
  }
  const std::wstring& Hint() const { return FHint; }
  void SetHint(const std::wstring& Value) { FHint = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool UseSkinData() const { return FUseSkinData; }
  void SetUseSkinData(bool Value) { FUseSkinData = Value; }
  classlib::TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(classlib::TBitmap* Value);

  TsCaptionButton BtnData;
  classlib::TNotifyEvent OnMouseDown;
  classlib::TNotifyEvent OnMouseUp;

 private:
  std::wstring FName = L"TsTitleButton";
  std::wstring FHint;
  bool FEnabled = true;
  bool FVisible = true;
  bool FUseSkinData = true;
  std::unique_ptr<classlib::TBitmap> FGlyph;
};

class TsTitleButtons : public classlib::TCollection {
 public:
  explicit TsTitleButtons(TsSkinProvider* AOwner);
  std::wstring ClassName() const override { return L"TsTitleButtons"; }
  TsTitleButton* Items(int Index) const { return static_cast<TsTitleButton*>(classlib::TCollection::Items(Index)); }
  TsSkinProvider* FOwner;
};

// FormState bits.
inline constexpr unsigned kFormBorderUpdating = 0x1;
inline constexpr unsigned kFormBlending = 0x80;
inline constexpr unsigned kFormMinimizing = 0x100;
inline constexpr unsigned kFormCapturing = 0x200;
inline constexpr unsigned kFormRestoring = 0x400;
inline constexpr unsigned kFormThumbnail = 0x800;
inline constexpr unsigned kFormCopiedForSkinChange = 0x1000;
inline constexpr unsigned kFormStretchedV = 0x2000;
inline constexpr unsigned kFormStretchedH = 0x4000;
inline constexpr unsigned kFormInNcActivate = 0x8000;
inline constexpr unsigned kFormLocked = 0x10000;
inline constexpr unsigned kFormScrollAttaching = 0x20000;

// The outline drag of ResizeMode rmBorder: one at a time for the whole program, in screen
// coordinates.
struct TacOutlineDrag {
  bool bInProcess = false;  // an outline is on the desktop
  bool bCapture = false;    // the mouse is captured and has not moved yet
  bool bMode = false;       // true moving, false sizing
  int nDirection = 0;       // the sizing edge as a hit code 10 .. 17; 0 for the bottom-right corner
  int nX = 0, nY = 0;       // the mouse point the outline moves from
  int nleft = 0, ntop = 0, nright = 0, nbottom = 0;
  int nMinWidth = 0, nMinHeight = 0;
  bool DoStartMove = false;
  TsSkinProvider* Owner = nullptr;  // whose form the outline belongs to
};
extern TacOutlineDrag OutlineDrag;

class TsSkinProvider : public classlib::TComponent, public IacSkinProvider {
 public:
  // AOwner must be a form: anything else raises EAbort.
  explicit TsSkinProvider(classlib::TComponent* AOwner);
  // For forms skinned at run time: initialised on the first frame paint, hit test or showing.
  static TsSkinProvider* CreateRT(classlib::TComponent* AOwner);
  ~TsSkinProvider() override;
  std::wstring ClassName() const override { return L"TsSkinProvider"; }
  static void DeclareProperties(classlib::TClassDecl<TsSkinProvider>& d);

  void AfterConstruction() override;
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

  // IacSkinProvider
  classlib::TCustomForm* ProviderForm() const override { return Form; }
  TsSkinManager* ProviderManager() const override { return FCommonData ? FCommonData->SkinManager() : nullptr; }
  bool DrawsNonClientArea() const override { return FDrawNonClientArea; }
  unsigned FormState() const override { return FFormState; }
  void SetFormState(unsigned Bits, bool On) override { FFormState = On ? FFormState | Bits : FFormState & ~Bits; }
  void SetInAnimation(bool Value) override { FInAnimation = Value; }
  void ShowAfterSkinChange() override;
  bool HasExtendedBorder() const override { return BorderForm != nullptr; }

  // The form's window procedure while the provider serves it.
  void NewWndProc(classlib::TMessage& Message);
  // The frame zone under the message's screen position: a Win32 hit code, 101 to 103 for the
  // buttons of a maximized MDI child, 1000 + i for user title button i.
  int HTProcess(const classlib::TMessage& Message);
  // The form shows and its window is visible.
  bool FormShowing() const;
  void LoadInit();
  // Readies the form for the skin once it has a window: system menu, section and title-button
  // images, the system's own buttons switched off.
  void PrepareForm();
  // Resolves the images of the title buttons for the current skin.
  void UpdateIconsIndexes();
  // The frame repainted at once when the form shows.
  void UpdateSkinCaption();
  void CheckSysMenu(bool Active);
  void InitExBorders(bool Active);
  int TitleSkinIndex();
  std::string TitleSkinSection() const { return FTitleSkin.empty() ? std::string("FORMTITLE") : FTitleSkin; }
  TRect ShadowSize() const;
  TColor FormColor() const;
  void RepaintNC();
  // Stops the glow and fade of every title button and frees their timers.
  void KillAnimations();
  // The form's menus (main menu line and items, pop-up menus) hooked to the skinned menus, or given
  // back, as the default manager's skin comes and goes.
  void InitMenuItems(bool Active);
  // The outline drag of rmBorder: started at the screen point (X, Y), drawn (the same outline drawn
  // twice is erased), stopped and applied to the window.
  void StartMove(int X, int Y);
  void DrawFormBorder(int X, int Y);
  void StopMove(int X, int Y);
  // This form's outline drag runs.
  bool OutlineDragOf() const;
  // The menu line rendered again and the frame repainted.
  void RepaintMenu();
  TsSkinManager* SkinManager() const { return FCommonData->GetSkinManager(); }
  bool Skinned() const;

  // Rendering of the frame into the skin state's cache bitmap, and its copy to the window.
  void PaintAll();
  void PaintCaption(HDC DC);
  bool PaintsThroughCache() const;
  // The rectangle the caption text is fitted into, before alignment.
  TRect CaptionTextRect(int TitleBottom) const;
  void SaveBGForBtns(bool FullHeight);
  void RestoreBtnsBG();
  void PaintBorderIcons();
  void DrawAppIcon();
  // The size grip into DC (the cache's, or the window's) at its place in the cache.
  void PaintGrip(HDC DC);
  // The client background and the windowless controls from the cache.
  void PaintForm(HDC DC);
  // The record of the button with hit code HT (nullptr for none).
  TsCaptionButton* ButtonOfHT(int HT);
  void RepaintButton(int HT);
  // A title button's state change shows through its glow window.
  bool ButtonGlowWanted(int HT) const;
  void SetHotHT(int HT, bool Repaint = true);
  // The mouse is over this form's own frame (any hit zone but the client area).
  bool CursorOnOwnFrame() const;
  void SetPressedHT(int HT);

  // Frame metrics (the arithmetic lives in acFrameMetrics).
  int BorderWidth(bool CheckSkin) const;
  int BorderHeight(bool CheckSkin) const;
  int CaptionHeight(bool CheckSkin) const;
  int CaptionWidth() const;
  int HeaderHeight() const;
  int MenuHeight() const;
  int GetLinesCount();
  bool MenuPresent() const;
  bool MenuLineAllowed() const;
  int OffsetX() const;
  int OffsetY();
  TPoint FormLeftTop() const;
  TPoint CursorToPoint(int X, int Y) const;
  bool FormChanged() const;
  bool IconVisible() const;
  int IconWidth() const;
  int IconHeight() const;
  TRect IconRect() const;
  TPoint RBGripPoint(int ImageIndex) const;
  int ButtonHeight() const;
  int SysButtonWidth(const TsCaptionButton& Button) const;
  int SysButtonsCount() const;
  int SmallButtonWidth() const;
  int SmallButtonHeight() const;
  int UserButtonWidth(const TsTitleButton& Button) const;
  int TitleBtnsWidth() const;
  int BarWidth(int ImageIndex) const;
  int MaximizedTitleShift() const;
  TacSysMenuRules SysMenuRules() const;

  // Published properties.
  TacAddedTitle* AddedTitle() const { return FAddedTitle.get(); }
  bool AllowAnimation() const { return FAllowAnimation; }
  void SetAllowAnimation(bool Value) { FAllowAnimation = Value; }
  bool AllowExtBorders() const { return FAllowExtBorders; }
  void SetAllowExtBorders(bool Value);
  bool AllowBlendOnMoving() const { return FAllowBlendOnMoving; }
  void SetAllowBlendOnMoving(bool Value) { FAllowBlendOnMoving = Value; }
  classlib::TAlignment CaptionAlignment() const { return FCaptionAlignment; }
  void SetCaptionAlignment(classlib::TAlignment Value);
  bool DrawNonClientArea() const { return FDrawNonClientArea; }
  void SetDrawNonClientArea(bool Value);
  TsCommonData* SkinData() const { return FCommonData.get(); }
  TsGripMode GripMode() const { return FGripMode; }
  void SetGripMode(TsGripMode Value);
  bool MakeSkinMenu() const { return FMakeSkinMenu; }
  void SetMakeSkinMenu(bool Value) { FMakeSkinMenu = Value; }
  const std::string& MenuLineSkin() const { return FMenuLineSkin; }
  void SetMenuLineSkin(const std::string& Value);
  TsResizeMode ResizeMode() const { return FResizeMode; }
  void SetResizeMode(TsResizeMode Value) { FResizeMode = Value; }
  bool ScreenSnap() const { return FScreenSnap; }
  void SetScreenSnap(bool Value) { FScreenSnap = Value; }
  int SnapBuffer() const { return FSnapBuffer; }
  void SetSnapBuffer(int Value) { FSnapBuffer = Value; }
  bool ShowAppIcon() const { return FShowAppIcon; }
  void SetShowAppIcon(bool Value);
  TsTitleButtons* TitleButtons() const { return FTitleButtons.get(); }
  TsTitleIcon* TitleIcon() const { return FTitleIcon.get(); }
  const std::string& TitleSkin() const { return FTitleSkin; }
  void SetTitleSkin(const std::string& Value);
  bool UseGlobalColor() const { return FUseGlobalColor; }
  // The form takes the skin's global colour, or clBtnFace when switched off.
  void SetUseGlobalColor(bool Value);
  classlib::TNotifyEvent OnAfterAnimation;
  TAddItemEvent OnSkinItem;

  // The adapter that skins the form's foreign controls: made when the form is skinned (not while
  // designing) and scanning the form at once; freed, after the controls were told the skin is
  // gone, when skinning ends.
  void AdapterCreate();
  void AdapterRemove();
  // A copy of Message to every control the adapter hooked.
  void SendToAdapter(const classlib::TMessage& Message);
  TacCtrlAdapter* Adapter() const { return FAdapter.get(); }
  // Asked first by the extended-border window's hit test with a WM_NCHITTEST message (Result 0); a
  // Result set to a hit code is the answer.
  std::function<void(classlib::TMessage& Message)> OnExtHitTest;

  // State read by the frame painters, the window procedure and the animations.
  classlib::TCustomForm* Form = nullptr;
  classlib::TWndMethod OldWndProc;
  TAOR ArOR;
  bool RgnChanged = true;
  bool RgnChanging = false;
  int CurrentHT = 0;
  bool ControlsChanged = false;
  bool HaveSysMenu = false;
  bool FirstInitialized = false;
  int UserBtnIndex = -1;
  // The title button the left button went down on (0 for none).
  int PressedHT = 0;
  int LockCount = 0;
  bool ClearButtons = false;
  bool MenusInitialized = false;
  bool RegionChanged = false, CaptChanged = false, CaptRgnChanged = false;
  bool FMenuOwnerDraw = false;
  TRect NormalBounds;
  TsCaptionButton ButtonMin, ButtonMax, ButtonClose, ButtonHelp;
  TsCaptionButton MDIMin, MDIMax, MDIClose;
  TRect LastClientRect;
  bool FSysExHeight = false;
  int FTitleSkinIndex = -1;
  int FCaptionSkinIndex = -1;
  bool RTInit = false;
  bool RTEmpty = false;
  bool InAero = false;
  bool InMenu = false;
  bool FInAnimation = false;
  classlib::TShowAction ShowAction = classlib::saIgnore;
  bool SkipAnimation = false;
  bool fAnimating = false;
  // Set by the erase that BeginPaint asks for, so that a paint whose region was invalidated
  // without an erase still gets the background of a form painting without a cache.
  bool ErasedInPaint = false;
  THandler<TacScrollWnd> ListSW;
  bool MenuChanged = true;
  bool FormActive = false;
  std::unique_ptr<classlib::TBitmap> TempBmp;
  std::unique_ptr<classlib::TBitmap> MenuLineBmp;
  // Glow masks of the caption text, active and inactive, kept between renderings.
  std::unique_ptr<TDib8> FGlow1, FGlow2;
  int FLinesCount = -1;
  TsSystemMenu* SystemMenu = nullptr;  // owned through the component list
  std::unique_ptr<TacBorderForm> BorderForm;
  // The running minimise-and-restore or move-blending timer of the form.
  std::unique_ptr<TacThreadedTimer, TacTimerFree> FormTimer;
  // The image of the form taken as it hides, for the hide animation.
  std::unique_ptr<classlib::TBitmap> HideImage;
  // The companion of an MDI parent form (its client handler); nullptr for other forms.
  std::unique_ptr<TsMDIForm> MDIForm;

 private:
  static classlib::TComponent* CheckedOwner(classlib::TComponent* AOwner);
  void PaintTitle(const TRect& Frame, int TitleBottom, int State);
  void PaintCaptionText(int TitleBottom);
  void PaintMenuLine(int TitleBottom);
  void DrawUserGlyph(const TsTitleButton& Button);
  // Window procedure parts.
  bool AlwaysHandledCommand(classlib::TMessage& Message);
  void UnskinnedWndProc(classlib::TMessage& Message);
  void SkinnedCommand(classlib::TMessage& Message);
  void SkinnedMessage(classlib::TMessage& Message);
  void RemoveSkin();
  void EditorRequest(classlib::TMessage& Message);
  void ShowingChanged(classlib::TMessage& Message);
  // WM_SETREDRAW to the visible windowed children (a cool bar keeps painting).
  void SetChildrenRedraw(bool On);
  void WMNCPaint(classlib::TMessage& Message);
  void AC_WMNCPaint();
  // The four frame strips, M pixels deep, copied from the cache to DC.
  void PaintFrameStrips(HDC DC, int M);
  void WMEraseBkgnd(classlib::TMessage& Message);
  void AC_WMEraseBkGnd(HDC DC);
  void WMPaint(classlib::TMessage& Message);
  void OurPaintHandler(classlib::TMessage& Message);
  void WMPrint(classlib::TMessage& Message);
  void WMNCActivate(classlib::TMessage& Message);
  void WMNCHitTest(classlib::TMessage& Message);
  void NCMouseMove(classlib::TMessage& Message);
  void NCLButtonDown(classlib::TMessage& Message);
  void NCLButtonUp(classlib::TMessage& Message);
  // A caption drag turns the form translucent.
  bool BlendOnMovingWanted() const;
  void NCLButtonDblClk(classlib::TMessage& Message);
  // Moves, sizes and window commands (sSkinProviderSizing).
  void WMWindowPosChanging(classlib::TMessage& Message);
  void WMWindowPosChanged(classlib::TMessage& Message);
  void WMSize(classlib::TMessage& Message);
  void AfterSize(WPARAM SizeType);
  void AC_WMGetMinMaxInfo(classlib::TMessage& Message);
  void WMClose(classlib::TMessage& Message);
  void WMSysCommand(classlib::TMessage& Message);
  void MDIChildSysCommand(classlib::TMessage& Message);
  void AfterMinimize(unsigned Command);
  void SizingMessage(classlib::TMessage& Message);
  bool CaptureHideImage();
  bool ScrollBarVisible() const;
  void OutlineMouseMove(classlib::TMessage& Message);
  // Ends this form's outline drag at a button release (a position in client coordinates); false
  // when none runs.
  bool EndOutlineDragAt(LPARAM ClientPos);
  // The outline erased and the drag dropped without moving the window (capture lost, window gone).
  void CancelOutlineDrag();
  void EndOutline(bool Erase);
  void PlaceTitleButton(TsCaptionButton& Button, int Image, const TsTitleButton* User, bool Enabled, int& X);
  // The image and the enabled state of a system title button (hit code 8, 9, 20 or 21) in the
  // window's present state.
  struct TitleButtonLook {
    int Image = -1;
    bool Enabled = true;
  };
  TitleButtonLook SysButtonLook(int HT) const;
  // One button redrawn into the cache over the saved caption background; false when the cache
  // cannot serve it and the frame must be rendered whole.
  bool RepaintButtonInCache(int HT, const TsCaptionButton& Button);
  bool Designing() const { return ComponentState().Contains(classlib::csDesigning); }
  bool Loading() const { return ComponentState().Contains(classlib::csLoading); }
  // The frame's sizes as the metrics read them.
  TacFrameInput FrameInput() const;
  TacCaptionInput CaptionInput(bool CheckSkin) const;

  std::unique_ptr<TsCommonData> FCommonData;
  std::unique_ptr<TacCtrlAdapter> FAdapter;
  std::unique_ptr<TacAddedTitle> FAddedTitle;
  std::unique_ptr<TsTitleIcon> FTitleIcon;
  std::unique_ptr<TsTitleButtons> FTitleButtons;
  bool FAllowAnimation = true;
  bool FAllowExtBorders = true;
  bool FAllowBlendOnMoving = true;
  classlib::TAlignment FCaptionAlignment = classlib::taLeftJustify;
  bool FDrawNonClientArea = true;
  TsGripMode FGripMode = gmNone;
  bool FMakeSkinMenu = false;
  std::string FMenuLineSkin;
  TsResizeMode FResizeMode = rmStandard;
  bool FScreenSnap = false;
  int FSnapBuffer = 10;
  bool FShowAppIcon = true;
  std::string FTitleSkin;
  bool FUseGlobalColor = true;
  unsigned FFormState = 0;
  bool installed_ = false;
  // The frame press that starts an outline drag is sending its move or size command.
  bool startingOutline_ = false;
};

// The provider class and its parts in the class registry, for form descriptions.
void RegisterSkinProviderClasses();

// Frame sides of a window: with CheckSkin and extended borders the skin's width, else the
// system's sizing or dialog frame, else 0.
int SysBorderWidth(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin);
int SysBorderHeight(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin);
int SysCaptHeight(classlib::TCustomForm* Form);
int SkinTitleHeight(TacBorderForm* BorderForm);
int SkinBorderWidth(TacBorderForm* BorderForm);
int DiffTitle(TacBorderForm* BorderForm);
int DiffBorder(TacBorderForm* BorderForm);
TPoint SkinMenuOffset(TsSkinProvider* Provider);
bool BigButtons(const TsSkinProvider* Provider);
bool HaveBorder(const TsSkinProvider* Provider);
// The system caption font (the caption font size when the system gives one) in Charset.
void acSetTitleFont(classlib::TFont* Font, classlib::TFontCharset Charset);
// The width of one cell of a title-button image; the fallback width when the image is missing.
int TitleButtonWidth(const TsSkinManager* Manager, int ImageIndex);
bool IsSizeable(HWND Wnd);
bool IsBorderUnchanged(int Index, TsSkinManager* Manager);
bool IsGripVisible(const TsSkinProvider* Provider);
bool InAnimation(const TsSkinProvider* Provider);
bool CtrlIsReadyForHook(classlib::TWinControl* Control);
int GetWindowWidth(HWND Wnd);
int GetWindowHeight(HWND Wnd);
int GetClientWidth(HWND Wnd);
int GetClientHeight(HWND Wnd);

// Makes Handle layered (constant alpha 1) and answers true when it was not; with Layered false
// takes WS_VISIBLE (without a redraw) and WS_EX_LAYERED away and answers false.
bool DoLayered(HWND Handle, bool Layered);
// The work area of the monitor that holds Form.
TRect acWorkRect(classlib::TCustomForm* Form);

// Makes the extended-border window of a provider (set by the unit that implements that window).
extern std::unique_ptr<TacBorderForm> (*acMakeBorderForm)(TsSkinProvider* Provider);
// The window animations' part in hiding a form (acAnimForms; tests may put their own in place):
// the form's image, the provider's cache freed with FreeCache; the hide animation, false when the
// application ended meanwhile.
extern std::unique_ptr<classlib::TBitmap> (*acGetFormImage)(TsSkinProvider* SP, bool FreeCache);
extern bool (*acAnimHideForm)(TsSkinProvider* SP);

// The provider's skin state updating and its form not redrawing (with MDIAlso, for an MDI child,
// the MDI parent's too when it draws its frame), and both undone.
void ForbidDrawing(TsSkinProvider* Provider, bool MDIAlso = false);
void PermitDrawing(TsSkinProvider* Provider, bool MDIAlso = false);
// The provider of the form that owns Component (directly or further up); nullptr for none.
TsSkinProvider* GetSkinProvider(classlib::TComponent* Component);
// The skin editor's main window is found by this title.
extern const wchar_t* const acEditorTitle;
// Announces Handle to the skin editor once per run, when the program was started for it and
// Handle is the main form's; the editor is asked until it answers 1, at most 101 times.
void SendHandleToEditor(HWND Handle);
// Gives a skinned AutoScroll form its skinned scroll bars (a handler on the form's window, made
// once) and takes them away when the form is not skinned.
void AttachFormScrollHandler(TsSkinProvider* Provider);

// The provider of the MDI parent form and of the MDI child last activated (none without MDI).
extern TsSkinProvider* MDISkinProvider;
// Refreshes the MDI parent's frame after a child changed it (maximised, restored, closed): a
// parent that draws its frame renders it anew and its MDI client repaints (at once with Repaint,
// which also moves the extended borders); one that does not only has its frame redrawn. Nothing
// without an MDI parent provider.
void UpdateMainForm(bool Repaint);
extern TsSkinProvider* ActiveChildProvider;
// A title button was pressed with the left button; it acts on release only while this is set.
extern bool bPressed;

}  // namespace skin
