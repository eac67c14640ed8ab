#!/usr/bin/env python3
"""Makes the program's two sounds (resources/sounds/): a soft wooden click when a
window arrives and a two-note chime when one leaves. 16-bit mono, 22050 Hz."""
import math
import os
import struct
import wave

RATE = 22050
OUT = os.path.join(os.path.dirname(__file__), '..', 'resources', 'sounds')


def write(name, samples):
    with wave.open(os.path.join(OUT, name), 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b''.join(struct.pack('<h', int(max(-1, min(1, s)) * 32767)) for s in samples))


def click():
    """A 60 ms knock: a low tone with a fast exponential decay and a soft attack."""
    n = int(RATE * 0.06)
    out = []
    for i in range(n):
        t = i / RATE
        attack = min(1.0, t / 0.002)
        body = math.sin(2 * math.pi * 880 * t) * 0.5 + math.sin(2 * math.pi * 1320 * t) * 0.25
        out.append(0.55 * attack * math.exp(-t / 0.012) * body)
    return out


def chime():
    """Two bell-like notes (E6 then B5), 350 ms in all, each with a gentle decay."""
    out = []
    for freq, start, length in ((1318.5, 0.0, 0.35), (987.8, 0.12, 0.23)):
        first = int(RATE * start)
        need = first + int(RATE * length)
        out.extend([0.0] * (need - len(out)))
        for i in range(int(RATE * length)):
            t = i / RATE
            attack = min(1.0, t / 0.004)
            tone = math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(2 * math.pi * freq * 2.01 * t)
            out[first + i] += 0.3 * attack * math.exp(-t / 0.09) * tone
    return out


if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    write('ClickBg.wav', click())
    write('message2.wav', chime())
