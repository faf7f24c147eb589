#pragma once
// The three schedule points that the disk tests save (through write_schedule_table too), and the
// records the export must make of them.
#include <string>
#include <vector>

#include "app/ScheduleTable.h"

namespace schedule_test {

inline const app::NumberedRow kThreePoints[] = {
    {1, {{11, 12, 28}, {8, 5, 0}, 0x05, app::kModeOff, app::kCycleOnce, 0, false}},       // X1 and X3 off once
    {2, {{11, 12, 3}, {8, 30, 0}, 0x05, app::kModeOn, app::kCycleWeekly, 3, true}},       // weekly on day 3, done
    {32, {{0, 0, 0}, {0, 0, 0}, 0xFF, app::kModeNotUsed, app::kCycleMonthly, 0, false}},  // every output
};

inline const std::vector<std::string> kThreeRecords = {"    111.12.2808:05:00  52000", "    211.12.0308:30:00  51331",
                                                       "   3200.00.0000:00:002550400"};

}  // namespace schedule_test
