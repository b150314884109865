// Puts the runtime's module state back to how a fresh start leaves it, on a
// virtual clock, with a speech hook that records what was said and when.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/cp1250.h"
#include "platform/virtualhost.h"
#include "runtime/oskcommands.h"
#include "shell/settings/flags.h"

namespace drum {

class RuntimeTest : public ::testing::Test {
 protected:
  struct Spoken {
    std::string text;
    std::int64_t atMicros;
    bool operator==(const Spoken&) const = default;
  };

  void SetUp() override {
    setHost(&clock);
    printmemo.setObserver(nullptr);
    printmemo.clear();
    printmemo.fill();
    scrcursor = tscrcursor();
    printseparator = 0;
    pagemode = false;
    fixednumbers = false;
    fixedwidth = 0;
    fixeddecimals = 0;
    decimalseparator = ',';
    keybuffer.clear();
    resetFlags();
    voiceallowed = true;
    languagebase = 2000;
    speaktexthook = [this](const std::string& text) { spoken.push_back({text, clock.nowMicros()}); };
  }
  void TearDown() override {
    speaktexthook = nullptr;
    setHost(nullptr);
  }

  std::string blanks(std::size_t n) const { return std::string(n, ' '); }
  void at(int row, int column) {
    scrcursor.setRow(static_cast<std::uint8_t>(row));
    scrcursor.setColumn(static_cast<std::uint8_t>(column));
  }
  std::pair<int, int> cursor() const { return {scrcursor.row(), scrcursor.column()}; }

  VirtualHost clock;
  std::vector<Spoken> spoken;
};

}  // namespace drum
