// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh folder of its own for each file test, named after the process, the
// suite and the test, and removed afterwards even where a test took away its
// write permission.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/files/platform_test_support.h"

namespace zelmo::test {

class ScratchFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() / ("zelmo_" + std::string(info->test_suite_name()) + "_" +
                                                     std::to_string(ProcessId()) + "_" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  static std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static int EntriesIn(const std::filesystem::path& p) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(p)) ++n;
    return n;
  }
  std::filesystem::path dir_;
};

}  // namespace zelmo::test
