// Any bytes as an existing table: the reader either refuses them (and then nothing may write the
// file) or reads every record in bounds, and a field added keeps every record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/DbfMemoryFiles.h"
#include "app/Dbf_srv.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace app;
  const std::wstring path = L"t.dbf";
  const DbfMemoryFiles::Bytes input(data, data + size);
  DbfMemoryFiles files;
  files.Put(path, input);

  CDBFTable table(path, files);
  if (!table.IsOpen()) {
    Check(table.LastError() != DbfError::None);
    Check(!table.AddField("NEW", 'C', 3, 0));
    Check(table.AppendRecord() == -1);
    Check(!table.WriteRecord(0));
    Check(files.Contents(path) == input);
    Check(files.Paths().size() == 1);
    return 0;
  }

  const std::uint32_t count = table.RecordCount();
  const int fields = table.FieldCount();
  Check(table.RecordLength() >= 1 && table.HeaderLength() == 32 * fields + 33);
  for (std::uint32_t i = 0; i < count && i < 64; ++i) {
    Check(table.ReadRecord(i));
    for (int f = 0; f < fields; ++f) {
      const auto field = table.FieldData(f);
      Check(field.size() == static_cast<std::size_t>(table.Field(f).length));
      Check(table.FindField(table.Field(f).name) >= 0);
    }
  }
  Check(!table.ReadRecord(count));

  // Rewriting copies every record: keep it to tables the export could meet.
  if (static_cast<std::uint64_t>(count) * table.RecordLength() > (1u << 20)) return 0;
  if (fields > 0 && table.ReadRecord(0)) {
    table.SetNumber(0, 12.5f);
    table.SetDate(0, {11, 12, 28});
    Check(table.WriteRecord(0));
  }
  const int oldLength = table.RecordLength();
  if (table.AddField("ADDED", 'N', 3, 0)) {
    Check(table.RecordCount() == count && table.RecordLength() == oldLength + 3);
    Check(files.Paths().size() == 1);
  }
  const auto appended = table.AppendRecord();
  if (appended >= 0) Check(static_cast<std::uint32_t>(appended) == count);
  return 0;
}
