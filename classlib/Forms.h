#pragma once
// Forms, the application object and the screen.
//
// A form class reads its window description in its constructor and declares which fields receive
// the described components and which methods handle their events:
//
//   class TForm1 : public TForm {
//    public:
//     explicit TForm1(TComponent* AOwner) : TForm(AOwner) {
//       InitDescription();  // RCDATA "TFORM1": builds Button1...
//       ...                 // the constructor body sees the components
//     }
//     std::wstring ClassName() const override { return L"TForm1"; }
//     TButton* Button1 = nullptr;
//     void Button1Click(TObject* Sender);
//    protected:
//     void DeclareBindings(TFormBindings& b) override {
//       b.Field(L"Button1", Button1).Handler(L"Button1Click", &TForm1::Button1Click);
//     }
//   };
//   Application->Initialize();
//   Application->CreateForm(Form1);  // OnCreate runs after the constructor; the first form is the main one
//   Application->Run();
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/EnumInfo.h"
#include "classlib/FormLoader.h"
#include "classlib/FormNode.h"
#include "classlib/Menus.h"

namespace classlib {

// Raised to end an operation silently: the application's exception display ignores it.
class EAbort : public Exception {
 public:
  EAbort() : Exception(L"Operation aborted") {}
  using Exception::Exception;
};

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
template <>
inline const TEnumInfo& EnumInfo<TFormStyle>() {
  static const TEnumInfo i{L"TFormStyle", {L"fsNormal", L"fsMDIChild", L"fsMDIForm", L"fsStayOnTop"}};
  return i;
}
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
template <>
inline const TEnumInfo& EnumInfo<TBorderIcon>() {
  static const TEnumInfo i{L"TBorderIcon", {L"biSystemMenu", L"biMinimize", L"biMaximize", L"biHelp"}};
  return i;
}
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
template <>
inline const TEnumInfo& EnumInfo<TPosition>() {
  static const TEnumInfo i{L"TPosition",
                           {L"poDesigned", L"poDefault", L"poDefaultPosOnly", L"poDefaultSizeOnly", L"poScreenCenter",
                            L"poDesktopCenter", L"poMainFormCenter", L"poOwnerFormCenter"}};
  return i;
}
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
template <>
inline const TEnumInfo& EnumInfo<TWindowState>() {
  static const TEnumInfo i{L"TWindowState", {L"wsNormal", L"wsMinimized", L"wsMaximized"}};
  return i;
}
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// Limits of a form's size (0: none), applied when the user or the system sizes or maximises it.
class TSizeConstraints : public TPersistent {
 public:
  std::wstring ClassName() const override { return L"TSizeConstraints"; }
  static void DeclareProperties(TClassDecl<TSizeConstraints>& d);
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value) { FMaxHeight = Value < 0 ? 0 : Value; }
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value) { FMaxWidth = Value < 0 ? 0 : Value; }
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value) { FMinHeight = Value < 0 ? 0 : Value; }
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value) { FMinWidth = Value < 0 ? 0 : Value; }

 private:
  int FMaxHeight = 0;
  int FMaxWidth = 0;
  int FMinHeight = 0;
  int FMinWidth = 0;
};

class TCustomForm : public TCustomControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  std::wstring ClassName() const override { return L"TCustomForm"; }
  static void DeclareProperties(TClassDecl<TCustomForm>& d);

  void AfterConstruction() override;
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  const std::wstring& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::wstring& Value) { FHelpFile = Value; }
  TFormState FormState() const { return FFormState; }
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  // The form's window may carry scroll bars (WS_HSCROLL/WS_VSCROLL) that a skin draws for it; the
  // form itself scrolls nothing, so it is off unless a program sets it.
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value) { FAutoScroll = Value; }

  // ---- focus ----
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Moves the focus to Control (or remembers it until the form is shown).
  void FocusControl(TWinControl* Control);
  // Called when a control gets the focus: sends CM_EXIT and CM_ENTER along the way. False refuses.
  bool SetFocusedControl(TWinControl* Control);
  // Control (or a control inside it) leaves the form: the form forgets it as the focused one.
  void DefocusControl(TWinControl* Control);
  bool Active() const { return FActive; }

  // ---- showing and closing ----
  // Shows the form and runs the message loop until ModalResult is set; returns it.
  virtual int ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Close();
  bool CloseQuery();
  // Frees the form once the messages now queued for it are handled.
  void Release();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // ---- MDI ----
  // An fsMDIForm's window holds the system's MDI client window, in which its fsMDIChild forms
  // live; the form's default procedure is then the frame's, a child's the MDI child's.
  HWND ClientHandle() const { return FClientHandle; }
  // The active child of an MDI form (nullptr for none or for other forms).
  TCustomForm* ActiveMDIChild() const;
  int MDIChildCount() const;
  // The children in the client's z-order, topmost first.
  TCustomForm* MDIChildren(int Index) const;
  void Tile();
  void Cascade();
  void ArrangeIcons();

  void SetClientSize(int AWidth, int AHeight) override;
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  bool Showing() const override { return FShowing; }

 protected:
  // The form's fields and handlers, by name, for reading its description.
  virtual void DeclareBindings(TFormBindings& Bindings) {}
  // Reads the RCDATA resource named ResourceName (the upper-cased class name when empty) of the
  // executable into this form. A fault raises EFormError naming the description and the line.
  void InitDescription(const std::wstring& ResourceName = L"");
  // Applies an already read description; Source names it in error messages.
  void InitDescription(const forms::ObjectNode& Node, const std::wstring& Source);

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void UpdateWindowShowing() override;
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  void CloseModal();
  // Where the form goes when it is shown (Position).
  void PlaceForShow();
  void SetWindowFocus();
  TRect FrameSize() const;  // how much larger the window is than its client area
  // The MDI form an fsMDIChild form lives in: its owner when that is one, else the main form.
  TCustomForm* MDIParent() const;
  void CreateMDIClient();
  std::vector<TCustomForm*> MDIChildList() const;

  friend class TApplication;
  friend class TWinControl;

  TFormBorderStyle FBorderStyle = bsSizeable;
  std::unique_ptr<TSizeConstraints> FConstraints = std::make_unique<TSizeConstraints>();
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDesigned;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TMainMenu* FMenu = nullptr;
  bool FKeyPreview = false;
  bool FAutoScroll = false;
  std::wstring FHelpFile;
  TFormState FFormState;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FActive = false;
  bool FDestroyCalled = false;
  bool FClientSizeWanted = false;
  int FClientWidthWanted = 0;
  int FClientHeightWanted = 0;
  HWND FClientHandle = nullptr;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  std::wstring ClassName() const override { return L"TForm"; }
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception_ptr& E)>;
// A hook on the application's window: true when it has handled the message (its Result stands).
using TMainWindowHook = std::function<bool(TMessage& Message)>;
// The last minimise or restore request a component saw.
enum TShowAction { saIgnore, saRestore, saMinimize, saMaximize };

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;
  std::wstring ClassName() const override { return L"TApplication"; }
  // The application object if it has been created (nullptr otherwise); Application creates it.
  static TApplication* Existing();

  void Initialize();
  std::wstring Title() const { return FTitle; }
  void SetTitle(const std::wstring& Value);
  const std::wstring& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::wstring& Value) { FHelpFile = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int HintPause = 500;
  int HintHidePause = 5000;
  bool ShowMainForm = true;
  // The hidden window that owns pop-up menus and runs cross-thread calls.
  HWND Handle();
  TCustomForm* MainForm() const { return FMainForm; }
  // The main form has the taskbar button itself: it is made without owner (WS_EX_APPWINDOW) and
  // the application's window never shows.
  bool MainFormOnTaskBar() const { return true; }
  // Hooks see every message of the application's window before it does, in the order they were
  // put on; the first that answers true ends the message there. Owner names the hook for
  // UnhookMainWindow; a hook may unhook itself or others while it runs.
  void HookMainWindow(const void* Owner, TMainWindowHook Hook);
  void UnhookMainWindow(const void* Owner);

  // Creates a form owned by the application; Reference points to it before its constructor
  // runs, so that handlers reached from the constructor can use it. The first form is the main one.
  template <class T>
  void CreateForm(T*& Reference);

  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Handles one message, or waits for one when none is waiting.
  void HandleMessage();

  // To be called inside a catch block: shows the exception now being handled (EAbort is ignored).
  void HandleException(TObject* Sender);
  void ShowException(const std::wstring& Message);
  int MessageBox(const std::wstring& Text, const std::wstring& Caption, UINT Flags);
  TExceptionEvent OnException;
  TNotifyEvent OnIdle;

  // Mouse tracking behind CM_MOUSEENTER/CM_MOUSELEAVE and hints.
  void UpdateMouseControl();
  TControl* MouseControl() const { return FMouseControl; }
  void CancelHint();
  void ControlDestroyed(TControl* Control);

  // Runs Work on the main thread (from any thread) and waits for it; exceptions come back.
  void Synchronize(const std::function<void()>& Work);
  // Runs queued cross-thread work; the main thread calls it while it waits.
  void CheckSynchronize();

 private:
  bool ProcessMessage(MSG& Msg);
  bool IsKeyMsg(MSG& Msg);
  void Idle();
  void SetMainForm(TCustomForm* Form);
  void ShowHintWindow();
  void HideHintWindow();
  static LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  friend class TCustomForm;
  HWND FHandle = nullptr;
  HWND FHintWindow = nullptr;
  std::wstring FTitle;
  std::wstring FHelpFile;
  bool FShowHint = true;
  bool FTerminated = false;
  bool FRunning = false;
  TCustomForm* FMainForm = nullptr;
  std::vector<std::pair<const void*, TMainWindowHook>> FWindowHooks;
  TControl* FMouseControl = nullptr;
  TControl* FHintControl = nullptr;
  bool FHintShown = false;
  struct SyncQueue;
  SyncQueue* FSync;
};

template <class T>
void TApplication::CreateForm(T*& Reference) {
  void* memory = ::operator new(sizeof(T));
  T* form = static_cast<T*>(memory);
  Reference = form;
  try {
    new (memory) T(this);
  } catch (...) {
    ::operator delete(memory);
    Reference = nullptr;
    throw;
  }
  try {
    form->AfterConstruction();
  } catch (...) {
    Free(form);
    Reference = nullptr;
    throw;
  }
  if (!FMainForm) SetMainForm(form);
}

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  // The screen object when one exists (Screen creates it on first use), else nullptr.
  static TScreen* Existing();
  std::wstring ClassName() const override { return L"TScreen"; }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const;
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const { return FActiveForm ? FActiveForm->ActiveControl() : nullptr; }
  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;
  int PixelsPerInch() const;
  // Shown everywhere while not crDefault (crHourGlass during a long operation).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TCustomForm* FindForm(std::wstring_view Name) const;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TCursor FCursor = crDefault;
};

// The one application object and the one screen, created on first use.
struct TApplicationAccess {
  TApplication* operator->() const;
  operator TApplication*() const { return operator->(); }
};
struct TScreenAccess {
  TScreen* operator->() const;
  operator TScreen*() const { return operator->(); }
};
inline constexpr TApplicationAccess Application{};
inline constexpr TScreenAccess Screen{};

// Frees the forms and the application object (at the end of the program's entry).
void FinalizeApplication();

}  // namespace classlib
