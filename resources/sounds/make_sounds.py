#!/usr/bin/env python3
"""Makes the twelve sound effects 101..112 as short 16-bit mono WAV files.

Each is a few soft sine tones with a quick attack and decay, followed by
150 ms of silence so that sound servers do not clip very short clicks.
Run: python3 make_sounds.py (writes 101.wav ... 112.wav beside itself).
"""
import math, os, struct, wave

RATE = 22050
PAD = 0.15

def tone(freqs, dur, vol=0.35, decay=6.0, harm=0.15):
    out = []
    n = int(RATE * dur)
    for i in range(n):
        t = i / RATE
        env = min(1.0, t / 0.004) * math.exp(-decay * t / dur)
        v = 0.0
        for f in freqs:
            v += math.sin(2 * math.pi * f * t) + harm * math.sin(4 * math.pi * f * t)
        out.append(vol * env * v / len(freqs))
    return out

def seq(*parts):
    out = []
    for p in parts:
        out += p
    return out

SOUNDS = {
    101: seq(tone([220, 233], 0.16, decay=3, harm=0.5)),             # wrong key: low buzz
    102: seq(tone([660], 0.09), tone([880], 0.14)),                 # line ended
    103: seq(tone([660], 0.07), tone([880], 0.07), tone([1320], 0.18)),  # new record
    104: seq(tone([523, 784], 0.12)),                               # line starts
    105: seq(tone([784], 0.08), tone([1047], 0.12)),                # about box
    106: seq(tone([523], 0.08), tone([659], 0.08), tone([784], 0.14)),   # results open
    107: seq(tone([1800], 0.025, vol=0.25, decay=8)),               # accepted key: tick
    108: seq(tone([440], 0.1)),                                     # spare
    109: seq(tone([988, 1319], 0.09)),                              # option by double-click
    110: seq(tone([587], 0.1), tone([784], 0.16)),                  # welcome
    111: seq(tone([1175], 0.05, decay=5)),                          # menu option changed
    112: seq(tone([392], 0.08), tone([523], 0.08), tone([659], 0.08), tone([784], 0.14)),  # game
}

here = os.path.dirname(os.path.abspath(__file__))
for sid, samples in SOUNDS.items():
    samples = samples + [0.0] * int(RATE * PAD)
    with wave.open(os.path.join(here, f"{sid}.wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1, min(1, s)) * 32767)) for s in samples))
