// Generates the program's own skin: "Options.dat", the master bitmap and the shadow image, all
// drawn from a few style parameters (skinpack then packs the folder into an ".asz" file).
//   skingen OUTDIR [--accent RRGGBB] [--radius N] [--gradient X]
//   skingen --shadows OUTDIR   (the program's own form shadows, acSHDA.png and acSHDI.png)
//   skingen --light OUTDIR     (the light of the gauge's bars, acGL.png)
// The output depends only on the parameters, so the committed skin can be checked against it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "classlib/Exception.h"
#include "tools/skingen/OurSkin.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: skingen OUTDIR [--accent RRGGBB] [--radius N] [--gradient X]\n"
               "       skingen --shadows OUTDIR\n"
               "       skingen --light OUTDIR\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const bool shadows = std::string(argv[1]) == "--shadows";
  const bool light = std::string(argv[1]) == "--light";
  if ((shadows || light) && argc != 3) return Usage();
  const std::filesystem::path out = argv[shadows || light ? 2 : 1];
  skingen::SkinStyle style;
  for (int i = 2; !shadows && !light && i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    const std::string value = argv[++i];
    if (arg == "--accent")
      style.Accent = static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 16));
    else if (arg == "--radius")
      style.Radius = std::atoi(value.c_str());
    else if (arg == "--gradient")
      style.Gradient = std::atof(value.c_str());
    else
      return Usage();
  }
  if (style.Radius < 1 || style.Radius > 8) {
    std::fprintf(stderr, "skingen: the radius must be 1 to 8\n");
    return 2;
  }
  try {
    std::filesystem::create_directories(out);
    const skingen::SkinFiles files = shadows ? skingen::BuiltInShadows()
                                     : light ? skingen::GaugeLight()
                                             : skingen::BuildOurSkin(style);
    for (const auto& [name, bytes] : files) {
      std::ofstream file(out / name, std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      if (!file) {
        std::fprintf(stderr, "skingen: cannot write %s\n", (out / name).string().c_str());
        return 1;
      }
    }
  } catch (const classlib::Exception& e) {
    std::fprintf(stderr, "skingen: %ls\n", e.Message().c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}
