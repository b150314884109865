#include "program/stack.h"

#include <gtest/gtest.h>

#include <vector>

namespace drum {
namespace {

TEST(Stack, PopsInReverseOrderOfPushes) {
  stackentry* stack = nullptr;
  for (std::int32_t label : {70, 100060, -5, 2147483647}) stackpush(label, stack);
  std::vector<std::int32_t> popped;
  std::int32_t label = 0;
  for (int i = 0; i < 4; ++i) {
    stackpop(stack, label);
    popped.push_back(label);
  }
  EXPECT_EQ(popped, (std::vector<std::int32_t>{2147483647, -5, 100060, 70}));
  EXPECT_EQ(stack, nullptr);
}

TEST(Stack, NestedSubroutinesReturnToTheirCallers) {
  // The new-game routine calls the separator jingle: the inner RETURN
  // resumes inside it, the outer one where the caller asked.
  stackentry* stack = nullptr;
  std::int32_t label = 0;
  stackpush(100090, stack);  // GOSUB new game
  stackpush(100260, stack);  // GOSUB jingle from inside it
  stackpop(stack, label);
  EXPECT_EQ(label, 100260);
  stackpop(stack, label);
  EXPECT_EQ(label, 100090);
}

TEST(Stack, PopOfTheEmptyStackGivesALabelNoProgramHas) {
  stackentry* stack = nullptr;
  std::int32_t label = 70;
  stackpop(stack, label);
  EXPECT_EQ(label, kEmptyStackLabel);
  EXPECT_LT(label, 0);
  EXPECT_EQ(stack, nullptr);
  stackpush(1, stack);
  stackpop(stack, label);
  EXPECT_EQ(label, 1);
}

TEST(Stack, ClearEmptiesEvenAVeryDeepStack) {
  stackentry* stack = nullptr;
  for (int i = 0; i < 1000000; ++i) stackpush(i, stack);
  stackclear(stack);
  EXPECT_EQ(stack, nullptr);
  stackclear(stack);  // clearing the empty stack is harmless
  std::int32_t label = 0;
  stackpop(stack, label);
  EXPECT_EQ(label, kEmptyStackLabel);
}

}  // namespace
}  // namespace drum
