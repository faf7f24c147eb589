// kt8sim as the Wine tests and scripts/run use it: started with --link, answering on the pty,
// logging every frame, and taking its link away when stopped.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/link/Modbus.h"
#include "tools/kt8unit/Tty.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

class RunningSim {
 public:
  explicit RunningSim(std::vector<std::string> extra) {
    char pattern[] = "/tmp/kt8sim-test-XXXXXX";
    dir_ = mkdtemp(pattern);
    link_ = dir_ + "/com";
    log_ = dir_ + "/sim.log";
    std::vector<std::string> args{KT8SIM_PATH, "--link", link_, "--log", log_};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, KT8SIM_PATH, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; i < 100 && pid_ > 0 && !fs::is_symlink(link_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  ~RunningSim() {
    Stop();
    fs::remove_all(dir_);
  }
  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }
  const std::string& Link() const { return link_; }
  std::string Log() const {
    std::ifstream in(log_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

 private:
  pid_t pid_ = -1;
  std::string dir_, link_, log_;
};

struct LineAttached {
  explicit LineAttached(app::link::ByteLine& line) { app::link::SetActiveLine(&line); }
  ~LineAttached() {
    app::link::SetActiveLine(nullptr);
    MbSetHostLinkMode(0);
  }
};

TEST(Kt8simProgram, AnswersOnItsLinkLogsAndCleansUp) {
  RunningSim sim({"--address", "3"});
  ASSERT_TRUE(fs::is_symlink(sim.Link()));
  std::string error;
  auto line = kt8::FdLine::Open(sim.Link(), 2, error);
  ASSERT_TRUE(line) << error;
  LineAttached attached(*line);

  std::uint8_t version[2] = {};
  EXPECT_EQ(MbReadRegisters(3, version, 2, 1, 3), MbDone);
  EXPECT_EQ(version[0], 2);
  const std::uint16_t delay[] = {77};
  EXPECT_EQ(MbWriteWords(3, delay, 112, 1, 2), MbDone);
  std::uint16_t back[1] = {};
  EXPECT_EQ(MbReadWords(3, back, 112, 1, 3), MbDone);
  EXPECT_EQ(back[0], 77);
  EXPECT_EQ(MbReadRegisters(1, version, 2, 1, 1), MbNoAnswer);  // unit 1 is not there

  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(sim.Link())));
  const std::string log = sim.Log();
  EXPECT_NE(log.find("RX 03 03 00 02 00 01"), std::string::npos) << log;
  EXPECT_NE(log.find("TX 03 03 02 02 05"), std::string::npos) << log;
  EXPECT_NE(log.find("for unit 1, not answered"), std::string::npos) << log;
}

TEST(Kt8simProgram, HostLinkMode) {
  RunningSim sim({"--hostlink"});
  std::string error;
  auto line = kt8::FdLine::Open(sim.Link(), 1, error);
  ASSERT_TRUE(line) << error;
  LineAttached attached(*line);
  MbSetHostLinkMode(1);
  std::uint8_t version[2] = {};
  EXPECT_EQ(MbReadRegisters(1, version, 2, 1, 3), MbDone);
  EXPECT_EQ(version[1], 5);
  const std::uint8_t io[] = {0x11, 0x13};
  EXPECT_EQ(MbWriteRegisters(1, io, 7, 1, 2), MbDone);
  std::uint8_t back[2] = {};
  EXPECT_EQ(MbReadRegisters(1, back, 7, 1, 3), MbDone);
  EXPECT_EQ(back[0], 0x11);
  EXPECT_EQ(back[1], 0x13);
}

}  // namespace
