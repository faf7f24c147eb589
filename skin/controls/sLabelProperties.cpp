// The labels' published properties, with the values their constructors give as defaults.
#include "skin/controls/sLabel.h"

#include "classlib/TypInfo.h"

namespace skin {

using classlib::RegisterClass;
using classlib::TClassDecl;
using classlib::TCustomLabel;
using classlib::TPersistent;

namespace {

void DeclareCustomLabel(TClassDecl<TsCustomLabel>& d) {
  d.Bool(L"Transparent", &TsCustomLabel::Transparent, &TsCustomLabel::SetTransparent, true);
  d.String(L"SkinSection", &TsCustomLabel::SkinSection, &TsCustomLabel::SetSkinSection);
  d.Event(L"OnMouseEnter", &TsCustomLabel::OnMouseEnter);
  d.Event(L"OnMouseLeave", &TsCustomLabel::OnMouseLeave);
}

void DeclareLabel(TClassDecl<TsLabel>& d) {
  d.Bool(L"UseSkinColor", &TsLabel::UseSkinColor, &TsLabel::SetUseSkinColor, true);
}

void DeclareWebLabel(TClassDecl<TsWebLabel>& d) {
  d.Object(L"Font", &TsWebLabel::NormalFont);
  d.Object(L"HoverFont", &TsWebLabel::HoverFont);
  d.Integer(L"Cursor", &TsWebLabel::Cursor, &TsWebLabel::SetCursor, classlib::crHandPoint, &classlib::CursorIdents());
  d.Enum(L"ShowMode", &TsWebLabel::ShowMode, &TsWebLabel::SetShowMode, TsWindowShowMode::soDefault);
  d.String(L"URL", &TsWebLabel::URL, &TsWebLabel::SetURL);
}

void DeclareStickyLabel(TClassDecl<TsStickyLabel>& d) {
  d.Enum(L"AlignTo", &TsStickyLabel::AlignTo, &TsStickyLabel::SetAlignTo, altLeft);
  d.Component<classlib::TControl>(L"AttachTo", &TsStickyLabel::AttachTo, &TsStickyLabel::SetAttachTo);
  d.Integer(L"Gap", &TsStickyLabel::Gap, &TsStickyLabel::SetGap, 2);
}

void DeclareLabelFX(TClassDecl<TsLabelFX>& d) {
  d.Object(L"Kind", &TsLabelFX::Kind);
  d.Object(L"Shadow", &TsLabelFX::Shadow);
}

void DeclareShadow(TClassDecl<TsShadow>& d) {
  d.Enum(L"Mode", &TsShadow::Mode, &TsShadow::SetMode, smSkin1);
  d.Color(L"Color", &TsShadow::Color, &TsShadow::SetColor, classlib::clBlack);
  d.Integer(L"BlurCount", &TsShadow::BlurCount, &TsShadow::SetBlurCount, 4);
  d.Integer(L"Distance", &TsShadow::Distance, &TsShadow::SetDistance, 1);
}

void DeclareKind(TClassDecl<TsKind>& d) {
  d.Enum(L"KindType", &TsKind::KindType, &TsKind::SetKindType, ktSkin);
  d.Color(L"Color", &TsKind::Color, &TsKind::SetColor, classlib::clWhite);
}

}  // namespace

void RegisterLabelClasses() {
  RegisterClass<TsShadow, TPersistent>(L"TsShadow", DeclareShadow);
  RegisterClass<TsKind, TPersistent>(L"TsKind", DeclareKind);
  RegisterClass<TsCustomLabel, TCustomLabel>(L"TsCustomLabel", DeclareCustomLabel);
  RegisterClass<TsLabel, TsCustomLabel>(L"TsLabel", DeclareLabel);
  RegisterClass<TsEditLabel, TsLabel>(L"TsEditLabel");
  RegisterClass<TsWebLabel, TsLabel>(L"TsWebLabel", DeclareWebLabel);
  RegisterClass<TsStickyLabel, TsLabel>(L"TsStickyLabel", DeclareStickyLabel);
  RegisterClass<TsLabelFX, TsCustomLabel>(L"TsLabelFX", DeclareLabelFX);
}

}  // namespace skin
