#!/usr/bin/env python3
"""Writes the game's three sound cues as 16-bit mono 44.1 kHz wave files.

    python3 sounds/tools/make_cues.py [output-dir]   (default: the sounds/ folder)

Pure synthesis with the standard library, no randomness: the same script always
writes the same bytes. The build uses the committed files and never runs this.
Every cue fades in and out so nothing clicks, and ends in 0.2 s of silence so no
audio backend cuts off its tail.
"""

import math
import struct
import sys
import wave
from pathlib import Path

RATE = 44100
TAIL_SILENCE = 0.2  # seconds
PEAK = 0.6          # of full scale: clear, but never harsh next to other programs


def frames(seconds):
    return int(round(seconds * RATE))


def fade(signal, fade_in, fade_out):
    """Raised-cosine fade at both ends, in seconds."""
    n = len(signal)
    fin, fout = frames(fade_in), frames(fade_out)
    for i in range(min(fin, n)):
        signal[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fin)
    for i in range(min(fout, n)):
        signal[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fout)
    return signal


def tone(seconds, freq_at, partials, decay, start=0.0, length=None):
    """A decaying tone; freq_at(t) may glide, partials are (multiple, amplitude)."""
    n = frames(length if length is not None else seconds)
    out = [0.0] * frames(seconds)
    offset = frames(start)
    phase = 0.0
    for i in range(n):
        if offset + i >= len(out):
            break
        t = i / RATE
        value = sum(a * math.sin(m * phase) for m, a in partials)
        out[offset + i] = value * math.exp(-t / decay)
        phase += 2 * math.pi * freq_at(t) / RATE
    return out


def mix(*signals):
    return [sum(values) for values in zip(*signals)]


def kontrollton():
    """A hit: a short, bright tick around A6."""
    length = 0.15
    body = tone(length, lambda t: 1760.0, [(1, 1.0), (2, 0.25), (3, 0.08)], decay=0.045)
    return fade(body, fade_in=0.003, fade_out=0.04)


def fehlerton():
    """A miss: a soft low buzz that sags a little, two voices beating gently."""
    length = 0.25
    partials = [(1, 1.0), (2, 0.35), (3, 0.3), (5, 0.12), (7, 0.05)]
    low = tone(length, lambda t: 165.0 - 40.0 * t, partials, decay=0.35)
    beat = tone(length, lambda t: 171.0 - 40.0 * t, partials, decay=0.35)
    body = mix(low, [0.6 * v for v in beat])
    return fade(body, fade_in=0.012, fade_out=0.07)


def gewonnen():
    """A win: C5, E5, G5 rising, each note ringing on under the next."""
    length = 0.8
    bell = [(1, 1.0), (2, 0.3), (3, 0.1), (4, 0.04)]
    notes = [(0.00, 523.25, 0.9), (0.18, 659.26, 0.9), (0.36, 783.99, 1.0)]
    voices = [
        [level * v for v in tone(length, lambda t, f=f: f, bell, decay=0.35, start=start,
                                  length=length - start)]
        for start, f, level in notes
    ]
    # Each entry gets its own short attack so the notes do not click in.
    for (start, _, _), voice in zip(notes, voices):
        first = frames(start)
        attack = frames(0.006)
        for i in range(attack):
            voice[first + i] *= i / attack
    return fade(mix(*voices), fade_in=0.004, fade_out=0.12)


def normalised(signal):
    peak = max(abs(v) for v in signal) or 1.0
    return [PEAK * v / peak for v in signal]


def write(path, signal):
    samples = normalised(signal) + [0.0] * frames(TAIL_SILENCE)
    data = b"".join(struct.pack("<h", int(round(v * 32767))) for v in samples)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(data)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
    target.mkdir(parents=True, exist_ok=True)
    for name, make in (("kontrollton.wav", kontrollton),
                       ("fehlerton.wav", fehlerton),
                       ("gewonnen.wav", gewonnen)):
        write(target / name, make())
        print(target / name)


if __name__ == "__main__":
    main()
