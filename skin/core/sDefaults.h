#pragma once
// The kinds of foreign controls that the form providers may skin, with the class names each kind
// has by default and the name shown for it.
#include <array>
#include <cstddef>

namespace skin {

enum TacThirdPartyTypes {
  tpEdit,
  tpButton,
  tpBitBtn,
  tpCheckBox,
  tpComboBox,
  tpGrid,
  tpGroupBox,
  tpListView,
  tpPanel,
  tpTreeView,
  tpwwEdit,
  tpGridEh,
  tpVirtualTree,
  tpPageControl,
  tpTabControl,
  tpToolBar,
  tpStatusBar,
  tpSpeedButton,
  tpScrollControl,
  tpUpDownBtn
};
inline constexpr std::size_t kThirdPartyKinds = tpUpDownBtn + 1;

// One class name a line; a single blank stands for none.
inline constexpr std::array<const wchar_t*, kThirdPartyKinds> acThirdNames{
    L" ", L"TButton", L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" ",
    L" ", L" ",       L" ", L" ", L" ", L" ", L" ", L" ", L" ", L" "};
inline constexpr std::array<const wchar_t*, kThirdPartyKinds> acThirdCaptions{
    L"Edit",       L"Button",  L"BitBtn",    L"CheckBox",    L"ComboBox",      L"Grid",        L"GroupBox",
    L"ListView",   L"Panel",   L"TreeView",  L"wwEdit",      L"GridEh",        L"VirtualTree", L"PageControl",
    L"TabControl", L"ToolBar", L"StatusBar", L"SpeedButton", L"ScrollControl", L"UpDownBtn"};

}  // namespace skin
