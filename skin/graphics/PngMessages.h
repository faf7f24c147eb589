#pragma once
// The texts the PNG reader reports; the user sees them in the load error.
namespace skin::png_messages {

inline constexpr const char* kInvalidFormat = "Cannot load image. Invalid or unexpected PNG image format.";
inline constexpr const char* kCompressionScheme =
    "Cannot load image. The compression scheme is not supported for PNG files.";
inline constexpr const char* kInvalidPalette = "Cannot load image. Palette in PNG file is invalid.";
inline constexpr const char* kCRCError = "Cannot load image. CRC error found in PNG file.";
inline constexpr const char* kUnknownCriticalChunk = "Cannot load PNG image. Unexpected but critical chunk detected.";
inline constexpr const char* kInvalidColorFormat = "Invalid color format in PNG file.";
inline constexpr const char* kExtraCompressedData = "Cannot load image. Extra compressed data found in PNG file.";
inline constexpr const char* kCompressionError = "Cannot load image. Compression error found in PNG file.";
inline constexpr const char* kLZ77Error = "LZ77 decompression error.";
inline constexpr const char* kReadError = "Stream read error";
// Our own: image data that is missing or ends before the last row, and sizes beyond the limit.
inline constexpr const char* kImageDataMissing = "Cannot load image. Image data in PNG file is missing or incomplete.";
inline constexpr const char* kImageTooLarge = "Cannot load image. The PNG image is too large.";

}  // namespace skin::png_messages
