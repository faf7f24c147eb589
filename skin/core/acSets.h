#pragma once
// Small value sets: a set of enumeration values (at most 32 of them) and a 256-bit set of
// byte-sized codes. Both are literal types so that the engine's tables are compile-time data.
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace skin {

template <typename E>
class TacSet {
  static_assert(std::is_enum_v<E>);

 public:
  constexpr TacSet() = default;
  constexpr TacSet(std::initializer_list<E> items) {
    for (E item : items) bits_ |= Bit(item);
  }

  constexpr bool Contains(E item) const { return (bits_ & Bit(item)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TacSet& Include(E item) {
    bits_ |= Bit(item);
    return *this;
  }
  constexpr TacSet& Exclude(E item) {
    bits_ &= ~Bit(item);
    return *this;
  }
  constexpr std::uint32_t Bits() const { return bits_; }
  static constexpr TacSet FromBits(std::uint32_t bits) {
    TacSet s;
    s.bits_ = bits;
    return s;
  }

  friend constexpr TacSet operator|(TacSet a, TacSet b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr TacSet operator&(TacSet a, TacSet b) { return FromBits(a.bits_ & b.bits_); }
  friend constexpr TacSet operator-(TacSet a, TacSet b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr bool operator==(TacSet, TacSet) = default;

 private:
  static constexpr std::uint32_t Bit(E item) {
    return std::uint32_t{1} << static_cast<unsigned>(static_cast<std::underlying_type_t<E>>(item));
  }
  std::uint32_t bits_ = 0;
};

// Codes 0..255; anything outside that range belongs to no such set.
class TacCodeSet {
 public:
  struct Range {
    int First;
    int Last;
  };

  constexpr TacCodeSet() = default;
  constexpr TacCodeSet(std::initializer_list<Range> ranges) {
    for (const Range& r : ranges)
      for (int code = r.First; code <= r.Last; ++code) Include(code);
  }

  constexpr bool Contains(int code) const {
    if (code < 0 || code > 255) return false;
    return (words_[code >> 6] >> (code & 63) & 1u) != 0;
  }
  constexpr void Include(int code) {
    if (code >= 0 && code <= 255) words_[code >> 6] |= std::uint64_t{1} << (code & 63);
  }

 private:
  std::uint64_t words_[4] = {0, 0, 0, 0};
};

// A set of 8-bit characters, as word delimiters are given.
class TacCharSet {
 public:
  constexpr TacCharSet() = default;
  // Every character of `chars` is a member.
  template <std::size_t N>
  constexpr TacCharSet(const char (&chars)[N]) {
    for (std::size_t i = 0; i + 1 < N; ++i) Include(static_cast<unsigned char>(chars[i]));
  }
  constexpr TacCharSet(std::initializer_list<char> chars) {
    for (char c : chars) Include(static_cast<unsigned char>(c));
  }

  constexpr bool Contains(unsigned char c) const { return (words_[c >> 6] >> (c & 63) & 1u) != 0; }
  constexpr bool Contains(char c) const { return Contains(static_cast<unsigned char>(c)); }
  constexpr void Include(unsigned char c) { words_[c >> 6] |= std::uint64_t{1} << (c & 63); }

 private:
  std::uint64_t words_[4] = {0, 0, 0, 0};
};

}  // namespace skin
