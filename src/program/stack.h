// The GOSUB return stack: a singly linked list of resume labels, named by its
// top entry (nullptr when empty).
#pragma once
#include <cstdint>
#include <limits>

namespace drum {

struct stackentry {
  std::int32_t label;
  stackentry* next;  // the entry below
};

// What a pop of the empty stack gives: no program has a negative label, so
// the dispatcher matches nothing and the program ends as at END.
constexpr std::int32_t kEmptyStackLabel = std::numeric_limits<std::int32_t>::min();

void stackclear(stackentry*& stack);
void stackpush(std::int32_t label, stackentry*& stack);
// Takes the top entry's label into `label` and releases the entry; on the
// empty stack `label` becomes kEmptyStackLabel and the stack stays empty.
void stackpop(stackentry*& stack, std::int32_t& label);

}  // namespace drum
