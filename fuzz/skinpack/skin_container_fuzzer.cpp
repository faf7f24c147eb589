// The packed skin reader on hostile bytes: it must refuse cleanly or hand back entries that
// pack again to the same entries.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "classlib/Streams.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/acZLibEx.h"

namespace {

void Append32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace skin;
  std::vector<TacPackedEntry> entries;
  try {
    entries = ReadPackedEntries({data, size});
  } catch (const EacSkinPackError&) {
    return 0;
  }

  // What the raw reader accepts the convertor takes too, entry for entry.
  auto convertor = std::make_unique<TacSkinConvertor>();
  convertor->PackedData = std::make_unique<classlib::TMemoryStream>();
  convertor->PackedData->WriteBuffer(data, static_cast<std::int64_t>(size));
  ExtractPackedData(convertor);
  if (!convertor || convertor->ImageCount != static_cast<int>(entries.size()) - 1) std::abort();

  // Packed again, the entries read back unchanged.
  std::vector<std::uint8_t> repacked = {'A', 'S', 'z', 'f'};
  Append32(repacked, static_cast<std::uint32_t>(entries.size()));
  for (const TacPackedEntry& entry : entries) {
    Append32(repacked, static_cast<std::uint32_t>(entry.Name.size()));
    repacked.insert(repacked.end(), entry.Name.begin(), entry.Name.end());
    Append32(repacked, static_cast<std::uint32_t>(entry.Data.size()));
    const std::vector<std::uint8_t> packed = ZCompress(entry.Data, TZCompressionLevel::zcFastest);
    repacked.insert(repacked.end(), packed.begin(), packed.end());
  }
  const std::vector<TacPackedEntry> again = ReadPackedEntries(repacked);
  if (again.size() != entries.size()) std::abort();
  for (std::size_t i = 0; i < again.size(); ++i)
    if (again[i].Name != entries[i].Name || again[i].Data != entries[i].Data) std::abort();
  return 0;
}
