// The hit handlers the contact tests raise once per object hit. Each restarts
// its cue, so a cue is heard at most once at a time; the sender is not used.
#include "World.h"

void TWorld::PlayBumpSound(TBlob&) { Sound().RestartSound(WaveMeHitObstacle); }

void TWorld::PlayShotObstacleSound(TBlob&) { Sound().RestartSound(WaveShotObstacle); }

void TWorld::PlayAlienHitSound(TBlob&) { Sound().RestartSound(WaveAlienHit); }

void TWorld::PlayRocketHitSound(TBlob&) { Sound().RestartSound(WaveRockertHit); }
