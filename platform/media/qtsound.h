// The sound output on the media framework: what sndPlaySoundA plays through.
#pragma once

namespace platform {

class SoundDevice;

SoundDevice &qtSoundDevice();

} // namespace platform
