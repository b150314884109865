// The process's Braille display against BRLTTY with its Virtual driver (the
// test being the display), on the real clock. The display and its thread
// are the process's own, so every test leaves it off and unfocused.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "input/braillecells.h"
#include "input/brailledisplay.h"
#include "platform/host.h"
#include "platform/realhost.h"
#include "support/virtualbraille.h"

namespace drum::brailletest {

using testing::VirtualBraille;
using namespace std::chrono_literals;

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string why = VirtualBraille::missing(); !why.empty()) GTEST_SKIP() << why;
    braille_ = std::make_unique<VirtualBraille>(columns());
    ASSERT_TRUE(braille_->ready()) << braille_->error();
    braille_->exportEnvironment();
    setHost(&host_);
    display().onKey = [this](const BrailleKey& k) { keys_.push_back(k); };
  }
  void TearDown() override {
    display().onKey = {};
    display().unfocus();
    display().setEnabled(false);
    setHost(nullptr);
    braille_.reset();
  }
  virtual int columns() const { return 40; }

  static BrailleDisplay& display() { return BrailleDisplay::instance(); }
  VirtualBraille& braille() { return *braille_; }

  // Delivers the host's events until `done` holds; false after `timeout`.
  bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      host_.waitForEvents(Millis(20));
    }
    return true;
  }
  bool connect() {
    display().setEnabled(true);
    return pumpUntil([] { return display().connected(); });
  }
  // The cells of `text` as the display must show them.
  static VirtualBraille::Cells cellsOf(std::u16string_view text) {
    auto cells = brailleCells(text);
    return cells ? *cells : VirtualBraille::Cells();
  }
  // Waits for the next key of the display.
  bool nextKey(BrailleKey& key) {
    const std::size_t before = taken_;
    if (!pumpUntil([&] { return keys_.size() > before; })) return false;
    key = keys_[taken_++];
    return true;
  }

  RealHost host_;
  std::unique_ptr<VirtualBraille> braille_;
  std::vector<BrailleKey> keys_;
  std::size_t taken_ = 0;
};

}  // namespace drum::brailletest
