#pragma once
// Controls: the visual layer of the object model.
//
//   TControl         bounds, parent, visibility, text, font, colour, hints, pop-up menu, mouse.
//                    Every message goes through WindowProc, which by default is the control's own
//                    virtual WndProc; a window handler may save WindowProc, install its own method
//                    and put the saved one back. WndProc ends in Dispatch (the message handlers),
//                    which ends in DefaultHandler.
//   TWinControl      a real window, created on demand (CreateParams, CreateWnd, DestroyWnd,
//                    RecreateWnd); its DefaultHandler calls the window's original procedure. It
//                    reflects WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM... to the child
//                    window they come from as CN_* messages, and paints and hit-tests its
//                    windowless children.
//   TGraphicControl  windowless, painted by its parent on a canvas; SetBounds tells it of a move or
//                    size change with WM_WINDOWPOSCHANGED, as the system tells a window.
//   TCustomControl   a window of the library's own class that paints itself (Canvas, Paint).
//
// Window procedures never let a C++ exception escape into the system's frames: it goes to the
// application object, which shows it, and the message loop goes on.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/EnumInfo.h"
#include "classlib/Graphics.h"
#include "classlib/Messages.h"
#include "classlib/Set.h"
#include "classlib/TypInfo.h"
#include "classlib/Types.h"
#include "classlib/WndMethod.h"

namespace classlib {

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
template <>
inline const TEnumInfo& EnumInfo<TAlign>() {
  static const TEnumInfo i{L"TAlign",
                           {L"alNone", L"alTop", L"alBottom", L"alLeft", L"alRight", L"alClient", L"alCustom"}};
  return i;
}
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
template <>
inline const TEnumInfo& EnumInfo<TAnchorKind>() {
  static const TEnumInfo i{L"TAnchorKind", {L"akLeft", L"akTop", L"akRight", L"akBottom"}};
  return i;
}
using TAnchors = TSet<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
template <>
inline const TEnumInfo& EnumInfo<TAlignment>() {
  static const TEnumInfo i{L"TAlignment", {L"taLeftJustify", L"taRightJustify", L"taCenter"}};
  return i;
}
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
template <>
inline const TEnumInfo& EnumInfo<TVerticalAlignment>() {
  static const TEnumInfo i{L"TVerticalAlignment", {L"taAlignTop", L"taAlignBottom", L"taVerticalCenter"}};
  return i;
}
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
template <>
inline const TEnumInfo& EnumInfo<TFormBorderStyle>() {
  static const TEnumInfo i{L"TFormBorderStyle",
                           {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog", L"bsToolWindow", L"bsSizeToolWin"}};
  return i;
}
using TBorderStyle = TFormBorderStyle;  // controls use bsNone and bsSingle
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
template <>
inline const TEnumInfo& EnumInfo<TBevelCut>() {
  static const TEnumInfo i{L"TBevelCut", {L"bvNone", L"bvLowered", L"bvRaised", L"bvSpace"}};
  return i;
}

enum TControlStyleItem {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground,
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
  csRecreating,
  csAligning,
};
using TControlState = TSet<TControlStateItem>;

using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crHandPoint = -21;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = IDOK;
inline constexpr TModalResult mrCancel = IDCANCEL;
inline constexpr TModalResult mrAbort = IDABORT;
inline constexpr TModalResult mrRetry = IDRETRY;
inline constexpr TModalResult mrIgnore = IDIGNORE;
inline constexpr TModalResult mrYes = IDYES;
inline constexpr TModalResult mrNo = IDNO;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

// The shift state of a keyboard message's key data (and the current keyboard state).
TShiftState KeyDataToShiftState(LPARAM KeyData);
TShiftState KeysToShiftState(WPARAM Keys);

// A canvas over a control's device context outside WM_PAINT (inside it, the paint DC is used).
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(class TControl* Control) : control_(Control) {}
  ~TControlCanvas() override;
  std::wstring ClassName() const override { return L"TControlCanvas"; }
  // Releases a DC that the canvas got for itself.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  HWND window_ = nullptr;
  HDC ownDC_ = nullptr;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  std::wstring ClassName() const override { return L"TControl"; }
  static void DeclareProperties(TClassDecl<TControl>& d);

  // ---- messages ----
  // Every message first goes through WindowProc; a handler may replace it and later restore it.
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& Message);
  // The control's message handlers; what none handles goes to DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);

  // ---- nesting ----
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // ---- geometry ----
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top); }
  virtual TRect ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  virtual void SetClientSize(int AWidth, int AHeight);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value) { FAnchors = Value; }

  // ---- state ----
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent up to a showing window.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  // ---- text (Caption and Text are the same value: a window's text) ----
  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& Value) { SetText(Value); }
  std::wstring Text() const { return GetText(); }
  void SetText(const std::wstring& Value);

  // ---- appearance ----
  TFont* Font() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  const std::wstring& Hint() const { return FHint; }
  void SetHint(const std::wstring& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);

  TControlStyle ControlStyle;
  TControlState ControlState;

  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  // ---- painting ----
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

 protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Resize();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  // Reads and stores the text; a window returns its current window text.
  virtual std::wstring GetText() const { return FText; }
  virtual void StoreText(const std::wstring& Value) { FText = Value; }
  virtual void VisibleChanged();
  // The font object changed (not through ParentFont).
  virtual void FontChanged();
  void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }
  // Parent's client rectangle changed from OldClient: anchored controls follow.
  void ParentResized(const TSize& OldClient, const TSize& NewClient);
  // Moves a windowless control: invalidates the old and the new place in the parent.
  virtual void UpdateBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void RequestAlign();
  bool IsFontStored() const { return !FParentFont; }

  friend class TWinControl;
  friend class TApplication;

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  std::wstring FText;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FFontSyncing = false;
  TColor FColor = clWindow;
  bool FParentColor = false;
  std::wstring FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;
  TCursor FCursor = crDefault;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};

 private:
  void HandleMouseDown(TMessage& M, TMouseButton Button, bool Double);
  void HandleMouseUp(TMessage& M, TMouseButton Button);
  void HandleContextMenu(TMessage& M);
};

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  // The class registered for the library's own windows (WinClassName); a system class when
  // SystemClass is set (CreateSubClass).
  WNDCLASSW WindowClass{};
  std::wstring WinClassName;
  bool SystemClass = false;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  std::wstring ClassName() const override { return L"TWinControl"; }
  static void DeclareProperties(TClassDecl<TWinControl>& d);

  // ---- the window ----
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Creates the window again (after a change of a creation-time style).
  void RecreateWnd();
  // The window's procedure before the library took it over: the system class's or DefWindowProcW.
  WNDPROC DefWndProc() const { return FDefWndProc; }
  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  // ---- children ----
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* Control) const;
  // The enabled (or, with AllowDisabled, any) visible windowless child at a client point.
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;
  // Sends Message to every child until one answers non-zero.
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);
  void PaintControls(HDC DC, TControl* First);
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign() { AlignControls(nullptr); }
  bool Showing() const override { return FShowing; }

  // ---- focus and tab order ----
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int TabOrder() const;
  void SetTabOrder(int Value);
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  // Tab-order list of windowed children.
  std::vector<TWinControl*> TabList() const { return FTabList; }
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  TBrush* Brush() { return &FBrush; }

  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  virtual void CreateParams(TCreateParams& Params);
  // Params names a system window class (BUTTON, EDIT...) whose procedure the library subclasses.
  void CreateSubClass(TCreateParams& Params, const wchar_t* ClassName);
  void CreateHandle();
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  void DestroyHandle();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  // Runs right after the window exists: descendants push state that lives in fields into it.
  virtual void InitializeWindow() {}
  // Before DestroyWnd: descendants read state that lives in the window back into fields.
  virtual void SaveWindowState() {}
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);
  virtual void AlignControls(TControl* AControl);
  virtual TRect AdjustClientRect() const { return ClientRect(); }
  void Loaded() override;
  std::wstring GetText() const override;
  void StoreText(const std::wstring& Value) override;
  void VisibleChanged() override;
  void FontChanged() override;
  void UpdateShowing();
  virtual void UpdateWindowShowing();
  bool IsControlMouseMsg(TMessage& Message);
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(wchar_t& Key);
  virtual void DoEnter();
  virtual void DoExit();
  virtual LRESULT ColorMessage(TMessage& Message);
  // WM_ERASEBKGND answered by filling the client area with the control's brush.
  void EraseWithBrush(TMessage& Message);
  void UpdateBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Takes the window's real rectangle into the bounds (after the system moved or sized it).
  void UpdateBoundsFromWindow();
  void Notification(TComponent* AComponent, TOperation Operation) override;

  friend class TControl;
  friend class TCustomForm;
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
  friend void AttachWindow(TWinControl*, HWND);

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  TBrush FBrush;
  bool FTabStop = false;
  int FTabOrderWanted = -1;
  bool FShowing = false;
  int FAlignLevel = 0;
  int FCtlID = 0;
  TSize FLastClientSize{};

 private:
  void WindowDestroyed();
  void ApplyAlignAfterResize();
  void DoKeyMessage(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNChar(TMessage& Message);
  bool ReflectToChild(TMessage& Message);
  void SortTabList();
};

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  std::wstring ClassName() const override { return L"TGraphicControl"; }
  TCanvas* Canvas() { return FCanvas.get(); }
  void Dispatch(TMessage& Message) override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  std::wstring ClassName() const override { return L"TCustomControl"; }
  TCanvas* Canvas() { return FCanvas.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

 private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// The control whose window Handle is (nullptr for a window the library did not create).
TWinControl* FindControl(HWND Handle);

// What CM_HINTSHOW (LParam) lets a control change before its hint shows: the text and where it
// appears; a non-zero answer shows no hint.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint CursorPos;  // in HintControl's client coordinates
  TPoint HintPos;    // on the screen
  std::wstring HintStr;
};
// The library's control at a screen point, windowless children included.
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
// The form that holds Control (nullptr when it is not on a form).
TCustomForm* GetParentForm(const TControl* Control);
// The windowless control that holds the mouse capture, or the windowed one that does.
TControl* GetCaptureControl();

// Hands an exception caught at a system callback to the application object (Forms.cpp).
void HandleCallbackException(TObject* Sender) noexcept;

}  // namespace classlib
