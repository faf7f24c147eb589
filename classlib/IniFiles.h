#pragma once
// INI files: the common interface and TMemIniFile, which holds the whole text in memory and
// writes it back on UpdateFile. (TIniFile, over the Windows profile API, is in
// classlib/IniFile.h.)
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/Object.h"
#include "classlib/TextEncoding.h"

namespace classlib {

class TStrings;

class TCustomIniFile : public TObject {
 public:
  explicit TCustomIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}
  std::wstring ClassName() const override { return L"TCustomIniFile"; }
  const std::wstring& FileName() const { return fileName_; }

  virtual std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                                  const std::wstring& fallback) const = 0;
  virtual void WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) = 0;
  // Decimal, or hexadecimal after "$" or "0x"; anything else (or nothing) gives the default.
  virtual std::int32_t ReadInteger(const std::wstring& section, const std::wstring& ident, std::int32_t fallback) const;
  virtual void WriteInteger(const std::wstring& section, const std::wstring& ident, std::int32_t value);
  // Stored as 0/1; any other integer reads as true, a non-number as the default.
  virtual bool ReadBool(const std::wstring& section, const std::wstring& ident, bool fallback) const;
  virtual void WriteBool(const std::wstring& section, const std::wstring& ident, bool value);
  // In the global format settings (the user's decimal separator).
  virtual double ReadFloat(const std::wstring& section, const std::wstring& ident, double fallback) const;
  virtual void WriteFloat(const std::wstring& section, const std::wstring& ident, double value);

  // The key names of a section; the section names; a section's lines "key=value".
  virtual void ReadSection(const std::wstring& section, TStrings& keys) const = 0;
  virtual void ReadSections(TStrings& sections) const = 0;
  virtual void ReadSectionValues(const std::wstring& section, TStrings& values) const = 0;
  virtual void EraseSection(const std::wstring& section) = 0;
  virtual void DeleteKey(const std::wstring& section, const std::wstring& ident) = 0;
  virtual void UpdateFile() = 0;
  // A section that holds at least one key / a key of that name in the section.
  virtual bool SectionExists(const std::wstring& section) const;
  virtual bool ValueExists(const std::wstring& section, const std::wstring& ident) const;

 protected:
  void SetFileName(std::wstring fileName) { fileName_ = std::move(fileName); }

 private:
  std::wstring fileName_;
};

class TMemIniFile : public TCustomIniFile {
 public:
  // Loads the file when it exists (a byte-order mark decides the encoding, else `fallback`);
  // a missing file, or an empty name, gives an empty INI. An existing file that cannot be read
  // raises EFOpenError.
  explicit TMemIniFile(const std::wstring& fileName = std::wstring(), TTextEncoding fallback = TTextEncoding::Cp1251);
  std::wstring ClassName() const override { return L"TMemIniFile"; }

  std::wstring ReadString(const std::wstring& section, const std::wstring& ident,
                          const std::wstring& fallback) const override;
  void WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value) override;
  void ReadSection(const std::wstring& section, TStrings& keys) const override;
  void ReadSections(TStrings& sections) const override;
  void ReadSectionValues(const std::wstring& section, TStrings& values) const override;
  void EraseSection(const std::wstring& section) override;
  void DeleteKey(const std::wstring& section, const std::wstring& ident) override;
  // Writes the text to FileName in Encoding (raises EFCreateError when it cannot); nothing when
  // the name is empty.
  void UpdateFile() override;
  // A section header present in the text, keys or not.
  bool SectionExists(const std::wstring& section) const override;
  bool ValueExists(const std::wstring& section, const std::wstring& ident) const override;

  // Section and key names match ignoring letter case unless this is set.
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool value) { caseSensitive_ = value; }

  // The INI text: headers "[name]", key lines "key=value" (key and value trimmed), other lines
  // kept as they are; blank lines, lines starting with ';' and lines before the first header are
  // dropped. A section named twice continues the first one.
  void SetStrings(const TStrings& lines);
  void GetStrings(TStrings& lines) const;
  void Clear();
  // Takes another file name, loading it when `reload` is set.
  void Rename(const std::wstring& fileName, bool reload);

  TTextEncoding Encoding = TTextEncoding::Cp1251;

 private:
  struct Line {
    std::wstring key;  // the whole line when it has no '='
    std::wstring value;
    bool keyed = true;
  };
  struct Section {
    std::wstring name;
    std::vector<Line> lines;
  };
  bool Same(const std::wstring& a, const std::wstring& b) const;
  const Section* FindSection(const std::wstring& name) const;
  Section* FindSection(const std::wstring& name);
  static const Line* FindKey(const Section& section, const std::wstring& key, const TMemIniFile& ini);
  void Load(TTextEncoding fallback);

  std::vector<Section> sections_;
  bool caseSensitive_ = false;
};

}  // namespace classlib
