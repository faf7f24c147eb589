# cmake -DFORM=... -DSKIN=... -DOUTPUT=... -P EmbedSkin.cmake
# Writes the window description FORM to OUTPUT with the packed skin SKIN written into the one
# binary value marked for it, so that the program carries the committed skin byte for byte and
# the repository holds it only once.
set(_marker "Data = {}  // the build puts resources/skin/Tarvisel.asz here")
file(READ "${FORM}" _text)
string(FIND "${_text}" "${_marker}" _first)
string(FIND "${_text}" "${_marker}" _last REVERSE)
if(_first EQUAL -1 OR NOT _first EQUAL _last)
  message(FATAL_ERROR "${FORM} must hold the line '${_marker}' exactly once")
endif()
file(READ "${SKIN}" _hex HEX)
if(_hex STREQUAL "")
  message(FATAL_ERROR "${SKIN} is empty")
endif()
string(TOUPPER "${_hex}" _hex)
# 64 bytes a line, indented under the property.
string(REGEX REPLACE "([0-9A-F]{128})" "\\1\n          " _hex "${_hex}")
string(REPLACE "${_marker}" "Data = {\n          ${_hex}}" _text "${_text}")
file(WRITE "${OUTPUT}.tmp" "${_text}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
