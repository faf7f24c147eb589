#pragma once
// CDBFTable: creates, extends and appends to a dBASE III table (the schedule export).
//
// File layout, little-endian: a 32-byte header (version 0x03, date of last change, record count,
// header length = 32 × fields + 33, record length = 1 + field lengths), one 32-byte descriptor per
// field, 0x0D, the records (a deletion byte, then the fields padded with spaces), 0x1A.
//
// Between operations the table stays open read-only so that other programs can read it; each
// change reopens it for writing and then read-only again. Every operation reports failure to the
// caller (result plus LastError), and no failure leaves the table with fewer records or a layout
// that dBASE readers reject: a field is added by building the new table beside the old one and
// replacing the old one in one step; a file that is not a dBASE III table is never written.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/DbfFiles.h"

namespace app {

enum class DbfError {
  None,
  NoFileName,
  CreateFailed,  // the table or the new table beside it could not be created
  OpenFailed,
  ReadFailed,
  WriteFailed,
  ReplaceFailed,   // the complete new table could not take the old one's place
  NotDbase3,       // version byte other than 0x03
  HeaderMismatch,  // header length does not match the field descriptors
  RecordMismatch,  // record length does not match the field lengths
  Truncated,       // shorter than its header says
  BadFieldName,
  BadFieldType,
  BadFieldSize,
  TableTooLarge,  // header or record length would pass 65535, or the record count 2^32 - 1
  NoSuchRecord,
  NoSuchField,
  TableChanged,  // another program changed the table's layout between our operations
};

// A message for the status bar, in Russian like the program's other texts.
std::wstring DbfErrorText(DbfError error);

struct DbfField {
  std::string name;  // 8-bit text, up to 11 characters
  char type = 0;     // 'C', 'N' or 'F' for fields this class adds; any letter when read
  int length = 0;
  int decimals = 0;
};

class CDBFTable {
 public:
  // Opens the table read-only, creating an empty one first when the file does not exist.
  // IsOpen() and LastError() tell the outcome.
  explicit CDBFTable(std::wstring_view fileName, DbfFileSystem& files = DiskFiles());
  ~CDBFTable();
  CDBFTable(const CDBFTable&) = delete;
  CDBFTable& operator=(const CDBFTable&) = delete;

  // Takes effect at the next Open; an empty name leaves none.
  void SetFileName(std::wstring_view fileName);
  const std::wstring& FileName() const { return fileName_; }

  bool IsOpen() const { return file_ != nullptr; }
  // Opens read-only or for writing (creating an empty table when the file is missing) and reads
  // the header; a file that is not a dBASE III table is refused and left closed.
  bool Open(bool readOnly);
  // False when the last bytes of a table open for writing could not be written.
  bool Close();
  // Reads and checks the header and descriptors from the start of the open file.
  bool ReadHeader();

  // Adds a field ('C', 'N' or 'F', length 1 .. 255) and rewrites the table with it; existing
  // records keep their data and get spaces in the new field. On failure the table is untouched.
  bool AddField(std::string_view name, char type, int length, int decimals);
  std::uint32_t RecordCount() const;
  bool SeekRecord(std::int64_t index);
  bool ReadRecord(std::int64_t index);
  // The field inside the record buffer; empty when closed or out of range.
  std::span<std::uint8_t> FieldData(int field);
  // Appends a blank record and loads it into the record buffer; its index, or -1.
  std::int64_t AppendRecord();
  // Writes the record buffer to that record.
  bool WriteRecord(std::int64_t index);

  // "%<length>.<decimals>f" right-aligned ("%<length>e" for a character field); a number whose
  // text does not fit, or that is not finite, leaves the field blank. False when the field is
  // missing or left blank.
  bool SetNumber(int field, float value);
  // "%02d.%02d.%02d" / "%02d:%02d:%02d", the first eight characters, into a character field of
  // eight characters or more; false (and nothing written) for any other field.
  bool SetDate(int field, const std::array<std::uint8_t, 3>& date);
  bool SetTime(int field, const std::array<std::uint8_t, 3>& time);
  // Index of the field with that name (compared over at most 11 characters), or -1.
  int FindField(std::string_view name) const;

  int FieldCount() const { return static_cast<int>(descriptors_.size()); }
  DbfField Field(int field) const;
  int HeaderLength() const;
  int RecordLength() const;
  std::span<const std::uint8_t> RecordBuffer() const { return record_; }

  DbfError LastError() const { return error_; }
  std::wstring LastErrorText() const { return DbfErrorText(error_); }

 private:
  using Descriptor = std::array<std::uint8_t, 32>;

  bool Fail(DbfError error);
  bool CreateEmptyTable();
  bool CloseFile();
  bool WriteLayout(DbfFile& out, const std::array<std::uint8_t, 32>& header,
                   const std::vector<Descriptor>& descriptors);
  bool CopyRecords(DbfFile& out, int oldLength, int newLength);
  // Back to the table open read-only after a failed change; keeps the first error.
  bool FailAndReopen(DbfError error);
  bool SetEightCharacters(int field, char separator, const std::array<std::uint8_t, 3>& parts);
  std::uint64_t RecordOffset(std::uint64_t index) const;

  DbfFileSystem& files_;
  std::wstring fileName_;
  std::unique_ptr<DbfFile> file_;
  bool readOnly_ = true;
  std::vector<std::uint8_t> record_;
  std::array<std::uint8_t, 32> header_{};
  std::vector<Descriptor> descriptors_;
  DbfError error_ = DbfError::None;
};

}  // namespace app
