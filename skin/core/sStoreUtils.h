#pragma once
// One-call reading and writing of named values for code that uses the library: values and lists
// of lines in INI text, and the lines of one section of INI text held in a string list. The INI
// object argument is one the caller owns (usually a TMemIniFile, which the caller writes back);
// a nil one reads as empty and takes nothing. The file-name forms, fonts, the registry and form
// placement are in sStoreUtilsWin32.h.
//
// Stored layout of a list of lines: Ident + "Count" = the number of lines, Ident + "Item" + i =
// line i (i from 0, decimal).
#include <cstdint>
#include <string>

namespace classlib {
class TCustomIniFile;
class TStrings;
class TStringList;
}  // namespace classlib

namespace skin {

// The value; empty when absent.
std::wstring ReadIniString(const std::wstring& Section, const std::wstring& Ident,
                           const classlib::TCustomIniFile* IniFile);
// Default when the value is absent or empty; -1 when it is not a number (decimal, or hexadecimal
// after "$" or "0x"); 0 without an INI object.
std::int32_t ReadIniInteger(const std::wstring& Section, const std::wstring& Ident, std::int32_t Default,
                            const classlib::TCustomIniFile* IniFile);
void WriteIniStr(const std::wstring& Section, const std::wstring& Ident, const std::wstring& Value,
                 classlib::TCustomIniFile* IniFile);

// A stored count of 0 (or none) leaves Strings as it is; any other count empties it first and
// then adds the stored lines, an absent item as an empty line. A damaged count cannot make the
// list grow past the keys the section really holds.
void ReadIniStrings(classlib::TStrings& Strings, const std::wstring& Section, const std::wstring& Ident,
                    const classlib::TCustomIniFile* IniFile);
// The same from the file (read into memory; a missing file reads as empty).
void ReadIniStrings(classlib::TStrings& Strings, const std::wstring& Section, const std::wstring& Ident,
                    const std::wstring& FileName);
// Writes the count and every line; items of a longer earlier list beyond the new count stay.
void WriteIniStrings(const std::wstring& Section, const std::wstring& Ident, const classlib::TStrings& Strings,
                     classlib::TCustomIniFile* IniFile);
// The same into the file, which is written back.
void WriteIniStrings(const std::wstring& Section, const std::wstring& Ident, const std::wstring& FileName,
                     const classlib::TStrings& Strings);

// Dest := the lines after the first line of Source that is exactly "[Section]", up to an empty
// line, a line beginning with "[" or the end; nothing when there is no such header.
void ReadSection(const classlib::TStringList& Source, classlib::TStringList& Dest, const std::wstring& Section);
// The value of Name in List: after the first line that is exactly "[SECTION]" (the section name
// upper-cased), the first non-empty line whose first word (ended by a blank or "=") is Name gives
// its text after the first "=" up to the next "=", blanks kept. The search runs on to the end of
// the list, past later headers. Empty when nothing is found. Lines are compared as 8-bit text.
std::wstring ReadValue(const classlib::TStringList& List, const std::wstring& Section, const std::wstring& Name);

}  // namespace skin
