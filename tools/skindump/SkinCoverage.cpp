#include "tools/skindump/SkinCoverage.h"

#include "skin/core/acSkinNames.h"

namespace skindump {

const std::vector<std::string>& RequiredSections() {
  static const std::vector<std::string> names(std::begin(skin::kSkinSectionNames), std::end(skin::kSkinSectionNames));
  return names;
}

const std::vector<RequiredImage>& RequiredImages() {
  static const std::vector<RequiredImage> images = [] {
    std::vector<RequiredImage> list;
    for (const char* key :
         {"BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED", "RADIOGRAYED", "SMALLCHECKED",
          "SMALLUNCHECKED", "SMALLGRAYED", "CHECK", "GRIPIMAGE", "GRIPHORZ", "GRIPVERT", "EXBORDER", "TITLEBUTTON"})
      list.push_back({"GLOBALINFO", key});
    for (std::string_view key : skin::kTitleButtonKeys) list.push_back({"GLOBALINFO", std::string(key)});
    // Sections drawn with a border image.
    for (const char* section : {"BUTTON",
                                "BUTTON_HUGE",
                                "SPEEDBUTTON",
                                "SPEEDBUTTON_SMALL",
                                "TOOLBUTTON",
                                "MENUBTN",
                                "UPDOWNBTN",
                                "COMBOBTN",
                                "EDIT",
                                "COMBOBOX",
                                "GROUPBOX",
                                "PANEL_LOW",
                                "PAGECONTROL",
                                "PAGECONTROLBOTTOM",
                                "PAGECONTROLLEFT",
                                "PAGECONTROLRIGHT",
                                "TABTOP",
                                "TABBOTTOM",
                                "TABLEFT",
                                "TABRIGHT",
                                "STATUSBAR",
                                "COLHEADER",
                                "GAUGE",
                                "PROGRESSH",
                                "PROGRESSV",
                                "SCROLLBTNTOP",
                                "SCROLLBTNBOTTOM",
                                "SCROLLBTNLEFT",
                                "SCROLLBTNRIGHT",
                                "SCROLLSLIDERH",
                                "SCROLLSLIDERV",
                                "FORM",
                                "FORMTITLE",
                                "DIALOG",
                                "DIALOGTITLE",
                                "MAINMENU",
                                "MENUITEM",
                                "DIVIDER",
                                "DIVIDERV"})
      list.push_back({section, "BORDERSMASK"});
    // Glyphs.
    for (const char* section : {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLSLIDERH",
                                "SCROLLSLIDERV", "COMBOBOX"})
      list.push_back({section, "GLYPHMASK"});
    for (const char* key : {"SLIDERCHANNEL", "SLIDERMASK", "SLIDERVMASK", "TICKHORZ", "TICKVERT"})
      list.push_back({"TRACKBAR", key});
    list.push_back({"STATUSBAR", "STATUSPANELMASK"});
    list.push_back({"PROGRESSH", "LRGN"});
    list.push_back({"PROGRESSV", "LRGN"});
    return list;
  }();
  return images;
}

std::vector<std::string> MissingNames(const skin::TacSkinRecords& skin) {
  std::vector<std::string> missing;
  for (const std::string& section : RequiredSections())
    if (skin.GetSkinIndex(section) < 0) missing.push_back(section);
  for (const RequiredImage& image : RequiredImages()) {
    const int section = skin.GetSkinIndex(image.Section);
    if (skin.GetMaskIndex(section, image.Section, image.Key) < 0) missing.push_back(image.Section + "/" + image.Key);
  }
  return missing;
}

}  // namespace skindump
