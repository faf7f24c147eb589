#pragma once
// The inflater of the PNG reader: a zlib stream fed chunk by chunk and drained row by row.
#include <zlib.h>

#include <cstdint>

namespace skin {

class TLZ77Decoder {
 public:
  TLZ77Decoder(int FlushMode, bool AutoReset);
  ~TLZ77Decoder();
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  // EGraphicCompression when zlib cannot start or end the stream.
  void DecodeInit();
  void DecodeEnd();
  // Inflates from Source (PackedSize bytes) into Dest (UnpackedSize bytes) and moves both past
  // what was used. Once zlib has answered anything but Z_OK, later calls do nothing and the
  // answer stays.
  void Decode(const std::uint8_t*& Source, std::uint8_t*& Dest, std::uint32_t PackedSize, std::uint32_t UnpackedSize);
  // The inflater cannot compress; it takes the same arguments and leaves them alone.
  void Encode(const std::uint8_t*&, std::uint8_t*&, std::uint32_t, std::uint32_t) {}

  int ZLibResult() const { return FZLibResult; }
  std::uint32_t AvailableInput() const { return FStream.avail_in; }
  std::uint32_t AvailableOutput() const { return FStream.avail_out; }

 private:
  z_stream FStream{};
  int FZLibResult = Z_OK;
  int FFlushMode;
  bool FAutoReset;
  bool FStarted = false;
};

}  // namespace skin
