// Saves three schedule points with the program's own export, for the dBASE reader checks and the
// crash test:
//   write_schedule_table FILE          saves them (FILE is an ASCII path; created or appended to)
//   write_schedule_table FILE STEP     the same, but the process kills itself just before file-system
//                                      call STEP (from 0) of the save, as a crash would stop it
// Exit 0 when saved, 1 when the save failed, 2 on a bad command line.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/ScheduleTable.h"
#include "tests/app/dbf/FaultyFiles.h"
#include "tests/app/dbf/KillSelf.h"
#include "tests/app/schedule/ThreePoints.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: write_schedule_table FILE [STEP]\n");
    return 2;
  }
  const std::string name = argv[1];
  const std::wstring path(name.begin(), name.end());
  dbf_test::FaultyFiles files(app::DiskFiles());
  if (argc == 3) {
    files.FailAt(std::strtol(argv[2], nullptr, 10), std::nullopt, true);
    files.OnCrash(dbf_test::KillSelf);
  }
  const app::ScheduleSaveResult result = app::SaveSchedule(path, schedule_test::kThreePoints, files);
  if (!result.ok()) {
    std::fprintf(stderr, "write_schedule_table: saved %d rows, then failed (%ls)\n", result.written,
                 result.error.c_str());
    return 1;
  }
  return 0;
}
