#pragma once
// The program's use of zlib: compression and decompression streams over a TStream, buffer,
// string and stream routines, and the errors that report zlib's result codes.
//
// The decompression stream reads one zlib stream out of a larger source and gives back what it
// read beyond that stream's end, so that zlib streams stored back to back, without lengths
// between them, are read one after the other.
#include <zlib.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/Exception.h"
#include "classlib/Streams.h"

namespace skin {

using classlib::TSeekOrigin;
using classlib::TStream;

enum class TZCompressionLevel {
  zcNone,
  zcFastest,
  zcDefault,
  zcMax,
  zcLevel1,
  zcLevel2,
  zcLevel3,
  zcLevel4,
  zcLevel5,
  zcLevel6,
  zcLevel7,
  zcLevel8,
  zcLevel9
};
enum class TZStrategy { zsDefault = 0, zsFiltered = 1, zsHuffman = 2, zsRLE = 3, zsFixed = 4 };
enum class TZError {
  zeError = -1,
  zeStreamError = -2,
  zeDataError = -3,
  zeMemoryError = -4,
  zeBufferError = -5,
  zeVersionError = -6
};

// zlib's value of a level: zcDefault is zlib's default level (-1), zcMax 9, zcLevelN N.
int ZLevelValue(TZCompressionLevel Level);

// zlib's text for a result code ("data error" for -3); empty for codes it has no text for.
std::string_view ZErrorText(int Code);

class EZLibError : public classlib::Exception {
 public:
  explicit EZLibError(int Code);
  // An error of this wrapper itself, without a zlib code.
  explicit EZLibError(std::wstring Message) : classlib::Exception(std::move(Message)) {}
  int ErrorCode() const { return FErrorCode; }

 private:
  int FErrorCode = 0;
};
class EZCompressionError : public EZLibError {
 public:
  using EZLibError::EZLibError;
};
class EZDecompressionError : public EZLibError {
 public:
  using EZLibError::EZLibError;
};

inline constexpr const wchar_t* kInvalidZStreamOperation = L"Invalid ZStream operation!";

// zlib's inflate initialisation, with the program's allocator; the zlib result code.
int InflateInit(z_stream& Stream);
int InflateInit2(z_stream& Stream, int WindowBits);

// Base of the two stream classes: the target or source stream (not owned), where this object
// last left it, zlib's record and a 128 KiB buffer.
class TCustomZStream : public TStream {
 public:
  static constexpr std::size_t kBufferSize = 131072;

  TCustomZStream(const TCustomZStream&) = delete;  // zlib's state points back at FZStream
  TCustomZStream& operator=(const TCustomZStream&) = delete;

  std::function<void(TCustomZStream&)> OnProgress;

 protected:
  explicit TCustomZStream(TStream& Stream);
  void DoProgress() {
    if (OnProgress) OnProgress(*this);
  }
  // Puts the stream back where this object left it when someone else has moved it.
  void RestoreStreamPos();

  TStream& FStream;
  std::int64_t FStreamPos;
  z_stream FZStream{};
  std::unique_ptr<std::uint8_t[]> FBuffer;
};

// Write-only: compresses everything written into Dest. Finish (or the destructor) ends the
// zlib stream.
class TZCompressionStream final : public TCustomZStream {
 public:
  explicit TZCompressionStream(TStream& Dest, TZCompressionLevel Level = TZCompressionLevel::zcDefault);
  TZCompressionStream(TStream& Dest, TZCompressionLevel Level, int WindowBits, int MemLevel, TZStrategy Strategy);
  ~TZCompressionStream() override;

  std::wstring ClassName() const override { return L"TZCompressionStream"; }
  std::int64_t Read(void* Buffer, std::int64_t Count) override;  // EZCompressionError
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  // Only (0, soCurrent), answering the number of bytes taken in; else EZCompressionError.
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

  // Writes the rest of the zlib stream; errors are reported here, the destructor swallows them.
  void Finish();
  // (1 - out / in) * 100; 0 when nothing went in.
  float GetCompressionRate() const;

 private:
  void WriteOut(std::size_t count);
  bool finished_ = false;
};

// Read-only: delivers the data of the one zlib stream that starts at Source's position.
class TZDecompressionStream final : public TCustomZStream {
 public:
  explicit TZDecompressionStream(TStream& Source);
  TZDecompressionStream(TStream& Source, int WindowBits);
  ~TZDecompressionStream() override;

  // Fewer bytes than asked at the end of the zlib stream, or when the source ends before it.
  std::wstring ClassName() const override { return L"TZDecompressionStream"; }
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;  // EZDecompressionError
  // Answers the number of bytes delivered so far. (0, soBeginning) restarts zlib and puts the
  // source at its position 0; forward seeks decompress and discard; (0, soEnd) runs to the end.
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

 private:
  void Skip(std::int64_t count);
  int result_ = Z_OK;
};

// Buffer routines: the result is a new buffer.
std::vector<std::uint8_t> ZCompress(std::span<const std::uint8_t> In,
                                    TZCompressionLevel Level = TZCompressionLevel::zcDefault);
std::vector<std::uint8_t> ZCompress2(std::span<const std::uint8_t> In, TZCompressionLevel Level, int WindowBits,
                                     int MemLevel, TZStrategy Strategy);
std::vector<std::uint8_t> ZDecompress(std::span<const std::uint8_t> In, std::size_t OutEstimate = 0);
std::vector<std::uint8_t> ZDecompress2(std::span<const std::uint8_t> In, std::size_t OutEstimate, int WindowBits);

// Stream routines.
void ZCompressStream(TStream& In, TStream& Out, TZCompressionLevel Level = TZCompressionLevel::zcDefault);
void ZCompressStream2(TStream& In, TStream& Out, TZCompressionLevel Level, int WindowBits, int MemLevel,
                      TZStrategy Strategy);
// A raw deflate stream (no zlib header), fastest level.
void ZCompressStreamWeb(TStream& In, TStream& Out);
// Decompresses one zlib stream and leaves In right behind it.
void ZDecompressStream(TStream& In, TStream& Out);
void ZDecompressStream2(TStream& In, TStream& Out, int WindowBits);

// String forms: the string's bytes in, the result's bytes out. The "Ex" forms put the source
// length before the compressed bytes (4 bytes, little-endian) and read it back as the estimate.
std::string ZCompressStr(std::string_view S, TZCompressionLevel Level = TZCompressionLevel::zcDefault);
std::string ZCompressStrEx(std::string_view S, TZCompressionLevel Level = TZCompressionLevel::zcDefault);
std::string ZCompressStr2(std::string_view S, TZCompressionLevel Level, int WindowBits, int MemLevel,
                          TZStrategy Strategy);
std::string ZCompressStrWeb(std::string_view S);
std::string ZDecompressStr(std::string_view S);
std::string ZDecompressStrEx(std::string_view S);
std::string ZDecompressStr2(std::string_view S, int WindowBits);

std::uint32_t ZAdler32(std::uint32_t Adler, const void* Buffer, std::size_t Size);
std::uint32_t ZCrc32(std::uint32_t Crc, const void* Buffer, std::size_t Size);

}  // namespace skin
