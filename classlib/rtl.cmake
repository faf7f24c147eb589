# Run-time library: strings, conversions, format settings, dates, form descriptions.
target_sources(classlib_core PRIVATE
  DateUtils.cpp
  FloatDigits.cpp
  Format.cpp
  FormatFloat.cpp
  FormatSettings.cpp
  FormReader.cpp
  FormWriter.cpp
  StringList.cpp
  SysUtils.cpp)
if(TARVISEL_WIN32)
  target_sources(classlib_core PRIVATE FormatSettingsWin32.cpp SystemClockWin32.cpp)
else()
  target_sources(classlib_core PRIVATE FormatSettingsHost.cpp SystemClockHost.cpp)
endif()
