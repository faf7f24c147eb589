#include "app/Dbf_srv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace app {
namespace {

constexpr std::uint8_t kVersion = 0x03;
constexpr std::uint8_t kEndOfHeader = 0x0D;
constexpr std::uint8_t kEndOfFile = 0x1A;
constexpr std::uint8_t kBlank = ' ';
constexpr int kHeaderSize = 32;
constexpr int kDescriptorSize = 32;
constexpr std::size_t kNameSize = 11;
constexpr int kTypeAt = 11, kLengthAt = 16, kDecimalsAt = 17;
constexpr int kCountAt = 4, kHeaderLengthAt = 8, kRecordLengthAt = 10;
constexpr int kLongest = 0xFFFF;  // header and record lengths are 16-bit

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
void Put16(std::uint8_t* p, unsigned v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::array<std::uint8_t, 32> EmptyTableHeader() {
  std::array<std::uint8_t, 32> h{};
  h[0] = kVersion;
  h[1] = 98;  // last change 1998-02-04, as every table this program has ever made
  h[2] = 2;
  h[3] = 4;
  Put16(&h[kHeaderLengthAt], kHeaderSize + 1);
  Put16(&h[kRecordLengthAt], 1);
  return h;
}

std::string_view CutName(std::string_view name) { return name.substr(0, std::min(name.size(), kNameSize)); }

std::string_view DescriptorName(const std::array<std::uint8_t, 32>& d) {
  const char* p = reinterpret_cast<const char*>(d.data());
  return std::string_view(p, static_cast<std::size_t>(std::find(p, p + kNameSize, '\0') - p));
}

}  // namespace

std::wstring DbfErrorText(DbfError error) {
  switch (error) {
    case DbfError::None: return L"";
    case DbfError::NoFileName: return L"Не задано имя файла таблицы";
    case DbfError::CreateFailed: return L"Не удалось создать файл таблицы";
    case DbfError::OpenFailed: return L"Не удалось открыть файл таблицы";
    case DbfError::ReadFailed: return L"Ошибка чтения файла таблицы";
    case DbfError::WriteFailed: return L"Ошибка записи файла таблицы";
    case DbfError::ReplaceFailed: return L"Не удалось заменить файл таблицы новым, таблица осталась прежней";
    case DbfError::NotDbase3: return L"Файл не является таблицей dBASE III (байт версии не 0x03)";
    case DbfError::HeaderMismatch:
      return L"Файл не является таблицей dBASE III (длина заголовка не соответствует описаниям полей)";
    case DbfError::RecordMismatch:
      return L"Файл не является таблицей dBASE III (длина записи не соответствует длинам полей)";
    case DbfError::Truncated: return L"Файл таблицы обрезан: он короче, чем указано в его заголовке";
    case DbfError::BadFieldName: return L"Недопустимое имя поля";
    case DbfError::BadFieldType: return L"Недопустимый тип поля";
    case DbfError::BadFieldSize: return L"Недопустимая длина поля";
    case DbfError::TableTooLarge: return L"Таблица слишком велика для формата dBASE III";
    case DbfError::NoSuchRecord: return L"Нет записи с таким номером";
    case DbfError::NoSuchField: return L"Нет такого поля";
    case DbfError::TableChanged: return L"Структура таблицы изменена другой программой";
  }
  return L"";
}

CDBFTable::CDBFTable(std::wstring_view fileName, DbfFileSystem& files) : files_(files) {
  SetFileName(fileName);
  Open(true);
}

CDBFTable::~CDBFTable() { CloseFile(); }

void CDBFTable::SetFileName(std::wstring_view fileName) { fileName_.assign(fileName); }

bool CDBFTable::Fail(DbfError error) {
  error_ = error;
  return false;
}

bool CDBFTable::FailAndReopen(DbfError error) {
  CloseFile();
  Open(true);
  return Fail(error);
}

bool CDBFTable::CloseFile() {
  if (!file_) return true;
  const bool ok = file_->Close();
  file_.reset();
  return ok;
}

bool CDBFTable::Close() {
  descriptors_.clear();
  return CloseFile();
}

bool CDBFTable::Open(bool readOnly) {
  if (IsOpen() && readOnly_ == readOnly) return true;
  error_ = DbfError::None;
  if (!CloseFile()) return Fail(DbfError::WriteFailed);
  if (fileName_.empty()) return Fail(DbfError::NoFileName);
  if (!files_.Exists(fileName_) && !CreateEmptyTable()) return false;
  file_ = files_.Open(fileName_, readOnly ? DbfOpenMode::Read : DbfOpenMode::ReadWrite);
  if (!file_) return Fail(DbfError::OpenFailed);
  readOnly_ = readOnly;
  if (!ReadHeader()) {
    CloseFile();
    return false;
  }
  return true;
}

bool CDBFTable::CreateEmptyTable() {
  // Written complete beside, then moved to the name only while nothing is there: a crash never
  // leaves an empty or partial file under the name (later saves would refuse it), and a table
  // that appeared meanwhile is opened and checked, never overwritten.
  const std::wstring building = fileName_ + L".tmp";
  auto out = files_.Open(building, DbfOpenMode::CreateAlways);
  if (!out) return Fail(DbfError::CreateFailed);
  const auto header = EmptyTableHeader();
  const std::uint8_t tail[] = {kEndOfHeader, kEndOfFile};
  const bool written =
      out->Write(header.data(), header.size()) && out->Write(tail, sizeof tail) && out->Commit() && out->Close();
  out.reset();
  if (written && files_.MoveNew(building, fileName_)) return true;
  files_.Remove(building);
  if (!written) return Fail(DbfError::WriteFailed);
  return files_.Exists(fileName_) || Fail(DbfError::CreateFailed);
}

bool CDBFTable::ReadHeader() {
  descriptors_.clear();
  if (!file_) return Fail(DbfError::OpenFailed);
  const auto size = file_->Size();
  if (!size) return Fail(DbfError::ReadFailed);
  if (*size < kHeaderSize) return Fail(DbfError::Truncated);
  std::array<std::uint8_t, 32> header;
  if (!file_->Seek(0) || file_->Read(header.data(), header.size()) != header.size()) return Fail(DbfError::ReadFailed);
  if (header[0] != kVersion) return Fail(DbfError::NotDbase3);

  const int headerLength = Get16(&header[kHeaderLengthAt]);
  const int recordLength = Get16(&header[kRecordLengthAt]);
  const std::uint32_t count = Get32(&header[kCountAt]);
  if (headerLength < kHeaderSize + 1 || (headerLength - kHeaderSize - 1) % kDescriptorSize != 0)
    return Fail(DbfError::HeaderMismatch);
  if (*size < static_cast<std::uint64_t>(headerLength)) return Fail(DbfError::Truncated);

  std::vector<std::uint8_t> rest(static_cast<std::size_t>(headerLength - kHeaderSize));
  if (file_->Read(rest.data(), rest.size()) != rest.size()) return Fail(DbfError::ReadFailed);
  // The descriptors run until the 0x0D; it must stand exactly where the header length puts it.
  const std::size_t fields = rest.size() / kDescriptorSize;
  std::size_t counted = 0;
  while (counted < fields && rest[counted * kDescriptorSize] > 31) ++counted;
  if (counted != fields || rest.back() != kEndOfHeader) return Fail(DbfError::HeaderMismatch);

  std::vector<Descriptor> descriptors(fields);
  int lengths = 1;
  for (std::size_t i = 0; i < fields; ++i) {
    std::memcpy(descriptors[i].data(), &rest[i * kDescriptorSize], kDescriptorSize);
    lengths += descriptors[i][kLengthAt];
  }
  if (lengths != recordLength) return Fail(DbfError::RecordMismatch);
  const std::uint64_t end = static_cast<std::uint64_t>(headerLength) + std::uint64_t{count} * recordLength;
  if (*size < end) return Fail(DbfError::Truncated);

  header_ = header;
  descriptors_ = std::move(descriptors);
  // Kept across reopening, so that a record filled while the file was read-only can be written.
  if (record_.size() != static_cast<std::size_t>(recordLength))
    record_.assign(static_cast<std::size_t>(recordLength), kBlank);
  return true;
}

int CDBFTable::HeaderLength() const { return Get16(&header_[kHeaderLengthAt]); }
int CDBFTable::RecordLength() const { return Get16(&header_[kRecordLengthAt]); }
std::uint32_t CDBFTable::RecordCount() const { return Get32(&header_[kCountAt]); }

std::uint64_t CDBFTable::RecordOffset(std::uint64_t index) const {
  return static_cast<std::uint64_t>(HeaderLength()) + index * static_cast<std::uint64_t>(RecordLength());
}

DbfField CDBFTable::Field(int field) const {
  if (field < 0 || field >= FieldCount()) return {};
  const Descriptor& d = descriptors_[static_cast<std::size_t>(field)];
  return {std::string(DescriptorName(d)), static_cast<char>(d[kTypeAt]), d[kLengthAt], d[kDecimalsAt]};
}

int CDBFTable::FindField(std::string_view name) const {
  if (name.empty()) return -1;
  name = CutName(name);
  for (int i = 0; i < FieldCount(); ++i)
    if (DescriptorName(descriptors_[static_cast<std::size_t>(i)]) == name) return i;
  return -1;
}

bool CDBFTable::SeekRecord(std::int64_t index) {
  if (!IsOpen() || index < 0 || index >= static_cast<std::int64_t>(RecordCount())) return Fail(DbfError::NoSuchRecord);
  if (!file_->Seek(RecordOffset(static_cast<std::uint64_t>(index)))) return Fail(DbfError::ReadFailed);
  return true;
}

bool CDBFTable::ReadRecord(std::int64_t index) {
  error_ = DbfError::None;
  if (!SeekRecord(index)) return false;
  if (file_->Read(record_.data(), record_.size()) != record_.size()) return Fail(DbfError::ReadFailed);
  return true;
}

std::span<std::uint8_t> CDBFTable::FieldData(int field) {
  if (!IsOpen() || record_.empty() || field < 0 || field >= FieldCount()) return {};
  std::size_t offset = 1;
  for (int i = 0; i < field; ++i) offset += descriptors_[static_cast<std::size_t>(i)][kLengthAt];
  const std::size_t length = descriptors_[static_cast<std::size_t>(field)][kLengthAt];
  if (offset + length > record_.size()) return {};
  return std::span<std::uint8_t>(record_).subspan(offset, length);
}

bool CDBFTable::WriteLayout(DbfFile& out, const std::array<std::uint8_t, 32>& header,
                            const std::vector<Descriptor>& descriptors) {
  if (!out.Write(header.data(), header.size())) return false;
  for (const auto& d : descriptors)
    if (!out.Write(d.data(), d.size())) return false;
  return out.Write(&kEndOfHeader, 1);
}

bool CDBFTable::CopyRecords(DbfFile& out, int oldLength, int newLength) {
  std::vector<std::uint8_t> record(static_cast<std::size_t>(newLength), kBlank);
  const std::size_t oldSize = static_cast<std::size_t>(oldLength);
  if (!file_->Seek(static_cast<std::uint64_t>(HeaderLength()))) return Fail(DbfError::ReadFailed);
  for (std::uint32_t i = 0, count = RecordCount(); i < count; ++i) {
    if (file_->Read(record.data(), oldSize) != oldSize) return Fail(DbfError::ReadFailed);
    if (!out.Write(record.data(), record.size())) return Fail(DbfError::WriteFailed);
  }
  return true;
}

bool CDBFTable::AddField(std::string_view name, char type, int length, int decimals) {
  error_ = DbfError::None;
  name = CutName(name);
  // A control character first would read as the end of the descriptors; readers take no spaces.
  const auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  if (name.empty() || std::any_of(name.begin(), name.end(), blankOrControl)) return Fail(DbfError::BadFieldName);
  // Other types would need their own blank values and widths; no caller adds them.
  if (type != 'C' && type != 'N' && type != 'F') return Fail(DbfError::BadFieldType);
  if (length < 1 || length > 255 || decimals < 0 || decimals > 255) return Fail(DbfError::BadFieldSize);
  if (!Open(true)) return false;

  const int oldRecordLength = RecordLength();
  const int headerLength = HeaderLength() + kDescriptorSize;
  const int recordLength = oldRecordLength + length;
  if (headerLength > kLongest || recordLength > kLongest) return Fail(DbfError::TableTooLarge);

  Descriptor added{};
  std::memcpy(added.data(), name.data(), name.size());
  added[kTypeAt] = static_cast<std::uint8_t>(type);
  added[kLengthAt] = static_cast<std::uint8_t>(length);
  added[kDecimalsAt] = static_cast<std::uint8_t>(decimals);
  std::vector<Descriptor> descriptors = descriptors_;
  descriptors.push_back(added);
  auto header = header_;
  Put16(&header[kHeaderLengthAt], static_cast<unsigned>(headerLength));
  Put16(&header[kRecordLengthAt], static_cast<unsigned>(recordLength));

  // The new table is built complete beside the old one, which stays untouched until the
  // new one takes its place in one step.
  const std::wstring building = fileName_ + L".tmp";
  auto out = files_.Open(building, DbfOpenMode::CreateAlways);
  if (!out) return Fail(DbfError::CreateFailed);
  bool ok = WriteLayout(*out, header, descriptors) || Fail(DbfError::WriteFailed);
  ok = ok && CopyRecords(*out, oldRecordLength, recordLength);
  ok = ok && ((out->Write(&kEndOfFile, 1) && out->Commit() && out->Close()) || Fail(DbfError::WriteFailed));
  out.reset();
  if (!ok) {
    files_.Remove(building);
    return false;
  }
  CloseFile();
  if (!files_.Replace(building, fileName_)) {
    files_.Remove(building);
    return FailAndReopen(DbfError::ReplaceFailed);
  }
  return Open(true);
}

std::int64_t CDBFTable::AppendRecord() {
  error_ = DbfError::None;
  if (!Open(false)) {
    FailAndReopen(error_);
    return -1;
  }
  const auto failed = [this](DbfError error) -> std::int64_t {
    FailAndReopen(error);
    return -1;
  };
  const std::uint32_t count = RecordCount();
  const int recordLength = RecordLength();
  if (count == std::numeric_limits<std::uint32_t>::max()) return failed(DbfError::TableTooLarge);
  const std::uint64_t end = RecordOffset(count);
  const auto size = file_->Size();
  if (!size) return failed(DbfError::ReadFailed);

  // What the new record and end mark cover (usually the old end mark), to put back on failure.
  std::vector<std::uint8_t> covered(static_cast<std::size_t>(std::min<std::uint64_t>(*size - end, recordLength + 1)));
  if (!file_->Seek(end) || file_->Read(covered.data(), covered.size()) != covered.size())
    return failed(DbfError::ReadFailed);
  auto restoreEnd = [&] {
    return file_->Seek(end) && file_->Write(covered.data(), covered.size()) && file_->Truncate(*size) && file_->Flush();
  };

  // The record goes first and the count after it: whatever fails, the header never counts a
  // record that is not on the disk.
  std::vector<std::uint8_t> blank(static_cast<std::size_t>(recordLength) + 1, kBlank);
  blank.back() = kEndOfFile;
  if (!file_->Seek(end) || !file_->Write(blank.data(), blank.size()) || !file_->Flush()) {
    restoreEnd();
    return failed(DbfError::WriteFailed);
  }
  std::uint8_t counted[4], previous[4];
  Put32(counted, count + 1);
  Put32(previous, count);
  if (!file_->Seek(kCountAt) || !file_->Write(counted, sizeof counted) || !file_->Flush()) {
    if (file_->Seek(kCountAt) && file_->Write(previous, sizeof previous) && file_->Flush()) restoreEnd();
    return failed(DbfError::WriteFailed);
  }
  if (!CloseFile()) return failed(DbfError::WriteFailed);
  if (!Open(true)) return -1;
  if (RecordCount() != count + 1) {
    Fail(DbfError::TableChanged);
    return -1;
  }
  blank.pop_back();
  record_ = std::move(blank);
  return count;
}

bool CDBFTable::WriteRecord(std::int64_t index) {
  error_ = DbfError::None;
  const std::size_t filled = record_.size();
  if (!Open(false)) return FailAndReopen(error_);
  if (record_.size() != filled) return FailAndReopen(DbfError::TableChanged);
  if (!SeekRecord(index)) return FailAndReopen(error_);
  std::vector<std::uint8_t> previous(record_.size());
  if (file_->Read(previous.data(), previous.size()) != previous.size()) return FailAndReopen(DbfError::ReadFailed);
  const std::uint64_t at = RecordOffset(static_cast<std::uint64_t>(index));
  if (!file_->Seek(at) || !file_->Write(record_.data(), record_.size()) || !file_->Flush()) {
    if (file_->Seek(at) && file_->Write(previous.data(), previous.size())) file_->Flush();
    return FailAndReopen(DbfError::WriteFailed);
  }
  if (!CloseFile()) return FailAndReopen(DbfError::WriteFailed);
  return Open(true);
}

bool CDBFTable::SetNumber(int field, float value) {
  const auto data = FieldData(field);
  if (data.empty()) return Fail(DbfError::NoSuchField);
  std::fill(data.begin(), data.end(), kBlank);
  // A dBASE reader takes "nan" or "inf" for garbage: such a number stays blank.
  if (!std::isfinite(value)) return false;
  const DbfField f = Field(field);
  // Enough for FLT_MAX with 255 decimals; to_chars ignores the locale's decimal comma.
  char text[400];
  const double x = value;
  const auto result = f.type == 'C' ? std::to_chars(text, text + sizeof text, x, std::chars_format::scientific, 6)
                                    : std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, f.decimals);
  if (result.ec != std::errc{}) return false;
  const std::size_t length = static_cast<std::size_t>(result.ptr - text);
  if (length > data.size()) return false;
  std::memcpy(data.data() + data.size() - length, text, length);
  return true;
}

bool CDBFTable::SetEightCharacters(int field, char separator, const std::array<std::uint8_t, 3>& parts) {
  const auto data = FieldData(field);
  if (data.empty()) return Fail(DbfError::NoSuchField);
  const DbfField f = Field(field);
  if (f.type != 'C' || f.length < 8) return Fail(DbfError::BadFieldType);
  char text[16];
  const int length =
      std::snprintf(text, sizeof text, "%02d%c%02d%c%02d", parts[0], separator, parts[1], separator, parts[2]);
  std::fill(data.begin(), data.end(), kBlank);
  std::memcpy(data.data(), text, static_cast<std::size_t>(std::min(8, length)));
  return true;
}

bool CDBFTable::SetDate(int field, const std::array<std::uint8_t, 3>& date) {
  return SetEightCharacters(field, '.', date);
}

bool CDBFTable::SetTime(int field, const std::array<std::uint8_t, 3>& time) {
  return SetEightCharacters(field, ':', time);
}

}  // namespace app
