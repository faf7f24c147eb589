#pragma once
// Skinned captions: text in the font colours of a skin section, with a one-pixel outline on each
// side that the section gives a colour, a grey disabled look mixed from the text and background
// colours, and for a control its glow, web-button underline and colour shift. The plain text
// routines these build on are skin/graphics/sTextOutWin32.h. Win32 only.
#include <windows.h>

#include <string>

#include "classlib/Graphics.h"
#include "skin/core/sCommonData.h"

namespace skin {

class TsSkinManager;

// Text in R in the colours of section SkinIndex of Manager (nil: the default manager), state hot
// or normal: each outline side whose colour is not -1 (left, top, right, bottom, the text moved one
// pixel that way), then the text. Disabled text is 40 % the normal font colour and 60 % the
// section's colour. No manager or an invalid index draws nothing; R is not changed.
void WriteTextEx(classlib::TCanvas* Canvas, const std::wstring& Text, bool Enabled, TRect& R, UINT Flags, int SkinIndex,
                 bool Hot, TsSkinManager* Manager = nullptr);
// Text of a control in its own section's colours, shifted by its hue offset and saturation, with
// the section's glow drawn into its cache first; clipped to R, the DC's clip restored afterwards.
// A control that is not skinned or has its own font gets the plain embossed look.
void WriteTextEx(classlib::TCanvas* Canvas, const std::wstring& Text, bool Enabled, TRect& R, UINT Flags,
                 TsCommonData* SkinData, bool Hot);

inline void acWriteTextEx(classlib::TCanvas* Canvas, const std::wstring& Text, bool Enabled, TRect& R, UINT Flags,
                          int SkinIndex, bool Hot, TsSkinManager* Manager = nullptr) {
  WriteTextEx(Canvas, Text, Enabled, R, Flags, SkinIndex, Hot, Manager);
}
inline void acWriteTextEx(classlib::TCanvas* Canvas, const std::wstring& Text, bool Enabled, TRect& R, UINT Flags,
                          TsCommonData* SkinData, bool Hot) {
  WriteTextEx(Canvas, Text, Enabled, R, Flags, SkinData, Hot);
}

}  // namespace skin
