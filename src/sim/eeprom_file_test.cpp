// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/eeprom_file.h"

#include <gtest/gtest.h>

#include <fstream>

namespace zelmo::sim {
namespace {

namespace fs = std::filesystem;

class EepromFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zelmo_eeprom_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(EepromFile, KeepsBlockAndCountAcrossRestarts) {
  const fs::path file = dir_ / "unit.bin";
  EXPECT_TRUE(LoadEeprom(file).missing);

  SimulatedUnit first({}, FactoryMemory());
  Payload image{};
  image.fill(7);
  first.answer(BuildFrame(kProgramImage, image), 0);
  first.answer(BuildFrame(kProgramImage, image), 0);
  ASSERT_TRUE(SaveEeprom(file, first.memory()).ok);
  EXPECT_EQ(fs::file_size(file), kEepromFileSize);

  const EepromLoad load = LoadEeprom(file);
  ASSERT_TRUE(load.ok) << load.error;
  EXPECT_EQ(load.memory, first.memory());
  EXPECT_EQ(load.memory.programmingCount, 2);
}

TEST_F(EepromFile, RefusesAFileThatIsNotOursAndLeavesIt) {
  const fs::path file = dir_ / "notes.txt";
  std::ofstream(file) << "my notes";
  const EepromLoad load = LoadEeprom(file);
  EXPECT_FALSE(load.ok);
  EXPECT_FALSE(load.missing);
  EXPECT_NE(load.error.find("notes.txt"), std::string::npos);
  EXPECT_EQ(fs::file_size(file), 8u);
}

TEST_F(EepromFile, AFailedSaveSaysWhy) {
  const FileResult r = SaveEeprom(dir_ / "missing" / "unit.bin", FactoryMemory());
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("unit.bin"), std::string::npos);
}

}  // namespace
}  // namespace zelmo::sim
