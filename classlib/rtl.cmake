# Run-time library: strings, conversions, format settings, dates, streams, INI files, form descriptions.
target_sources(classlib_core PRIVATE
  DateUtils.cpp
  FloatDigits.cpp
  Format.cpp
  FormatFloat.cpp
  FormatSettings.cpp
  FormReader.cpp
  FormWriter.cpp
  IniFiles.cpp
  RadioGroupLayout.cpp
  Streams.cpp
  StringList.cpp
  StringListFiles.cpp
  SysUtils.cpp
  TextEncoding.cpp)
if(TARVISEL_WIN32)
  target_sources(classlib_core PRIVATE FileHandleWin32.cpp FormatSettingsWin32.cpp IniFileWin32.cpp RegistryWin32.cpp ResourceStream.cpp SystemClockWin32.cpp)
else()
  target_sources(classlib_core PRIVATE FileHandleHost.cpp FormatSettingsHost.cpp SystemClockHost.cpp)
endif()
