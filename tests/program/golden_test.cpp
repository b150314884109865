// Whole games through the real drumrun on the virtual clock. Each expected
// transcript is written from the game's rules: what the player hears and
// sees, key by key, and what the memory holds afterwards.
#include <gtest/gtest.h>

#include "drumrun_harness.h"

namespace drum::test {
namespace {

const char* const kRules[] = {
    "táto hra precvičí tvoju pameť, predstavivosť a zmysel pre kombináciu.",
    "tvojou úlohou je poukladať písmená podľa abecedy do dvoch riadkov uložených do tvaru kríža. v každom "
    "riadku je trinásť písmen.",
    "vo vodorovnom riadku budú uložené písmená v poradí zľava od ,a, po ,m,. zvyslý riadok budú tvoriť "
    "písmená zhora od ,n, po ,z,. v streďe, kďe sa riadky prekrývajú, bude písmeno ,g,.",
    "písmená buďeš ukladať tak, že ich v riadku posunieš. napríklad keď vodorovný rad posunieš do prava, tak "
    "krajné písmeno z pravej strany prejďe na ľavú; ostatné sa pritom posunú o jednu pozíciu do prava na "
    "uvoľnené miesto.",
    "všimni si, že stredné písmeno v priesečníku oboch riadkov sa posunie spolu s tým, ktorý posúvaš. na tom "
    "je založený celý systém hry.",
    "na posúvanie písmen v riadkoch slúžia kódy, ktoré sú popísané ňeskôr. pomocou kurzorového kríža si môžeš "
    "ľubovoľne prezerať jednotlivé písmená.",
    "pri kroku o písmeno stlač jednu z kurzorových kláves podľa smeru pohybu.",
    "pri skoku na začiatok alebo koniec riadku pridrž s kurzorovou klávesou stlačený preradzovač. do stredu "
    "kríža sa vrátiš po stlačení medzerníka.",
    "na vyriešeňie úlohy máš 500 ťahov. keď to ňestihňeš, prehrávaš.",
    "hra je náročná na čas. preto ju muožeš skončiť, uložiť program na disk a vráťiť sa k jej dokončeňiu "
    "ňeskuor. program si zapametá kombináciu i počet spotrebovaných pokusov.",
};

const char* const kCodes[] = {
    ",c,; posunuťie zvislého riadku hore.",
    ",dvojbodka,; posunuťie zvislého riadku dole.",
    ",b,; posunuťie vodorovného riadku do ľava.",
    ",ďeleno,; posunuťie vodorovného riadku do prava.",
    ",E,; UKONčEňiE PROGRAMU.",
    ",n,; nová hra. program zruší doterajšiu kombináciu a začňe novú hru.",
    ",p,; pravidlá.",
    ",s,; počet spotrebovaných pokusov.",
    "pohyb kurzorom.",
    "kurzorové klávesy vykonávajú pri čítaní pohyb o jedno písmeno podľa smeru položeNia. napríklad: horná "
    "hore, pravá do prava.",
    "pri pohybe do krajnej polohy riadku stlač s kurzorovou klávesou preradzovač.",
    "po stlačení medzerníka buďe prečítané stredové písmeno. toto písmeno je pri čítaní odlíšené od "
    "ostatných zvukovým signálom.",
    "otazník,; kódy.",
};

const std::string kSolvedH = "ABCDEFGHIJKLM";
const std::string kSolvedV = "NOPQRSGTUVXYZ";
// The solved position with the vertical row shifted down once: "c" solves it.
const std::string kOneH = "ABCDEFSHIJKLM";
const std::string kOneV = "ZNOPQRSGTUVXY";
// Then the horizontal row shifted right: every letter distinct, S only in
// the horizontal row, F at the crossing.
const std::string kTwoH = "MABCDEFSHIJKL";
const std::string kTwoV = "ZNOPQRFGTUVXY";

#define EXPECT_TRANSCRIPT(expect, result)                           \
  do {                                                              \
    const std::string diff = compare((expect), (result).lines);     \
    EXPECT_TRUE(diff.empty()) << diff;                              \
  } while (0)

// ---- The start -------------------------------------------------------------------

TEST(Golden, FirstStartOnAnEmptyMemory) {
  GameFolder game;
  // No ram.dat: every cell holds code 0, and the cursor is at cell 0 of both
  // rows, so single steps are refused until space puts it on the crossing.
  const auto r = game.run({"left", "right", "up", "down", "space", "left", "e"});
  Expect e;
  e.start(12)
      .key("left").refusal()
      .key("right").refusal()
      .key("up").refusal()
      .key("down").refusal()
      .key("space").middle().print("\\x00")
      .key("left").print("\\x00")
      .key("e").saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.errors, "");

  const auto ram = game.readRam();
  ASSERT_EQ(ram.size(), 65536u);
  EXPECT_EQ(row(ram, 262), std::string(13, '\0'));
  EXPECT_EQ(row(ram, 275), std::string(13, '\0'));
  EXPECT_EQ(ram[288], '1');
  EXPECT_EQ(ram[289], '0');
  EXPECT_EQ(ram[293], '1');
  EXPECT_EQ(ram[294], '0');
  EXPECT_EQ(ram[50730], 0);
}

struct Greeting {
  const char* time;
  int hour;
};

class GreetingByHour : public ::testing::TestWithParam<Greeting> {};

TEST_P(GreetingByHour, GreetsAndWaitsForAKey) {
  GameFolder game;
  const auto r = game.run({}, {"--time", GetParam().time});
  Expect e;
  e.start(GetParam().hour).exit();
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(r.status, 0);
}

INSTANTIATE_TEST_SUITE_P(Hours, GreetingByHour,
                         ::testing::Values(Greeting{"02:00:00", 2}, Greeting{"02:59:59", 2},
                                           Greeting{"03:00:00", 3}, Greeting{"08:00:00", 8},
                                           Greeting{"08:59:59", 8}, Greeting{"09:00:00", 9},
                                           Greeting{"17:00:00", 17}, Greeting{"17:59:59", 17},
                                           Greeting{"18:00:00", 18}, Greeting{"00:00:00", 0},
                                           Greeting{"23:59:59", 23}));

TEST(Golden, GreetingWordsByHour) {
  // The three texts themselves, at one hour each.
  Expect day, morning, evening;
  day.greeting(9);
  morning.greeting(3);
  evening.greeting(18);
  EXPECT_EQ(day.lines()[0], "PRINT 0 \"dobrý ďeň;\"");
  EXPECT_EQ(morning.lines()[0], "PRINT 0 \"dobré ráno;\"");
  EXPECT_EQ(evening.lines()[0], "PRINT 0 \"dobrý večer;\"");
}

// ---- Reports and new games -----------------------------------------------------------

TEST(Golden, MovesReportRightAfterANewGame) {
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, 123, 45));
  const auto r = game.run({"n", "s"}, {"--screen"});
  // Compare the events; the screen is checked line by line below.
  Expect events;
  events.start()
      .key("n").jingle().print("čakaj, miešam písmená.").shuffle().line("CLICK 19")
      .key("s").jingle().print("spotreboval si").count(0).print("do konca hry máš").count(500).line("CLICK 19")
      .exit();
  std::vector<std::string> eventlines, screen;
  for (const auto& l : r.lines) (l.rfind("SCREEN ", 0) == 0 ? screen : eventlines).push_back(l);
  EXPECT_TRUE(compare(events, eventlines).empty()) << compare(events, eventlines);
  ASSERT_EQ(screen.size(), 24u);
  const auto pad = [](const std::string& s) {
    std::string out = s;
    // Count characters, not bytes: UTF-8 letters take more than one.
    std::size_t chars = 0;
    for (unsigned char c : s) chars += (c & 0xC0) != 0x80;
    return out + std::string(80 - chars, ' ');
  };
  EXPECT_EQ(screen[0], "SCREEN 0 \"" + pad("dobrý ďeň;") + "\"");
  EXPECT_EQ(screen[1], "SCREEN 1 \"" + pad("hra drúm.") + "\"");
  EXPECT_EQ(screen[2], "SCREEN 2 \"" + pad("keď chceš kódy, napíš otazník.") + "\"");
  EXPECT_EQ(screen[3], "SCREEN 3 \"" + pad("čakaj, miešam písmená.") + "\"");
  EXPECT_EQ(screen[4], "SCREEN 4 \"" + pad("spotreboval si") + "\"");
  EXPECT_EQ(screen[5], "SCREEN 5 \"" + pad("0pokusov.") + "\"");
  EXPECT_EQ(screen[6], "SCREEN 6 \"" + pad("do konca hry máš") + "\"");
  EXPECT_EQ(screen[7], "SCREEN 7 \"" + pad("500pokusov.") + "\"");
  EXPECT_EQ(screen[8], "SCREEN 8 \"\"");
  EXPECT_EQ(screen[23], "SCREEN 23 \"\"");
  EXPECT_EQ(r.status, 0);

  // Left during the run: the memory is as it was at the start, with the
  // review lock set; "n" changed nothing stored.
  const auto ram = game.readRam();
  EXPECT_EQ(row(ram, 262), kTwoH);
  EXPECT_EQ(row(ram, 275), kTwoV);
  EXPECT_EQ(digits(ram, 288), "123");
  EXPECT_EQ(digits(ram, 293), "45");
  EXPECT_EQ(ram[50730], 1);
}

class CountAnnouncement : public ::testing::TestWithParam<int> {};

TEST_P(CountAnnouncement, UsedAndLeft) {
  const int used = GetParam();
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, used, 0));
  const auto r = game.run({"s"});
  Expect e;
  e.start().key("s").jingle().print("spotreboval si").count(used).print("do konca hry máš").count(500 - used)
      .line("CLICK 19").exit();
  EXPECT_TRANSCRIPT(e, r);
}

INSTANTIATE_TEST_SUITE_P(Moves, CountAnnouncement, ::testing::Values(1, 2, 3, 4, 5, 37, 496, 497, 498, 499, 500));

TEST(Golden, CountWordsFollowTheNumber) {
  Expect e;
  e.count(1).count(2).count(3).count(4).count(0).count(5);
  const std::vector<std::string> want = {
      "PRINT 0 \"jeden pokus.\"", "SAY \"jeden pokus.\"", "PRINT 0 \"dva pokusy.\"", "SAY \"dva pokusy.\"",
      "PRINTN 1 \"3\"",           "SAY \"3\"",            "PRINT 0 \"pokusy.\"",     "SAY \"pokusy.\"",
      "PRINTN 1 \"4\"",           "SAY \"4\"",            "PRINT 0 \"pokusy.\"",     "SAY \"pokusy.\"",
      "PRINTN 1 \"0\"",           "SAY \"0\"",            "PRINT 0 \"pokusov.\"",    "SAY \"pokusov.\"",
      "PRINTN 1 \"5\"",           "SAY \"5\"",            "PRINT 0 \"pokusov.\"",    "SAY \"pokusov.\""};
  EXPECT_EQ(e.lines(), want);
}

// ---- Rules and code list -----------------------------------------------------------

Expect& codelist(Expect& e) {
  e.line("PAUSE 1000").print("v hre sa používajú nasledujúce kódy.").jingle();
  for (int k = 0; k < 12; ++k) e.print(kCodes[k]).jingle();
  return e.print(kCodes[12]);
}

TEST(Golden, RulesThenCodeList) {
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, 7, 0));
  const auto r = game.run({"p", "s"});
  Expect e;
  e.start().key("p").line("PAUSE 700").print("pravidlá.").jingle();
  for (const char* t : kRules) e.print(t).jingle();
  codelist(e);
  // Straight back to the key wait: no ready click; the game is unchanged.
  e.key("s").jingle().print("spotreboval si").count(7).print("do konca hry máš").count(493).line("CLICK 19").exit();
  EXPECT_TRANSCRIPT(e, r);

  int texts = 0, jingles = 0;
  bool inside = false;
  for (const auto& l : r.lines) {
    if (l == "KEY p") inside = true;
    if (l == "KEY s") inside = false;
    if (!inside) continue;
    texts += l.rfind("PRINT 0 ", 0) == 0;
    jingles += l == "SOUND 1100 70 1";
  }
  EXPECT_EQ(texts, 25);
  EXPECT_EQ(jingles, 24);
}

TEST(Golden, CodeListAlone) {
  GameFolder game;
  const auto r = game.run({"?"});
  Expect e;
  e.start().key("?");
  codelist(e).exit();
  EXPECT_TRANSCRIPT(e, r);
  int texts = 0, jingles = 0;
  for (std::size_t k = 0; k < r.lines.size(); ++k) {
    if (r.lines[k] != "KEY ?") continue;
    for (std::size_t j = k; j < r.lines.size(); ++j) {
      texts += r.lines[j].rfind("PRINT 0 ", 0) == 0;
      jingles += r.lines[j] == "SOUND 1100 70 1";
    }
  }
  EXPECT_EQ(texts, 14);
  EXPECT_EQ(jingles, 13);
}

// ---- Shifts -----------------------------------------------------------------------

struct Shift {
  const char* key;
  const char* hrow;  // after the shift
  const char* vrow;
  const char* crossing;
};

class ShiftFromAKnownPosition : public ::testing::TestWithParam<Shift> {};

TEST_P(ShiftFromAKnownPosition, MovesTheRowAndRereadsTheCrossing) {
  const Shift s = GetParam();
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, 41, 0));
  // The cursor is first put on the left end; the shift reads the crossing all the same.
  const auto r = game.run({"shift+left", s.key, "e"});
  Expect e;
  e.start().key("shift+left").print("M").key(s.key).middle().print(s.crossing).key("e").saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  const auto ram = game.readRam();
  EXPECT_EQ(row(ram, 262), s.hrow);
  EXPECT_EQ(row(ram, 275), s.vrow);
  EXPECT_EQ(digits(ram, 288), "42");
  EXPECT_EQ(digits(ram, 293), "0");
  EXPECT_EQ(ram[50730], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ShiftFromAKnownPosition,
    ::testing::Values(Shift{":", "MABCDERSHIJKL", "YZNOPQRFGTUVX", "R"},   // vertical down
                      Shift{"c", "MABCDEGSHIJKL", "NOPQRFGTUVXYZ", "G"},   // vertical up
                      Shift{"/", "LMABCDEFSHIJK", "ZNOPQREGTUVXY", "E"},   // horizontal right
                      Shift{"b", "ABCDEFSHIJKLM", "ZNOPQRSGTUVXY", "S"}),  // horizontal left
    [](const auto& info) { return std::string("code") + std::to_string(info.index); });

TEST(Golden, FourShiftsInARow) {
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, 41, 0));
  // Down, up, left, right: back where it started, four moves later.
  const auto r = game.run({":", "c", "b", "/", "esc"});
  Expect e;
  e.start()
      .key(":").middle().print("R")
      .key("c").middle().print("F")
      .key("b").middle().print("S")
      .key("/").middle().print("F")
      .key("esc").saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  const auto ram = game.readRam();
  EXPECT_EQ(row(ram, 262), kTwoH);
  EXPECT_EQ(row(ram, 275), kTwoV);
  EXPECT_EQ(digits(ram, 288), "45");
}

// ---- Cursor review -------------------------------------------------------------------

TEST(Golden, EveryCursorCodeAndItsRefusals) {
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, 3, 0));
  // Horizontal row M A B C D E F S H I J K L, vertical Z N O P Q R F G T U V X Y.
  const auto r = game.run({"space",       "right",      "right", "shift+right", "right", "up",
                           "shift+left",  "left",       "down",  "space",       "up",    "shift+up",
                           "up",          "left",       "right", "shift+down",  "down",  "up",
                           "space",       "down",       "left",  "up",          "space", "left",
                           "right",       "\\x89",      "\\xA1", "x",           "E"});
  Expect e;
  e.start()
      .key("space").middle().print("F")
      .key("right").print("S")
      .key("right").print("H")
      .key("shift+right").print("L")
      .key("right").refusal()             // past the right end
      .key("up").refusal()                // off the horizontal row
      .key("shift+left").print("M")
      .key("left").refusal()              // past the left end
      .key("down").refusal()              // off the horizontal row
      .key("space").middle().print("F")
      .key("up").print("R")
      .key("shift+up").print("Z")
      .key("up").refusal()                // past the top
      .key("left").refusal()              // off the vertical row
      .key("right").refusal()
      .key("shift+down").print("Y")
      .key("down").refusal()              // past the bottom
      .key("up").print("X")
      .key("space").middle().print("F")
      .key("down").print("G")
      .key("left").refusal()
      .key("up").middle().print("F")      // back onto the crossing
      .key("space").middle().print("F")
      .key("left").print("E")
      .key("right").middle().print("F")   // onto the crossing from the side
      .key("\\x89")                        // up and right at once: no code of the game
      .key("\\xA1")                        // space held with up: neither
      .key("x")
      .key("E")                            // capital E ends nothing
      .exit();
  EXPECT_TRANSCRIPT(e, r);
  // Left during the run: nothing saved by the game.
  const auto ram = game.readRam();
  EXPECT_EQ(row(ram, 262), kTwoH);
  EXPECT_EQ(digits(ram, 288), "3");
  EXPECT_EQ(ram[50730], 1);
}

// ---- Winning ---------------------------------------------------------------------------

Expect& win(Expect& e, int moves) {
  return e.line("SOUND 1000,500 225 1")
      .line("SOUND 1250,625 225 10")
      .line("SOUND 1500,750 225 10")
      .line("SOUND 2000,1000 760 10")
      .line("PAUSE 900")
      .print("gratulujem! k výhre si potreboval")
      .count(moves);
}

TEST(Golden, FirstWinComparesWithNoEarlierGame) {
  GameFolder game;
  game.writeRam(gameImage(kOneH, kOneV, 41, 0));
  const auto r = game.run({"c"});
  Expect e;
  e.start().key("c");
  win(e, 42).jingle().print("oproti predchádzajúcej hre si sa zhoršil o").count(42).saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(r.status, 0);
  auto ram = game.readRam();
  EXPECT_EQ(row(ram, 262), kSolvedH);
  EXPECT_EQ(row(ram, 275), kSolvedV);
  EXPECT_EQ(digits(ram, 288), "42");
  EXPECT_EQ(digits(ram, 293), "42");
  EXPECT_EQ(ram[50730], 0);

  // The next run finds the solved position and starts a new game by itself.
  const auto next = game.run({});
  Expect n;
  n.greeting(12).jingle().print("hra drúm.").jingle().print("čakaj, miešam písmená.").shuffle()
      .print("keď chceš kódy, napíš otazník.").line("CLICK 19").exit();
  EXPECT_TRANSCRIPT(n, next);
  ram = game.readRam();
  EXPECT_EQ(row(ram, 262), kSolvedH);  // the new game is not saved
  EXPECT_EQ(ram[50730], 1);
}

TEST(Golden, WorseByTwo) {
  GameFolder game;
  game.writeRam(gameImage(kOneH, kOneV, 41, 40));
  const auto r = game.run({"c"});
  Expect e;
  e.start().key("c");
  win(e, 42).jingle().print("oproti predchádzajúcej hre si sa zhoršil o").count(2).saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(digits(game.readRam(), 293), "42");
}

TEST(Golden, Tie) {
  GameFolder game;
  game.writeRam(gameImage(kOneH, kOneV, 41, 42));
  const auto r = game.run({"c"});
  Expect e;
  e.start().key("c");
  win(e, 42);
  for (int sweep = 0; sweep < 8; ++sweep)
    for (int tone = 200; tone <= 1400; tone += 100) e.line("SOUND " + std::to_string(tone) + " 15 3");
  e.print("počet pokusov je zhodný s predchádzajúcou hrou.").saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  const auto ram = game.readRam();
  EXPECT_EQ(digits(ram, 288), "42");
  EXPECT_EQ(digits(ram, 293), "42");
  EXPECT_EQ(ram[50730], 0);
}

TEST(Golden, BetterResult) {
  GameFolder game;
  game.writeRam(gameImage(kOneH, kOneV, 41, 50));
  const auto r = game.run({"c"});
  Expect e;
  e.start().key("c");
  win(e, 42)
      .line("SOUND 200 380 0").line("SOUND 270 380 10").line("SOUND 200 190 10").line("SOUND 335 190 10")
      .line("SOUND 270 190 10").line("SOUND 200 190 10").line("SOUND 270 380 10").line("SOUND 270 380 10")
      .line("SOUND 300 190 10").line("SOUND 335 190 10").line("SOUND 300 190 10").line("SOUND 255 190 10")
      .line("SOUND 270 380 10").line("SOUND 270 380 10")
      .print("oproti predchádzajúcej hre si sa zlepšil o").count(8).saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  const auto ram = game.readRam();
  EXPECT_EQ(digits(ram, 288), "42");
  EXPECT_EQ(digits(ram, 293), "42");
}

TEST(Golden, BetterByOne) {
  GameFolder game;
  game.writeRam(gameImage(kOneH, kOneV, 41, 43));
  const auto r = game.run({"c"});
  ASSERT_GE(r.lines.size(), 80u);
  // The melody, the text, then the count of one.
  bool found = false;
  for (std::size_t k = 0; k + 3 < r.lines.size(); ++k)
    if (r.lines[k] == "PRINT 0 \"oproti predchádzajúcej hre si sa zlepšil o\"")
      found = r.lines[k + 2] == "PRINT 0 \"jeden pokus.\"";
  EXPECT_TRUE(found);
}

// ---- The move limit ----------------------------------------------------------------

TEST(Golden, The500thMoveCountsThe501stStartsANewGame) {
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, 499, 0));
  const auto r = game.run({":", "s", "c", "s"});
  Expect e;
  e.start()
      .key(":").middle().print("R")
      .key("s").jingle().print("spotreboval si").count(500).print("do konca hry máš").count(0).line("CLICK 19")
      .key("c").print("vyčerpal si všetky pokusy.").jingle().print("čakaj, miešam písmená.").shuffle()
      .key("s").jingle().print("spotreboval si").count(0).print("do konca hry máš").count(500).line("CLICK 19")
      .exit();
  EXPECT_TRANSCRIPT(e, r);
}

TEST(Golden, The500thMoveMayWin) {
  GameFolder game;
  game.writeRam(gameImage(kOneH, kOneV, 499, 0));
  const auto r = game.run({"c"});
  Expect e;
  e.start().key("c");
  win(e, 500).jingle().print("oproti predchádzajúcej hre si sa zhoršil o").count(500).saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(digits(game.readRam(), 288), "500");
}

// ---- Ending ----------------------------------------------------------------------------

class SavingKey : public ::testing::TestWithParam<const char*> {};

TEST_P(SavingKey, SavesAndEnds) {
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, 41, 17));
  const auto r = game.run({":", GetParam(), "s"});
  Expect e;
  e.start().key(":").middle().print("R").key(GetParam()).saveEnd();
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(r.status, 0);
  const auto ram = game.readRam();
  EXPECT_EQ(row(ram, 262), "MABCDERSHIJKL");
  EXPECT_EQ(row(ram, 275), "YZNOPQRFGTUVX");
  EXPECT_EQ(digits(ram, 288), "42");
  EXPECT_EQ(digits(ram, 293), "17");
  EXPECT_EQ(ram[292], 0);  // never written
  EXPECT_EQ(ram[50730], 0);
}

INSTANTIATE_TEST_SUITE_P(Keys, SavingKey, ::testing::Values("e", "esc", "\\x1B"));

TEST(Golden, CapitalEIsNoCodeAndALeftRunKeepsTheStartingMemory) {
  GameFolder game;
  auto image = gameImage(kTwoH, kTwoV, 41, 17);
  image[40000] = 0x5A;  // anything else in memory stays as well
  game.writeRam(image);
  const auto r = game.run({":", "E"});
  Expect e;
  e.start().key(":").middle().print("R").key("E").exit();
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(r.status, 0);
  auto after = game.readRam();
  ASSERT_EQ(after.size(), 65536u);
  EXPECT_EQ(after[50730], 1);
  after[50730] = 0;
  EXPECT_EQ(after, image);  // the move was not saved
}

// ---- drumrun itself --------------------------------------------------------------------

TEST(Drumrun, ScriptKeysByNameCodeAndCharacter) {
  GameFolder game;
  game.writeRam(gameImage(kTwoH, kTwoV, 3, 0));
  game.writeFile("keys.txt", "// a comment\n\nspace\r\n\\x88\n\xC4\x8D\nshift+right\n/\n");
  const auto r = game.runRaw({"--virtual", "--transcript", "--script", "keys.txt"});
  Expect e;
  e.start()
      .key("space").middle().print("F")
      .key("\\x88").print("S")
      .key("č")
      .key("shift+right").print("L")
      .key("/").middle().print("E")
      .exit();
  EXPECT_TRANSCRIPT(e, r);
}

TEST(Drumrun, ScriptFromStandardInput) {
  GameFolder game;
  const auto r = game.runRaw({"--virtual", "--transcript", "--script", "-"}, "space\n");
  Expect e;
  e.start().key("space").middle().print("\\x00").exit();
  EXPECT_TRANSCRIPT(e, r);
}

TEST(Drumrun, ABadScriptLineIsRefusedBeforeAnythingRuns) {
  GameFolder game;
  game.writeFile("keys.txt", "space\nleft arrow\n");
  const auto r = game.runRaw({"--virtual", "--transcript", "--script", "keys.txt"});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.lines.empty());
  EXPECT_NE(r.errors.find("line 2"), std::string::npos) << r.errors;
  EXPECT_FALSE(game.hasRam());
}

TEST(Drumrun, BadArguments) {
  GameFolder game;
  EXPECT_EQ(game.runRaw({"--virtual", "--time", "25:00:00", "--script", "-"}).status, 2);
  EXPECT_EQ(game.runRaw({"--virtual", "--seed", "-3", "--script", "-"}).status, 2);
  EXPECT_EQ(game.runRaw({"--seed", "3", "--script", "-"}).status, 2);
  EXPECT_EQ(game.runRaw({"--frobnicate"}).status, 2);
  // Standard input is no terminal here, and no script was given.
  EXPECT_EQ(game.runRaw({"--virtual"}).status, 2);
}

TEST(Drumrun, TheSeedDecidesTheShuffle) {
  const auto board = [](const char* seed) {
    GameFolder game;
    const auto r = game.run({"n", "e"}, {"--seed", seed});
    EXPECT_EQ(r.status, 0);
    const auto ram = game.readRam();
    return row(ram, 262) + row(ram, 275);
  };
  const std::string one = board("1");
  EXPECT_EQ(board("1"), one);
  EXPECT_NE(board("2"), one);
  EXPECT_NE(board("1000001"), one);
  EXPECT_NE(board("4000000000"), one);
}

TEST(Drumrun, MissingSoundBankEndsWithItsMessage) {
  GameFolder game;
  std::filesystem::remove(game.path() / "sounds.dat");
  const auto r = game.run({"e"});
  Expect e;
  e.line("MSGBOX \"Nelze nalézt soubor sounds.dat\"");
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(game.hasRam());  // nothing is saved
}

// drumrun --virtual runs the desktop program's start-up and Start: a data
// file it cannot read ends the run before the game as it does in the window,
// and the settings file is read but never created.
TEST(Drumrun, ADataFileThatIsAFolderEndsTheRunAsInTheWindow) {
  GameFolder game;
  std::filesystem::create_directory(game.path() / "data.dta");
  const auto r = game.run({"e"});
  ASSERT_EQ(r.lines.size(), 1u) << r.errors;
  EXPECT_EQ(r.lines[0].rfind("ERROR \"Unable to read ", 0), 0u) << r.lines[0];
  EXPECT_NE(r.lines[0].find("data.dta: it is a folder, not a file\""), std::string::npos) << r.lines[0];
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(std::filesystem::exists(game.path() / "drumrun.ini"));
}

TEST(Drumrun, ARuntimeErrorEndsTheRunWithStatus1) {
  GameFolder game;
  auto image = gameImage(kTwoH, kTwoV, 41, 0);
  image[290] = '%';  // the digits "4%": VAL finds no hexadecimal number
  game.writeRam(image);
  const auto r = game.run({"e"});
  Expect e;
  // The error names the damaged image and the way to a new game.
  e.greeting(12).line("ERROR \"'4$' is not a valid integer value. The move count stored in " +
                      (game.path() / "ram.dat").string() +
                      " is damaged. To start a new game, end the program, then delete or rename that file.\"");
  EXPECT_TRANSCRIPT(e, r);
  EXPECT_EQ(r.status, 1);
  const auto ram = game.readRam();  // saved as Exit saves it
  EXPECT_EQ(ram[50730], 1);
}

TEST(Drumrun, SettingsInEnglishAndSoundsOff) {
  GameFolder game;
  game.writeFile("drumrun.ini", "[environment]\nlanguage=2000\n[sounds]\noskirasounds=0\n");
  const auto r = game.run({"e"});
  // The statements are still called; only the last message is English.
  ASSERT_GE(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[r.lines.size() - 2], "PRINT 0 \"ready\"");
  EXPECT_EQ(r.lines.back(), "SAY \"ready\"");
  EXPECT_EQ(r.status, 0);
}

}  // namespace
}  // namespace drum::test
