// Statement forms of the translated BASIC program that are more than one
// call into the runtime.
#pragma once
#include <cmath>
#include <type_traits>

namespace drum {

// INT(x): truncation toward zero; the result stays a number.
inline double INT(double x) { return std::trunc(x); }

// The test at the end of a FOR pass, after the counter has been stepped:
// whether the body runs again. A step of 0 counts as positive.
inline bool forNext(double counter, double step, double limit) {
  return step < 0 ? counter >= limit : counter <= limit;
}

template <class Limit>
double evaluate(Limit& limit) {
  if constexpr (std::is_invocable_v<Limit&>) return limit();
  else return limit;
}

// FOR counter = start TO limit() STEP step ... NEXT.
// The body runs once before the first test, and `limit` is evaluated at every
// test, so a limit the body changes is seen. Afterwards the counter holds the
// first value past the limit (14 after FOR i = 1 TO 13). A body that returns
// bool leaves the loop when it returns true (a GOTO out of the loop); the
// counter then keeps the value of that pass.
//
// Code with labels inside a loop body writes the same thing by hand:
//   counter = start;
//   do { ...body... counter += step; } while (forNext(counter, step, limit));
// `limit` is a callable giving the limit, or a plain number.
template <class Limit, class Body>
void forLoop(double& counter, double start, Limit&& limit, double step, Body&& body) {
  counter = start;
  do {
    if constexpr (std::is_same_v<std::invoke_result_t<Body&>, bool>) {
      if (body()) return;
    } else {
      body();
    }
    counter += step;
  } while (forNext(counter, step, evaluate(limit)));
}

}  // namespace drum
