#include "tests/app/link/ScriptedLine.h"

#include "app/link/Modbus.h"

ActiveLineScope::ActiveLineScope(app::link::ByteLine& line) {
  app::link::SetActiveLine(&line);
  MbSetSlaveAddress(1);
  MbSetHostLinkMode(0);
}

ActiveLineScope::~ActiveLineScope() {
  app::link::SetActiveLine(nullptr);
  MbSetSlaveAddress(1);
  MbSetHostLinkMode(0);
}
