#pragma once
// Puts right the checksums that would stop almost every mutated input before the decoders: the
// harness repairs its own copy of the input, the program under test stays as it ships.
//   - PNG: each chunk's CRC-32, and the Adler-32 at the end of the image data's zlib stream;
//   - packed skins: each entry's zlib header, Adler-32 and stated size, and the PNG files inside.
#include <cstdint>
#include <vector>

namespace fuzz {

using Bytes = std::vector<std::uint8_t>;

// A PNG file (anything after the 8-byte signature) with its checksums made to match. Bytes that
// are not a PNG, and chunks that run past the end, are left as they are.
void RepairPng(Bytes& png);

// A packed skin rebuilt from what its entries inflate to (as far as each stream decodes, whatever
// its check value says), PNG entries repaired, every entry packed again whole. Input that is not
// a packed skin comes back unchanged.
Bytes RepackSkin(const Bytes& packed);

}  // namespace fuzz
