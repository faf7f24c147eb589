#pragma once
// The simulated unit on an in-memory line as the master's active line, with the frames it
// received, for the page series and tunnel tests.
#include <string>
#include <vector>

#include "app/link/ByteLine.h"
#include "tools/kt8unit/SimLine.h"

class SimUnit {
 public:
  SimUnit() {
    slave.SetLog([this](const std::string& line) {
      if (line.rfind("RX ", 0) == 0) received.push_back(line.substr(3));
    });
    app::link::SetActiveLine(&line);
  }
  ~SimUnit() { app::link::SetActiveLine(nullptr); }
  SimUnit(const SimUnit&) = delete;
  SimUnit& operator=(const SimUnit&) = delete;

  // A request frame as the log shows it: the bytes and the unit's CRC.
  static std::string Frame(std::vector<std::uint8_t> body) {
    kt8::AppendUnitCrc(body);
    return kt8::Hex(body);
  }

  kt8::UnitModel unit{kt8::UnitOptions{}, kt8::SimLine::Epoch()};
  kt8::Slave slave{unit};
  kt8::SimLine line{slave};
  std::vector<std::string> received;
};
