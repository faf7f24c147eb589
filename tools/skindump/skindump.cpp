// Loads a skin (a folder holding "Options.dat", or a packed ".asz" file) the way the program
// does and prints what it holds: the skin-wide values, the sections, images, patterns, the
// constant indexes and anything the load refused.
//   skindump PATH [--check] [--quiet] [--preview FILE.png] [--hue N] [--saturation N]
// --check ends with status 1 when the load noticed anything or a name the engine asks for is
// missing; --quiet prints only what is missing or noticed; --preview renders the skin's
// controls and master bitmap into a PNG file.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Exception.h"
#include "skin/core/acSkinFiles.h"
#include "skin/core/acSkinRecords.h"
#include "tools/skindump/SkinCoverage.h"
#include "tools/skindump/SkinPreview.h"
#include "tools/skingen/PngEncoder.h"

namespace {

namespace fs = std::filesystem;

const char* ImgTypeName(skin::TacImgType t) {
  switch (t) {
    case skin::TacImgType::itisaBorder: return "border";
    case skin::TacImgType::itisaTexture: return "texture";
    case skin::TacImgType::itisaGlyph: return "glyph";
    case skin::TacImgType::itisaGlow: return "glow";
    case skin::TacImgType::itisaPngGlyph: return "png-glyph";
  }
  return "?";
}

std::string Color(skin::TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, c < 0 ? "%d" : "#%06X",
                c < 0 ? c : ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
  return buf;
}

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Print(const skin::TacSkinRecords& s) {
  const skin::TsSkinData& d = s.SkinData;
  std::printf("[GLOBALINFO]\n  VERSION %.2f  AUTHOR \"%s\"\n  DESCRIPTION \"%s\"\n", d.Version, d.Author.c_str(),
              d.Description.c_str());
  std::printf("  BORDERWIDTH %d  TITLEHEIGHT %d  MAXHEIGHT %d  FORMOFFSET %d  BORDERMODE %d  BORDERCOLOR %s\n",
              d.ExBorderWidth, d.ExTitleHeight, d.ExMaxHeight, d.ExContentOffs, d.ExDrawMode,
              Color(d.BorderColor).c_str());
  std::printf("  SHADOW1 color %s offset %d blur %d transparency %d  BISPACE %d BIKEEPHUE %d\n",
              Color(d.Shadow1Color).c_str(), d.Shadow1Offset, d.Shadow1Blur, d.Shadow1Transparency, d.BISpacing,
              d.BIKeepHUE);
  std::printf("  master bitmap %d x %d\n\n", s.MasterBitmap.Width(), s.MasterBitmap.Height());

  std::printf("sections (%zu):\n", s.gd.size());
  for (std::size_t i = 0; i < s.gd.size(); ++i) {
    const skin::TsGeneralData& g = s.gd[i];
    std::printf("  %3zu %-18s states %d  color %s hot %s  font %s hot %s  transparency %d/%d  gradient %d/%d", i,
                g.ClassName.c_str(), g.States, Color(g.Color).c_str(), Color(g.HotColor).c_str(),
                Color(g.FontColor.Color).c_str(), Color(g.HotFontColor.Color).c_str(), g.Transparency,
                g.HotTransparency, g.GradientPercent, g.HotGradientPercent);
    if (!g.ParentClass.empty()) std::printf("  parent %s", g.ParentClass.c_str());
    if (g.BorderIndex >= 0) std::printf("  border #%d", g.BorderIndex);
    std::printf("\n");
  }
  std::printf("\nimages (%zu):\n", s.ma.size());
  for (std::size_t i = 0; i < s.ma.size(); ++i) {
    const skin::TsMaskData& m = s.ma[i];
    std::printf("  %3zu %-18s %-16s %-9s %s (%d,%d,%d,%d) cells %d mask %d margins %d,%d,%d,%d mode %d corner %d\n", i,
                m.ClassName.c_str(), m.PropertyName.c_str(), ImgTypeName(m.ImgType), m.Bmp ? "own   " : "master",
                m.R.Left, m.R.Top, m.R.Right, m.R.Bottom, m.ImageCount, m.MaskType, m.WL, m.WT, m.WR, m.WB, m.DrawMode,
                m.CornerType);
  }
  std::printf("\npatterns (%zu):\n", s.pa.size());
  for (std::size_t i = 0; i < s.pa.size(); ++i)
    std::printf("  %3zu %-18s %-16s %d x %d\n", i, s.pa[i].ClassName.c_str(), s.pa[i].PropertyName.c_str(),
                s.pa[i].Img->Width, s.pa[i].Img->Height);
  std::printf("\nconstant indexes:\n");
  for (const auto& [name, value] : skin::ConstantEntries(s.ConstData))
    std::printf("  %-24s %d\n", std::string(name).c_str(), value);
  std::printf("\nnotices (%zu):\n", s.Notices.size());
  for (const skin::TacSkinNotice& n : s.Notices)
    std::printf("  %s/%s: %s\n", n.Section.c_str(), n.Key.c_str(), n.Text.c_str());
}

int Usage() {
  std::fprintf(stderr, "usage: skindump PATH [--check] [--quiet] [--preview FILE.png] [--hue N] [--saturation N]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const fs::path path = argv[1];
  bool check = false, quiet = false;
  fs::path preview;
  skin::TacSkinLoadOptions options;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--check") {
      check = true;
    } else if (arg == "--quiet") {
      quiet = true;
    } else if (i + 1 < argc && arg == "--preview") {
      preview = argv[++i];
    } else if (i + 1 < argc && arg == "--hue") {
      options.HueOffset = std::atoi(argv[++i]);
    } else if (i + 1 < argc && arg == "--saturation") {
      options.Saturation = std::atoi(argv[++i]);
    } else {
      return Usage();
    }
  }
  try {
    std::unique_ptr<skin::TacSkinFiles> files;
    if (fs::is_directory(path)) {
      files = std::make_unique<skin::TacFolderSkinFiles>(path);
      options.SkinPath = path.string() + "/";
    } else {
      files = std::make_unique<skin::TacPackedSkinFiles>(ReadFile(path));
    }
    const auto records = skin::LoadSkinRecords(*files, options);
    if (!quiet) Print(*records);
    if (!preview.empty()) {
      const skin::TBitmap32 img = skindump::RenderPreview(*records);
      std::vector<std::uint32_t> px;
      for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) px.push_back(img.At(x, y).U | 0xFF000000u);
      const auto png = skingen::EncodePng(img.Width(), img.Height(), px);
      std::ofstream(preview, std::ios::binary)
          .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    }
    const std::vector<std::string> missing = skindump::MissingNames(*records);
    if (!quiet || !missing.empty()) {
      std::printf("\nmissing names (%zu):", missing.size());
      for (const std::string& m : missing) std::printf(" %s", m.c_str());
      std::printf("\n");
    }
    if (quiet)
      for (const skin::TacSkinNotice& n : records->Notices)
        std::printf("notice %s/%s: %s\n", n.Section.c_str(), n.Key.c_str(), n.Text.c_str());
    if (check && (!missing.empty() || !records->Notices.empty())) return 1;
  } catch (const classlib::Exception& e) {
    std::fprintf(stderr, "skindump: %ls\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
