// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/settings_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "core/files/platform_test_support.h"
#include "core/files/utf8_path.h"
#include "core/model/presets.h"
#include "core/settings/shadow_file.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("zelmo_store_" + std::to_string(test::ProcessId()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    // The folder of this platform's user; on Windows also the legacy
    // files, which must stay out of the way: a fresh WINDIR without them.
    files_ = *FindConfigFiles([this](const char* name) -> std::optional<std::string> {
      const std::string_view variable(name);
      if (variable == "HOME" || variable == "APPDATA") return Utf8FromPath(root_);
      if (variable == "WINDIR") return Utf8FromPath(root_ / "windows");
      return std::nullopt;
    });
  }
  void TearDown() override { fs::remove_all(root_); }
  static void Put(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  fs::path root_;
  ConfigFiles files_;
};

TEST_F(SettingsStoreTest, FirstStartWithoutFilesKeepsEveryDefault) {
  SettingsRecord settings;
  settings.left = 11;
  ParameterImage area = NewParameters(0);
  const StartupFiles startup = LoadStartupFiles(files_, settings, area);
  EXPECT_FALSE(startup.testMode);
  EXPECT_FALSE(startup.settingsFound);
  EXPECT_TRUE(startup.problems.empty());
  EXPECT_EQ(settings.left, 11);
  EXPECT_EQ(settings.selectedComIndex, 0);
  EXPECT_EQ(area, NewParameters(0));
}

TEST_F(SettingsStoreTest, SavesKilledAtAnyMomentLeaveNoTemporaryFileAfterTheNextSave) {
  SettingsRecord settings;
  const ParameterImage area = NewParameters(3);
  ASSERT_TRUE(SaveCloseFiles(files_, settings, area).ok);
  const fs::path folder = files_.settingsFile.parent_path();
  if (!test::kChildLimits) GTEST_SKIP() << test::kNoChildLimits;
  for (int round = 0; round < 40; ++round) {
    ASSERT_TRUE(test::KillChildAfter(std::chrono::microseconds(300 * (round % 7)),
                                     [&] { SaveCloseFiles(files_, settings, area); }));
  }
  ASSERT_TRUE(SaveCloseFiles(files_, settings, area).ok);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Zelmo_TCI.ini", "_Zelmo_TCI.ini"}));
  EXPECT_EQ(Slurp(files_.shadowFile), WriteShadowFile(area));
}

TEST_F(SettingsStoreTest, SaveCreatesTheFolderAndTheNextStartReadsItBack) {
  SettingsRecord settings;
  settings.left = 40;
  settings.languageId = 3;
  settings.selectedComIndex = 20;
  settings.lastFilePath = "/home/u/x.ign";
  ParameterImage area = NewParameters(7);
  area.area[52] = 9;
  ASSERT_TRUE(SaveCloseFiles(files_, settings, area).ok);
  EXPECT_EQ(files_.folder,
            kThisPlatform == ConfigPlatform::Windows ? root_ / "zelmo-tci" : root_ / ".config" / "zelmo-tci");
  EXPECT_EQ(Slurp(files_.shadowFile), WriteShadowFile(area));
  EXPECT_EQ(std::distance(fs::directory_iterator(files_.folder), fs::directory_iterator()), 2);

  SettingsRecord loaded;
  ParameterImage loadedArea = NewParameters(0);
  EXPECT_TRUE(LoadStartupFiles(files_, loaded, loadedArea).settingsFound);
  EXPECT_EQ(loaded.left, 40);
  EXPECT_EQ(loaded.languageId, 3);
  EXPECT_EQ(loaded.selectedComIndex, 20);
  EXPECT_EQ(loaded.lastFilePath, "/home/u/x.ign");
  EXPECT_EQ(loadedArea, area);
}

TEST_F(SettingsStoreTest, TheWindowsFolderServesUntilTheFirstSave) {
  if (files_.legacySettingsFile.empty()) GTEST_SKIP() << "only Windows had settings in the Windows folder";
  Put(files_.legacySettingsFile, "[FORM_HLAV]\r\nLeft=77\r\nLanguage=3\r\n");
  SettingsRecord settings;
  ParameterImage area = NewParameters(0);
  EXPECT_TRUE(LoadStartupFiles(files_, settings, area).problems.empty());
  EXPECT_EQ(settings.left, 77);
  EXPECT_EQ(settings.languageId, 3);

  // Saved once, the new file wins and the old one is left as it was.
  settings.left = 5;
  ASSERT_TRUE(SaveCloseFiles(files_, settings, area).ok);
  SettingsRecord again;
  LoadStartupFiles(files_, again, area);
  EXPECT_EQ(again.left, 5);
  EXPECT_EQ(again.languageId, 3);
  EXPECT_EQ(Slurp(files_.legacySettingsFile), "[FORM_HLAV]\r\nLeft=77\r\nLanguage=3\r\n");
}

TEST_F(SettingsStoreTest, SavingKeepsWhatElseTheSettingsFileHolds) {
  Put(files_.settingsFile, "[PORTS]\nCOM3=/dev/ttyUSB0\n[form_hlav]\nleft=1\n");
  ASSERT_TRUE(SaveCloseFiles(files_, SettingsRecord{}, ParameterImage{}).ok);
  const std::string text = Slurp(files_.settingsFile);
  EXPECT_EQ(text.find("[PORTS]\r\nCOM3=/dev/ttyUSB0\r\n[form_hlav]\r\nLeft=0\r\nTop=0\r\n"), 0u) << text;
}

TEST_F(SettingsStoreTest, ShortShadowAndMarkerAmongOtherWords) {
  Put(files_.shadowFile, "1 2 3 4 5 6 7 8 9 10 11 12");
  Put(files_.markerFile, "first SVC_DISPLAY last");
  SettingsRecord settings;
  ParameterImage area = NewParameters(0);
  const StartupFiles startup = LoadStartupFiles(files_, settings, area);
  EXPECT_TRUE(startup.testMode);
  EXPECT_FALSE(startup.settingsFound);  // a shadow copy alone makes no settings
  EXPECT_EQ(area.area[11], 12);
  EXPECT_EQ(area.limiter(), 4);
  EXPECT_EQ(area.advance(0), NewParameters(0).advance(0));

  Put(files_.markerFile, "svc_display");
  EXPECT_FALSE(LoadStartupFiles(files_, settings, area).testMode);
}

TEST_F(SettingsStoreTest, UnreadableFilesAreReportedAndSkipped) {
  fs::create_directories(files_.shadowFile);  // a folder where the file should be
  Put(files_.settingsFile, std::string(kMaxFileSize + 1, ' '));
  SettingsRecord settings;
  settings.top = 5;
  ParameterImage area = NewParameters(0);
  const StartupFiles startup = LoadStartupFiles(files_, settings, area);
  ASSERT_EQ(startup.problems.size(), 2u);
  // There, though unreadable: not a first start.
  EXPECT_TRUE(startup.settingsFound);
  EXPECT_NE(startup.problems[0].find("Zelmo_TCI.ini"), std::string::npos);
  EXPECT_EQ(settings.top, 5);
  EXPECT_EQ(area, NewParameters(0));
}

TEST_F(SettingsStoreTest, FailedSaveReportsTheFileAndWritesNothingAfterIt) {
  ASSERT_TRUE(SaveCloseFiles(files_, SettingsRecord{}, NewParameters(0)).ok);
  const std::string oldShadow = Slurp(files_.shadowFile);
  fs::remove(files_.settingsFile);
  fs::create_directories(files_.settingsFile / "in_the_way");
  const FileResult result = SaveCloseFiles(files_, SettingsRecord{}, NewParameters(3));
  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("Zelmo_TCI.ini"), std::string::npos) << result.error;
  EXPECT_TRUE(fs::is_directory(files_.settingsFile / "in_the_way"));
  EXPECT_EQ(Slurp(files_.shadowFile), oldShadow);

  Put(root_ / "file", "x");
  ConfigFiles blocked = files_;
  blocked.folder = root_ / "file" / "sub";
  blocked.settingsFile = blocked.folder / "Zelmo_TCI.ini";
  const FileResult noFolder = SaveCloseFiles(blocked, SettingsRecord{}, ParameterImage{});
  EXPECT_FALSE(noFolder.ok);
  EXPECT_NE(noFolder.error.find("cannot create the folder"), std::string::npos) << noFolder.error;
}

}  // namespace
}  // namespace zelmo
