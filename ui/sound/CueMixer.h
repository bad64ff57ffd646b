#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The cues that sound at once, added into one stream of interleaved 16-bit
// stereo. Each cue has one voice: a cue started again begins anew, while
// different cues sound together. Not thread-safe: the player guards it. It
// holds nothing of Qt, so the sound thread may still let it go when Qt is gone.
class CueMixer
{
public:
    // Starts `samples` as the cue `key`, replacing what that cue still had to play.
    void start(const std::u16string &key, std::vector<int16_t> samples);
    void stop(const std::u16string &key);
    bool sounding() const;
    void clear();

    // Fills `out` with the next `count` samples of all voices together.
    void mix(int16_t *out, std::size_t count);

private:
    struct Voice
    {
        std::u16string key;
        std::vector<int16_t> samples;
        std::size_t played = 0;
    };
    std::vector<Voice> m_voices;
};
