#pragma once
// The platform's share of the start-up and shut-down of the shared constants: the win32 build
// reads the system metrics and the string table, the portable build keeps the built-in values.
namespace skin::detail {

void sConstPlatformStartup();
void sConstPlatformShutdown();

}  // namespace skin::detail
