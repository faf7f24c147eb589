#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "app/DbfMemoryFiles.h"
#include "app/Dbf_srv.h"

namespace dbf_test {

using Bytes = std::vector<std::uint8_t>;

inline std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
inline std::string Text(std::span<const std::uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

inline unsigned Get16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
inline std::uint32_t Get32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// A table with fields NAME C 5 and QTY N 3, holding the given rows.
inline Bytes SmallTable(const std::vector<std::pair<std::string, int>>& rows) {
  app::DbfMemoryFiles files;
  {
    app::CDBFTable table(L"t.dbf", files);
    table.AddField("NAME", 'C', 5, 0);
    table.AddField("QTY", 'N', 3, 0);
    for (const auto& [name, qty] : rows) {
      const auto index = table.AppendRecord();
      auto field = table.FieldData(0);
      std::copy(name.begin(), name.begin() + std::min(name.size(), field.size()), field.begin());
      table.SetNumber(1, static_cast<float>(qty));
      table.WriteRecord(index);
    }
  }
  return *files.Contents(L"t.dbf");
}

// The records of a table's bytes as text, deletion byte included.
inline std::vector<std::string> Records(const Bytes& table) {
  const unsigned header = Get16(table, 8), length = Get16(table, 10);
  std::vector<std::string> records;
  for (std::uint32_t i = 0; i < Get32(table, 4); ++i)
    records.emplace_back(table.begin() + header + i * length, table.begin() + header + (i + 1) * length);
  return records;
}

}  // namespace dbf_test
