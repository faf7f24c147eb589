#pragma once
// The texts the PNG reader reports; the user sees them in the load error.
namespace skin::png_messages {

inline constexpr const wchar_t* kInvalidFormat = L"Cannot load image. Invalid or unexpected PNG image format.";
inline constexpr const wchar_t* kCompressionScheme =
    L"Cannot load image. The compression scheme is not supported for PNG files.";
inline constexpr const wchar_t* kInvalidPalette = L"Cannot load image. Palette in PNG file is invalid.";
inline constexpr const wchar_t* kCRCError = L"Cannot load image. CRC error found in PNG file.";
inline constexpr const wchar_t* kUnknownCriticalChunk =
    L"Cannot load PNG image. Unexpected but critical chunk detected.";
inline constexpr const wchar_t* kInvalidColorFormat = L"Invalid color format in PNG file.";
inline constexpr const wchar_t* kExtraCompressedData = L"Cannot load image. Extra compressed data found in PNG file.";
inline constexpr const wchar_t* kCompressionError = L"Cannot load image. Compression error found in PNG file.";
inline constexpr const wchar_t* kLZ77Error = L"LZ77 decompression error.";
inline constexpr const wchar_t* kReadError = L"Stream read error";
// Our own: image data that is missing or ends before the last row, and sizes beyond the limit.
inline constexpr const wchar_t* kImageDataMissing =
    L"Cannot load image. Image data in PNG file is missing or incomplete.";
inline constexpr const wchar_t* kImageTooLarge = L"Cannot load image. The PNG image is too large.";

}  // namespace skin::png_messages
