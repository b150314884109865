#include "shell/settings/resourcelocalizer.h"

#include <iconv.h>

#include <gtest/gtest.h>

#include <climits>

#include "platform/error.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/settings/messages.h"
#include "support/tempdir.h"

namespace drum {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

// The texts as the program must show them, written here apart from the
// program's own table so that a slip in either copy shows.
const char* const kCzech[47] = {
    "Čeština",  // 0
    "Překladač Oskira Basicu",  // 1
    "&Program",  // 2
    "&Spustit",  // 3
    "Na&stavení",  // 4
    "Prostř&edí",  // 5
    "Provedené změny se projeví až poté, co znovu spustíte program.",  // 6
    "&Ok",  // 7
    "Zrušit",  // 8
    "&jazyk",  // 9
    "Nastavení prostředí",  // 10
    "Nastavení hlasu",  // 11
    "&Hlasy",  // 12
    "&Výška",  // 13
    "&Rychlost",  // 14
    "Hla&sitost",  // 15
    "Zvolit hl&as",  // 16
    "Za&vřít",  // 17
    "Používání hlasu není povoleno. Povolit jej můžete v menu Nastavení/Zvuky.",  // 18
    "Hlas vybrán.",  // 19
    "&Zvuky",  // 20
    "Nastavení zvuků",  // 21
    "Povolit &hlas",  // 22
    "Vlož data",  // 23
    "czech",  // 24
    "hotovo",  // 25
    "Obrazovka",  // 26
    "Používat hlas SA&PI5",  // 27
    "H&lasitost zvuků",  // 28
    "prázdný řádek",  // 29
    "konec obrazovky",  // 30
    "řádek",  // 31
    "sloupec",  // 32
    "Kon&ec",  // 33
    "Ná&pověda",  // 34
    "O progr&amu",  // 35
    "O programu",  // 36
    "verze",  // 37
    "&Hlas",  // 38
    "Zvuky &Oskiry",  // 39
    "Nelze povolit hlas. Žádné hlasy nejsou k dispozici.",  // 40
    "Obrazovka je plná.",  // 41
    "Nelze nalézt soubor",  // 42
    "Nelze nalézt hlas uvedený v ini souboru:",  // 43
    "Prosím přepiš",  // 44
    "U&končit program",  // 45
    "&Braillská klávesnice",  // 46
};
const char* const kEnglish[47] = {
    "English",  // 0
    "Oskira Basic Interpreter",  // 1
    "&Program",  // 2
    "&Start",  // 3
    "&Settings",  // 4
    "&Environment",  // 5
    "Your changes will be applied after you restart the program.",  // 6
    "&OK",  // 7
    "Cancel",  // 8
    "&Language",  // 9
    "environment settings",  // 10
    "Voice settings",  // 11
    "&Voices",  // 12
    "&Pitch",  // 13
    "&Speed",  // 14
    "Vo&lume",  // 15
    "&Choose voice",  // 16
    "&Close",  // 17
    "The voice is turned off. You can turn it on in the Sounds dialog, menu Settings",  // 18
    "Voice selected.",  // 19
    "&Sounds",  // 20
    "Sounds settings",  // 21
    "Use the &voice",  // 22
    "Enter data",  // 23
    "english",  // 24
    "ready",  // 25
    "Screen",  // 26
    "Use SA&PI5 voice",  // 27
    "Sound vo&lume",  // 28
    "empty line",  // 29
    "end of screen",  // 30
    "line",  // 31
    "column",  // 32
    "&Exit",  // 33
    "Hel&p",  // 34
    "&About",  // 35
    "About",  // 36
    "version",  // 37
    "&Voice",  // 38
    "&Oskira sounds",  // 39
    "Can't allow voice, no voices are available",  // 40
    "The screen is full.",  // 41
    "Can't find the file",  // 42
    "Can't find the voice specified in the ini file:",  // 43
    "Please retype",  // 44
    "E&xit program",  // 45
    "&Braille keyboard",  // 46
};
const char* const kSlovak[47] = {
    "Slovenčina",  // 0
    "Prekladač Oskira Basicu",  // 1
    "&Program",  // 2
    "&Spustiť",  // 3
    "Na&stavenia",  // 4
    "Prostr&edie",  // 5
    "Vykonané zmeny sa prejavia až po najbližšom spustení programu.",  // 6
    "&Ok",  // 7
    "Zrušiť",  // 8
    "&jazyk",  // 9
    "Nastavenie prostredia",  // 10
    "Nastavenie hlasu",  // 11
    "&Hlasy",  // 12
    "&Výška",  // 13
    "&Rýchlosť",  // 14
    "Hla&sitosť",  // 15
    "Zvoliť hl&as",  // 16
    "Za&vrieť",  // 17
    "Používanie hlasu nie je povolené. Povoliť ho môžete v menu Nastavenia/Zvuky.",  // 18
    "Hlas vybratý.",  // 19
    "&Zvuky",  // 20
    "Nastavenie zvukov",  // 21
    "Povoliť &hlas",  // 22
    "Vlož data",  // 23
    "slovak",  // 24
    "hotovo",  // 25
    "Obrazovka",  // 26
    "Používať hlas SA&PI5",  // 27
    "H&lasitosť zvukov",  // 28
    "prázdny riadok",  // 29
    "koniec obrazovky",  // 30
    "riadok",  // 31
    "stĺpec",  // 32
    "Koni&ec",  // 33
    "&Pomoc",  // 34
    "O progr&ame",  // 35
    "O programe",  // 36
    "verzia",  // 37
    "&Hlas",  // 38
    "Zvuky &Oskiry",  // 39
    "Nie je možné povoliť hlas. Žiadne hlasy nie sú k dispozícii.",  // 40
    "Obrazovka je plná.",  // 41
    "Nie je možné nájsť súbor",  // 42
    "Nie je možné nájsť hlas, uvedený v ini súbore:",  // 43
    "Prosím prepíš",  // 44
    "U&končiť program",  // 45
    "&Braillská klávesnica",  // 46
};

// Windows-1250 to UTF-8 by the C library, not by the program's converter.
std::string toUtf8(const std::string& cp1250) {
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1250");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
  std::string in = cp1250;
  std::string out(in.size() * 4 + 4, '\0');
  char* inp = in.data();
  char* outp = out.data();
  size_t inLeft = in.size(), outLeft = out.size();
  const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return "<not Windows-1250>";
  out.resize(out.size() - outLeft);
  return out;
}

TEST(MessageTable, EveryTextOfTheThreeLanguages) {
  const std::pair<int, const char* const*> languages[] = {{1000, kCzech}, {2000, kEnglish}, {3000, kSlovak}};
  for (const auto& [base, texts] : languages) {
    for (int n = 0; n < 47; ++n) {
      const std::string text = TResourceLocalizer::LocalString(base, n);
      EXPECT_EQ(toUtf8(text), texts[n]) << "message " << base + n;
      EXPECT_LE(text.size(), 255u) << "message " << base + n;
    }
    // The program's own messages beyond them, in every language too.
    EXPECT_FALSE(TResourceLocalizer::LocalString(base, kSoundBackMessage).empty()) << base;
  }
  // The browser's own words (47 to 58), in each language too.
  for (const auto& [base, texts] : languages) {
    for (int n = 47; n < 59; ++n) {
      const std::string text = TResourceLocalizer::LocalString(base, n);
      EXPECT_FALSE(text.empty()) << "message " << base + n;
      EXPECT_EQ(toUtf8(text).find('<'), std::string::npos) << "message " << base + n;
    }
  }
  EXPECT_EQ(toUtf8(TResourceLocalizer::LocalString(1000, kSoundBackMessage)), "Zvuk je zpět.");
  EXPECT_EQ(messageTable().size(), 3u * 60u);
}

TEST(MessageTable, TextsAreWindows1250Bytes) {
  EXPECT_EQ(TResourceLocalizer::LocalString(1000, 0), "\xC8" "e\x9Atina");
  EXPECT_EQ(TResourceLocalizer::LocalString(3000, 32), "st\xE5pec");
  EXPECT_EQ(TResourceLocalizer::LocalString(3000, 14), "&R\xFD" "chlos\x9D");
}

TEST(MessageTable, NumbersWithoutTextAreEmpty) {
  EXPECT_EQ(TResourceLocalizer::LocalString(1000, 60), "");
  EXPECT_EQ(TResourceLocalizer::LocalString(1000, -1), "");
  EXPECT_EQ(TResourceLocalizer::LocalString(4000, 0), "");
  EXPECT_EQ(TResourceLocalizer::LocalString(0, 5), "");
  EXPECT_EQ(TResourceLocalizer::LocalString(1234, 1), "");
  EXPECT_EQ(TResourceLocalizer::LocalString(INT_MAX, 5), "");  // no overflow on the way
  EXPECT_EQ(TResourceLocalizer::LocalString(INT_MIN, -5), "");
  // The number is base + n, whatever the two are.
  EXPECT_EQ(TResourceLocalizer::LocalString(1500, 500), "English");
}

TEST(MessageTable, CurrentLanguageFollowsTheBase) {
  const int saved = languagebase;
  languagebase = 2000;
  EXPECT_EQ(LocalString(25), "ready");
  languagebase = 3000;
  EXPECT_EQ(LocalString(24), "slovak");
  languagebase = 1500;
  EXPECT_EQ(LocalString(1), "");
  languagebase = saved;
}

TEST(LanguageList, ThreeLanguagesInBaseOrder) {
  std::vector<LanguageEntry> list = {{"stale", 9}};
  TResourceLocalizer::FillLanguageList(list);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(toUtf8(list[0].name), "Čeština");
  EXPECT_EQ(list[0].base, 1000);
  EXPECT_EQ(list[1].name, "English");
  EXPECT_EQ(list[1].base, 2000);
  EXPECT_EQ(toUtf8(list[2].name), "Slovenčina");
  EXPECT_EQ(list[2].base, 3000);
}

TEST(LanguageList, StopsAtTheFirstBaseWithoutAText) {
  std::map<int, std::string> table = messageTable();
  table[4000] = "Deutsch";
  table[6000] = "unreachable";
  std::vector<LanguageEntry> list;
  fillLanguageList(list, table);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[3].name, "Deutsch");
  EXPECT_EQ(list[3].base, 4000);

  fillLanguageList(list, {{1000, "a"}, {1001, "b"}, {3000, "c"}});
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].base, 1000);
  fillLanguageList(list, {{2000, "only"}});
  EXPECT_TRUE(list.empty());
}

// Each test gets its own settings file and the flags of a fresh start.
class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setSettingsPath(path_);
    resetFlags();
    enumeratorexistshook = nullptr;
  }
  void TearDown() override {
    setSettingsPath(executableIniPath());
    enumeratorexistshook = nullptr;
    resetFlags();
  }
  TempDir dir_;
  std::string path_ = dir_.file("drum.ini");
};

TEST_F(SettingsTest, LanguageBaseIsReadAndWritten) {
  TResourceLocalizer::ReadLanguage();
  EXPECT_EQ(languagebase, 1000);  // no file
  writeFile(path_, "[Environment]\nLANGUAGE=0x7D0\n");
  TResourceLocalizer::ReadLanguage();
  EXPECT_EQ(languagebase, 2000);
  EXPECT_EQ(LocalString(11), "Voice settings");
  writeFile(path_, "[environment]\nlanguage=$BB8\n");
  TResourceLocalizer::ReadLanguage();
  EXPECT_EQ(languagebase, 3000);
  writeFile(path_, "[environment]\nlanguage=slovak\n");
  TResourceLocalizer::ReadLanguage();
  EXPECT_EQ(languagebase, 1000);
  writeFile(path_, "[environment]\nlanguage=5000\n");
  TResourceLocalizer::ReadLanguage();
  EXPECT_EQ(languagebase, 1000);  // no texts there: Czech, not empty captions
  writeFile(path_, "[environment]\nlanguage=2001\n");
  TResourceLocalizer::ReadLanguage();
  EXPECT_EQ(languagebase, 1000);

  languagebase = 2000;
  TResourceLocalizer::WriteLanguage();
  EXPECT_EQ(readFile(path_), "[environment]\nlanguage=2000\n");
}

TEST_F(SettingsTest, LoadReadsEveryFlagFromAnExistingFile) {
  writeFile(path_,
            "[voice]\nvoiceallowed=0\nperson=Czech\nSAPI5=1\n"
            "[sounds]\noskirasounds=0\nsndvolume=-2500\n"
            "[keyboard]\nbraillekeys=1\n");
  bool asked = false;
  enumeratorexistshook = [&] { return asked = true; };
  TResourceLocalizer::LoadSettings();
  EXPECT_FALSE(voiceallowed);
  EXPECT_FALSE(oskirasounds);
  EXPECT_EQ(sndvolume, -2500);
  EXPECT_TRUE(braillemode);
  EXPECT_TRUE(braillekeyboardchecked);
  EXPECT_TRUE(usesapi5checked);
  EXPECT_FALSE(asked);  // the enumerator matters only for a new file
  EXPECT_FALSE(sapi5inuse);  // the main window copies the mark itself
}

TEST_F(SettingsTest, CapitalVoiceHeaderTurnsVoiceOff) {
  writeFile(path_, "[VOICE]\nvoiceallowed=0\n");
  voiceallowed = true;
  TResourceLocalizer::LoadSettings();
  EXPECT_FALSE(voiceallowed);
}

TEST_F(SettingsTest, MissingOrDamagedValuesReadAsDefaults) {
  writeFile(path_, "[sounds]\nsndvolume=loud\noskirasounds=\n[keyboard]\nbraillekeys=yes\n");
  TResourceLocalizer::LoadSettings();
  EXPECT_TRUE(voiceallowed);
  EXPECT_TRUE(oskirasounds);
  EXPECT_EQ(sndvolume, 0);
  EXPECT_FALSE(braillemode);
  EXPECT_FALSE(braillekeyboardchecked);
  EXPECT_FALSE(usesapi5checked);
}

TEST_F(SettingsTest, BrailleDisplayIsOnUnlessTheFileTurnsItOff) {
  writeFile(path_, "[braille]\ndisplay=0\n");
  TResourceLocalizer::LoadSettings();
  EXPECT_FALSE(brailledisplay);
  // Absent or damaged: on, as a display that says nothing is no use.
  for (const char* text : {"[voice]\nvoiceallowed=1\n", "[braille]\ndisplay=off\n", "[braille]\ndisplay=\n"}) {
    brailledisplay = false;
    writeFile(path_, text);
    TResourceLocalizer::LoadSettings();
    EXPECT_TRUE(brailledisplay) << text;
  }
  writeFile(path_, "[braille]\ndisplay=1\n");
  TResourceLocalizer::LoadSettings();
  EXPECT_TRUE(brailledisplay);
  // The settings commands write what they own and leave the section alone.
  writeFile(path_, "[braille]\ndisplay=0\n");
  TResourceLocalizer::SaveSettings();
  TResourceLocalizer::LoadSettings();
  EXPECT_FALSE(brailledisplay);
}

TEST_F(SettingsTest, SoundVolumeStaysAnAttenuation) {
  writeFile(path_, "[sounds]\nsndvolume=5000\n");
  TResourceLocalizer::LoadSettings();
  EXPECT_EQ(sndvolume, 0);
  writeFile(path_, "[sounds]\nsndvolume=-20000\n");
  TResourceLocalizer::LoadSettings();
  EXPECT_EQ(sndvolume, -10000);
  writeFile(path_, "[sounds]\nsndvolume=-0x3E8\n");
  TResourceLocalizer::LoadSettings();
  EXPECT_EQ(sndvolume, -1000);
}

TEST_F(SettingsTest, NewFileAsksTheEnumeratorAndStartsWithTheVoiceSection) {
  enumeratorexistshook = [] { return true; };
  oskirasounds = false;  // whatever the start-up values are, they stay
  sndvolume = -300;
  TResourceLocalizer::LoadSettings();
  EXPECT_TRUE(voiceallowed);
  EXPECT_FALSE(oskirasounds);
  EXPECT_EQ(sndvolume, -300);
  EXPECT_EQ(readFile(path_), "[voice]\nvoiceallowed=1\n");

  // Every voice key then lands in that one section.
  WriteSapi5Mark(true);
  settingsFile().writeString("Voice", "person", "Slovak");
  TResourceLocalizer::SaveSettings();
  EXPECT_EQ(readFile(path_),
            "[voice]\nvoiceallowed=1\nSAPI5=1\nperson=Slovak\n"
            "\n[sounds]\noskirasounds=0\nsndvolume=-300\n"
            "\n[keyboard]\nbraillekeys=0\n");
  TResourceLocalizer::LoadSettings();
  EXPECT_TRUE(usesapi5checked);
}

TEST_F(SettingsTest, NewFileWithoutEnumeratorDisallowsVoice) {
  voiceallowed = true;
  TResourceLocalizer::LoadSettings();  // no hook installed
  EXPECT_FALSE(voiceallowed);
  EXPECT_EQ(readFile(path_), "[voice]\nvoiceallowed=0\n");

  std::remove(path_.c_str());
  enumeratorexistshook = [] { return false; };
  TResourceLocalizer::LoadSettings();
  EXPECT_FALSE(voiceallowed);
  EXPECT_EQ(readFile(path_), "[voice]\nvoiceallowed=0\n");
}

TEST_F(SettingsTest, SaveWritesTheFourSettingsIntoAnExistingFile) {
  writeFile(path_, "[Sounds]\r\nOSKIRASOUNDS=1\r\n[Voice]\r\nperson=Czech\r\nvolume=200\r\n");
  voiceallowed = true;
  oskirasounds = false;
  sndvolume = -4200;
  braillemode = true;
  TResourceLocalizer::SaveSettings();
  EXPECT_EQ(readFile(path_),
            "[Sounds]\r\noskirasounds=0\r\nsndvolume=-4200\r\n"
            "[Voice]\r\nperson=Czech\r\nvolume=200\r\nvoiceallowed=1\r\n"
            "\r\n[keyboard]\r\nbraillekeys=1\r\n");
}

TEST_F(SettingsTest, UnwritableFileStopsTheCommandWithItsPath) {
  const std::string lost = dir_.file("gone/drum.ini");
  setSettingsPath(lost);
  try {
    TResourceLocalizer::LoadSettings();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + lost + ": No such file or directory");
  }
  EXPECT_THROW(TResourceLocalizer::SaveSettings(), Error);
  EXPECT_THROW(TResourceLocalizer::WriteLanguage(), Error);
  EXPECT_THROW(WriteSapi5Mark(true), Error);
}

}  // namespace
}  // namespace drum
