// The hit handlers the contact tests raise once per object hit. Each restarts
// its cue, so a cue is heard at most once at a time; the sender is not used.
#include "frmMainGL.h"

void TFormMain::PlayBumpSound(TBlob&) { Sound().RestartSound(WaveMeHitObstacle); }

void TFormMain::PlayShotObstacleSound(TBlob&) { Sound().RestartSound(WaveShotObstacle); }

void TFormMain::PlayAlienHitSound(TBlob&) { Sound().RestartSound(WaveAlienHit); }

void TFormMain::PlayRocketHitSound(TBlob&) { Sound().RestartSound(WaveRockertHit); }
