#pragma once
// The settings routines that need the system (win32 only): values in an INI file through the
// profile API, a font in INI text, string and integer values in the registry, and the placement
// of a form. Each file or registry object lives only within the call; its errors
// (EIniFileException, ERegistryException) go to the caller.
//
// Stored layouts: a font as Prefix + "_Color" (signed decimal), "_Name", "_Size" (points) and
// "_Bold", "_Italic", "_Underline", "_StrikeOut" ("1" or "0"); a form's placement in the section
// of its component name as "Left", "Top", "Width", "Height" (pixels) and "State" (0 normal,
// 1 minimised, 2 maximised).
#include <windows.h>

#include <cstdint>
#include <string>

#include "skin/core/sStoreUtils.h"

namespace classlib {
class TFont;
class TCustomForm;
}  // namespace classlib

namespace skin {

// The file-name forms go to the file at every call; the name should be a full path (the profile
// API looks for a bare name in the Windows folder).
std::wstring ReadIniString(const std::wstring& Section, const std::wstring& Ident, const std::wstring& FileName);
std::int32_t ReadIniInteger(const std::wstring& Section, const std::wstring& Ident, std::int32_t Default,
                            const std::wstring& FileName);
void WriteIniStr(const std::wstring& Section, const std::wstring& Ident, const std::wstring& Value,
                 const std::wstring& FileName);

void WriteIniFont(const std::wstring& Section, const std::wstring& Prefix, const classlib::TFont& Font,
                  classlib::TCustomIniFile* IniFile);
// Colour (default 0), name (default empty) and size (default 8) as stored, a value that is no
// number as -1; each style stored as 1 is added, none is removed.
void ReadIniFont(const std::wstring& Section, const std::wstring& Prefix, classlib::TFont& Font,
                 const classlib::TCustomIniFile* IniFile);

// The string value Ident of the key Section under RootKey; empty when absent.
std::wstring ReadRegString(HKEY RootKey, const std::wstring& Section, const std::wstring& Ident);
// Creates Key when missing.
void WriteRegString(HKEY RootKey, const std::wstring& Key, const std::wstring& Ident, const std::wstring& Value);
void DeleteRegParam(HKEY RootKey, const std::wstring& Section, const std::wstring& Ident);
// Under HKEY_CURRENT_USER, a DWORD value; creates Key when missing.
void WriteRegInteger(const std::wstring& Key, const std::wstring& Ident, std::int32_t Value);

// The size and position only of a form in the normal state; the state always.
void SaveFormPlacement(const classlib::TCustomForm& Form, const std::wstring& FileName);
// Nothing without a stored state of 0, 1 or 2 (anything else, a damaged file, counts as none);
// the size and position only for the normal state, each stored one (not -1).
void RestoreFormPlacement(classlib::TCustomForm& Form, const std::wstring& FileName);

}  // namespace skin
