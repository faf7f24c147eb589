#include "skin/core/sConst.h"

#include "skin/core/sConstStartup.h"

namespace skin {

namespace {

// Constant data (addresses of globals): ready before any code of the program runs.
constexpr std::array<TacStringTableText, 54> kStringTableTexts = {{
    {58992, &acs_MsgDlgOK},
    {58991, &acs_MsgDlgCancel},
    {58990, &acs_MsgDlgHelp},
    {58981, &acs_RestoreStr},
    {58980, &acs_MoveStr},
    {58979, &acs_SizeStr},
    {58978, &acs_MinimizeStr},
    {58977, &acs_MaximizeStr},
    {58976, &acs_CloseStr},
    {58975, &acs_Calculator},
    {58970, &acs_FileOpen},
    {58964, &acs_AvailSkins},
    {58963, &acs_InternalSkin},
    {58962, &acs_ErrorSettingCount},
    {58961, &acs_ListBoxMustBeVirtual},
    {58960, &acs_ColorDlgAdd},
    {58959, &acs_ColorDlgDefine},
    {58958, &acs_ColorDlgMainPal},
    {58957, &acs_ColorDlgAddPal},
    {58956, &acs_ColorDlgTitle},
    {58955, &acs_ColorDlgRed},
    {58954, &acs_ColorDlgGreen},
    {58953, &acs_ColorDlgBlue},
    {58952, &acs_ColorDlgDecimal},
    {58951, &acs_ColorDlgHex},
    {58950, &acs_FrameAdapterError1},
    {58949, &acs_HintDsgnTitle},
    {58948, &acs_HintDsgnPreserved},
    {58947, &acs_HintDsgnStyle},
    {58946, &acs_HintDsgnBevelWidth},
    {58945, &acs_Blur},
    {58944, &acs_HintDsgnArrowLength},
    {58943, &acs_HintDsgnHorizMargin},
    {58942, &acs_HintDsgnVertMargin},
    {58941, &acs_HintDsgnRadius},
    {58940, &acs_HintDsgnMaxWidth},
    {58939, &acs_HintDsgnPauseHide},
    {58938, &acs_Percent},
    {58937, &acs_HintDsgnOffset},
    {58936, &acs_HintDsgnTransparency},
    {58935, &acs_HintDsgnNoPicture},
    {58934, &acs_Font},
    {58933, &acs_Texture},
    {58932, &acs_HintDsgnLoad},
    {58931, &acs_HintDsgnSave},
    {58930, &acs_HintDsgnColor},
    {58929, &acs_HintDsgnBorderTop},
    {58928, &acs_HintDsgnBorderBottom},
    {58927, &acs_Shadow},
    {58926, &acs_Background},
    {58925, &acs_Gradient},
    {58924, &acs_PreviewHint},
    {58911, &acs_SelectDir},
    {58910, &acs_Create},
}};

const std::array<TacStringTableText, 5> kResourceStringTexts{{
    {65188, &acs_Root},
    {65189, &acs_DirWithSkins},
    {65190, &acs_SelectSkinTitle},
    {65191, &acs_SkinPreview},
    {65192, &acs_InvalidDate},
}};

// Runs once when the program starts, after the options and texts (inline variables of the headers
// included above, so initialized first), and hands the platform its share of the work.
class TsConstLifetime {
 public:
  TsConstLifetime() { detail::sConstPlatformStartup(); }
  ~TsConstLifetime() { detail::sConstPlatformShutdown(); }
};
const TsConstLifetime sConstLifetime;

}  // namespace

const std::array<TacStringTableText, 54>& acStringTableTexts() { return kStringTableTexts; }
const std::array<TacStringTableText, 5>& acResourceStringTexts() { return kResourceStringTexts; }

}  // namespace skin
