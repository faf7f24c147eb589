#include "skin/core/sConst.h"

#include "skin/core/sConstStartup.h"

namespace skin {

// The string-table texts; each takes its built-in text at start-up (see kStringTableTexts).
std::wstring acs_MsgDlgOK, acs_MsgDlgCancel, acs_MsgDlgHelp, acs_RestoreStr, acs_MoveStr, acs_SizeStr,
    acs_MinimizeStr, acs_MaximizeStr, acs_CloseStr, acs_Calculator, acs_FileOpen, acs_AvailSkins,
    acs_InternalSkin, acs_ErrorSettingCount, acs_ListBoxMustBeVirtual, acs_ColorDlgAdd, acs_ColorDlgDefine,
    acs_ColorDlgMainPal, acs_ColorDlgAddPal, acs_ColorDlgTitle, acs_ColorDlgRed, acs_ColorDlgGreen,
    acs_ColorDlgBlue, acs_ColorDlgDecimal, acs_ColorDlgHex, acs_FrameAdapterError1, acs_HintDsgnTitle,
    acs_HintDsgnPreserved, acs_HintDsgnStyle, acs_HintDsgnBevelWidth, acs_Blur, acs_HintDsgnArrowLength,
    acs_HintDsgnHorizMargin, acs_HintDsgnVertMargin, acs_HintDsgnRadius, acs_HintDsgnMaxWidth,
    acs_HintDsgnPauseHide, acs_Percent, acs_HintDsgnOffset, acs_HintDsgnTransparency, acs_HintDsgnNoPicture,
    acs_Font, acs_Texture, acs_HintDsgnLoad, acs_HintDsgnSave, acs_HintDsgnColor, acs_HintDsgnBorderTop,
    acs_HintDsgnBorderBottom, acs_Shadow, acs_Background, acs_Gradient, acs_PreviewHint, acs_SelectDir,
    acs_Create;
// Resource strings of the settings-storage unit, copied at start-up.
std::wstring acs_InvalidDate = L"Invalid date";
std::wstring acs_Root = L"Root :";
std::wstring acs_DirWithSkins = L"Directory with skins :";
std::wstring acs_SelectSkinTitle = L"Select skin";
std::wstring acs_SkinPreview = L"Skin preview";

namespace {

// Constant data (addresses of globals and literals): ready before any code of the program runs.
constexpr std::array<TacStringTableText, 54> kStringTableTexts = {{
    {58992, &acs_MsgDlgOK, L"OK"},
    {58991, &acs_MsgDlgCancel, L"Cancel"},
    {58990, &acs_MsgDlgHelp, L"&Help"},
    {58981, &acs_RestoreStr, L"Restore"},
    {58980, &acs_MoveStr, L"Move"},
    {58979, &acs_SizeStr, L"Size"},
    {58978, &acs_MinimizeStr, L"Minimize"},
    {58977, &acs_MaximizeStr, L"Maximize"},
    {58976, &acs_CloseStr, L"Close"},
    {58975, &acs_Calculator, L"Calculator"},
    {58970, &acs_FileOpen, L"File open"},
    {58964, &acs_AvailSkins, L"Available skins"},
    {58963, &acs_InternalSkin, L"(internal)"},
    {58962, &acs_ErrorSettingCount, L"Error setting %s.Count"},
    {58961, &acs_ListBoxMustBeVirtual, L"Listbox (%s) style must be virtual in order to set Count"},
    {58960, &acs_ColorDlgAdd, L"Add to custom colors set"},
    {58959, &acs_ColorDlgDefine, L"Define colors"},
    {58958, &acs_ColorDlgMainPal, L"Main palette :"},
    {58957, &acs_ColorDlgAddPal, L"Additional colors :"},
    {58956, &acs_ColorDlgTitle, L"Color"},
    {58955, &acs_ColorDlgRed, L"Red :"},
    {58954, &acs_ColorDlgGreen, L"Green :"},
    {58953, &acs_ColorDlgBlue, L"Blue :"},
    {58952, &acs_ColorDlgDecimal, L"Decimal - "},
    {58951, &acs_ColorDlgHex, L"Hex - "},
    {58950, &acs_FrameAdapterError1, L"TsFrameAdapter adapter must be placed on the handled frame"},
    {58949, &acs_HintDsgnTitle, L"Hint Designer Form"},
    {58948, &acs_HintDsgnPreserved, L"Preserved settings :"},
    {58947, &acs_HintDsgnStyle, L"Style :"},
    {58946, &acs_HintDsgnBevelWidth, L"Bevel width"},
    {58945, &acs_Blur, L"Blur"},
    {58944, &acs_HintDsgnArrowLength, L"Arrow length"},
    {58943, &acs_HintDsgnHorizMargin, L"Horiz. margin"},
    {58942, &acs_HintDsgnVertMargin, L"Vert. margin"},
    {58941, &acs_HintDsgnRadius, L"Corners radius"},
    {58940, &acs_HintDsgnMaxWidth, L"Max width"},
    {58939, &acs_HintDsgnPauseHide, L"Pause hide (ms)"},
    {58938, &acs_Percent, L"Percent"},
    {58937, &acs_HintDsgnOffset, L"Offset"},
    {58936, &acs_HintDsgnTransparency, L"Transparency"},
    {58935, &acs_HintDsgnNoPicture, L"No picture available"},
    {58934, &acs_Font, L"Font"},
    {58933, &acs_Texture, L"Texture"},
    {58932, &acs_HintDsgnLoad, L"Load from file"},
    {58931, &acs_HintDsgnSave, L"Save to file as..."},
    {58930, &acs_HintDsgnColor, L"Color"},
    {58929, &acs_HintDsgnBorderTop, L"Top border"},
    {58928, &acs_HintDsgnBorderBottom, L"Bottom border"},
    {58927, &acs_Shadow, L"Shadow"},
    {58926, &acs_Background, L"Background"},
    {58925, &acs_Gradient, L"Gradient"},
    {58924, &acs_PreviewHint, L"Preview of the future hint window"},
    {58911, &acs_SelectDir, L"Select directory"},
    {58910, &acs_Create, L"Create"},
}};

// Runs once when the program starts, after the texts above exist (same unit, earlier in it),
// and undoes its work when the program ends.
class TsConstLifetime {
 public:
  TsConstLifetime() {
    EmptyCI = kEmptyCacheInfo;
    sFuchsia.C = clFuchsia;
    for (const TacStringTableText& text : kStringTableTexts) text.Variable->assign(text.Default);
    detail::sConstPlatformStartup();
  }
  ~TsConstLifetime() {
    detail::sConstPlatformShutdown();
    for (const TacStringTableText& text : kStringTableTexts) text.Variable->clear();
    for (std::wstring* text : {&acs_InvalidDate, &acs_Root, &acs_DirWithSkins, &acs_SelectSkinTitle, &acs_SkinPreview})
      text->clear();
  }
};
const TsConstLifetime sConstLifetime;

}  // namespace

const std::array<TacStringTableText, 54>& acStringTableTexts() { return kStringTableTexts; }

}  // namespace skin
