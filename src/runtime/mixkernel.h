// What the mixer's voices and its streams share: the ramp and gain steps
// and the interpolation between samples.
#pragma once
#include "runtime/mixer.h"

namespace drum::mixkernel {

constexpr int kRampFrames = Mixer::kRate * 2 / 1000;  // 2 ms de-click ramps
constexpr float kRampStep = 1.0f / kRampFrames;
constexpr float kGainSmoothing = 0.05f;               // per frame, about 0.4 ms

// Catmull-Rom through four neighbouring samples.
inline float cubic(float xm1, float x0, float x1, float x2, float t) {
  const float c1 = 0.5f * (x1 - xm1);
  const float c2 = xm1 - 2.5f * x0 + 2.0f * x1 - 0.5f * x2;
  const float c3 = 0.5f * (x2 - xm1) + 1.5f * (x0 - x1);
  return ((c3 * t + c2) * t + c1) * t + x0;
}

}  // namespace drum::mixkernel
