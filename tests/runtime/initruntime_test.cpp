#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "runtime/oskcommands.h"

namespace drum {
namespace {

namespace fs = std::filesystem;

class InitRuntime : public ::testing::Test {
 protected:
  void TearDown() override {
    unsetenv("LOCPATH");
    unsetenv("LC_ALL");
    std::setlocale(LC_ALL, "C");
    if (!dir_.empty()) fs::remove_all(dir_);
  }
  // A Czech locale of our own (LOCPATH), so the test needs no locale installed.
  bool makeCzech() {
    char pattern[] = "/tmp/drum-localeXXXXXX";
    dir_ = mkdtemp(pattern);
    const std::string cmd = "localedef -i cs_CZ -f UTF-8 " + (dir_ / "cs_CZ.UTF-8").string() + " >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) return false;
    setenv("LOCPATH", dir_.c_str(), 1);
    setenv("LC_ALL", "cs_CZ.UTF-8", 1);
    return true;
  }
  fs::path dir_;
};

TEST_F(InitRuntime, ReadsACommaFromACzechLocaleAndKeepsCNumbersForTheRest) {
  if (!makeCzech()) GTEST_SKIP() << "localedef cannot build cs_CZ here";
  decimalseparator = '?';
  initRuntime();
  EXPECT_EQ(decimalseparator, ',');
  EXPECT_EQ(numbertext(0.5), "0,5");
  char buf[16];
  std::snprintf(buf, sizeof buf, "%.1f", 0.5);
  EXPECT_STREQ(buf, "0.5");
}

TEST_F(InitRuntime, ThePosixLocaleGivesAPointAndTheScreenStartsEmpty) {
  setenv("LC_ALL", "C", 1);
  printmemo.clear();
  printmemo.append("old");
  scrcursor.setRow(5);
  scrcursor.setColumn(9);
  fixednumbers = true;
  initRuntime();
  EXPECT_EQ(decimalseparator, '.');
  ASSERT_EQ(printmemo.count(), 24);
  for (int r = 0; r < 24; ++r) EXPECT_EQ(printmemo.line(r), "");
  EXPECT_EQ(scrcursor.row(), 0);
  EXPECT_EQ(scrcursor.column(), 0);
  EXPECT_FALSE(fixednumbers);
  EXPECT_FALSE(pagemode);
  EXPECT_EQ(lastvoice, 1);
  EXPECT_EQ(lastduration, 1);
}

}  // namespace
}  // namespace drum
