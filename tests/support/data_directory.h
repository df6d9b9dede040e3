// A fixture for the tests that read the files beside the program (ready-made solutions,
// sentences, irregular layouts): the start directory is the source tree's data folder while
// they run.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/paths.h"

namespace quorbel::test {

class DataDirectoryTest : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = StartDirectory();
    SetStartDirectory(std::string(QUORBEL_TEST_DATA) + "/../../data");
  }
  void TearDown() override { SetStartDirectory(previous_); }

private:
  std::string previous_;
};

} // namespace quorbel::test
