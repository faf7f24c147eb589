# Run-time library: strings, conversions, format settings, form descriptions.
target_sources(classlib_core PRIVATE
  FloatDigits.cpp
  Format.cpp
  FormatSettings.cpp
  StringList.cpp
  SysUtils.cpp)
if(TARVISEL_WIN32)
  target_sources(classlib_core PRIVATE FormatSettingsWin32.cpp)
else()
  target_sources(classlib_core PRIVATE FormatSettingsHost.cpp)
endif()
target_sources(classlib_core PRIVATE FormReader.cpp FormWriter.cpp)
