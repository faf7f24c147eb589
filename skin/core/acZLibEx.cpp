#include "skin/core/acZLibEx.h"

#include <algorithm>
#include <climits>
#include <new>

namespace skin {
namespace {

constexpr std::size_t kStreamPiece = 32768;  // pieces of the stream routines
constexpr std::size_t kSkipPiece = 16384;    // pieces in which a forward seek discards data

// zlib takes its memory from the program's allocator.
voidpf ZAlloc(voidpf /*opaque*/, uInt items, uInt size) {
  if (size != 0 && items > SIZE_MAX / size) return Z_NULL;
  return ::operator new(static_cast<std::size_t>(items) * size, std::nothrow);
}
void ZFree(voidpf /*opaque*/, voidpf address) { ::operator delete(address); }

void PrepareRecord(z_stream& s) {
  s.zalloc = ZAlloc;
  s.zfree = ZFree;
  s.opaque = Z_NULL;
}

// zlib counts in 32 bits: larger buffers are refused rather than silently cut.
uInt CheckedCount(std::uint64_t count) {
  if (count > UINT_MAX) throw EZLibError(std::wstring(L"buffer larger than 4 GiB"));
  return static_cast<uInt>(count);
}

int CompressCheck(int code) {
  if (code < 0) throw EZCompressionError(code);
  return code;
}

// A stream that asks for a preset dictionary cannot go on: it is an error here, not a state
// to wait in (zlib would answer the same on every further call).
int DecompressCheck(int code) {
  if (code < 0 || code == Z_NEED_DICT) throw EZDecompressionError(code);
  return code;
}

int DeflateInit2(z_stream& s, TZCompressionLevel level, int windowBits, int memLevel, TZStrategy strategy) {
  PrepareRecord(s);
  return deflateInit2_(&s, ZLevelValue(level), Z_DEFLATED, windowBits, memLevel, static_cast<int>(strategy),
                       ZLIB_VERSION, static_cast<int>(sizeof(z_stream)));
}

int DeflateInit(z_stream& s, TZCompressionLevel level) {
  PrepareRecord(s);
  return deflateInit_(&s, ZLevelValue(level), ZLIB_VERSION, static_cast<int>(sizeof(z_stream)));
}

struct DeflateEnd {
  z_stream& s;
  ~DeflateEnd() { deflateEnd(&s); }
};
struct InflateEnd {
  z_stream& s;
  ~InflateEnd() { inflateEnd(&s); }
};

std::vector<std::uint8_t> CompressBuffer(std::span<const std::uint8_t> in, z_stream& zs) {
  // Room for incompressible data from the start; grown by 256 bytes when zlib needs more.
  std::size_t size = (in.size() + in.size() / 10 + 267) & ~static_cast<std::size_t>(255);
  std::vector<std::uint8_t> out(size);
  zs.next_in = const_cast<Bytef*>(in.data());
  zs.avail_in = CheckedCount(in.size());
  zs.next_out = out.data();
  zs.avail_out = CheckedCount(size);
  while (CompressCheck(deflate(&zs, Z_FINISH)) != Z_STREAM_END) {
    size += 256;
    out.resize(size);
    zs.next_out = out.data() + zs.total_out;
    zs.avail_out = CheckedCount(size - zs.total_out);
  }
  out.resize(zs.total_out);
  return out;
}

std::vector<std::uint8_t> DecompressBuffer(std::span<const std::uint8_t> in, std::size_t estimate, z_stream& zs) {
  const std::size_t delta = (in.size() + 255) & ~static_cast<std::size_t>(255);
  if (delta == 0) throw EZDecompressionError(Z_BUF_ERROR);
  std::size_t size = estimate != 0 ? estimate : delta;
  std::vector<std::uint8_t> out(size);
  zs.next_in = const_cast<Bytef*>(in.data());
  zs.avail_in = CheckedCount(in.size());
  zs.next_out = out.data();
  zs.avail_out = CheckedCount(size);
  while (DecompressCheck(inflate(&zs, Z_NO_FLUSH)) != Z_STREAM_END) {
    if (zs.avail_out != 0) throw EZDecompressionError(Z_BUF_ERROR);  // the input ended first
    size += delta;
    out.resize(size);
    zs.next_out = out.data() + zs.total_out;
    zs.avail_out = CheckedCount(size - zs.total_out);
  }
  out.resize(zs.total_out);
  return out;
}

void CompressStream(TStream& in, TStream& out, z_stream& zs) {
  std::vector<std::uint8_t> inBuffer(kStreamPiece), outBuffer(kStreamPiece);
  auto flushOut = [&] { out.WriteBuffer(outBuffer.data(), kStreamPiece - zs.avail_out); };
  for (std::int64_t n = in.Read(inBuffer.data(), kStreamPiece); n > 0; n = in.Read(inBuffer.data(), kStreamPiece)) {
    zs.next_in = inBuffer.data();
    zs.avail_in = static_cast<uInt>(n);
    do {
      zs.next_out = outBuffer.data();
      zs.avail_out = kStreamPiece;
      CompressCheck(deflate(&zs, Z_NO_FLUSH));
      flushOut();
    } while (zs.avail_in > 0 || zs.avail_out == 0);
  }
  int code = Z_OK;
  do {
    zs.next_out = outBuffer.data();
    zs.avail_out = kStreamPiece;
    code = CompressCheck(deflate(&zs, Z_FINISH));
    flushOut();
  } while (code != Z_STREAM_END);
}

void DecompressStream(TStream& in, TStream& out, z_stream& zs) {
  std::vector<std::uint8_t> inBuffer(kStreamPiece), outBuffer(kStreamPiece);
  int code = Z_OK;
  while (code != Z_STREAM_END) {
    const std::int64_t n = in.Read(inBuffer.data(), kStreamPiece);
    if (n == 0) throw EZDecompressionError(Z_BUF_ERROR);  // the input ended inside the zlib stream
    zs.next_in = inBuffer.data();
    zs.avail_in = static_cast<uInt>(n);
    do {
      zs.next_out = outBuffer.data();
      zs.avail_out = kStreamPiece;
      code = DecompressCheck(inflate(&zs, Z_NO_FLUSH));
      out.WriteBuffer(outBuffer.data(), kStreamPiece - zs.avail_out);
    } while (code != Z_STREAM_END && (zs.avail_in > 0 || zs.avail_out == 0));
  }
  if (zs.avail_in > 0) in.Seek(-static_cast<std::int64_t>(zs.avail_in), classlib::soCurrent);
}

std::span<const std::uint8_t> BytesOf(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}
std::string StringOf(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace

int ZLevelValue(TZCompressionLevel Level) {
  switch (Level) {
    case TZCompressionLevel::zcNone: return 0;
    case TZCompressionLevel::zcFastest: return 1;
    case TZCompressionLevel::zcDefault: return Z_DEFAULT_COMPRESSION;
    case TZCompressionLevel::zcMax: return 9;
    default: return static_cast<int>(Level) - static_cast<int>(TZCompressionLevel::zcLevel1) + 1;
  }
}

std::string_view ZErrorText(int Code) {
  switch (Code) {
    case 2: return "need dictionary";
    case 1: return "stream end";
    case 0: return "ok";
    case -1: return "file error";
    case -2: return "stream error";
    case -3: return "data error";
    case -4: return "insufficient memory";
    case -5: return "buffer error";
    case -6: return "incompatible version";
    default: return "";
  }
}

EZLibError::EZLibError(int Code)
    : classlib::Exception(std::wstring(ZErrorText(Code).begin(), ZErrorText(Code).end())), FErrorCode(Code) {}

int InflateInit(z_stream& Stream) {
  PrepareRecord(Stream);
  return inflateInit_(&Stream, ZLIB_VERSION, static_cast<int>(sizeof(z_stream)));
}

int InflateInit2(z_stream& Stream, int WindowBits) {
  PrepareRecord(Stream);
  return inflateInit2_(&Stream, WindowBits, ZLIB_VERSION, static_cast<int>(sizeof(z_stream)));
}

// ---- streams

TCustomZStream::TCustomZStream(TStream& Stream)
    : FStream(Stream),
      FStreamPos(Stream.Position()),
      FBuffer(std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize)) {}

void TCustomZStream::RestoreStreamPos() {
  if (FStream.Position() != FStreamPos) FStream.SetPosition(FStreamPos);
}

TZCompressionStream::TZCompressionStream(TStream& Dest, TZCompressionLevel Level) : TCustomZStream(Dest) {
  FZStream.next_out = FBuffer.get();
  FZStream.avail_out = kBufferSize;
  CompressCheck(DeflateInit(FZStream, Level));
}

TZCompressionStream::TZCompressionStream(TStream& Dest, TZCompressionLevel Level, int WindowBits, int MemLevel,
                                         TZStrategy Strategy)
    : TCustomZStream(Dest) {
  FZStream.next_out = FBuffer.get();
  FZStream.avail_out = kBufferSize;
  CompressCheck(DeflateInit2(FZStream, Level, WindowBits, MemLevel, Strategy));
}

TZCompressionStream::~TZCompressionStream() {
  try {
    Finish();
  } catch (...) {
    // A destructor cannot report; callers that care call Finish themselves.
  }
  deflateEnd(&FZStream);
}

void TZCompressionStream::WriteOut(std::size_t count) {
  FStream.WriteBuffer(FBuffer.get(), count);
  FZStream.next_out = FBuffer.get();
  FZStream.avail_out = kBufferSize;
  FStreamPos = FStream.Position();
  DoProgress();
}

std::int64_t TZCompressionStream::Read(void*, std::int64_t) { throw EZCompressionError(kInvalidZStreamOperation); }

std::int64_t TZCompressionStream::Write(const void* Buffer, std::int64_t Count) {
  if (finished_) throw EZCompressionError(kInvalidZStreamOperation);
  if (Count <= 0) return 0;
  RestoreStreamPos();
  FZStream.next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
  FZStream.avail_in = CheckedCount(static_cast<std::uint64_t>(Count));
  while (FZStream.avail_in > 0) {
    CompressCheck(deflate(&FZStream, Z_NO_FLUSH));
    if (FZStream.avail_out == 0) WriteOut(kBufferSize);
  }
  return Count;
}

std::int64_t TZCompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  if (Offset == 0 && Origin == classlib::soCurrent) return static_cast<std::int64_t>(FZStream.total_in);
  throw EZCompressionError(kInvalidZStreamOperation);
}

void TZCompressionStream::Finish() {
  if (finished_) return;
  finished_ = true;
  FZStream.next_in = Z_NULL;
  FZStream.avail_in = 0;
  RestoreStreamPos();
  while (CompressCheck(deflate(&FZStream, Z_FINISH)) != Z_STREAM_END) {
    if (FZStream.avail_out == 0) WriteOut(kBufferSize);
  }
  if (FZStream.avail_out < kBufferSize) WriteOut(kBufferSize - FZStream.avail_out);
}

float TZCompressionStream::GetCompressionRate() const {
  if (FZStream.total_in == 0) return 0;
  return static_cast<float>((1.0 - static_cast<double>(FZStream.total_out) / static_cast<double>(FZStream.total_in)) *
                            100.0);
}

TZDecompressionStream::TZDecompressionStream(TStream& Source) : TCustomZStream(Source) {
  FZStream.next_in = FBuffer.get();
  FZStream.avail_in = 0;
  DecompressCheck(InflateInit(FZStream));
}

TZDecompressionStream::TZDecompressionStream(TStream& Source, int WindowBits) : TCustomZStream(Source) {
  FZStream.next_in = FBuffer.get();
  FZStream.avail_in = 0;
  DecompressCheck(InflateInit2(FZStream, WindowBits));
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&FZStream); }

std::int64_t TZDecompressionStream::Read(void* Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  FZStream.next_out = static_cast<Bytef*>(Buffer);
  FZStream.avail_out = static_cast<uInt>(std::min<std::int64_t>(Count, UINT_MAX));
  const std::int64_t asked = FZStream.avail_out;
  RestoreStreamPos();
  while (FZStream.avail_out > 0 && result_ != Z_STREAM_END) {
    if (FZStream.avail_in == 0) {
      FZStream.avail_in = static_cast<uInt>(FStream.Read(FBuffer.get(), kBufferSize));
      if (FZStream.avail_in == 0) break;  // the source ended inside the zlib stream
      FZStream.next_in = FBuffer.get();
      FStreamPos = FStream.Position();
      DoProgress();
    }
    result_ = DecompressCheck(inflate(&FZStream, Z_NO_FLUSH));
  }
  // Give back what was read beyond the end of the zlib stream: the source then stands right
  // behind it, where the next stream or record begins.
  if (result_ == Z_STREAM_END && FZStream.avail_in > 0) {
    FStreamPos = FStream.Seek(-static_cast<std::int64_t>(FZStream.avail_in), classlib::soCurrent);
    FZStream.avail_in = 0;
  }
  return asked - static_cast<std::int64_t>(FZStream.avail_out);
}

std::int64_t TZDecompressionStream::Write(const void*, std::int64_t) {
  throw EZDecompressionError(kInvalidZStreamOperation);
}

void TZDecompressionStream::Skip(std::int64_t count) {
  std::uint8_t scrap[kSkipPiece];
  while (count > 0) {
    const auto piece = static_cast<std::size_t>(std::min<std::int64_t>(count, kSkipPiece));
    ReadBuffer(scrap, static_cast<std::int64_t>(piece));
    count -= static_cast<std::int64_t>(piece);
  }
}

std::int64_t TZDecompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const auto delivered = static_cast<std::int64_t>(FZStream.total_out);
  if (Offset == 0 && Origin == classlib::soBeginning) {
    // Restarts at position 0 of the whole source, not where this stream began.
    DecompressCheck(inflateReset(&FZStream));
    FZStream.next_in = FBuffer.get();
    FZStream.avail_in = 0;
    result_ = Z_OK;
    FStream.SetPosition(0);
    FStreamPos = 0;
  } else if (Origin == classlib::soCurrent && Offset >= 0) {
    Skip(Offset);
  } else if (Origin == classlib::soBeginning && Offset > delivered) {
    Skip(Offset - delivered);
  } else if (Origin == classlib::soBeginning && Offset == delivered) {
    // Already there (setting Position to itself).
  } else if (Origin == classlib::soEnd && Offset == 0) {
    std::uint8_t scrap[kSkipPiece];
    while (Read(scrap, sizeof scrap) > 0) {}
  } else {
    throw EZDecompressionError(kInvalidZStreamOperation);
  }
  return static_cast<std::int64_t>(FZStream.total_out);
}

// ---- buffer routines

std::vector<std::uint8_t> ZCompress(std::span<const std::uint8_t> In, TZCompressionLevel Level) {
  z_stream zs{};
  CompressCheck(DeflateInit(zs, Level));
  DeflateEnd end{zs};
  return CompressBuffer(In, zs);
}

std::vector<std::uint8_t> ZCompress2(std::span<const std::uint8_t> In, TZCompressionLevel Level, int WindowBits,
                                     int MemLevel, TZStrategy Strategy) {
  z_stream zs{};
  CompressCheck(DeflateInit2(zs, Level, WindowBits, MemLevel, Strategy));
  DeflateEnd end{zs};
  return CompressBuffer(In, zs);
}

std::vector<std::uint8_t> ZDecompress(std::span<const std::uint8_t> In, std::size_t OutEstimate) {
  z_stream zs{};
  DecompressCheck(InflateInit(zs));
  InflateEnd end{zs};
  return DecompressBuffer(In, OutEstimate, zs);
}

std::vector<std::uint8_t> ZDecompress2(std::span<const std::uint8_t> In, std::size_t OutEstimate, int WindowBits) {
  z_stream zs{};
  DecompressCheck(InflateInit2(zs, WindowBits));
  InflateEnd end{zs};
  return DecompressBuffer(In, OutEstimate, zs);
}

// ---- stream routines

void ZCompressStream(TStream& In, TStream& Out, TZCompressionLevel Level) {
  z_stream zs{};
  CompressCheck(DeflateInit(zs, Level));
  DeflateEnd end{zs};
  CompressStream(In, Out, zs);
}

void ZCompressStream2(TStream& In, TStream& Out, TZCompressionLevel Level, int WindowBits, int MemLevel,
                      TZStrategy Strategy) {
  z_stream zs{};
  CompressCheck(DeflateInit2(zs, Level, WindowBits, MemLevel, Strategy));
  DeflateEnd end{zs};
  CompressStream(In, Out, zs);
}

void ZCompressStreamWeb(TStream& In, TStream& Out) {
  ZCompressStream2(In, Out, TZCompressionLevel::zcFastest, -15, 9, TZStrategy::zsDefault);
}

void ZDecompressStream(TStream& In, TStream& Out) {
  z_stream zs{};
  DecompressCheck(InflateInit(zs));
  InflateEnd end{zs};
  DecompressStream(In, Out, zs);
}

void ZDecompressStream2(TStream& In, TStream& Out, int WindowBits) {
  z_stream zs{};
  DecompressCheck(InflateInit2(zs, WindowBits));
  InflateEnd end{zs};
  DecompressStream(In, Out, zs);
}

// ---- string routines

std::string ZCompressStr(std::string_view S, TZCompressionLevel Level) {
  return StringOf(ZCompress(BytesOf(S), Level));
}

std::string ZCompressStrEx(std::string_view S, TZCompressionLevel Level) {
  const auto size = static_cast<std::uint32_t>(CheckedCount(S.size()));
  std::string result{static_cast<char>(size & 0xFF), static_cast<char>(size >> 8 & 0xFF),
                     static_cast<char>(size >> 16 & 0xFF), static_cast<char>(size >> 24 & 0xFF)};
  return result + ZCompressStr(S, Level);
}

std::string ZCompressStr2(std::string_view S, TZCompressionLevel Level, int WindowBits, int MemLevel,
                          TZStrategy Strategy) {
  return StringOf(ZCompress2(BytesOf(S), Level, WindowBits, MemLevel, Strategy));
}

std::string ZCompressStrWeb(std::string_view S) {
  return ZCompressStr2(S, TZCompressionLevel::zcFastest, -15, 9, TZStrategy::zsDefault);
}

std::string ZDecompressStr(std::string_view S) { return StringOf(ZDecompress(BytesOf(S))); }

std::string ZDecompressStrEx(std::string_view S) {
  if (S.size() < 4) throw EZDecompressionError(Z_BUF_ERROR);
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(S[i])); };
  const std::uint32_t size = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
  // The stored length is only an estimate: a damaged one must not decide the allocation.
  const std::size_t estimate = std::min<std::size_t>(size, (S.size() - 4) * 1032 + 1024);
  return StringOf(ZDecompress(BytesOf(S.substr(4)), estimate));
}

std::string ZDecompressStr2(std::string_view S, int WindowBits) {
  return StringOf(ZDecompress2(BytesOf(S), 0, WindowBits));
}

std::uint32_t ZAdler32(std::uint32_t Adler, const void* Buffer, std::size_t Size) {
  return static_cast<std::uint32_t>(adler32(Adler, static_cast<const Bytef*>(Buffer), CheckedCount(Size)));
}

std::uint32_t ZCrc32(std::uint32_t Crc, const void* Buffer, std::size_t Size) {
  return static_cast<std::uint32_t>(crc32(Crc, static_cast<const Bytef*>(Buffer), CheckedCount(Size)));
}

}  // namespace skin
