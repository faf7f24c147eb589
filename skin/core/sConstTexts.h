#pragma once
// The skinning engine's user texts, each with its built-in English text. The win32 build replaces
// the string-table ones at start-up with the entry of the same identifier when the executable
// carries one. Read and written on the GUI thread only.
#include <array>
#include <string>

namespace skin {

// Texts of the string table; acStringTableTexts() gives their identifiers.
inline std::wstring acs_MsgDlgOK = L"OK";
inline std::wstring acs_MsgDlgCancel = L"Cancel";
inline std::wstring acs_MsgDlgHelp = L"&Help";
inline std::wstring acs_RestoreStr = L"Restore";
inline std::wstring acs_MoveStr = L"Move";
inline std::wstring acs_SizeStr = L"Size";
inline std::wstring acs_MinimizeStr = L"Minimize";
inline std::wstring acs_MaximizeStr = L"Maximize";
inline std::wstring acs_CloseStr = L"Close";
inline std::wstring acs_Calculator = L"Calculator";
inline std::wstring acs_FileOpen = L"File open";
inline std::wstring acs_AvailSkins = L"Available skins";
inline std::wstring acs_InternalSkin = L"(internal)";
inline std::wstring acs_ErrorSettingCount = L"Error setting %s.Count";
inline std::wstring acs_ListBoxMustBeVirtual = L"Listbox (%s) style must be virtual in order to set Count";
inline std::wstring acs_ColorDlgAdd = L"Add to custom colors set";
inline std::wstring acs_ColorDlgDefine = L"Define colors";
inline std::wstring acs_ColorDlgMainPal = L"Main palette :";
inline std::wstring acs_ColorDlgAddPal = L"Additional colors :";
inline std::wstring acs_ColorDlgTitle = L"Color";
inline std::wstring acs_ColorDlgRed = L"Red :";
inline std::wstring acs_ColorDlgGreen = L"Green :";
inline std::wstring acs_ColorDlgBlue = L"Blue :";
inline std::wstring acs_ColorDlgDecimal = L"Decimal - ";
inline std::wstring acs_ColorDlgHex = L"Hex - ";
inline std::wstring acs_FrameAdapterError1 = L"TsFrameAdapter adapter must be placed on the handled frame";
inline std::wstring acs_HintDsgnTitle = L"Hint Designer Form";
inline std::wstring acs_HintDsgnPreserved = L"Preserved settings :";
inline std::wstring acs_HintDsgnStyle = L"Style :";
inline std::wstring acs_HintDsgnBevelWidth = L"Bevel width";
inline std::wstring acs_Blur = L"Blur";
inline std::wstring acs_HintDsgnArrowLength = L"Arrow length";
inline std::wstring acs_HintDsgnHorizMargin = L"Horiz. margin";
inline std::wstring acs_HintDsgnVertMargin = L"Vert. margin";
inline std::wstring acs_HintDsgnRadius = L"Corners radius";
inline std::wstring acs_HintDsgnMaxWidth = L"Max width";
inline std::wstring acs_HintDsgnPauseHide = L"Pause hide (ms)";
inline std::wstring acs_Percent = L"Percent";
inline std::wstring acs_HintDsgnOffset = L"Offset";
inline std::wstring acs_HintDsgnTransparency = L"Transparency";
inline std::wstring acs_HintDsgnNoPicture = L"No picture available";
inline std::wstring acs_Font = L"Font";
inline std::wstring acs_Texture = L"Texture";
inline std::wstring acs_HintDsgnLoad = L"Load from file";
inline std::wstring acs_HintDsgnSave = L"Save to file as...";
inline std::wstring acs_HintDsgnColor = L"Color";
inline std::wstring acs_HintDsgnBorderTop = L"Top border";
inline std::wstring acs_HintDsgnBorderBottom = L"Bottom border";
inline std::wstring acs_Shadow = L"Shadow";
inline std::wstring acs_Background = L"Background";
inline std::wstring acs_Gradient = L"Gradient";
inline std::wstring acs_PreviewHint = L"Preview of the future hint window";
inline std::wstring acs_SelectDir = L"Select directory";
inline std::wstring acs_Create = L"Create";

// Texts of the settings storage, kept in the string table beside the others;
// acResourceStringTexts() gives their identifiers.
inline std::wstring acs_Root = L"Root :";
inline std::wstring acs_DirWithSkins = L"Directory with skins :";
inline std::wstring acs_SelectSkinTitle = L"Select skin";
inline std::wstring acs_SkinPreview = L"Skin preview";
inline std::wstring acs_InvalidDate = L"Invalid date";

// One text of the string table: its identifier and its variable.
struct TacStringTableText {
  unsigned Id;
  std::wstring* Variable;
};
// The 54 string-table texts in loading order (58992 first, 58910 last).
const std::array<TacStringTableText, 54>& acStringTableTexts();
// The 5 texts of the settings storage (65188 to 65192).
const std::array<TacStringTableText, 5>& acResourceStringTexts();

}  // namespace skin
