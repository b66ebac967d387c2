#include "core/settings/config_dir.h"

#include <gtest/gtest.h>

#include <map>

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

}  // namespace
}  // namespace zelmo
