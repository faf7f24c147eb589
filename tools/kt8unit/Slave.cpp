#include "tools/kt8unit/Slave.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace kt8 {
namespace {

constexpr std::uint8_t FnRead = 0x03, FnWrite = 0x10, FnProbeQuery = 0x43, FnProbeCommand = 0x50;
constexpr std::uint8_t HeaderWrite = 0x2C, HeaderRead = 0x2D;
constexpr std::size_t MaxPending = 1024;

// Written independently of the master's table code, so that the two check each other.
std::uint16_t StandardCrc(std::span<const std::uint8_t> bytes) {
  std::uint16_t crc = 0xFFFF;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
  }
  return crc;
}

int HexValue(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void PutHex(std::vector<std::uint8_t>& out, std::uint8_t byte) {
  static constexpr char digits[] = "0123456789ABCDEF";
  out.push_back(static_cast<std::uint8_t>(digits[byte >> 4]));
  out.push_back(static_cast<std::uint8_t>(digits[byte & 0x0F]));
}

std::string Printable(std::span<const std::uint8_t> chars) {
  std::string text;
  for (std::uint8_t c : chars) {
    if (c >= 0x20 && c < 0x7F) {
      text.push_back(static_cast<char>(c));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "<%02X>", c);
      text += buf;
    }
  }
  return text;
}

}  // namespace

void AppendUnitCrc(std::vector<std::uint8_t>& frame) {
  const std::uint16_t crc = StandardCrc(frame);
  frame.push_back(static_cast<std::uint8_t>(crc >> 8));
  frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
}

bool UnitCrcMatches(std::span<const std::uint8_t> frame) {
  if (frame.size() < 4) return false;
  const std::uint16_t crc = StandardCrc(frame.first(frame.size() - 2));
  return frame[frame.size() - 2] == (crc >> 8) && frame[frame.size() - 1] == (crc & 0xFF);
}

std::string Hex(std::span<const std::uint8_t> bytes) {
  std::string text;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, i ? " %02X" : "%02X", bytes[i]);
    text += buf;
  }
  return text;
}

Slave::Slave(UnitModel& unit, bool hostLink) : unit_(unit), hostLink_(hostLink) {}

void Slave::Keep(Answer answer, std::vector<Answer>& answers) {
  if (!answer.bytes.empty()) answers.push_back(std::move(answer));
}

void Slave::Note(const std::string& text) const {
  if (log_) log_(text);
}

std::vector<Answer> Slave::Receive(std::span<const std::uint8_t> bytes, SimClock::time_point now) {
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  std::vector<Answer> answers;
  if (hostLink_) {
    ReceiveHostLink(answers, now);
  } else {
    ReceiveRtu(answers, now);
  }
  if (pending_.size() > MaxPending) {
    Note("-- " + std::to_string(pending_.size()) + " bytes without a frame, dropped");
    pending_.clear();
  }
  return answers;
}

void Slave::ReceiveRtu(std::vector<Answer>& answers, SimClock::time_point now) {
  while (pending_.size() >= 2) {
    std::size_t length = 0;
    const std::uint8_t fn = pending_[1];
    if (fn == FnRead) {
      length = 8;
    } else if (fn == FnWrite || fn == FnProbeQuery || fn == FnProbeCommand) {
      if (pending_.size() < 7) return;
      length = 9u + pending_[6];
    } else {
      return;  // a function the unit does not know: the frame ends at the next silence
    }
    if (pending_.size() < length) return;
    const std::vector<std::uint8_t> frame(pending_.begin(), pending_.begin() + length);
    if (!UnitCrcMatches(frame)) {
      Note("RX " + Hex(pending_) + "  -- bad CRC, ignored");
      pending_.clear();
      return;
    }
    pending_.erase(pending_.begin(), pending_.begin() + length);
    auto rtu = HandleRtu(frame, now);
    if (!rtu.empty()) Keep(Finish(std::move(rtu), 0, 0), answers);
  }
}

std::vector<Answer> Slave::Silence(SimClock::time_point now) {
  std::vector<Answer> answers;
  if (pending_.empty()) return answers;
  if (hostLink_) {
    auto start = std::find(pending_.begin(), pending_.end(), '@');
    auto end = std::find(start, pending_.end(), '*');
    if (end != pending_.end()) {
      HandleEnvelope(std::span(&*start, static_cast<std::size_t>(end - start) + 1), answers, now);
    } else {
      Note("RX " + Printable(pending_) + "  -- incomplete envelope, dropped");
    }
  } else if (UnitCrcMatches(pending_)) {
    auto rtu = HandleRtu(pending_, now);
    if (!rtu.empty()) Keep(Finish(std::move(rtu), 0, 0), answers);
  } else {
    Note("RX " + Hex(pending_) + "  -- not a frame, dropped");
  }
  pending_.clear();
  return answers;
}

void Slave::ReceiveHostLink(std::vector<Answer>& answers, SimClock::time_point now) {
  for (;;) {
    const auto start = std::find(pending_.begin(), pending_.end(), '@');
    if (start != pending_.begin()) {
      const std::vector<std::uint8_t> stray(pending_.begin(), start);
      if (!(stray.size() == 1 && stray[0] == '\r')) Note("RX " + Printable(stray) + "  -- stray, ignored");
      pending_.erase(pending_.begin(), start);
    }
    const auto end = std::find(pending_.begin(), pending_.end(), '*');
    // The envelope is complete with the carriage return after "*": answering earlier would race
    // the master, which purges its input before it sends that last character.
    if (end == pending_.end() || end + 1 == pending_.end()) return;
    const auto begin = std::find(std::make_reverse_iterator(end), pending_.rend(), '@').base() - 1;
    const std::vector<std::uint8_t> envelope(begin, end + 1);
    pending_.erase(pending_.begin(), end + (end[1] == '\r' ? 2 : 1));
    HandleEnvelope(envelope, answers, now);
  }
}

void Slave::HandleEnvelope(std::span<const std::uint8_t> chars, std::vector<Answer>& answers,
                           SimClock::time_point now) {
  // chars: "@", hex digits, "*"
  const std::string shown = Printable(chars);
  const auto digits = chars.subspan(1, chars.size() - 2);
  std::vector<std::uint8_t> bytes;
  bool hexOk = digits.size() % 2 == 0;
  for (std::size_t i = 0; hexOk && i < digits.size(); i += 2) {
    const int hi = HexValue(digits[i]), lo = HexValue(digits[i + 1]);
    hexOk = hi >= 0 && lo >= 0;
    bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
  }
  // unit, header, length, frame, check
  if (!hexOk || bytes.size() < 4 || bytes[2] + 4u != bytes.size()) {
    Note("RX " + shown + "  -- malformed envelope, ignored");
    return;
  }
  std::uint8_t check = 0;
  for (std::size_t i = 0; i + 3 < chars.size(); ++i) check ^= chars[i];
  if (check != bytes.back()) {
    Note("RX " + shown + "  -- bad check value, ignored");
    return;
  }
  const std::uint8_t unitByte = bytes[0], header = bytes[1];
  const std::span<const std::uint8_t> frame(bytes.data() + 3, bytes[2]);
  Note("RX " + shown + "  = " + Hex(frame));
  if (header != HeaderRead && header != HeaderWrite) {
    Note("-- unknown header, ignored");
    return;
  }
  if (!UnitCrcMatches(frame)) {
    Note("-- RTU frame " + Hex(frame) + " has a bad CRC, ignored");
    return;
  }
  auto rtu = HandleRtu(frame, now);
  if (header == HeaderWrite || rtu.empty()) return;  // the instrument passes no write answers on
  Keep(Finish(std::move(rtu), header, unitByte), answers);
}

std::vector<std::uint8_t> Slave::HandleRtu(std::span<const std::uint8_t> frame, SimClock::time_point now) {
  ++framesReceived_;
  if (!hostLink_) Note("RX " + Hex(frame));
  const std::uint8_t address = frame[0];
  if (address != 0 && address != unit_.Address()) {
    Note("-- for unit " + std::to_string(address) + ", not answered");
    return {};
  }
  std::vector<std::uint8_t> answer = Respond(frame, now);
  if (address == 0) {
    Note("-- broadcast, not answered");
    return {};
  }
  if (answer.empty()) return {};
  AppendUnitCrc(answer);
  return answer;
}

std::vector<std::uint8_t> Slave::Respond(std::span<const std::uint8_t> frame, SimClock::time_point now) {
  const std::uint8_t address = frame[0], fn = frame[1];
  const auto exception = [&](std::uint8_t code) {
    return std::vector<std::uint8_t>{address, static_cast<std::uint8_t>(fn | 0x80), code};
  };
  if (faults_.exception && address != 0) return exception(faults_.exception);
  if (fn != FnRead && fn != FnWrite && fn != FnProbeQuery && fn != FnProbeCommand) {
    return exception(ExIllegalFunction);
  }
  if (frame.size() < 8) return exception(ExIllegalValue);
  const std::uint16_t start = static_cast<std::uint16_t>(frame[2] << 8 | frame[3]);
  if (frame[4] != 0) return exception(ExIllegalValue);
  const std::uint8_t n = frame[5];

  if (fn == FnRead) {
    if (address == 0) return {};
    std::vector<std::uint8_t> data;
    if (const std::uint8_t code = unit_.Read(start, n, now, data)) return exception(code);
    std::vector<std::uint8_t> answer{address, fn, static_cast<std::uint8_t>(data.size())};
    answer.insert(answer.end(), data.begin(), data.end());
    return answer;
  }

  const std::uint8_t byteCount = frame[6];
  if (frame.size() != 9u + byteCount || byteCount != 2u * n) return exception(ExIllegalValue);
  const std::span<const std::uint8_t> data = frame.subspan(7, byteCount);
  const std::vector<std::uint8_t> echo{address, fn, frame[2], frame[3], 0x00, n};
  if (fn == FnWrite) {
    if (const std::uint8_t code = unit_.Write(start, n, data, now)) return exception(code);
    return echo;
  }
  if (fn == FnProbeCommand) {
    if (const std::uint8_t code = unit_.ProbeCommand(start, data)) return exception(code);
    return echo;
  }
  ProbeAnswer probe = unit_.ProbeQuery(start, data);
  if (probe.code) return exception(probe.code);
  std::vector<std::uint8_t> answer{address, fn, static_cast<std::uint8_t>(probe.data.size())};
  answer.insert(answer.end(), probe.data.begin(), probe.data.end());
  return answer;
}

Answer Slave::Finish(std::vector<std::uint8_t> rtu, std::uint8_t header, std::uint8_t unitByte) {
  const bool faulty = faults_.Any() && faults_.count != 0;
  const Faults f = faulty ? faults_ : Faults{};
  if (faulty && faults_.count > 0 && --faults_.count == 0) faults_ = Faults{};

  if (f.wrongAddress) {
    rtu[0] = static_cast<std::uint8_t>(rtu[0] + 1);
    rtu.resize(rtu.size() - 2);
    AppendUnitCrc(rtu);
  }
  if (f.standardCrcOrder) std::swap(rtu[rtu.size() - 2], rtu[rtu.size() - 1]);
  if (f.badCrc) rtu.back() ^= 0x5A;

  std::vector<std::uint8_t> line;
  if (hostLink_) {
    line.push_back('@');
    PutHex(line, unitByte);
    PutHex(line, header);
    PutHex(line, static_cast<std::uint8_t>(rtu.size()));
    for (std::uint8_t b : rtu) PutHex(line, b);
    std::uint8_t check = 0;
    for (std::uint8_t c : line) check ^= c;
    PutHex(line, check);
    line.push_back('*');
    line.push_back('\r');
  } else {
    line = std::move(rtu);
  }
  if (f.noise > 0) {
    // Line noise; in the envelope's mode it holds the end marks that must not cut an answer off.
    static constexpr std::array<std::uint8_t, 6> rtuNoise{0x00, 0xFF, 0x13, 0x11, 0x55, 0xAA};
    static constexpr std::array<std::uint8_t, 6> textNoise{'\r', '*', '#', 0x00, 'Z', '\n'};
    std::vector<std::uint8_t> noise;
    for (int i = 0; i < f.noise; ++i) noise.push_back(hostLink_ ? textNoise[i % 6] : rtuNoise[i % 6]);
    line.insert(line.begin(), noise.begin(), noise.end());
  }
  if (f.truncateTo >= 0 && static_cast<std::size_t>(f.truncateTo) < line.size()) line.resize(f.truncateTo);
  if (f.silent) {
    Note("-- answer withheld (fault)");
    return {};
  }
  ++answersSent_;
  Note("TX " + (hostLink_ ? Printable(line) + "  = " + Hex(rtu) : Hex(line)) + (faulty ? "  (fault)" : ""));
  return {std::move(line), f.delay};
}

}  // namespace kt8
