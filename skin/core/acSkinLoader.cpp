// A whole load of a skin into fresh records.
#include "classlib/Exception.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinIni.h"
#include "skin/core/acSkinRecords.h"

namespace skin {

std::unique_ptr<TacSkinRecords> LoadSkinRecords(const TacSkinIni& SkinFile, const TacSkinFiles* Files,
                                                const TacSkinLoadOptions& Options) {
  auto skin = std::make_unique<TacSkinRecords>();
  skin->SkinData.SkinPath = Options.SkinPath;
  skin->LoadAllMasks(&SkinFile, Files, Options);
  skin->LoadAllPatterns(&SkinFile, Files, Options);
  skin->LoadAllGeneralData(&SkinFile, Options);
  skin->InitConstantIndexes(Options);
  return skin;
}

std::unique_ptr<TacSkinRecords> LoadSkinRecords(const TacSkinFiles& Files, const TacSkinLoadOptions& Options) {
  std::optional<std::string> text;
  try {
    text = Files.Options();
  } catch (const classlib::Exception& e) {
    throw EacSkinLoadError(L"Cannot read the skin description Options.dat: " + e.Message());
  }
  if (!text) throw EacSkinLoadError(L"The skin has no description Options.dat");
  const TacSkinIni ini(*text);
  return LoadSkinRecords(ini, &Files, Options);
}

void ReplaceSkinRecords(std::unique_ptr<TacSkinRecords>& Current, const TacSkinFiles& Files,
                        const TacSkinLoadOptions& Options) {
  std::unique_ptr<TacSkinRecords> fresh = LoadSkinRecords(Files, Options);
  Current.swap(fresh);
}

}  // namespace skin
