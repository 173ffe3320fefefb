#!/usr/bin/env python3
"""Writes the table's sounds into this folder (or the folder given): short, quiet 16-bit mono
WAV files at 22,050 Hz, synthesised from sine partials and filtered noise with a fixed seed, so
the same files come out on every machine. The files are committed and embedded in the game; run
this after changing it, listen, and commit both together.

    sounds/generate.py [folder]

Only the Python standard library is used.
"""

import math
import random
import struct
import sys
import wave
from pathlib import Path

RATE = 22050
# The loudest sample of any sound, as a share of full scale: quiet beside a desktop's own alerts.
PEAK = 0.3


def samples(seconds):
    return int(round(seconds * RATE))


def silence(seconds):
    return [0.0] * samples(seconds)


def mix(into, sound, at_seconds=0.0):
    """Adds sound into the list into, starting at at_seconds, growing into when needed."""
    start = samples(at_seconds)
    end = start + len(sound)
    if end > len(into):
        into.extend([0.0] * (end - len(into)))
    for i, value in enumerate(sound):
        into[start + i] += value
    return into


def bell(frequency, seconds, decay, partials=((1.0, 1.0),)):
    """A struck tone: sine partials (ratio, loudness) dying away exponentially, decay a second."""
    out = []
    for i in range(samples(seconds)):
        t = i / RATE
        value = sum(loud * math.sin(2 * math.pi * frequency * ratio * t)
                    for ratio, loud in partials)
        # Each higher partial dies sooner, as on a real bell.
        out.append(value * math.exp(-decay * t))
    # A soft strike and a soft end, so neither clicks.
    return faded(out, attack=0.002, release=0.008)


def noise(seconds, rng, low, high):
    """White noise through a one-pole high-pass at low Hz and two one-pole low-passes at high
    Hz: a soft band of hiss, its top rolled off so it does not sound harsh."""
    a_low = math.exp(-2 * math.pi * high / RATE)
    a_high = math.exp(-2 * math.pi * low / RATE)
    out = []
    first = second = previous_in = highpassed = 0.0
    for _ in range(samples(seconds)):
        x = rng.uniform(-1.0, 1.0)
        first = (1 - a_low) * x + a_low * first
        second = (1 - a_low) * first + a_low * second
        highpassed = a_high * (highpassed + second - previous_in)
        previous_in = second
        out.append(highpassed)
    return out


def shaped(sound, envelope):
    """Multiplies each sample by envelope(share of the sound gone by, 0 to 1)."""
    n = len(sound)
    return [value * envelope(i / n) for i, value in enumerate(sound)]


def faded(sound, attack=0.003, release=0.003):
    """Short fades at both ends, so no sound starts or stops with a click of its own."""
    out = list(sound)
    n = min(samples(attack), len(out) // 2)
    for i in range(n):
        out[i] *= i / n
    n = min(samples(release), len(out) // 2)
    for i in range(n):
        out[-1 - i] *= i / n
    return out


def normalised(sound, peak):
    """The sound, faded in and out, scaled so that its loudest sample is peak."""
    sound = faded(sound)
    loudest = max(abs(v) for v in sound) or 1.0
    return [v * peak / loudest for v in sound]


def slide_out(rng):
    # A card drawn across the cloth: a soft swish that swells and fades.
    swish = noise(0.16, rng, 500, 3000)
    return normalised(shaped(swish, lambda x: math.sin(math.pi * x) ** 2), PEAK * 0.6)


def land(rng):
    # The card settling on the table: a short tap of noise over a low, quickly damped thump.
    tap = shaped(noise(0.02, rng, 1000, 4000), lambda x: (1 - x) ** 3)
    thump = bell(170, 0.07, 60, ((1.0, 1.0), (2.3, 0.3)))
    return normalised(mix(thump, [v * 1.5 for v in tap]), PEAK * 0.7)


def turn_over(rng):
    # A card flicked over: a quick brush of noise ending in a light snap.
    brush = shaped(noise(0.07, rng, 800, 4000), lambda x: x * (1 - x) * 4)
    snap = shaped(noise(0.015, rng, 1500, 6000), lambda x: (1 - x) ** 4)
    return normalised(mix(brush, [v * 2 for v in snap], 0.06), PEAK * 0.6)


def bet(rng):
    # Chips set down: two small clinks of inharmonic partials, the second a little softer.
    def clink():
        return bell(2300, 0.09, 45, ((1.0, 1.0), (1.47, 0.6), (2.09, 0.3)))

    sound = mix(clink(), [v * 0.7 for v in clink()], 0.055)
    tick = shaped(noise(0.01, rng, 2000, 6000), lambda x: 1 - x)
    return normalised(mix(sound, [v * 0.3 for v in tick]), PEAK * 0.6)


def win(_rng):
    # A bright rising arpeggio, C6 E6 G6, the last note ringing longest.
    partials = ((1.0, 1.0), (2.0, 0.25), (3.0, 0.08))
    sound = silence(0.45)
    for at, frequency in ((0.0, 1046.5), (0.08, 1318.5), (0.16, 1568.0)):
        mix(sound, bell(frequency, 0.45 - at, 9, partials), at)
    return normalised(sound, PEAK)


def lose(_rng):
    # Two soft falling notes, G4 then E flat 4, low and short: noticed, not scolding.
    partials = ((1.0, 1.0), (2.0, 0.15))
    sound = mix(bell(392.0, 0.2, 14, partials), bell(311.1, 0.3, 10, partials), 0.14)
    return normalised(sound, PEAK * 0.8)


# The file of each sound, named as the game loads them.
SOUNDS = {
    "slide-out.wav": slide_out,
    "land.wav": land,
    "turn-over.wav": turn_over,
    "bet.wav": bet,
    "win.wav": win,
    "lose.wav": lose,
}


def write(path, sound):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767)))))
                      for v in sound)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    folder.mkdir(parents=True, exist_ok=True)
    for index, (name, make) in enumerate(SOUNDS.items()):
        # A seed of each sound's own, so changing one leaves the others as they were.
        write(folder / name, make(random.Random(index + 1)))
        print(f"{folder / name}: {(folder / name).stat().st_size} bytes")


if __name__ == "__main__":
    main()
