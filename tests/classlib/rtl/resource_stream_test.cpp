#include "classlib/ResourceStream.h"

#include <gtest/gtest.h>

#include <string>

#include "classlib/Exception.h"
#include "classlib/FormReader.h"

using namespace classlib;

TEST(ResourceStream, ReadsAFormDescriptionCompiledIntoTheExecutable) {
  TResourceStream byName(GetModuleHandleW(nullptr), L"TESTFORM");
  std::string text(static_cast<std::size_t>(byName.Size()), '\0');
  byName.ReadBuffer(text.data(), byName.Size());
  const forms::ObjectNode form = forms::ReadForm(text);
  EXPECT_EQ(form.name, L"Probe");
  EXPECT_EQ(form.properties.at(0).value.text, L"Проверка");

  TResourceStream byId(GetModuleHandleW(nullptr), 42);
  EXPECT_EQ(byId.Size(), byName.Size());
  EXPECT_THROW(byId.WriteBuffer("x", 1), EStreamError);
  char c;
  byId.Seek(0, soEnd);
  EXPECT_EQ(byId.Read(&c, 1), 0);
}

TEST(ResourceStream, AMissingResourceIsNamed) {
  try {
    TResourceStream missing(GetModuleHandleW(nullptr), L"NOSUCHFORM");
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource NOSUCHFORM not found");
  }
}
