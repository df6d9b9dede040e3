#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <vector>

#include "app/log_file.h"
#include "app/message_format.h"
#include "app/settings_schema.h"
#include "platform/memory_profile_store.h"
#include "platform/paths.h"

using namespace quorbel;

namespace {

class LogFileTest : public ::testing::Test {
protected:
  quorbel::testing::TempDir dir_;
  void SetUp() override { path_ = dir_.File("log_test.sudlog"); }
  std::string path_;
};

} // namespace

TEST_F(LogFileTest, AppendsLinesOnlyWhenTheLogSettingIsOne) {
  MemoryProfileStore store;
  AppSettings settings;
  LogFile log(path_);
  for (int32_t stored : {0, 2}) {
    store.WriteInt("GENERAL", "LOG", stored);
    LoadSettings(store, settings);
    log.SetEnabled(settings.general.log == 1);
    EXPECT_TRUE(log.AppendLogLine("not written"));
  }
  EXPECT_FALSE(std::filesystem::exists(path_));
  store.WriteInt("GENERAL", "LOG", 1);
  LoadSettings(store, settings);
  log.SetEnabled(settings.general.log == 1);
  log.AppendLogLine("-----> Quorbel start on ");
  log.AppendLogLine(FormatPanelText("Find !solution!%d! %d", {98324, 2}));
  EXPECT_EQ(quorbel::testing::ReadBytes(path_), "-----> Quorbel start on \nFind solution 2\n");
}

TEST_F(LogFileTest, WritesLatin1AndClears) {
  LogFile log(path_);
  log.SetEnabled(true);
  log.AppendLogLine(FormatPanelText("Grille %s", {"générée €"}));
  EXPECT_EQ(quorbel::testing::ReadBytes(path_), "Grille g\xE9n\xE9r\xE9"
                                                "e ?\n");
  EXPECT_TRUE(log.ClearLogFile());
  EXPECT_EQ(quorbel::testing::ReadBytes(path_), "");
}

TEST_F(LogFileTest, AnUnwritableLogSaysSo) {
  LogFile log(dir_.File("no-such-dir/x.sudlog"));
  log.SetEnabled(true);
  EXPECT_FALSE(log.AppendLogLine("lost"));
}

TEST_F(LogFileTest, ALogThatIsNoRegularFileIsToldOnceAndDropsItsLines) {
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
  LogFile log(path_);
  log.SetEnabled(true);
  std::vector<std::string> told;
  log.TellFirstFailure(
      [&](const std::string &path, const std::string &reason) { told.push_back(path + " " + reason); });
  EXPECT_FALSE(log.AppendLogLine("lost"));
  EXPECT_FALSE(log.AppendLogLine("lost too"));
  EXPECT_EQ(told, std::vector<std::string>{path_ + " not a regular file"});
}

TEST_F(LogFileTest, TheDefaultLogStandsInTheStartDirectory) {
  SetStartDirectory("/home/player/quorbel");
  EXPECT_EQ(LogFile().Path(), "/home/player/quorbel/Quorbel.sudlog");
}
