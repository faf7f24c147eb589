// The skinning engine's user texts in the executable's string table, linked here from the
// program's own resources; run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/core/sConstTexts.h"

namespace skin {
namespace {

std::wstring TableText(unsigned id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

TEST(StringTable, HoldsEveryUserText) {
  for (const TacStringTableText& text : acStringTableTexts()) {
    SCOPED_TRACE(text.Id);
    EXPECT_FALSE(TableText(text.Id).empty());
  }
  for (const TacStringTableText& text : acResourceStringTexts()) {
    SCOPED_TRACE(text.Id);
    EXPECT_FALSE(TableText(text.Id).empty());
  }
  struct Case {
    unsigned id;
    const wchar_t* text;
  };
  for (const Case& c : std::vector<Case>{{65188, L"Root :"},
                                         {65189, L"Directory with skins :"},
                                         {65190, L"Select skin"},
                                         {65191, L"Skin preview"},
                                         {65192, L"Invalid date"},
                                         {58992, L"OK"},
                                         {58990, L"&Help"},
                                         {58962, L"Error setting %s.Count"},
                                         {58950, L"TsFrameAdapter adapter must be placed on the handled frame"},
                                         {58924, L"Preview of the future hint window"},
                                         {58910, L"Create"}}) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(TableText(c.id), c.text);
  }
  EXPECT_EQ(acs_SelectSkinTitle, L"Select skin");
}

}  // namespace
}  // namespace skin
