// The game's six sound clips, compiled into the executable (the game reads no
// sound file). The data is generated at build time by skyrend-assets.
#pragma once
#include <cstddef>
#include <cstdint>
struct TSoundClip { const char* Name; const uint8_t* Data; size_t Size; };
// The six clips by wave-item index 0..5: complete RIFF WAVE files.
const TSoundClip& GetSoundClip(int Index);
