#include "program/stack.h"

namespace drum {

void stackclear(stackentry*& stack) {
  while (stack) {
    stackentry* below = stack->next;
    delete stack;
    stack = below;
  }
}

void stackpush(std::int32_t label, stackentry*& stack) { stack = new stackentry{label, stack}; }

void stackpop(stackentry*& stack, std::int32_t& label) {
  if (!stack) {
    label = kEmptyStackLabel;
    return;
  }
  stackentry* top = stack;
  label = top->label;
  stack = top->next;
  delete top;
}

}  // namespace drum
