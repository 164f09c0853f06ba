#include "InputMapping.h"

#include <algorithm>

namespace {

TKeyAssignments MakeDefaultAssignments() {
  TKeyAssignments A{};
  A[StateUp] = {75, 38, 104};
  A[StateDown] = {74, 40, 98};
  A[StateLeft] = {72, 37, 100};
  A[StateRight] = {76, 39, 102};
  A[StateButton1] = {90, 32, 0};
  A[StateButton2] = {88, 13, 0};
  A[StateButton9] = {113, 0, 0};
  return A;
}

constexpr int32_t AxisRange = 1000;
constexpr int32_t DeadZonePercent = 50;

}  // namespace

const TKeyAssignments& DefaultKeyAssignments() {
  static const TKeyAssignments Assigns = MakeDefaultAssignments();
  return Assigns;
}

TInputStates StatesFromKeys(const uint8_t (&Down)[256], const TKeyAssignments& Assigns) {
  TInputStates States = 0;
  for (int State = 0; State < InputStateCount; ++State) {
    for (uint32_t Code : Assigns[State]) {
      if (Code != 0 && Code < 256 && Down[Code]) {
        States |= InputBit(State);
        break;
      }
    }
  }
  return States;
}

int32_t MapJoystickAxis(int16_t Raw) {
  // The two halves of SDL's range are one step apart in length: scale each on its own
  // so both ends reach exactly -1000 and 1000.
  const int32_t Half = Raw < 0 ? 32768 : 32767;
  const int32_t Scaled = int32_t(Raw) * AxisRange / Half;
  const int32_t Edge = AxisRange * DeadZonePercent / 100;
  const int32_t Magnitude = Scaled < 0 ? -Scaled : Scaled;
  if (Magnitude <= Edge) return 0;
  const int32_t Out = (Magnitude - Edge) * AxisRange / (AxisRange - Edge);
  return Scaled < 0 ? -Out : Out;
}

TInputStates StatesFromJoystick(int16_t RawX, int16_t RawY, uint32_t Buttons) {
  TInputStates States = 0;
  const int32_t X = MapJoystickAxis(RawX);
  const int32_t Y = MapJoystickAxis(RawY);
  if (X < 0) States |= InputBit(StateLeft);
  if (X > 0) States |= InputBit(StateRight);
  if (Y < 0) States |= InputBit(StateUp);
  if (Y > 0) States |= InputBit(StateDown);
  for (int n = 0; n < 32; ++n)
    if (Buttons & (uint32_t(1) << n)) States |= InputBit(StateButton1 + n);
  return States;
}

// Starts at the centre, where the game's last mouse position starts too, so the
// first motion turns the player by that motion only.
TVirtualPointer::TVirtualPointer(int Width, int Height) : x_(std::max(Width, 1) / 2), y_(std::max(Height, 1) / 2) {}

namespace {

// Far beyond any real motion; only keeps a scripted flood of motion from overflowing.
int Saturated(int64_t Value) {
  constexpr int64_t Limit = 1000000000;
  return int(std::clamp<int64_t>(Value, -Limit, Limit));
}

}  // namespace

void TVirtualPointer::Move(int Dx, int Dy, uint32_t Buttons) {
  x_ = Saturated(int64_t(x_) + Dx);
  y_ = Saturated(int64_t(y_) + Dy);
  moved_ = true;
  buttons_ = Buttons;
}

void TVirtualPointer::Set(int X, int Y) {
  x_ = X;
  y_ = Y;
}

bool TVirtualPointer::TakeFrameMotion(uint32_t& Buttons) {
  if (!moved_) return false;
  moved_ = false;
  Buttons = buttons_;
  return true;
}
