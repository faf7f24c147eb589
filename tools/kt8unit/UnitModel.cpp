#include "tools/kt8unit/UnitModel.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <ctime>
#include <string_view>

namespace kt8 {
namespace {

using namespace std::chrono;

std::vector<std::uint8_t> TextBytes(std::string_view text, std::size_t size) {
  std::vector<std::uint8_t> bytes(size, 0);
  std::copy_n(text.begin(), std::min(text.size(), size), bytes.begin());
  return bytes;
}

std::array<std::uint8_t, 4> FloatBytesLsbFirst(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
          static_cast<std::uint8_t>(bits >> 24)};
}

// A measurement as the unit sends it: whole part high byte, low byte, then tenths.
std::array<std::uint8_t, 3> TenthsBytes(double value) {
  const long tenths = std::max(0L, std::lround(value * 10));
  const long whole = std::min(tenths / 10, 0xFFFFL);
  return {static_cast<std::uint8_t>(whole >> 8), static_cast<std::uint8_t>(whole & 0xFF),
          static_cast<std::uint8_t>(tenths % 10)};
}

CivilTime LocalNow() {
  const std::time_t t = std::time(nullptr);
  const std::tm* tm = std::localtime(&t);
  if (!tm) return {};
  return {tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday, tm->tm_hour, tm->tm_min, tm->tm_sec};
}

sys_seconds ToSeconds(const CivilTime& c) {
  const sys_days date{year{c.year} / month{static_cast<unsigned>(c.month)} / day{static_cast<unsigned>(c.day)}};
  return date + hours{c.hour} + minutes{c.minute} + seconds{c.second};
}

std::uint8_t IsoWeekday(sys_seconds t) { return static_cast<std::uint8_t>(weekday{floor<days>(t)}.iso_encoding()); }

}  // namespace

std::uint8_t ToBcd(int value) { return static_cast<std::uint8_t>((value / 10 % 10) << 4 | value % 10); }

std::optional<int> FromBcd(std::uint8_t bcd) {
  if ((bcd >> 4) > 9 || (bcd & 0x0F) > 9) return std::nullopt;
  return (bcd >> 4) * 10 + (bcd & 0x0F);
}

std::uint8_t Crc8Maxim(std::span<const std::uint8_t> bytes) {
  std::uint8_t crc = 0;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<std::uint8_t>((crc >> 1) ^ 0x8C) : crc >> 1;
  }
  return crc;
}

std::array<std::uint8_t, 8> ProbeIdFromSerial(std::uint32_t serial) {
  // The six decimal digits of the serial number are written into the identifier as hex digits.
  std::array<std::uint8_t, 8> id{0x3A, 0x5C, 0x7E, 0x91, 0, 0, 0, 0};
  std::uint32_t digits = 0;
  for (int shift = 0; shift < 24; shift += 4, serial /= 10) digits |= (serial % 10) << shift;
  id[4] = static_cast<std::uint8_t>(digits >> 16);
  id[5] = static_cast<std::uint8_t>(digits >> 8);
  id[6] = static_cast<std::uint8_t>(digits);
  id[7] = Crc8Maxim(std::span(id.data(), 7));
  return id;
}

UnitModel::UnitModel(const UnitOptions& options, SimClock::time_point start)
    : address_(options.address), counter_(options.counter), resolution_(options.resolution) {
  const CivilTime civil = options.clockStart.value_or(LocalNow());
  clockBase_ = ToSeconds(civil);
  clockSetAt_ = start;
  weekdayBase_ = IsoWeekday(clockBase_);
  DefineRegisterMap(options);
  for (unsigned i = 0; i < probes_.size(); ++i) {
    Probe& p = probes_[i];
    p.density = 500.7 + i * 1.5;
    p.temperature = 20.5 + (i % 8) * 0.5;
    p.adc1 = static_cast<std::uint16_t>(30000 + i * 100);
    p.adc2 = static_cast<std::uint16_t>(25000 + i * 50);
    p.adc1Dispersion = 12.3;
    p.densityAdd = 0.5;
  }
}

UnitModel::RegisterObject& UnitModel::Define(std::uint16_t start, std::uint8_t count, bool writable,
                                             std::vector<std::uint8_t> bytes) {
  bytes.resize(2u * count, 0);
  RegisterObject& object = objects_[start];
  object.count = count;
  object.writable = writable;
  object.bytes = std::move(bytes);
  return object;
}

void UnitModel::DefineRegisterMap(const UnitOptions& options) {
  constexpr bool ro = false, rw = true;
  Define(reg::Copyright, 10, ro, TextBytes("(C) 2011 KT.8 unit", 20));
  Define(reg::DeviceCode, 1, ro, {0x08, 0x01});
  Define(reg::Version, 1, ro, {2, 5});
  Define(reg::VersionDate, 2, ro, {0x00, 11, 12, 28});
  Define(reg::HwConfig, 2, rw, {0x00, options.hwConfig, 0xFF, 0x0F});
  Define(reg::InputConfig, 2, rw, {0x05, 0x00, 0x00, 0xFF});
  Define(reg::Triggers, 1, rw, {0x00, 0x00});
  Define(reg::IoBits, 1, rw, {0x00, 0x00});
  Define(reg::OwnAddress, 1, rw, {address_, 0x00}).store = [this](SimClock::time_point,
                                                                  std::span<const std::uint8_t> data) {
    if (data[0] == 0 || data[0] > 247) return ExIllegalValue;
    address_ = data[0];
    objects_[reg::OwnAddress].bytes.assign({address_, 0x00});
    return std::uint8_t{0};
  };
  Define(reg::LevelTest, 4, rw, {});
  for (std::uint16_t i = 0; i < 8; ++i) {
    Define(reg::InputToOutput + i, 1, rw, {0x00, static_cast<std::uint8_t>(1u << (i % 4))});
    // Output i: Max, 95 %, Min, H2O sensor masks, high byte first.
    Define(
        reg::LevelMasks + i, 4, rw,
        {0x00, static_cast<std::uint8_t>(1u << i), 0x00, 0x00, 0x00, static_cast<std::uint8_t>(1u << i), 0x00, 0x00});
  }
  Define(reg::Counter, 2, rw, {}).refresh = [this](SimClock::time_point, std::vector<std::uint8_t>& b) {
    b = {static_cast<std::uint8_t>(counter_ >> 24), static_cast<std::uint8_t>(counter_ >> 16),
         static_cast<std::uint8_t>(counter_ >> 8), static_cast<std::uint8_t>(counter_)};
  };
  objects_[reg::Counter].store = [this](SimClock::time_point, std::span<const std::uint8_t> d) {
    counter_ = std::uint32_t{d[0]} << 24 | std::uint32_t{d[1]} << 16 | std::uint32_t{d[2]} << 8 | d[3];
    return std::uint8_t{0};
  };
  // Position: counter times resolution, least significant byte first.
  Define(reg::Position, 2, ro, {}).refresh = [this](SimClock::time_point, std::vector<std::uint8_t>& b) {
    const auto f = FloatBytesLsbFirst(static_cast<float>(counter_) * resolution_);
    b.assign(f.begin(), f.end());
  };
  // Resolution: most significant byte first.
  Define(reg::Resolution, 2, ro, {}).refresh = [this](SimClock::time_point, std::vector<std::uint8_t>& b) {
    const auto f = FloatBytesLsbFirst(resolution_);
    b.assign(f.rbegin(), f.rend());
  };
  for (std::uint16_t p = 0; p < 32; ++p) Define(reg::Schedule + p, 4, rw, {});
  // A weekly switch-on of X1 and X3 on day 3 at 08:30:00, and a one-time switch-off.
  objects_[reg::Schedule].bytes = {0x31, 0x05, 0x11, 0x12, 0x03, 0x08, 0x30, 0x00};
  objects_[reg::Schedule + 1].bytes = {0x02, 0x01, 0x11, 0x12, 0x28, 0x08, 0x05, 0x00};
  Define(reg::DelayOn, 1, rw, {0x01, 0x2C});
  Define(reg::DelayOff, 1, rw, {0x00, 0x1E});

  Define(reg::ClockDate, 2, rw, {}).refresh = [this](SimClock::time_point now, std::vector<std::uint8_t>& b) {
    const CivilTime c = ClockAt(now);
    b = {WeekdayAt(now), ToBcd(c.year % 100), ToBcd(c.month), ToBcd(c.day)};
  };
  objects_[reg::ClockDate].store = [this](SimClock::time_point now, std::span<const std::uint8_t> d) {
    const auto y = FromBcd(d[1]), m = FromBcd(d[2]), dd = FromBcd(d[3]);
    if (d[0] < 1 || d[0] > 7 || !y || !m || !dd) return ExIllegalValue;
    const year_month_day date{year{2000 + *y}, month{static_cast<unsigned>(*m)}, day{static_cast<unsigned>(*dd)}};
    if (!date.ok()) return ExIllegalValue;
    CivilTime c = ClockAt(now);
    c.year = 2000 + *y;
    c.month = *m;
    c.day = *dd;
    SetClock(c, d[0], now);
    return std::uint8_t{0};
  };
  Define(reg::ClockTime, 2, rw, {}).refresh = [this](SimClock::time_point now, std::vector<std::uint8_t>& b) {
    const CivilTime c = ClockAt(now);
    b = {0x00, ToBcd(c.hour), ToBcd(c.minute), ToBcd(c.second)};
  };
  objects_[reg::ClockTime].store = [this](SimClock::time_point now, std::span<const std::uint8_t> d) {
    const auto h = FromBcd(d[1]), m = FromBcd(d[2]), s = FromBcd(d[3]);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return ExIllegalValue;
    CivilTime c = ClockAt(now);
    c.hour = *h;
    c.minute = *m;
    c.second = *s;
    SetClock(c, WeekdayAt(now), now);
    return std::uint8_t{0};
  };
  Define(reg::VersionText, 5, ro, TextBytes("KT.8 v2.05", 10));

  // Probe identifiers of channel c, position d at 176 + 8c + d; empty places read FF.
  for (std::uint16_t i = 0; i < 64; ++i) Define(reg::ProbeIds + i, 4, rw, std::vector<std::uint8_t>(8, 0xFF));
  const std::pair<std::uint16_t, std::uint32_t> fitted[] = {{0, 123}, {1, 124}, {2, 125}, {8, 4711}};
  for (const auto& [place, serial] : fitted) {
    const auto id = ProbeIdFromSerial(serial);
    objects_[reg::ProbeIds + place].bytes.assign(id.begin(), id.end());
  }
}

std::vector<std::uint8_t>* UnitModel::Object(std::uint16_t start) {
  auto it = objects_.find(start);
  return it == objects_.end() ? nullptr : &it->second.bytes;
}

std::uint8_t UnitModel::Read(std::uint16_t start, std::uint8_t n, SimClock::time_point now,
                             std::vector<std::uint8_t>& out) {
  auto it = objects_.find(start);
  if (it == objects_.end()) return ExIllegalAddress;
  if (n == 0) return ExIllegalValue;
  if (n > it->second.count) return ExIllegalAddress;
  RegisterObject& object = it->second;
  if (object.refresh) object.refresh(now, object.bytes);
  out.assign(object.bytes.begin(), object.bytes.begin() + 2 * n);
  return 0;
}

std::uint8_t UnitModel::Write(std::uint16_t start, std::uint8_t n, std::span<const std::uint8_t> data,
                              SimClock::time_point now) {
  auto it = objects_.find(start);
  if (it == objects_.end() || !it->second.writable) return ExIllegalAddress;
  RegisterObject& object = it->second;
  if (n != object.count) return ExIllegalAddress;
  if (data.size() != 2u * n) return ExIllegalValue;
  if (object.store) return object.store(now, data);
  object.bytes.assign(data.begin(), data.end());
  return 0;
}

bool UnitModel::ProbePresent(unsigned channel, unsigned position) {
  const auto& id = objects_[reg::ProbeIds + 8 * channel + position].bytes;
  const bool blank = std::all_of(id.begin(), id.end(), [](std::uint8_t b) { return b == 0xFF; }) ||
                     std::all_of(id.begin(), id.end(), [](std::uint8_t b) { return b == 0x00; });
  return !blank;
}

void UnitModel::Convert(unsigned channel, unsigned position) {
  Probe& p = probes_[8 * channel + position];
  ++p.conversions;
  // A little life in the readings, the same on every run.
  const double wobble = static_cast<int>(p.conversions % 3) - 1;
  p.density += 0.1 * wobble;
  p.temperature += 0.1 * wobble;
  p.adc1 = static_cast<std::uint16_t>(p.adc1 + 3 * wobble);
}

ProbeAnswer UnitModel::ProbeQuery(std::uint16_t start, std::span<const std::uint8_t> data) {
  if (start != reg::ProbeTunnel && start != reg::ProbeTunnel2) return {ExIllegalAddress, {}};
  if (data.size() < 5) return {ExIllegalValue, {}};
  const unsigned channel = data[0], position = data[1] & 0x7F, count = data[2];
  if (channel > 7 || position > 7 || count < 2 || 3u + count > data.size()) return {ExIllegalValue, {}};
  const auto command = data.subspan(3, count);
  const std::size_t length = command.back();  // how many data bytes the probe answers
  if (length == 0 || length > 200) return {ExIllegalValue, {}};
  if (!ProbePresent(channel, position)) return {ExProbeNotAnswering, {}};

  const Probe& p = probes_[8 * channel + position];
  std::vector<std::uint8_t> bytes;
  if (start == reg::ProbeTunnel && command[0] == 'I') {
    const auto t = TenthsBytes(p.density);
    bytes.assign(t.begin(), t.end());
  } else if (start == reg::ProbeTunnel && command[0] == 'Q') {
    const auto t = TenthsBytes(p.temperature);
    bytes.assign(t.begin(), t.end());
  } else if (start == reg::ProbeTunnel2 && command[0] == 0xBE && count >= 4) {
    switch (command[2]) {
      case 5: {
        const auto f = FloatBytesLsbFirst(static_cast<float>(p.densityAdd));
        bytes.assign(f.begin(), f.end());
        break;
      }
      case 9: bytes = {static_cast<std::uint8_t>(p.adc1 >> 8), static_cast<std::uint8_t>(p.adc1 & 0xFF)}; break;
      case 10:
        if (p.conversions == 0) {
          bytes = {0xFF, 0xFF, 0xFF};  // nothing measured yet
        } else {
          const auto t = TenthsBytes(p.adc1Dispersion);
          bytes.assign(t.begin(), t.end());
        }
        break;
      case 11: bytes = {static_cast<std::uint8_t>(p.adc2 >> 8), static_cast<std::uint8_t>(p.adc2 & 0xFF)}; break;
      default: return {ExIllegalValue, {}};
    }
  } else {
    return {ExIllegalValue, {}};
  }
  bytes.resize(length, 0);
  return {0, std::move(bytes)};
}

std::uint8_t UnitModel::ProbeCommand(std::uint16_t start, std::span<const std::uint8_t> data) {
  if (start != reg::ProbeTunnel && start != reg::ProbeTunnel2) return ExIllegalAddress;
  if (data.size() < 4) return ExIllegalValue;
  const unsigned channel = data[0], position = data[1] & 0x7F, count = data[2];
  const bool all = data[1] & 0x80;
  if (channel > 7 || position > 7 || count < 1 || 3u + count > data.size()) return ExIllegalValue;
  const auto command = data.subspan(3, count);

  if (start == reg::ProbeTunnel && command[0] == 'C') {
    bool any = false;
    for (unsigned d = 0; d < 8; ++d) {
      if ((all || d == position) && ProbePresent(channel, d)) {
        Convert(channel, d);
        any = true;
      }
    }
    return any ? 0 : ExProbeNotAnswering;
  }
  if (start == reg::ProbeTunnel2 && command[0] == 'N' && count == 7 && command[1] == 5) {
    if (!ProbePresent(channel, position)) return ExProbeNotAnswering;
    const std::uint32_t bits = std::uint32_t{command[3]} | std::uint32_t{command[4]} << 8 |
                               std::uint32_t{command[5]} << 16 | std::uint32_t{command[6]} << 24;
    const float value = std::bit_cast<float>(bits);
    if (!std::isfinite(value)) return ExIllegalValue;
    probes_[8 * channel + position].densityAdd = value;
    return 0;
  }
  return ExIllegalValue;
}

CivilTime UnitModel::ClockAt(SimClock::time_point now) const {
  const sys_seconds t = clockBase_ + floor<seconds>(now - clockSetAt_);
  const sys_days midnight = floor<days>(t);
  const year_month_day date{midnight};
  const hh_mm_ss time{t - midnight};
  return {static_cast<int>(date.year()),
          static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<int>(time.hours().count()),
          static_cast<int>(time.minutes().count()),
          static_cast<int>(time.seconds().count())};
}

std::uint8_t UnitModel::WeekdayAt(SimClock::time_point now) const {
  const sys_seconds t = clockBase_ + floor<seconds>(now - clockSetAt_);
  const auto elapsedDays = (floor<days>(t) - floor<days>(clockBase_)).count();
  return static_cast<std::uint8_t>((weekdayBase_ - 1 + elapsedDays % 7 + 7) % 7 + 1);
}

void UnitModel::SetClock(const CivilTime& civil, std::uint8_t weekday, SimClock::time_point now) {
  clockBase_ = ToSeconds(civil);
  clockSetAt_ = now;
  weekdayBase_ = weekday;
}

}  // namespace kt8
