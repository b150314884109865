#include "shell/settings/messages.h"

#include <array>

#include "platform/cp1250.h"

namespace drum {
namespace {

// Languages in the order of their bases: Czech 1000, English 2000, Slovak 3000.
constexpr int kLanguages = 3;

struct Message {
  int n;
  std::array<const char*, kLanguages> text;  // UTF-8
};

// An "&" marks the following letter as a menu or button accelerator.
constexpr Message kMessages[] = {
    {0, {"Čeština", "English", "Slovenčina"}},
    {1, {"Překladač Oskira Basicu", "Oskira Basic Interpreter", "Prekladač Oskira Basicu"}},
    {2, {"&Program", "&Program", "&Program"}},
    {3, {"&Spustit", "&Start", "&Spustiť"}},
    {4, {"Na&stavení", "&Settings", "Na&stavenia"}},
    {5, {"Prostř&edí", "&Environment", "Prostr&edie"}},
    {6, {"Provedené změny se projeví až poté, co znovu spustíte program.", "Your changes will be applied after you restart the program.", "Vykonané zmeny sa prejavia až po najbližšom spustení programu."}},
    {7, {"&Ok", "&OK", "&Ok"}},
    {8, {"Zrušit", "Cancel", "Zrušiť"}},
    {9, {"&jazyk", "&Language", "&jazyk"}},
    {10, {"Nastavení prostředí", "environment settings", "Nastavenie prostredia"}},
    {11, {"Nastavení hlasu", "Voice settings", "Nastavenie hlasu"}},
    {12, {"&Hlasy", "&Voices", "&Hlasy"}},
    {13, {"&Výška", "&Pitch", "&Výška"}},
    {14, {"&Rychlost", "&Speed", "&Rýchlosť"}},
    {15, {"Hla&sitost", "Vo&lume", "Hla&sitosť"}},
    {16, {"Zvolit hl&as", "&Choose voice", "Zvoliť hl&as"}},
    {17, {"Za&vřít", "&Close", "Za&vrieť"}},
    {18, {"Používání hlasu není povoleno. Povolit jej můžete v menu Nastavení/Zvuky.", "The voice is turned off. You can turn it on in the Sounds dialog, menu Settings", "Používanie hlasu nie je povolené. Povoliť ho môžete v menu Nastavenia/Zvuky."}},
    {19, {"Hlas vybrán.", "Voice selected.", "Hlas vybratý."}},
    {20, {"&Zvuky", "&Sounds", "&Zvuky"}},
    {21, {"Nastavení zvuků", "Sounds settings", "Nastavenie zvukov"}},
    {22, {"Povolit &hlas", "Use the &voice", "Povoliť &hlas"}},
    {23, {"Vlož data", "Enter data", "Vlož data"}},
    {24, {"czech", "english", "slovak"}},
    {25, {"hotovo", "ready", "hotovo"}},
    {26, {"Obrazovka", "Screen", "Obrazovka"}},
    {27, {"Používat hlas SA&PI5", "Use SA&PI5 voice", "Používať hlas SA&PI5"}},
    {28, {"H&lasitost zvuků", "Sound vo&lume", "H&lasitosť zvukov"}},
    {29, {"prázdný řádek", "empty line", "prázdny riadok"}},
    {30, {"konec obrazovky", "end of screen", "koniec obrazovky"}},
    {31, {"řádek", "line", "riadok"}},
    {32, {"sloupec", "column", "stĺpec"}},
    {33, {"Kon&ec", "&Exit", "Koni&ec"}},
    {34, {"Ná&pověda", "Hel&p", "&Pomoc"}},
    {35, {"O progr&amu", "&About", "O progr&ame"}},
    {36, {"O programu", "About", "O programe"}},
    {37, {"verze", "version", "verzia"}},
    {38, {"&Hlas", "&Voice", "&Hlas"}},
    {39, {"Zvuky &Oskiry", "&Oskira sounds", "Zvuky &Oskiry"}},
    {40, {"Nelze povolit hlas. Žádné hlasy nejsou k dispozici.", "Can't allow voice, no voices are available", "Nie je možné povoliť hlas. Žiadne hlasy nie sú k dispozícii."}},
    {41, {"Obrazovka je plná.", "The screen is full.", "Obrazovka je plná."}},
    {42, {"Nelze nalézt soubor", "Can't find the file", "Nie je možné nájsť súbor"}},
    {43, {"Nelze nalézt hlas uvedený v ini souboru:", "Can't find the voice specified in the ini file:", "Nie je možné nájsť hlas, uvedený v ini súbore:"}},
    {44, {"Prosím přepiš", "Please retype", "Prosím prepíš"}},
    {45, {"U&končit program", "E&xit program", "U&končiť program"}},
    {46, {"&Braillská klávesnice", "&Braille keyboard", "&Braillská klávesnica"}},
    // The browser's own words.
    {47, {"Hru spustíte libovolnou klávesou.", "Press any key to start.", "Hru spustíte ľubovoľnou klávesou."}},
    {48, {"E&xportovat hru", "E&xport the game", "E&xportovať hru"}},
    {49, {"&Importovat hru...", "&Import a game...", "&Importovať hru..."}},
    {50, {"Mluvit přes čtečku &obrazovky", "Speak through the screen &reader", "Hovoriť cez čítačku &obrazovky"}},
    {51, {"Prohlížeč nemá místo na uložení hry.", "The browser has no room left to save the game.", "Prehliadač nemá miesto na uloženie hry."}},
    {52, {"Toto okno prohlížeče si hru nezapamatuje (soukromé okno?).", "This browser window cannot keep the game (a private window?).", "Toto okno prehliadača si hru nezapamätá (súkromné okno?)."}},
    {53, {"Program skončil. Chcete-li hrát dál, načtěte stránku znovu.", "The program has ended. Reload the page to play again.", "Program skončil. Ak chcete hrať ďalej, načítajte stránku znova."}},
    {54, {"Program se nepodařilo načíst.", "The program could not be loaded.", "Program sa nepodarilo načítať."}},
    {55, {"Zatím není uložená žádná hra.", "There is no saved game yet.", "Zatiaľ nie je uložená žiadna hra."}},
    {56, {"Během hry nelze hru importovat, nejdřív ji ukončete.", "A game cannot be imported while one runs: end it first.", "Počas hry nie je možné hru importovať, najprv ju ukončite."}},
    {57, {"Tento soubor není hra: ram.dat má 65 536 bajtů.", "This file is not a game: ram.dat has 65,536 bytes.", "Tento súbor nie je hra: ram.dat má 65 536 bajtov."}},
    {58, {"Hra byla importována.", "The game was imported.", "Hra bola importovaná."}},
    // The sound server came back after a gap.
    {kSoundBackMessage, {"Zvuk je zpět.", "The sound is back.", "Zvuk je späť."}},
};

// Our own texts beside the numbered table; "%s" stands for what the caller fills in.
constexpr std::array<const char*, kLanguages> kOwnTexts[] = {
    // OwnText::alreadyRunning: the game's folder
    {"drum už běží s touto hrou (složka %s). Přepněte se do něj, například klávesami Alt+Tab. Tato druhá kopie "
     "se teď ukončí, aby jedna nepřepsala hru té druhé.",
     "drum is already running with this game (folder %s). Switch to it, for example with Alt+Tab. This second "
     "copy ends now, so that neither overwrites the other's game.",
     "drum už beží s touto hrou (priečinok %s). Prepnite sa doň, napríklad klávesmi Alt+Tab. Táto druhá kópia sa "
     "teraz ukončí, aby jedna neprepísala hru tej druhej."},
    // OwnText::cannotSave: why, as the file layer says it
    {"Hru nebude možné uložit. %s. Hrát můžete, ale tahy se na konci ztratí. Povolte zápis do složky hry a do "
     "souboru ram.dat (nebo uvolněte místo na disku) a spusťte program znovu.",
     "The game cannot be saved. %s. You can play, but the moves will be lost at the end. Allow writing to the "
     "game's folder and to ram.dat (or free some disk space), then start the program again.",
     "Hru nebude možné uložiť. %s. Hrať môžete, ale ťahy sa na konci stratia. Povoľte zápis do priečinka hry a do "
     "súboru ram.dat (alebo uvoľnite miesto na disku) a spustite program znova."},
    // OwnText::savesInPlace: the game's folder
    {"Složka hry %s nedovoluje vytvářet soubory, proto se hra ukládá přímo do souboru ram.dat. Kdyby se program "
     "při ukládání přerušil, hra se může poškodit. Povolte zápis do složky, aby se ukládalo bezpečně.",
     "The game's folder %s does not let new files be made, so the game is saved straight into ram.dat. If the "
     "program is cut off while it saves, the game may be damaged. Allow writing to the folder to save safely.",
     "Priečinok hry %s nedovoľuje vytvárať súbory, preto sa hra ukladá priamo do súboru ram.dat. Ak by sa program "
     "pri ukladaní prerušil, hra sa môže poškodiť. Povoľte zápis do priečinka, aby sa ukladalo bezpečne."},
};

}  // namespace

std::string ownText(OwnText which, int base, const std::string& filler) {
  const int lang = base == 2000 ? 1 : base == 3000 ? 2 : 0;  // any other base: Czech
  std::string text = cp(kOwnTexts[static_cast<int>(which)][lang]);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, filler);
  return text;
}

const std::map<int, std::string>& messageTable() {
  static const std::map<int, std::string> table = [] {
    std::map<int, std::string> t;
    for (const Message& m : kMessages)
      for (int lang = 0; lang < kLanguages; ++lang) t[(lang + 1) * 1000 + m.n] = cp(m.text[lang]);
    return t;
  }();
  return table;
}

}  // namespace drum
