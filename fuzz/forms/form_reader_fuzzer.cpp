// Any text either reads into a tree or raises EFormError; a tree that was read writes out as text
// that reads back into the same tree.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "classlib/Exception.h"
#include "classlib/FormReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace classlib::forms;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  ObjectNode tree;
  try {
    tree = ReadForm(input);
  } catch (const classlib::EFormError&) {
    return 0;
  }
  const std::string written = WriteForm(tree);
  const std::string rewritten = WriteForm(ReadForm(written));
  if (written != rewritten) std::abort();
  return 0;
}
