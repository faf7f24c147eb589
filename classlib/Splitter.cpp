// The splitter bar.
#include "classlib/Splitter.h"

#include <algorithm>

namespace classlib {

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  FAlign = alLeft;
  FWidth = 3;
  FHeight = 100;
}

void TSplitter::DeclareProperties(TClassDecl<TSplitter>& d) {
  d.Enum(L"Align", &TSplitter::Align, &TSplitter::SetAlign, alLeft);
  d.Bool(L"AutoSnap", &TSplitter::AutoSnap, &TSplitter::SetAutoSnap, true);
  d.Integer(L"MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize, 30);
  d.Enum(L"ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle, rsPattern);
  d.Event(L"OnMoved", &TSplitter::OnMoved);
}

void TSplitter::Paint() {
  TCanvas* c = Canvas();
  RECT r{0, 0, FWidth, FHeight};
  FillRect(c->Handle(), &r, GetSysColorBrush(COLOR_BTNFACE));
  if (OnPaint) OnPaint(this);
}

TControl* TSplitter::ResizedControl() const {
  TWinControl* parent = Parent();
  if (parent == nullptr) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || c->Align() != FAlign) continue;
    const bool touches = FAlign == alLeft     ? c->Left() + c->Width() == Left()
                         : FAlign == alRight  ? c->Left() == Left() + Width()
                         : FAlign == alTop    ? c->Top() + c->Height() == Top()
                         : FAlign == alBottom ? c->Top() == Top() + Height()
                                              : false;
    if (touches) return c;
  }
  return nullptr;
}

int TSplitter::SizeFor(int X, int Y) const {
  // In the parent's coordinates: the bar itself moves while a live resize runs.
  const int delta = Horizontal() ? Top() + Y - FDownPos.Y : Left() + X - FDownPos.X;
  // Moving towards the resized control shrinks it.
  const int grown = FAlign == alLeft || FAlign == alTop ? FOldSize + delta : FOldSize - delta;
  return std::max(grown, FMinSize);
}

void TSplitter::ApplySize(int Size) {
  if (FControl == nullptr) return;
  if (Horizontal())
    FControl->SetBounds(FControl->Left(), FAlign == alBottom ? FControl->Top() + FControl->Height() - Size : FControl->Top(),
                        FControl->Width(), Size);
  else
    FControl->SetBounds(FAlign == alRight ? FControl->Left() + FControl->Width() - Size : FControl->Left(), FControl->Top(),
                        Size, FControl->Height());
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FControl = ResizedControl();
  FDownPos = {Left() + X, Top() + Y};
  FOldSize = FControl == nullptr ? 0 : Horizontal() ? FControl->Height() : FControl->Width();
  FNewSize = FOldSize;
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FControl == nullptr || !Shift.Contains(ssLeft)) return;
  FNewSize = SizeFor(X, Y);
  if (FResizeStyle == rsUpdate) ApplySize(FNewSize);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (FControl == nullptr || Button != mbLeft) return;
  FNewSize = SizeFor(X, Y);
  ApplySize(FNewSize);
  FControl = nullptr;
  if (OnMoved) OnMoved(this);
}

}  // namespace classlib
