#pragma once
// A set of enumeration values, as the component library's set-typed properties use them
// (ControlStyle, Anchors, BorderIcons, font styles, shift states). Enumerators must be < 64.
#include <cstdint>
#include <initializer_list>

namespace classlib {

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  static constexpr TSet FromBits(std::uint64_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }

  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr std::uint64_t Bits() const { return bits_; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }

  friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.bits_ & ~b.bits_); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
  friend constexpr TSet operator+(TSet a, E e) { return a.Include(e); }
  friend constexpr TSet operator-(TSet a, E e) { return a.Exclude(e); }
  constexpr TSet& operator+=(TSet b) { return *this = *this + b; }
  constexpr TSet& operator-=(TSet b) { return *this = *this - b; }
  constexpr TSet& operator+=(E e) { return Include(e); }
  constexpr TSet& operator-=(E e) { return Exclude(e); }
  friend constexpr bool operator==(TSet a, TSet b) = default;

 private:
  static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
  std::uint64_t bits_ = 0;
};

}  // namespace classlib
