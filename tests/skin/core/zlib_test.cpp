#include "skin/core/acZLibEx.h"

#include <gtest/gtest.h>

#include "ZlibFixture.h"

namespace skin {
namespace {

using testing::Bytes;
using testing::NoiseOf;
using testing::Unzlib;
using testing::ZlibOf;

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(ZLib, ErrorsCarryZlibsCodeAndText) {
  const EZDecompressionError error(Z_DATA_ERROR);
  EXPECT_EQ(error.ErrorCode(), -3);
  EXPECT_EQ(error.Message(), L"data error");
  EXPECT_EQ(ZErrorText(2), "need dictionary");
  EXPECT_EQ(ZErrorText(-6), "incompatible version");
  EXPECT_EQ(ZErrorText(-7), "");
  EXPECT_EQ(ZLevelValue(TZCompressionLevel::zcDefault), -1);
  EXPECT_EQ(ZLevelValue(TZCompressionLevel::zcMax), 9);
  EXPECT_EQ(ZLevelValue(TZCompressionLevel::zcLevel7), 7);
}

TEST(ZLib, ChecksumsAreZlibs) {
  EXPECT_EQ(ZAdler32(1, "Wikipedia", 9), 0x11E60398u);
  EXPECT_EQ(ZCrc32(0, "123456789", 9), 0xCBF43926u);
}

TEST(ZLib, BufferAndStringRoutinesRoundTrip) {
  for (const std::string& data : {std::string(), std::string("a"), std::string(100000, 'x'), NoiseOf(70000)}) {
    SCOPED_TRACE(data.size());
    const std::vector<std::uint8_t> packed = ZCompress(Bytes(data));
    EXPECT_EQ(Unzlib(packed, data.size()), data);
    EXPECT_EQ(Text(ZDecompress(packed)), data);
    EXPECT_EQ(Text(ZDecompress(packed, 1)), data);  // an estimate far too small grows
    EXPECT_EQ(ZDecompressStr(ZCompressStr(data, TZCompressionLevel::zcMax)), data);
    EXPECT_EQ(ZDecompressStrEx(ZCompressStrEx(data)), data);
    EXPECT_EQ(ZDecompressStr2(ZCompressStrWeb(data), -15), data);
  }
  const std::string ex = ZCompressStrEx("hello");
  EXPECT_EQ(ex.substr(0, 4), std::string("\x05\x00\x00\x00", 4));
}

TEST(ZLib, BufferRoutinesRaiseOnBadInput) {
  std::vector<std::uint8_t> packed = ZlibOf(NoiseOf(5000));
  const std::vector<std::uint8_t> truncated(packed.begin(), packed.begin() + packed.size() / 2);
  try {
    ZDecompress(truncated);
    FAIL() << "truncated data was accepted";
  } catch (const EZDecompressionError& e) {
    EXPECT_EQ(e.ErrorCode(), Z_BUF_ERROR);
  }
  packed[0] = 0x00;  // not a zlib header
  EXPECT_THROW(ZDecompress(packed), EZDecompressionError);
  EXPECT_THROW(ZDecompress({}), EZDecompressionError);
  EXPECT_THROW(ZDecompress(testing::ZlibWithDictionary("data", "dict")), EZDecompressionError);
}

TEST(ZDecompressionStream, ReadsStreamsStoredBackToBack) {
  const std::string first = NoiseOf(3000, 7), second = "second payload";
  std::vector<std::uint8_t> source = Bytes("HDR");
  for (const std::string* part : {&first, &second}) {
    const auto packed = ZlibOf(*part);
    source.insert(source.end(), packed.begin(), packed.end());
  }
  const std::size_t firstEnd = 3 + ZlibOf(first).size();
  source.insert(source.end(), {'T', 'A', 'I', 'L'});
  classlib::TMemoryStream stream;
  testing::Fill(stream, source);
  stream.SetPosition(3);

  std::string got(first.size() + 100, '\0');
  {
    TZDecompressionStream z(stream);
    int progress = 0;
    z.OnProgress = [&](TCustomZStream&) { ++progress; };
    EXPECT_EQ(z.Read(got.data(), 1000), 1000u);
    stream.SetPosition(0);  // someone else moves the source meanwhile
    EXPECT_EQ(z.Read(got.data() + 1000, got.size() - 1000), first.size() - 1000);
    EXPECT_EQ(progress, 1);
  }
  got.resize(first.size());
  EXPECT_EQ(got, first);
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(firstEnd));  // unused input given back

  TZDecompressionStream z2(stream);
  std::string got2(64, '\0');
  got2.resize(z2.Read(got2.data(), got2.size()));
  EXPECT_EQ(got2, second);
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(source.size() - 4));
  EXPECT_EQ(z2.Read(got2.data(), 1), 0u);  // past the end of the zlib stream
}

TEST(ZDecompressionStream, SeeksForwardAndRestartsAtTheSourcesStart) {
  const std::string data = "0123456789abcdefghij";
  std::vector<std::uint8_t> source = Bytes("XY");
  const auto packed = ZlibOf(data);
  source.insert(source.end(), packed.begin(), packed.end());
  classlib::TMemoryStream stream;
  testing::Fill(stream, source);
  stream.SetPosition(2);
  TZDecompressionStream z(stream);
  char c = 0;
  EXPECT_EQ(z.Seek(5, TSeekOrigin::soCurrent), 5);
  z.ReadBuffer(&c, 1);
  EXPECT_EQ(c, '5');
  EXPECT_EQ(z.Seek(10, TSeekOrigin::soBeginning), 10);
  EXPECT_EQ(z.Position(), 10);
  z.SetPosition(10);  // to where it stands: no move
  z.ReadBuffer(&c, 1);
  EXPECT_EQ(c, 'a');
  EXPECT_EQ(z.Seek(0, TSeekOrigin::soEnd), static_cast<std::int64_t>(data.size()));
  EXPECT_THROW(z.Seek(-1, TSeekOrigin::soCurrent), EZDecompressionError);
  EXPECT_THROW(z.Seek(3, TSeekOrigin::soBeginning), EZDecompressionError);
  EXPECT_THROW(z.Write("x", 1), EZDecompressionError);
  EXPECT_THROW(z.Seek(50, TSeekOrigin::soCurrent), classlib::EReadError);  // runs off the end

  // (0, beginning) goes to position 0 of the whole source, not to where the stream began.
  EXPECT_EQ(z.Seek(0, TSeekOrigin::soBeginning), 0);
  EXPECT_EQ(stream.Position(), 0);
  try {
    z.ReadBuffer(&c, 1);  // "XY" is no zlib header
    FAIL() << "read a zlib stream where there is none";
  } catch (const EZDecompressionError& e) {
    EXPECT_EQ(e.Message(), L"data error");
  }
}

TEST(ZDecompressionStream, ShortSourceGivesAShortCountAndADictionaryStreamRaises) {
  const std::string data = NoiseOf(4000);
  auto packed = ZlibOf(data);
  packed.resize(packed.size() / 2);
  classlib::TMemoryStream truncated;
  testing::Fill(truncated, packed);
  TZDecompressionStream z(truncated);
  std::string got(data.size(), '\0');
  const std::size_t n = z.Read(got.data(), got.size());
  EXPECT_GT(n, 0u);
  EXPECT_LT(n, data.size());

  classlib::TMemoryStream dictionary;
  testing::Fill(dictionary, testing::ZlibWithDictionary("needs a dictionary", "dictionary"));
  TZDecompressionStream zd(dictionary);
  try {
    zd.Read(got.data(), 10);
    FAIL() << "a stream that needs a dictionary was read";
  } catch (const EZDecompressionError& e) {
    EXPECT_EQ(e.ErrorCode(), Z_NEED_DICT);
  }
}

TEST(ZCompressionStream, WritesOneZlibStreamInPieces) {
  const std::string data = NoiseOf(300000) + std::string(200000, 'z');
  classlib::TMemoryStream target;
  target.Write("P", 1);
  {
    TZCompressionStream z(target, TZCompressionLevel::zcLevel6);
    int progress = 0;
    z.OnProgress = [&](TCustomZStream&) { ++progress; };
    for (std::size_t at = 0; at < data.size(); at += 7777)
      z.WriteBuffer(data.data() + at, std::min<std::size_t>(7777, data.size() - at));
    EXPECT_EQ(z.Position(), static_cast<std::int64_t>(data.size()));
    EXPECT_THROW(z.Seek(1, TSeekOrigin::soCurrent), EZCompressionError);
    char c;
    EXPECT_THROW(z.Read(&c, 1), EZCompressionError);
    z.Finish();
    EXPECT_GT(progress, 0);
    EXPECT_GT(z.GetCompressionRate(), 10.0f);
    EXPECT_THROW(z.Write("x", 1), EZCompressionError);  // finished
  }
  const auto bytes = testing::Contents(target);
  EXPECT_EQ(bytes[0], 'P');
  EXPECT_EQ(Unzlib({bytes.begin() + 1, bytes.end()}, data.size()), data);

  classlib::TMemoryStream empty;
  { TZCompressionStream z(empty); }  // the destructor finishes the stream
  EXPECT_EQ(Unzlib(testing::Contents(empty), 0), "");
}

TEST(ZStreamRoutines, RoundTripAndLeaveTheInputBehindTheStream) {
  const std::string data = NoiseOf(100000) + std::string(100000, 'q');
  classlib::TMemoryStream in, packed;
  testing::Fill(in, Bytes(data));
  ZCompressStream(in, packed);
  EXPECT_EQ(Unzlib(testing::Contents(packed), data.size()), data);

  const std::int64_t streamEnd = packed.Size();
  packed.Write("rest", 4);
  packed.SetPosition(0);
  classlib::TMemoryStream out;
  ZDecompressStream(packed, out);
  EXPECT_EQ(Text(testing::Contents(out)), data);
  EXPECT_EQ(packed.Position(), streamEnd);

  classlib::TMemoryStream raw;
  in.SetPosition(0);
  ZCompressStreamWeb(in, raw);
  raw.SetPosition(0);
  classlib::TMemoryStream rawOut;
  ZDecompressStream2(raw, rawOut, -15);
  EXPECT_EQ(Text(testing::Contents(rawOut)), data);

  classlib::TMemoryStream cut, sink;
  const std::vector<std::uint8_t> whole = testing::Contents(packed);
  testing::Fill(cut, {whole.begin(), whole.begin() + 1000});
  EXPECT_THROW(ZDecompressStream(cut, sink), EZDecompressionError);
}

}  // namespace
}  // namespace skin
