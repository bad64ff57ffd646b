#include "CueMixer.h"

#include <algorithm>

void CueMixer::start(const std::u16string &key, std::vector<int16_t> samples)
{
    auto voice = std::find_if(m_voices.begin(), m_voices.end(), [&](const Voice &v) { return v.key == key; });
    if (voice == m_voices.end())
        voice = m_voices.insert(m_voices.end(), Voice{key, {}, 0});
    voice->samples = std::move(samples);
    voice->played = 0;
}

void CueMixer::stop(const std::u16string &key)
{
    std::erase_if(m_voices, [&](const Voice &v) { return v.key == key; });
}

bool CueMixer::sounding() const
{
    return std::any_of(m_voices.begin(), m_voices.end(), [](const Voice &v) { return v.played < v.samples.size(); });
}

void CueMixer::clear()
{
    m_voices.clear();
}

void CueMixer::mix(int16_t *out, std::size_t count)
{
    std::fill_n(out, count, int16_t(0));
    for (Voice &voice : m_voices) {
        const std::size_t n = std::min(count, voice.samples.size() - voice.played);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = int16_t(std::clamp(out[i] + voice.samples[voice.played + i], -32768, 32767));
        voice.played += n;
    }
}
