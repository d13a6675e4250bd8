#pragma once

#include <QByteArray>

namespace qv::picgen {

// The sound cue: two bell-like tones a fifth apart, about 170 ms, as a RIFF WAVE file
// (PCM, 16-bit, mono, 22050 Hz). Starts and ends at silence so it never clicks.
QByteArray chimeWave();

} // namespace qv::picgen
