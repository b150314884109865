// The letter puzzle, as the translator writes a BASIC program: the BASIC
// variables are locals of runprogram, control moves between places by setting
// `at`, every GOSUB pushes its resume label onto returnstack and every RETURN
// goes through the one dispatcher, which turns the popped label back into a
// place.
#include "program/oskprog.h"

#include <array>
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/host.h"
#include "program/basic.h"
#include "runtime/oskcommands.h"
#include "runtime/trace.h"

namespace drum {

stackentry* returnstack = nullptr;
std::int32_t returnlabel = 0;

namespace {

// The program's texts in Windows-1250, converted once from this UTF-8 source.
struct Texts {
  std::string goodday = cp("dobrý ďeň;");
  std::string goodmorning = cp("dobré ráno;");
  std::string goodevening = cp("dobrý večer;");
  std::string title = cp("hra drúm.");
  std::string prompt = cp("keď chceš kódy, napíš otazník.");
  std::string shuffling = cp("čakaj, miešam písmená.");
  std::string exhausted = cp("vyčerpal si všetky pokusy.");
  std::string used = cp("spotreboval si");
  std::string left = cp("do konca hry máš");
  std::string congratulation = cp("gratulujem! k výhre si potreboval");
  std::string worse = cp("oproti predchádzajúcej hre si sa zhoršil o");
  std::string tie = cp("počet pokusov je zhodný s predchádzajúcou hrou.");
  std::string better = cp("oproti predchádzajúcej hre si sa zlepšil o");
  std::string onemove = cp("jeden pokus.");
  std::string twomoves = cp("dva pokusy.");
  std::string fewmoves = cp("pokusy.");
  std::string manymoves = cp("pokusov.");
  std::string rulesheading = cp("pravidlá.");

  // Lines 480 to 570, one text each.
  std::array<std::string, 10> rules{
      cp("táto hra precvičí tvoju pameť, predstavivosť a zmysel pre kombináciu."),
      cp("tvojou úlohou je poukladať písmená podľa abecedy do dvoch riadkov uložených do tvaru kríža. "
         "v každom riadku je trinásť písmen."),
      cp("vo vodorovnom riadku budú uložené písmená v poradí zľava od ,a, po ,m,. zvyslý riadok budú tvoriť "
         "písmená zhora od ,n, po ,z,. v streďe, kďe sa riadky prekrývajú, bude písmeno ,g,."),
      cp("písmená buďeš ukladať tak, že ich v riadku posunieš. napríklad keď vodorovný rad posunieš do prava, "
         "tak krajné písmeno z pravej strany prejďe na ľavú; ostatné sa pritom posunú o jednu pozíciu do "
         "prava na uvoľnené miesto."),
      cp("všimni si, že stredné písmeno v priesečníku oboch riadkov sa posunie spolu s tým, ktorý posúvaš. "
         "na tom je založený celý systém hry."),
      cp("na posúvanie písmen v riadkoch slúžia kódy, ktoré sú popísané ňeskôr. pomocou kurzorového kríža si "
         "môžeš ľubovoľne prezerať jednotlivé písmená."),
      cp("pri kroku o písmeno stlač jednu z kurzorových kláves podľa smeru pohybu."),
      cp("pri skoku na začiatok alebo koniec riadku pridrž s kurzorovou klávesou stlačený preradzovač. do "
         "stredu kríža sa vrátiš po stlačení medzerníka."),
      cp("na vyriešeňie úlohy máš 500 ťahov. keď to ňestihňeš, prehrávaš."),
      cp("hra je náročná na čas. preto ju muožeš skončiť, uložiť program na disk a vráťiť sa k jej "
         "dokončeňiu ňeskuor. program si zapametá kombináciu i počet spotrebovaných pokusov."),
  };
  // Line 580, then lines 590 to 710.
  std::string codesheading = cp("v hre sa používajú nasledujúce kódy.");
  std::array<std::string, 13> codes{
      cp(",c,; posunuťie zvislého riadku hore."),
      cp(",dvojbodka,; posunuťie zvislého riadku dole."),
      cp(",b,; posunuťie vodorovného riadku do ľava."),
      cp(",ďeleno,; posunuťie vodorovného riadku do prava."),
      cp(",E,; UKONčEňiE PROGRAMU."),
      cp(",n,; nová hra. program zruší doterajšiu kombináciu a začňe novú hru."),
      cp(",p,; pravidlá."),
      cp(",s,; počet spotrebovaných pokusov."),
      cp("pohyb kurzorom."),
      cp("kurzorové klávesy vykonávajú pri čítaní pohyb o jedno písmeno podľa smeru položeNia. napríklad: "
         "horná hore, pravá do prava."),
      cp("pri pohybe do krajnej polohy riadku stlač s kurzorovou klávesou preradzovač."),
      cp("po stlačení medzerníka buďe prečítané stredové písmeno. toto písmeno je pri čítaní odlíšené od "
         "ostatných zvukovým signálom."),
      cp("otazník,; kódy."),
  };
};

const Texts& texts() {
  static const Texts t;
  return t;
}

// A fixed pause of the program: the thread sleeps, no events are delivered.
void pause(int milliseconds) {
  tracePause(milliseconds);
  host().sleep(Millis(milliseconds));
}

// DIM x$(13): elements 0 to 13. An index outside them is a BASIC error,
// never a read outside the array.
using Row = std::array<std::string, 14>;

std::string& cell(Row& row, double index) {
  const std::int64_t n = truncate(index);
  if (n < 0 || n >= static_cast<std::int64_t>(row.size())) throw Error("Subscript out of range");
  return row[static_cast<std::size_t>(n)];
}

// VAL of a move count kept in the memory image. The rule stands (a "%"
// among the digits stops the run), but the error names the damaged file and
// the way to a new game: otherwise every start would stop here again.
double storedCount(const std::string& digits) {
  try {
    return val(digits);
  } catch (const Error& e) {
    throw Error(std::string(e.what()) + ". The move count stored in " + ramImagePath() +
                " is damaged. To start a new game, end the program, then delete or rename that file.");
  }
}

// The places of the program. Lines that a RETURN resumes at carry their
// label in the comment.
enum class Place {
  Start,
  Title,          // 100060
  StoredSolved,   // 200060
  Prompt,         // 70
  ReadyClick,     // 100090, 300250
  KeyWait,        // 100100
  Report,         // 100250
  ReportLeft,     // 200250
  Move,           // 100
  Scored,         // 100110
  Review,
  RowEnds,
  Refuse,
  Shuffle,        // 100260
  Win,
  Compare,        // 400
  Worse,          // 100400
  SaveEnd,        // 200400, 100440
  RulesLine,      // 480 .. 570
  CodeList,       // 580
  CodeLine,       // 590 .. 710
  // Subroutines.
  Jingle,
  Scoring,
  NewGame,
  Count,
  ShiftUp,
  ShiftDown,
  ShiftLeft,
  ShiftRight,
  Return,         // the dispatcher
  End,
};

}  // namespace

void runprogram() {
  const Texts& T = texts();

  stackclear(returnstack);
  seedRandom();

  double hour = 0;
  Row hrow{};
  Row vrow{};
  double i = 0;
  std::string key;
  double moves = 0;
  double lastmoves = 0;
  double hits = 0;
  double cx = 0;
  double cy = 0;
  double amount = 0;
  double tone = 0;

  Place at = Place::Start;
  std::int32_t line = 0;  // the line of the rules or the code list being printed

  const auto gosub = [&](Place target, std::int32_t label) {
    stackpush(label, returnstack);
    at = target;
  };
  const auto chr = [](double code) { return chrstring(code); };

  while (at != Place::End) {
    switch (at) {
      case Place::Start: {
        hour = val(leftstring(timestring(), 2));
        if (hour > 8 && hour < 18) printstring(T.goodday, 0);
        else if (hour > 2 && hour < 9) printstring(T.goodmorning, 0);
        else printstring(T.goodevening, 0);
        poke(50730, 1);
        forLoop(i, 1, 13, 1, [&] {
          cell(hrow, i) = chr(peek(261 + i));
          cell(vrow, i) = chr(peek(274 + i));
        });
        forLoop(i, 1, [&] { return peek(288) - 48.0; }, 1, [&] { key = key + chr(peek(288 + i)); });
        moves = storedCount(key);
        key = "";
        forLoop(i, 1, [&] { return peek(293) - 48.0; }, 1, [&] { key = key + chr(peek(293 + i)); });
        lastmoves = storedCount(key);
        gosub(Place::Jingle, 100060);
        break;
      }

      case Place::Title:
        printstring(T.title, 0);
        gosub(Place::Scoring, 200060);
        break;

      case Place::StoredSolved:
        if (hits == 26) gosub(Place::NewGame, 70);
        else at = Place::Prompt;
        break;

      case Place::Prompt:
        printstring(T.prompt, 0);
        click(19);
        at = Place::KeyWait;
        break;

      case Place::ReadyClick:
        click(19);
        at = Place::KeyWait;
        break;

      case Place::KeyWait:
        click(9);
        key = inkey();
        if (key == "e") at = Place::SaveEnd;
        else if (key == chr(27)) at = Place::SaveEnd;
        else if (key == "s") {
          amount = moves;
          gosub(Place::Jingle, 100250);
        } else if (key == "p") {
          pause(700);
          printstring(T.rulesheading, 0);
          gosub(Place::Jingle, 480);
        } else if (key == "?") at = Place::CodeList;
        else if (key == chr(129) || key == chr(130) || key == chr(132) || key == chr(136) || key == chr(145) ||
                 key == chr(146) || key == chr(148) || key == chr(152) || key == " ")
          at = Place::Review;
        else if (key == "n") gosub(Place::NewGame, 100090);
        else if (key == ":") gosub(Place::ShiftDown, 100);
        else if (key == "c") gosub(Place::ShiftUp, 100);
        else if (key == "/") gosub(Place::ShiftRight, 100);
        else if (key == "b") gosub(Place::ShiftLeft, 100);
        break;

      case Place::Report:
        printstring(T.used, 0);
        gosub(Place::Count, 200250);
        break;

      case Place::ReportLeft:
        amount = 500 - moves;
        printstring(T.left, 0);
        gosub(Place::Count, 300250);
        break;

      // Move bookkeeping (line 100).
      case Place::Move:
        moves = moves + 1;
        if (moves > 500) {
          printstring(T.exhausted, 0);
          gosub(Place::NewGame, 100100);
        } else {
          gosub(Place::Scoring, 100110);
        }
        break;

      case Place::Scored:
        if (hits == 26) {
          at = Place::Win;
        } else {
          cx = 7;
          cy = 7;
          at = Place::RowEnds;
        }
        break;

      // Cursor review: a step, a jump, then the cursor must stay on its row.
      case Place::Review:
        if (key == chr(132)) {
          cx = cx - 1;
          hits = 0;
        } else if (key == chr(136)) {
          cx = cx + 1;
          hits = 0;
        } else if (key == chr(129)) {
          cy = cy - 1;
          hits = 1;
        } else if (key == chr(130)) {
          cy = cy + 1;
          hits = 1;
        } else {
          cx = 7;
          cy = 7;
        }
        if (key == chr(148)) {
          cx = 1;
          hits = 0;
        }
        if (key == chr(152)) {
          cx = 13;
          hits = 0;
        }
        if (key == chr(145)) {
          cy = 1;
          hits = 1;
        }
        if (key == chr(146)) {
          cy = 13;
          hits = 1;
        }
        at = Place::RowEnds;
        if (key == chr(132) && cy != 7) {
          cx = cx + 1;
          at = Place::Refuse;
        } else if (key == chr(136) && cy != 7) {
          cx = cx - 1;
          at = Place::Refuse;
        } else if (key == chr(129) && cx != 7) {
          cy = cy + 1;
          at = Place::Refuse;
        } else if (key == chr(130) && cx != 7) {
          cy = cy - 1;
          at = Place::Refuse;
        }
        break;

      case Place::RowEnds:
        at = Place::Refuse;
        if (cx == 0) cx = 1;
        else if (cx == 14) cx = 13;
        else if (cy == 0) cy = 1;
        else if (cy == 14) cy = 13;
        else {
          if (cx == 7 && cy == 7) sound({400, 800}, 50, 9);
          key = hits == 0 ? cell(hrow, cx) : cell(vrow, cy);
          printstring(key, 0);
          at = Place::KeyWait;
        }
        break;

      case Place::Refuse:
        forLoop(i, 1, 3, 1, [&] { sound({500, 1000, 1500, 2000}, 100, 1); });
        at = Place::KeyWait;
        break;

      // The new game after its jingle: lay out the solved position, then
      // shuffle until at most 7 letters A to M are left in the horizontal row.
      case Place::Shuffle:
        printstring(T.shuffling, 0);
        forLoop(i, 1, 13, 1, [&] {
          cell(hrow, i) = chr(64 + i);
          cell(vrow, i) = chr(77 + i);
        });
        vrow[10] = vrow[9];
        vrow[9] = vrow[8];
        vrow[8] = vrow[7];
        vrow[7] = hrow[7];
        do {
          forLoop(i, 1, 200, 1, [&] {
            cx = INT(rnd(1) * 13) + 1;
            cy = INT(rnd(1) * 13) + 1;
            key = cell(hrow, cx);
            cell(hrow, cx) = cell(vrow, cy);
            cell(vrow, cy) = key;
            if (cx == 7) vrow[7] = hrow[7];
            else if (cy == 7) hrow[7] = vrow[7];
            if (INT(i / 10) == i / 10) sound({10 * i}, 40, 8);
          });
          hits = 0;
          forLoop(i, 1, 13, 1, [&] {
            if (asc(cell(hrow, i)) < 78) hits = hits + 1;
          });
        } while (hits > 7);
        at = Place::Return;
        break;

      case Place::Win:
        sound({1000, 500}, 225, 1);
        sound({1250, 625}, 225, 10);
        sound({1500, 750}, 225, 10);
        sound({2000, 1000}, 760, 10);
        pause(900);
        amount = moves;
        printstring(T.congratulation, 0);
        gosub(Place::Count, 400);
        break;

      case Place::Compare:
        if (moves > lastmoves) {
          amount = moves - lastmoves;
          lastmoves = moves;
          gosub(Place::Jingle, 100400);
        } else if (moves == lastmoves) {
          forLoop(i, 1, 8, 1, [&] { forLoop(tone, 200, 1400, 100, [&] { sound({tone}, 15, 3); }); });
          printstring(T.tie, 0);
          at = Place::SaveEnd;
        } else {
          static const double melody[14][2] = {{200, 380}, {270, 380}, {200, 190}, {335, 190}, {270, 190},
                                               {200, 190}, {270, 380}, {270, 380}, {300, 190}, {335, 190},
                                               {300, 190}, {255, 190}, {270, 380}, {270, 380}};
          for (int n = 0; n < 14; ++n) sound({melody[n][0]}, melody[n][1], n == 0 ? 0 : 10);
          amount = lastmoves - moves;
          lastmoves = moves;
          printstring(T.better, 0);
          gosub(Place::Count, 100440);
        }
        break;

      case Place::Worse:
        printstring(T.worse, 0);
        gosub(Place::Count, 200400);
        break;

      // Save and end: the move counts as digit texts, the board, the
      // farewell, and the review window allowed again.
      case Place::SaveEnd:
        poke(288, static_cast<double>(strstring(moves).size()) + 48);
        forLoop(i, 1, [&] { return static_cast<double>(strstring(moves).size()); }, 1,
                [&] { poke(288 + i, asc(midstring(strstring(moves), i, 1))); });
        poke(293, static_cast<double>(strstring(lastmoves).size()) + 48);
        forLoop(i, 1, [&] { return static_cast<double>(strstring(lastmoves).size()); }, 1,
                [&] { poke(293 + i, asc(midstring(strstring(lastmoves), i, 1))); });
        forLoop(i, 1, 13, 1, [&] {
          poke(261 + i, asc(cell(hrow, i)));
          poke(274 + i, asc(cell(vrow, i)));
        });
        forLoop(i, 3500, 50, -50, [&] { sound({i}, 25, 3); });
        poke(50730, 0);
        at = Place::End;
        break;

      // Rules (code "p"): each line prints its text and calls the jingle with
      // the next line as its resume label; after 570 comes the code list.
      case Place::RulesLine:
        printstring(T.rules.at(static_cast<std::size_t>((line - 480) / 10)), 0);
        gosub(Place::Jingle, line + 10);
        break;

      case Place::CodeList:
        pause(1000);
        printstring(T.codesheading, 0);
        gosub(Place::Jingle, 590);
        break;

      case Place::CodeLine:
        printstring(T.codes.at(static_cast<std::size_t>((line - 590) / 10)), 0);
        if (line == 710) at = Place::KeyWait;
        else gosub(Place::Jingle, line + 10);
        break;

      // ---- Subroutines ----

      case Place::Jingle:
        sound({0}, 200, 10);
        sound({700}, 70, 1);
        sound({900}, 70, 1);
        sound({1100}, 70, 1);
        sound({0}, 200, 10);
        at = Place::Return;
        break;

      // Cells holding their target letter; the vertical row's target offset
      // is kept in `amount`.
      case Place::Scoring:
        hits = 0;
        forLoop(i, 1, 13, 1, [&] {
          if (asc(cell(hrow, i)) == 64 + i) hits = hits + 1;
          amount = 77;
          if (i == 7) amount = 64;
          if (i > 7 && i < 11) amount = 76;
          if (asc(cell(vrow, i)) == amount + i) hits = hits + 1;
        });
        at = Place::Return;
        break;

      case Place::NewGame:
        moves = 0;
        gosub(Place::Jingle, 100260);
        break;

      case Place::Count:
        if (amount == 1) {
          printstring(T.onemove, 0);
        } else if (amount == 2) {
          printstring(T.twomoves, 0);
        } else if (amount == 0 || amount > 4) {
          printnumber(1, amount);
          printstring(T.manymoves, 0);
        } else {
          printnumber(1, amount);
          printstring(T.fewmoves, 0);
        }
        at = Place::Return;
        break;

      // The shifts: the row moves by one cell, the leaving letter comes in
      // at the other end, and the new crossing letter goes to the other row.
      case Place::ShiftUp:
        key = vrow[1];
        forLoop(i, 1, 12, 1, [&] { cell(vrow, i) = cell(vrow, i + 1); });
        cell(vrow, i) = key;
        hrow[7] = vrow[7];
        at = Place::Return;
        break;

      case Place::ShiftDown:
        key = vrow[13];
        forLoop(i, 13, 2, -1, [&] { cell(vrow, i) = cell(vrow, i - 1); });
        cell(vrow, i) = key;
        hrow[7] = vrow[7];
        at = Place::Return;
        break;

      case Place::ShiftLeft:
        key = hrow[1];
        forLoop(i, 1, 12, 1, [&] { cell(hrow, i) = cell(hrow, i + 1); });
        cell(hrow, i) = key;
        vrow[7] = hrow[7];
        at = Place::Return;
        break;

      case Place::ShiftRight:
        key = hrow[13];
        forLoop(i, 13, 2, -1, [&] { cell(hrow, i) = cell(hrow, i - 1); });
        cell(hrow, i) = key;
        vrow[7] = hrow[7];
        at = Place::Return;
        break;

      // RETURN: the popped label names the place to resume; a label the
      // program does not have ends it as END does.
      case Place::Return:
        stackpop(returnstack, returnlabel);
        switch (returnlabel) {
          case 70: at = Place::Prompt; break;
          case 100: at = Place::Move; break;
          case 400: at = Place::Compare; break;
          case 480: case 490: case 500: case 510: case 520:
          case 530: case 540: case 550: case 560: case 570:
            at = Place::RulesLine;
            line = returnlabel;
            break;
          case 580: at = Place::CodeList; break;
          case 590: case 600: case 610: case 620: case 630: case 640: case 650:
          case 660: case 670: case 680: case 690: case 700: case 710:
            at = Place::CodeLine;
            line = returnlabel;
            break;
          case 100060: at = Place::Title; break;
          case 200060: at = Place::StoredSolved; break;
          case 100090: at = Place::ReadyClick; break;
          case 100100: at = Place::KeyWait; break;
          case 100110: at = Place::Scored; break;
          case 100250: at = Place::Report; break;
          case 200250: at = Place::ReportLeft; break;
          case 300250: at = Place::ReadyClick; break;
          case 100260: at = Place::Shuffle; break;
          case 100400: at = Place::Worse; break;
          case 200400: at = Place::SaveEnd; break;
          case 100440: at = Place::SaveEnd; break;
          default: at = Place::End; break;
        }
        break;

      case Place::End:
        break;
    }
  }
  traceEnd();
}

}  // namespace drum
