#pragma once
// The skin command message: one window message carries every command between the skinning
// units. WParam's high word is the command, its low word a small argument; LParam a pointer or a
// value per command; the result is the answer. Commands are synchronous (SendMessage to a window,
// Perform on a control), and a receiver that does not know a command answers 0.
#include <cstdint>
#include <string>

namespace skin {

inline constexpr unsigned SM_ALPHACMD = 0xA100;

// The WParam of a command with its small argument.
constexpr std::uintptr_t AlphaCmd(unsigned command, unsigned argument = 0) {
  return (std::uintptr_t(command & 0xFFFF) << 16) | (argument & 0xFFFF);
}
constexpr unsigned CommandOf(std::uintptr_t wParam) { return unsigned(wParam >> 16) & 0xFFFF; }
constexpr unsigned ArgumentOf(std::uintptr_t wParam) { return unsigned(wParam) & 0xFFFF; }

inline constexpr unsigned ACMD_NEWSKIN = 1;  // LParam: the manager (commands 1 to 3 act only for one's own)
inline constexpr unsigned ACMD_REMOVESKIN = 2;
inline constexpr unsigned ACMD_REFRESH = 3;
inline constexpr unsigned ACMD_GETPROVIDER = 4;
inline constexpr unsigned ACMD_CHILDPAINTS = 5;
inline constexpr unsigned ACMD_PARENTUPDATED = 6;
inline constexpr unsigned ACMD_ISSKINNED = 7;
inline constexpr unsigned ACMD_SETUPDATING = 8;
inline constexpr unsigned ACMD_SETURGENT = 9;
inline constexpr unsigned ACMD_ISBUSY = 10;
inline constexpr unsigned ACMD_ISHALFVISIBLE = 11;
inline constexpr unsigned ACMD_SECTIONCHANGED = 13;
inline constexpr unsigned ACMD_MENURGNCHANGED = 14;
inline constexpr unsigned ACMD_SETSECTION = 15;  // LParam: TacSectionInfo
inline constexpr unsigned ACMD_STOPFADE = 16;
inline constexpr unsigned ACMD_BGCHANGED = 17;
inline constexpr unsigned ACMD_REDRAW = 18;
inline constexpr unsigned ACMD_DEPENDSONPARENT = 19;
inline constexpr unsigned ACMD_MOVED = 20;
inline constexpr unsigned ACMD_GETCOLOR = 21;
inline constexpr unsigned ACMD_SETHALFVISIBLE = 22;
inline constexpr unsigned ACMD_PREPARECACHE = 23;
inline constexpr unsigned ACMD_FADEFRAME = 24;
inline constexpr unsigned ACMD_ADDTOADAPTER = 25;
inline constexpr unsigned ACMD_GETSKININDEX = 26;  // LParam: the SkinIndex field of a TacSectionInfo
inline constexpr unsigned ACMD_GETEXTRA = 27;
inline constexpr unsigned ACMD_RESCAN = 28;
inline constexpr unsigned ACMD_MOUSEENTER = 29;
inline constexpr unsigned ACMD_MOUSELEAVE = 30;
inline constexpr unsigned ACMD_BEGINUPDATE = 31;
inline constexpr unsigned ACMD_ENDUPDATE = 32;
inline constexpr unsigned ACMD_CLEARCACHE = 33;
inline constexpr unsigned ACMD_GETBGINFO = 34;  // LParam: TacBGInfo
inline constexpr unsigned ACMD_GETDISABLEDKIND = 35;
inline constexpr unsigned ACMD_SKINSTATE = 36;  // LParam 1: recompute
inline constexpr unsigned ACMD_GETSKINDATA = 37;
inline constexpr unsigned ACMD_SETPRINTDC = 38;
inline constexpr unsigned ACMD_SCROLLBEGIN = 51;
inline constexpr unsigned ACMD_SCROLLEND = 52;
inline constexpr unsigned ACMD_GETAPPLICATION = 60;
inline constexpr unsigned ACMD_GETOFFSET = 61;

// The argument of commands 15 and 26.
struct TacSectionInfo {
  std::int32_t SkinIndex = -1;
  std::string Name;
  bool RepaintNeeded = false;
};

}  // namespace skin
