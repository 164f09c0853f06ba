// The settings a run plays with: the saved ones, the command line's on top
// for this run only, and which of them a change in the game saves.
#pragma once
#include "CommandLine.h"
#include "Settings.h"

// Settings with every value the command line names put in their place.
TSettings ApplyOverrides(TSettings Settings, const TSettingsOverrides& Overrides);

// The settings to save: Saved with each value that the game changed (Before
// to After) taken from After. A value only the command line set differs from
// Saved but not between Before and After, so it stays unsaved.
TSettings KeepChanges(const TSettings& Saved, const TSettings& Before, const TSettings& After);
