// Empty Braille and key tables, a virtual host that records error reports,
// and a private folder for table files written by a test.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "input/brailletables.h"
#include "platform/host.h"
#include "platform/virtualhost.h"
#include "support/tempdir.h"

namespace drum::tabletest {

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&host_);
    ASSERT_FALSE(folder_.path().empty());
    dir_ = folder_.path();
    prefixcount = 0;
    charcount = 0;
    brlprefixes.fill({});
    brlchars.fill({});
    echokeys.fill({});
    currentprefix.clear();
    savedTable_ = brailletablefile;
    savedKeys_ = keyfile;
  }
  void TearDown() override {
    brailletablefile = savedTable_;
    keyfile = savedKeys_;
    setHost(nullptr);
  }

  std::string file(const std::string& name) const { return dir_ + "/" + name; }
  static void write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

  // Loads `text` as the Braille table / the key file.
  void loadTable(const std::string& text) {
    brailletablefile = file("table.ebt");
    write(brailletablefile, text);
    LoadBrailleTable();
  }
  void loadKeys(const std::string& text) {
    keyfile = file("keys.eky");
    write(keyfile, text);
    LoadKeyFile();
  }

  // The text of one chord, starting from an empty result as every caller does.
  static std::string chord(const std::string& dots) {
    std::string result;
    TranslateChord(dots, result);
    return result;
  }
  // The texts of several chords in a row, joined with "|".
  static std::string chords(const std::vector<std::string>& sequence) {
    std::string out;
    for (std::size_t i = 0; i < sequence.size(); ++i) out += (i ? "|" : "") + chord(sequence[i]);
    return out;
  }

  const std::vector<std::string>& errors() const { return host_.errors(); }

  VirtualHost host_;

 private:
  testing::TempDir folder_{"drum-tables"};  // removed after TearDown
  std::string dir_;
  std::string savedTable_, savedKeys_;
};

}  // namespace drum::tabletest
