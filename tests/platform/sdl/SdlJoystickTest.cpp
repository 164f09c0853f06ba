// Joystick 1 on real SDL with a virtual joystick (SDL's own virtual
// device API) and the dummy video driver; the foreground test is the test's.
#include "SdlJoystick.h"
#include "InputMapping.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class SdlJoystickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    // No window has the focus under the dummy driver, and SDL drops joystick
    // input then unless told otherwise.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    Window = SDL_CreateWindow("input test", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_NE(Window, nullptr) << SDL_GetError();
  }
  void TearDown() override {
    if (Pad) SDL_JoystickClose(Pad);
    if (Window) SDL_DestroyWindow(Window);
    SDL_Quit();
  }
  // Hands every waiting device event to the component, as the shell's loop does.
  void Pump(TSdlJoystick& Input) {
    SDL_Event Event;
    while (SDL_PollEvent(&Event)) Input.HandleEvent(Event);
  }
  // Plugs in a virtual joystick with two axes and twelve buttons, of a kind
  // SDL does not take for a game controller, so it is read raw; the test
  // keeps its own handle to move the stick.
  int PlugIn() {
    const int Index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 12, 0);
    EXPECT_GE(Index, 0) << SDL_GetError();
    Pad = SDL_JoystickOpen(Index);
    EXPECT_NE(Pad, nullptr);
    return Index;
  }
  void Stick(int16_t X, int16_t Y) {
    SDL_JoystickSetVirtualAxis(Pad, 0, X);
    SDL_JoystickSetVirtualAxis(Pad, 1, Y);
    SDL_JoystickUpdate();
  }
  void Button(int N, bool Down) {
    SDL_JoystickSetVirtualButton(Pad, N, Down ? SDL_PRESSED : SDL_RELEASED);
    SDL_JoystickUpdate();
  }

  // What joystick 1 reports now, as the game's input states.
  static TInputStates States(const TSdlJoystick& Input) {
    int16_t X, Y;
    uint32_t Buttons;
    Input.Read(X, Y, Buttons);
    return StatesFromJoystick(X, Y, Buttons);
  }

  SDL_Window* Window = nullptr;
  SDL_Joystick* Pad = nullptr;
  bool Focus = true;
};

TEST_F(SdlJoystickTest, AJoystickPluggedInAfterStartUpIsOpenedAndRead) {
  TSdlJoystick Input(Window, [this] { return Focus; });
  EXPECT_FALSE(Input.HasJoystick());
  PlugIn();
  Pump(Input);
  ASSERT_TRUE(Input.HasJoystick());

  Stick(-32768, 0);
    EXPECT_EQ(States(Input), InputBit(StateLeft));

  Stick(32767, -32768);
  Button(0, true);
  Button(8, true);
    EXPECT_EQ(States(Input), InputBit(StateRight) | InputBit(StateUp) | InputBit(StateButton1) |
                                InputBit(StateButton9));

  // Inside the dead zone and with the buttons up: nothing.
  Stick(12000, -12000);
  Button(0, false);
  Button(8, false);
    EXPECT_EQ(States(Input), 0u);
}

TEST_F(SdlJoystickTest, NothingIsReportedWhileTheGameWindowIsNotInFront) {
  TSdlJoystick Input(Window, [this] { return Focus; });
  PlugIn();
  Pump(Input);
  Stick(0, 32767);
  Focus = false;
    EXPECT_EQ(States(Input), 0u);
  Focus = true;
    EXPECT_EQ(States(Input), InputBit(StateDown));
}

TEST_F(SdlJoystickTest, WithoutTheFocusTestInjectedAnUnfocusedWindowReportsNothing) {
  TSdlJoystick Input(Window);
  PlugIn();
  Pump(Input);
  Stick(-32768, 0);
    // The dummy video driver gives no window the keyboard focus.
  EXPECT_EQ(SDL_GetKeyboardFocus(), nullptr);
  EXPECT_EQ(States(Input), 0u);
}

TEST_F(SdlJoystickTest, AJoystickThatGoesIsClosedAndReportsNothing) {
  TSdlJoystick Input(Window, [this] { return Focus; });
  const int Index = PlugIn();
  Pump(Input);
  Stick(-32768, 0);
    ASSERT_EQ(States(Input), InputBit(StateLeft));

  SDL_JoystickClose(Pad);
  Pad = nullptr;
  ASSERT_EQ(SDL_JoystickDetachVirtual(Index), 0) << SDL_GetError();
  Pump(Input);
  EXPECT_FALSE(Input.HasJoystick());
    EXPECT_EQ(States(Input), 0u);
}

// A pad with the usual layout, made known to SDL's controller database by a
// mapping for its own identity: stick, d-pad, face buttons and triggers.
TEST_F(SdlJoystickTest, AGameControllerSteersWithStickAndDpadAndFiresWithSouthButtonOrRightTrigger) {
  SDL_VirtualJoystickDesc Desc{};
  Desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  Desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  Desc.naxes = 6;
  Desc.nbuttons = 15;
  Desc.vendor_id = 0x5359;
  Desc.product_id = 0x0001;
  Desc.name = "Skyrend test pad";
  const int Index = SDL_JoystickAttachVirtualEx(&Desc);
  ASSERT_GE(Index, 0) << SDL_GetError();
  char Guid[64];
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(Index), Guid, sizeof Guid);
  const std::string Mapping = std::string(Guid) +
      ",Skyrend test pad,a:b0,b:b1,x:b2,y:b3,back:b4,guide:b5,start:b6,leftstick:b7,rightstick:b8,"
      "leftshoulder:b9,rightshoulder:b10,dpup:b11,dpdown:b12,dpleft:b13,dpright:b14,leftx:a0,lefty:a1,"
      "rightx:a2,righty:a3,lefttrigger:a4,righttrigger:a5,";
  ASSERT_GE(SDL_GameControllerAddMapping(Mapping.c_str()), 0) << SDL_GetError();
  Pad = SDL_JoystickOpen(Index);
  ASSERT_NE(Pad, nullptr);
  TSdlJoystick Input(Window, [this] { return Focus; });
  Pump(Input);
  ASSERT_TRUE(Input.HasGameController());

  auto Read = [&] {
    SDL_JoystickUpdate();
    SDL_GameControllerUpdate();
        return States(Input);
  };
  SDL_JoystickSetVirtualAxis(Pad, 4, -32768);  // triggers rest at one end
  SDL_JoystickSetVirtualAxis(Pad, 5, -32768);
  Stick(-32768, 32767);
  EXPECT_EQ(Read(), InputBit(StateLeft) | InputBit(StateDown));
  Stick(0, 0);
  Button(14, true);  // d-pad right
  Button(11, true);  // d-pad up
  Button(0, true);   // south face button
  Button(8, true);   // a stick click: no state of its own
  EXPECT_EQ(Read(), InputBit(StateRight) | InputBit(StateUp) | InputBit(StateButton1));
  Button(14, false);
  Button(11, false);
  Button(0, false);
  Button(8, false);
  SDL_JoystickSetVirtualAxis(Pad, 5, 32767);  // right trigger pulled
  EXPECT_EQ(Read(), InputBit(StateButton1));
  SDL_JoystickSetVirtualAxis(Pad, 5, -32768);
  SDL_JoystickSetVirtualAxis(Pad, 4, 32767);  // the left one fires nothing
  EXPECT_EQ(Read(), 0u);
}

TEST_F(SdlJoystickTest, AJoystickPresentAtStartUpIsOpenedAtOnce) {
  PlugIn();
  TSdlJoystick Input(Window, [this] { return Focus; });
  EXPECT_TRUE(Input.HasJoystick());
  Pump(Input);  // the device's own "added" event must not open a second handle
  Stick(0, -32768);
    EXPECT_EQ(States(Input), InputBit(StateUp));
}

// A pad that can rumble gets both motors at the asked strength.
TEST_F(SdlJoystickTest, APadRumblesAtTheStrengthAsked) {
  static Uint16 Low = 0, High = 0;
  SDL_VirtualJoystickDesc Desc{};
  Desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  Desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  Desc.naxes = 2;
  Desc.nbuttons = 4;
  Desc.name = "Skyrend rumble pad";
  Desc.Rumble = [](void*, Uint16 L, Uint16 H) {
    Low = L;
    High = H;
    return 0;
  };
  const int Index = SDL_JoystickAttachVirtualEx(&Desc);
  ASSERT_GE(Index, 0) << SDL_GetError();
  TSdlJoystick Input(Window, [this] { return Focus; });
  ASSERT_TRUE(Input.HasJoystick());
  Input.Rumble(60, 200);
  EXPECT_EQ(Low, 0xFFFF * 60 / 100);
  EXPECT_EQ(High, Low);
  Input.Rumble(100, 800);
  EXPECT_EQ(Low, 0xFFFF);
  SDL_JoystickDetachVirtual(Index);
}

}  // namespace
