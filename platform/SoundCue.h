#pragma once

#include "platform/ScopedHook.h"

#include <QString>

#include <functional>

namespace qv::platform {

// What the sound cue did when it was last asked for.
enum class CueOutcome {
    None,   // not asked for yet
    Played, // the wave file started playing on an audio output
    Beeped, // no wave file or no audio output: the default beep instead
};

// Plays the wave file "QUORVEX.001" asynchronously; returns at once. The file is looked up in the
// working directory, then in the program's data folder. Decides play-or-beep when asked, never blocks.
CueOutcome PlaySoundCue();
CueOutcome lastCueOutcome();

// The first "QUORVEX.001" found, or an empty string when there is none.
QString locateSoundCue();

// Replaces the check for an audio output (tests script it); an empty function restores the real check.
using AudioOutputProbe = std::function<bool()>;
AudioOutputProbe setAudioOutputProbe(AudioOutputProbe probe);
using ScopedAudioOutputProbe = ScopedHook<AudioOutputProbe, &setAudioOutputProbe>;

} // namespace qv::platform
