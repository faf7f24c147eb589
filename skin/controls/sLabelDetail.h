#pragma once
// What the label sources share: the active default manager, sections by index and name, and a
// flag held for a scope. Win32 only.
#include <cstddef>
#include <string>

#include "skin/core/acSkinRecords.h"
#include "skin/core/sSkinManager.h"

namespace skin::detail {

// Sets a flag for a scope and puts back what it was, whichever way the scope is left.
class TFlagHold {
 public:
  explicit TFlagHold(bool& Flag) : flag_(Flag), old_(Flag) { Flag = true; }
  ~TFlagHold() { flag_ = old_; }
  TFlagHold(const TFlagHold&) = delete;
  TFlagHold& operator=(const TFlagHold&) = delete;

 private:
  bool& flag_;
  bool old_;
};

// The default manager while its skin is active.
inline TsSkinManager* ActiveManager() {
  TsSkinManager* m = DefaultManager();
  return m != nullptr && m->Active() ? m : nullptr;
}

// Section names are ASCII; anything else cannot name one.
inline std::string SectionName(const std::wstring& Name) {
  std::string s;
  s.reserve(Name.size());
  for (wchar_t c : Name) s += c < 128 ? char(c) : '?';
  return s;
}

inline const TsGeneralData* Section(TsSkinManager* m, int Index) {
  return m != nullptr && m->IsValidSkinIndex(Index) ? &m->Records().gd[std::size_t(Index)] : nullptr;
}

inline const TsGeneralData* GlobalInfo(TsSkinManager* m) {
  return m != nullptr ? Section(m, m->GetSkinIndex("GLOBALINFO")) : nullptr;
}

}  // namespace skin::detail
