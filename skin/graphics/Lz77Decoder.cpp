#include "skin/graphics/Lz77Decoder.h"

#include "skin/graphics/GraphicErrors.h"
#include "skin/graphics/PngMessages.h"

namespace skin {

TLZ77Decoder::TLZ77Decoder(int FlushMode, bool AutoReset) : FFlushMode(FlushMode), FAutoReset(AutoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (FStarted) inflateEnd(&FStream);
}

void TLZ77Decoder::DecodeInit() {
  if (FStarted) DecodeEnd();
  FStream = z_stream{};
  FZLibResult = Z_OK;
  if (inflateInit(&FStream) != Z_OK) throw EGraphicCompression(png_messages::kLZ77Error);
  FStarted = true;
}

void TLZ77Decoder::DecodeEnd() {
  if (!FStarted) return;
  FStarted = false;
  if (inflateEnd(&FStream) != Z_OK) throw EGraphicCompression(png_messages::kLZ77Error);
}

void TLZ77Decoder::Decode(const std::uint8_t*& Source, std::uint8_t*& Dest, std::uint32_t PackedSize,
                          std::uint32_t UnpackedSize) {
  FStream.next_in = const_cast<Bytef*>(Source);
  FStream.avail_in = PackedSize;
  if (FAutoReset && FStarted) FZLibResult = inflateReset(&FStream);
  if (FZLibResult != Z_OK || !FStarted) return;
  FStream.next_out = Dest;
  FStream.avail_out = UnpackedSize;
  FZLibResult = inflate(&FStream, FFlushMode);
  Source = FStream.next_in;
  Dest = FStream.next_out;
}

}  // namespace skin
