// mkstart FILE: writes the memory image a new player starts from, the
// puzzle solved (the horizontal row A to M, the vertical one N to Z without
// W, crossing at G) with no moves counted, so that the first Start finds a
// won game and shuffles a new one, as after every win.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mkstart FILE\n");
    return 2;
  }
  std::string ram(65536, '\0');
  ram.replace(262, 13, "ABCDEFGHIJKLM");  // the horizontal row
  ram.replace(275, 13, "NOPQRSGTUVXYZ");  // the vertical row
  ram.replace(288, 2, "10");              // moves: one digit, 0
  ram.replace(293, 2, "10");              // the last game's moves: one digit, 0
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out || std::fwrite(ram.data(), 1, ram.size(), out) != ram.size() || std::fclose(out) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
