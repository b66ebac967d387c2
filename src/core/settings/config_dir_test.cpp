// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/config_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <system_error>

#include "core/files/platform_test_support.h"
#include "core/files/utf8_path.h"

namespace zelmo {
namespace {

namespace fs = std::filesystem;

EnvironmentGetter Environment(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> std::optional<std::string> {
    if (auto it = values.find(name); it != values.end()) return it->second;
    return std::nullopt;
  };
}

TEST(ConfigDir, ExplicitFolderWinsEverywhere) {
  const auto env = Environment({{"ZELMO_TCI_CONFIG_DIR", "/tmp/z"}, {"XDG_CONFIG_HOME", "/x"}, {"APPDATA", "C:/a"}});
  for (ConfigPlatform platform : {ConfigPlatform::Posix, ConfigPlatform::Windows}) {
    const auto files = FindConfigFiles(env, platform);
    ASSERT_TRUE(files);
    EXPECT_EQ(files->folder, fs::path("/tmp/z"));
    EXPECT_EQ(files->settingsFile, fs::path("/tmp/z") / "Zelmo_TCI.ini");
    EXPECT_EQ(files->shadowFile, fs::path("/tmp/z") / "_Zelmo_TCI.ini");
    EXPECT_EQ(files->markerFile, fs::path("/tmp/z") / "test_brelot.txt");
    EXPECT_TRUE(files->legacySettingsFile.empty());
  }
}

TEST(ConfigDir, PosixPrefersAnAbsoluteXdgFolderThenHome) {
  auto folder = [](std::map<std::string, std::string> values) {
    const auto files = FindConfigFiles(Environment(std::move(values)), ConfigPlatform::Posix);
    return files ? files->folder : fs::path("none");
  };
  EXPECT_EQ(folder({{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}}), fs::path("/cfg/zelmo-tci"));
  EXPECT_EQ(folder({{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/u"}}), fs::path("/home/u/.config/zelmo-tci"));
  EXPECT_EQ(folder({{"XDG_CONFIG_HOME", ""}, {"ZELMO_TCI_CONFIG_DIR", ""}, {"HOME", "/home/u"}}),
            fs::path("/home/u/.config/zelmo-tci"));
  EXPECT_EQ(folder({}), fs::path("none"));
}

TEST(ConfigDir, WindowsUsesApplicationDataWithLegacyFallbacks) {
  const auto files = FindConfigFiles(Environment({{"APPDATA", "C:\\Users\\u\\AppData\\Roaming"}, {"WINDIR", "D:\\WIN"}}),
                                     ConfigPlatform::Windows);
  ASSERT_TRUE(files);
  EXPECT_EQ(files->folder, fs::path("C:\\Users\\u\\AppData\\Roaming") / "zelmo-tci");
  EXPECT_EQ(files->legacySettingsFile, fs::path("D:\\WIN\\Zelmo_TCI.ini"));
  EXPECT_EQ(files->legacyShadowFile, fs::path("c:\\windows\\_Zelmo_TCI.ini"));
  EXPECT_EQ(files->legacyMarkerFile, fs::path("c:\\test_brelot.txt"));
  EXPECT_FALSE(FindConfigFiles(Environment({{"HOME", "/home/u"}}), ConfigPlatform::Windows));
}

TEST(DataFolder, HistoryAndRecordingsLiveInTheDataFolder) {
  const auto posix =
      FindConfigFiles(Environment({{"HOME", "/home/u"}, {"XDG_DATA_HOME", "/d"}}), ConfigPlatform::Posix);
  ASSERT_TRUE(posix);
  EXPECT_EQ(posix->historyFolder, fs::path("/d/zelmo-tci/history"));
  EXPECT_EQ(posix->recordingsFolder, fs::path("/d/zelmo-tci/recordings"));
  EXPECT_EQ(posix->legacyHistoryFolder, fs::path("/home/u/.config/zelmo-tci/history"));

  const auto home = FindConfigFiles(Environment({{"HOME", "/home/u"}}), ConfigPlatform::Posix);
  ASSERT_TRUE(home);
  EXPECT_EQ(home->historyFolder, fs::path("/home/u/.local/share/zelmo-tci/history"));

  // One chosen folder holds everything, nothing to move.
  const auto chosen = FindConfigFiles(Environment({{"ZELMO_TCI_CONFIG_DIR", "/tmp/z"}, {"HOME", "/home/u"}}));
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->historyFolder, fs::path("/tmp/z/history"));
  EXPECT_EQ(chosen->recordingsFolder, fs::path("/tmp/z/recordings"));
  EXPECT_TRUE(chosen->legacyHistoryFolder.empty());

  const auto windows =
      FindConfigFiles(Environment({{"APPDATA", "C:/a"}, {"LOCALAPPDATA", "C:/l"}}), ConfigPlatform::Windows);
  ASSERT_TRUE(windows);
  EXPECT_EQ(windows->historyFolder, fs::path("C:/l/zelmo-tci/history"));
}

TEST(DataFolder, PosixPrefersAnAbsoluteXdgFolderThenHomeWindowsLocalAppData) {
  auto folder = [](std::map<std::string, std::string> values, ConfigPlatform platform = ConfigPlatform::Posix) {
    return FindDataFolder(Environment(std::move(values)), platform).value_or("none");
  };
  EXPECT_EQ(folder({{"XDG_DATA_HOME", "/data"}, {"HOME", "/home/u"}}), fs::path("/data/zelmo-tci"));
  EXPECT_EQ(folder({{"XDG_DATA_HOME", "rel"}, {"HOME", "/home/u"}}), fs::path("/home/u/.local/share/zelmo-tci"));
  // The configuration folder's variables do not move the data folder.
  EXPECT_EQ(folder({{"ZELMO_TCI_CONFIG_DIR", "/z"}, {"XDG_CONFIG_HOME", "/c"}, {"HOME", "/home/u"}}),
            fs::path("/home/u/.local/share/zelmo-tci"));
  EXPECT_EQ(folder({}), fs::path("none"));
  EXPECT_EQ(folder({{"LOCALAPPDATA", "C:\\L"}, {"HOME", "/home/u"}}, ConfigPlatform::Windows),
            fs::path("C:\\L") / "zelmo-tci");
  EXPECT_EQ(folder({{"HOME", "/home/u"}}, ConfigPlatform::Windows), fs::path("none"));
}

// What the program itself uses: the default platform, and folder names from
// the environment as UTF-8 with letters beyond any one ANSI code page.
TEST(ConfigDir, TheDefaultIsThisPlatformAndNamesStayWhole) {
  const auto env = Environment(
      {{"APPDATA", "C:\\Users\\Ji\u0159\u00ed \u0416\\AppData\\Roaming"}, {"HOME", "/home/ji\u0159\u00ed \u0416"}});
  const auto files = FindConfigFiles(env);
  ASSERT_TRUE(files);
  if (kThisPlatform == ConfigPlatform::Windows) {
    EXPECT_EQ(Utf8FromPath(files->settingsFile),
              "C:\\Users\\Ji\u0159\u00ed \u0416\\AppData\\Roaming\\zelmo-tci\\Zelmo_TCI.ini");
    EXPECT_EQ(files->settingsFile.parent_path().parent_path().filename().wstring(), L"Roaming");
    EXPECT_EQ(files->legacyMarkerFile, fs::path("c:\\test_brelot.txt"));
  } else {
    EXPECT_EQ(Utf8FromPath(files->settingsFile), "/home/ji\u0159\u00ed \u0416/.config/zelmo-tci/Zelmo_TCI.ini");
    EXPECT_TRUE(files->legacyMarkerFile.empty());
  }
}

TEST(ProcessEnvironment, ReadsValuesAsUtf8) {
  const std::string folder = "C:\\Users\\Ji\u0159\u00ed \u0416";
  test::SetEnvironment("ZELMO_TCI_TEST_FOLDER", folder);
  EXPECT_EQ(ProcessEnvironment("ZELMO_TCI_TEST_FOLDER"), folder);
  EXPECT_FALSE(ProcessEnvironment("ZELMO_TCI_TEST_NEVER_SET"));
}

class ExeDir : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("zelmo-exedir-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  fs::path root_;
};

TEST_F(ExeDir, AWritableProgramFolderKeepsTheFileBesideTheProgram) {
  const auto env =
      Environment({{"XDG_DATA_HOME", Utf8FromPath(root_ / "data")}, {"LOCALAPPDATA", Utf8FromPath(root_ / "data")}});
  EXPECT_EQ(ExeDirFile(root_ / "bin", env, [](const fs::path&) { return true; }), root_ / "bin" / "data.ign");
  EXPECT_FALSE(fs::exists(root_ / "data"));
}

TEST_F(ExeDir, AnInstalledProgramUsesTheDataFolderAndMakesIt) {
  // Each platform's data folder, the other platform's variables besides.
  const auto env = Environment({{"XDG_DATA_HOME", Utf8FromPath(root_ / "data")},
                                {"LOCALAPPDATA", Utf8FromPath(root_ / "data")},
                                {"HOME", "/nowhere"}});
  fs::path asked;
  const fs::path file = ExeDirFile(root_ / "bin", env, [&asked](const fs::path& folder) {
    asked = folder;
    return false;
  });
  EXPECT_EQ(asked, root_ / "bin");
  EXPECT_EQ(file, root_ / "data" / "zelmo-tci" / "data.ign");
  EXPECT_TRUE(fs::is_directory(root_ / "data" / "zelmo-tci"));
  // Without any data folder the program's folder is all there is.
  EXPECT_EQ(ExeDirFile(root_ / "bin", Environment({}), [](const fs::path&) { return false; }),
            root_ / "bin" / "data.ign");
}

TEST_F(ExeDir, AMissingFolderOrAFileIsNotWritable) {
  EXPECT_TRUE(FolderWritable(root_ / "bin"));
  EXPECT_FALSE(FolderWritable(root_ / "gone"));
  { std::ofstream(root_ / "plain") << "x"; }
  EXPECT_FALSE(FolderWritable(root_ / "plain"));
}

}  // namespace
}  // namespace zelmo
