#pragma once
// The up-down control of the common controls (msctls_updown32): two arrow buttons stepping a
// position between Min and Max. Its buddy window is not supported.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

#include "classlib/Controls.h"
#include "classlib/EnumInfo.h"

namespace classlib {

enum TUDOrientation { udHorizontal, udVertical };
template <>
inline const TEnumInfo& EnumInfo<TUDOrientation>() {
  static const TEnumInfo i{L"TUDOrientation", {L"udHorizontal", L"udVertical"}};
  return i;
}
enum TUDAlignButton { udLeft, udRight };
template <>
inline const TEnumInfo& EnumInfo<TUDAlignButton>() {
  static const TEnumInfo i{L"TUDAlignButton", {L"udLeft", L"udRight"}};
  return i;
}
enum TUDBtnType { btNext, btPrev };

class TCustomUpDown;
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;

class TCustomUpDown : public TWinControl {
 public:
  explicit TCustomUpDown(TComponent* AOwner);
  std::wstring ClassName() const override { return L"TCustomUpDown"; }
  static void DeclareProperties(TClassDecl<TCustomUpDown>& d);

  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value);
  // Read from the window while it exists: the user's clicks move it there.
  int Position() const;
  void SetPosition(int Value);
  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation Value);
  TUDAlignButton AlignButton() const { return FAlignButton; }
  void SetAlignButton(TUDAlignButton Value);
  bool ArrowKeys() const { return FArrowKeys; }
  void SetArrowKeys(bool Value);
  bool Thousands() const { return FThousands; }
  void SetThousands(bool Value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value);

  // A click on a button, before the position moves: btNext for the increasing one.
  TUDClickEvent OnClick;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void InitializeWindow() override;
  void Dispatch(TMessage& Message) override;

 private:
  void SendRange();

  int FMin = 0;
  int FMax = 100;
  int FIncrement = 1;
  mutable int FPosition = 0;
  TUDOrientation FOrientation = udVertical;
  TUDAlignButton FAlignButton = udRight;
  bool FArrowKeys = true;
  bool FThousands = true;
  bool FWrap = false;
};

class TUpDown : public TCustomUpDown {
 public:
  using TCustomUpDown::TCustomUpDown;
  std::wstring ClassName() const override { return L"TUpDown"; }
};

}  // namespace classlib
