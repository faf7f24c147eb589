#include "tests/app/link/ScriptedLine.h"

#include "app/link/Modbus.h"

ActiveLineScope::ActiveLineScope(devlink::ByteLine& line) {
  devlink::SetActiveLine(&line);
  MbSetSlaveAddress(1);
  MbSetHostLinkMode(0);
}

ActiveLineScope::~ActiveLineScope() {
  devlink::SetActiveLine(nullptr);
  MbSetSlaveAddress(1);
  MbSetHostLinkMode(0);
}
