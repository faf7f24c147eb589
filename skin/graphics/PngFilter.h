#pragma once
// Undoing the PNG row filters (None, Sub, Up, Average, Paeth) in place.
#include <cstddef>
#include <cstdint>

namespace skin {

// Line and PrevLine point at the row data after the filter byte; BPP is the distance to the
// left neighbour in bytes (1 to 8). Target receives the result and may equal Line. A filter
// type above 4 leaves the row as it is. PrevLine is all zero for the first row of a pass.
void ApplyFilter(std::uint8_t Filter, const std::uint8_t* Line, const std::uint8_t* PrevLine, std::uint8_t* Target,
                 int BPP, std::size_t BytesPerRow);

// Two consecutive rows in place: First against PrevLine, then Second against First. Rows that
// both use Paeth are undone side by side, which is faster than one after the other.
void ApplyFilterTwoRows(std::uint8_t FirstFilter, std::uint8_t* First, std::uint8_t SecondFilter, std::uint8_t* Second,
                        const std::uint8_t* PrevLine, int BPP, std::size_t BytesPerRow);

// The byte-at-a-time form that the vector paths must equal.
void ApplyFilterScalar(std::uint8_t Filter, const std::uint8_t* Line, const std::uint8_t* PrevLine,
                       std::uint8_t* Target, int BPP, std::size_t BytesPerRow);

}  // namespace skin
