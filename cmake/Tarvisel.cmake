# Shared settings and helpers of both builds.
include(CTest)

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(TARVISEL_WIN32 ON)
  # Both Windows trees (32- and 64-bit) build the same sources; they differ in their MinGW target
  # and the Wine that runs their tests.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TARVISEL_MINGW_TRIPLE x86_64-w64-mingw32)
    set(TARVISEL_WINE_ARCH win64)
    set(_jpeg_name mingw64)
  else()
    set(TARVISEL_MINGW_TRIPLE i686-w64-mingw32)
    set(TARVISEL_WINE_ARCH win32)
    set(_jpeg_name mingw32)
  endif()
  # scripts/wine-prefix and scripts/wine-run read this to pick the Wine that runs the tree.
  file(WRITE ${CMAKE_BINARY_DIR}/wine-arch "${TARVISEL_WINE_ARCH}\n")
else()
  set(TARVISEL_WIN32 OFF)
endif()

add_library(tarvisel_options INTERFACE)
target_compile_options(tarvisel_options INTERFACE -Wall -Wextra -Wno-unused-parameter)
target_include_directories(tarvisel_options INTERFACE ${CMAKE_SOURCE_DIR})
if(TARVISEL_WIN32)
  target_compile_definitions(tarvisel_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                             _WIN32_WINNT=0x0601 WINVER=0x0601)
  # A pointer or handle squeezed through a 32-bit integer works in the 32-bit build and breaks in
  # the 64-bit one: both Windows trees refuse it at compile time.
  target_compile_options(tarvisel_options INTERFACE -Werror=int-to-pointer-cast -Werror=narrowing
                         $<$<COMPILE_LANGUAGE:C>:-Werror=pointer-to-int-cast>)
endif()
if(TARVISEL_SANITIZE AND NOT TARVISEL_WIN32)
  target_compile_options(tarvisel_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                         -fno-omit-frame-pointer)
  target_link_options(tarvisel_options INTERFACE -fsanitize=address,undefined)
endif()

if(TARVISEL_FUZZ AND NOT TARVISEL_WIN32)
  target_compile_options(tarvisel_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# Every test program links the whole engine statically: with their debug information the two
# Windows trees outgrow a modest build disk (several gigabytes each). Turn this on to debug a test
# under Wine with gdb; tarvisel.exe keeps its debug information in tarvisel.dbg either way.
option(TARVISEL_WIN_TEST_DEBUG_INFO "Keep debug information in the Windows test programs" OFF)
set(TARVISEL_TEST_LINK_OPTIONS)
if(TARVISEL_WIN32 AND NOT TARVISEL_WIN_TEST_DEBUG_INFO)
  set(TARVISEL_TEST_LINK_OPTIONS -Wl,--strip-debug)
endif()

if(TARVISEL_WIN32)
  # The static archive: tarvisel.exe carries zlib and needs no DLL beside it.
  set(ZLIB_LIBRARY /usr/${TARVISEL_MINGW_TRIPLE}/lib/libz.a CACHE FILEPATH "" FORCE)
endif()
find_package(ZLIB REQUIRED)

# libjpeg: Debian's package on the host; for Windows the copies scripts/setup builds from Debian's source.
if(TARVISEL_WIN32)
  set(_jpeg ${TARVISEL_CACHE}/libjpeg-${_jpeg_name})
  if(EXISTS ${_jpeg}/lib/libjpeg.a)
    add_library(tarvisel_jpeg STATIC IMPORTED GLOBAL)
    set_target_properties(tarvisel_jpeg PROPERTIES IMPORTED_LOCATION ${_jpeg}/lib/libjpeg.a
                          INTERFACE_INCLUDE_DIRECTORIES ${_jpeg}/include)
  else()
    message(FATAL_ERROR "libjpeg for ${TARVISEL_WINE_ARCH} is missing in ${_jpeg}: run scripts/setup")
  endif()
else()
  find_package(JPEG REQUIRED)
  add_library(tarvisel_jpeg INTERFACE)
  target_link_libraries(tarvisel_jpeg INTERFACE JPEG::JPEG)
endif()

# GoogleTest: Debian's build on the host, compiled from its sources for win32.
if(BUILD_TESTING)
  if(TARVISEL_WIN32)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

set(TARVISEL_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run)

# tarvisel_add_test(name SOURCES a.cpp... LIBS lib... [LABELS l...] [PROPERTIES k v...])
# One GoogleTest executable; under win32 CTest runs it through Wine, passing its exit code on.
function(tarvisel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;PROPERTIES;ARGS" ${ARGN})
  if(NOT BUILD_TESTING)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tarvisel_options ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_link_options(${name} PRIVATE ${TARVISEL_TEST_LINK_OPTIONS})
  if(TARVISEL_WIN32)
    add_test(NAME ${name} COMMAND ${TARVISEL_WINE_RUN} ${CMAKE_BINARY_DIR} $<TARGET_FILE:${name}> ${T_ARGS})
    set(_labels win32 ${T_LABELS})
  else()
    add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
    set(_labels host ${T_LABELS})
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "${_labels}" TIMEOUT 600)
  if(T_PROPERTIES)
    set_tests_properties(${name} PROPERTIES ${T_PROPERTIES})
  endif()
endfunction()

# tarvisel_add_fuzzer(name SOURCES a.cpp... LIBS lib...): a libFuzzer target in the fuzz build.
function(tarvisel_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT TARVISEL_FUZZ OR TARVISEL_WIN32)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE tarvisel_options ${F_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
endfunction()
