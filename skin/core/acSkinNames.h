#pragma once
// The vocabulary that the engine asks a skin for: section names, image keys and value keys.
// Every name is upper case; a skin spells its sections and keys the same way.
#include <string_view>

namespace skin {

// Sections that controls, window handlers, forms and menus look up.
// clang-format off
inline constexpr std::string_view kSkinSectionNames[] = {
    "GLOBALINFO",        "BUTTON",          "BUTTON_HUGE",       "CHECKBOX",         "RADIOBUTTON",
    "EDIT",              "COMBOBOX",        "COMBOBTN",          "GROUPBOX",         "PANEL",
    "PANEL_LOW",         "PAGECONTROL",     "PAGECONTROLBOTTOM", "PAGECONTROLLEFT",  "PAGECONTROLRIGHT",
    "TABSHEET",          "TABTOP",          "TABBOTTOM",         "TABLEFT",          "TABRIGHT",
    "STATUSBAR",         "TOOLBAR",         "TOOLBUTTON",        "SPEEDBUTTON",      "SPEEDBUTTON_SMALL",
    "TRACKBAR",          "PROGRESSH",       "PROGRESSV",         "GAUGE",            "SPLITTER",
    "DRAGBAR",           "DIVIDER",         "DIVIDERV",          "COLHEADER",        "UPDOWNBTN",
    "WEBBUTTON",         "MENUBTN",         "SELECTION",         "BAR",              "BARTITLE",
    "SCROLLBAR1H",       "SCROLLBAR1V",     "SCROLLBAR2H",       "SCROLLBAR2V",      "SCROLLBTNTOP",
    "SCROLLBTNBOTTOM",   "SCROLLBTNLEFT",   "SCROLLBTNRIGHT",    "SCROLLSLIDERH",    "SCROLLSLIDERV",
    "FORM",              "FORMTITLE",       "CAPTION",           "DIALOG",           "DIALOGTITLE",
    "MDIAREA",           "MAINMENU",        "MENUITEM",          "MENULINE",         "EXTRALINE",
    "ICOLINE",           "MENUCAPTION",     "HINT"};
// clang-format on

// Image keys of any section.
// clang-format off
inline constexpr std::string_view kSectionImageKeys[] = {
    "BORDERSMASK",   "GLYPHMASK",  "PATTERN",    "HOTPATTERN",  "IMGTOPLEFT",     "IMGTOPRIGHT",
    "IMGBTMLEFT",    "IMGBTMRIGHT", "GLOW0",     "LRGN",        "SLIDERCHANNEL",  "SLIDERMASK",
    "SLIDERVMASK",   "TICKHORZ",   "TICKVERT",   "STATUSPANELMASK", "TITLEBAR"};
// clang-format on

// Image keys of GLOBALINFO; the title-button glyphs may each have a glow image named by the key
// followed by "GLOW0".
// clang-format off
inline constexpr std::string_view kGlobalImageKeys[] = {
    "BOXCHECKED",   "BOXUNCHECKED", "BOXGRAYED",  "RADIOCHECKED", "RADIOUNCHECKED",
    "RADIOGRAYED",  "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED", "EXBORDER",
    "GRIPIMAGE",    "GRIPHORZ",     "GRIPVERT",   "TITLEBUTTON", "CHECK"};
// clang-format on
// clang-format off
inline constexpr std::string_view kTitleButtonKeys[] = {
    "BICONCLOSE", "BICLOSEALONE", "BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP",
    "SICONCLOSE", "SICONMAX",     "SICONMIN", "SICONNORM", "SICONHELP"};
// clang-format on

// Keys that hold values, never images: those of the skin-wide record and of a section record.
// clang-format off
inline constexpr std::string_view kValueKeys[] = {
    "VERSION", "AUTHOR", "DESCRIPTION", "SHADOW1COLOR", "SHADOW1OFFSET", "SHADOW1BLUR", "SHADOW1TRANSPARENCY",
    "BORDERWIDTH", "TITLEHEIGHT", "MAXHEIGHT", "FORMOFFSET", "ALIGNOFFSET", "CENTEROFFSET", "BORDERMODE",
    "BORDERCOLOR", "BISPACE", "BIVALIGN", "BIRIGHT", "BILEFT", "BITOP", "BIKEEPHUE", "BICONCLOSEGLOW",
    "BICONCLOSEGLOWMARGIN", "BICONMAXGLOW", "BICONMAXGLOWMARGIN", "BICONMINGLOW", "BICONMINGLOWMARGIN",
    "AEROBLUR", "EXTSHADOW", "MASTERBITMAP", "PARENTCLASS", "STATES", "GIVEOWNFONT", "RESERVEDBOOLEAN",
    "SHOWFOCUS", "GLOW", "GLOWMARGIN", "COLOR", "TRANSPARENCY", "GRADIENTPERCENT", "GRADIENTDATA",
    "IMAGEPERCENT", "FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM", "HOTCOLOR", "HOTTRANSPARENCY",
    "HOTGRADIENTPERCENT", "HOTGRADIENTDATA", "HOTIMAGEPERCENT", "HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP",
    "HOTTCRIGHT", "HOTTCBOTTOM", "FADINGENABLED", "FADINGITERATIONS", "HGCOL", "GCOL", "HGSIZE", "GSIZE"};
// clang-format on

// A key that the engine reads as an image.
bool IsSkinImageKey(std::string_view key);
// A key that the engine reads as a value; its text is never taken for an image.
bool IsSkinValueKey(std::string_view key);

}  // namespace skin
