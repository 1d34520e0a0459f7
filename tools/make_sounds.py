#!/usr/bin/env python3
"""Writes the engine's own sound data: the sample game's music (a small XM
module) and sound effects (WAV), and the loader fixtures' stand-ins.

    tools/make_sounds.py            # rewrites every file listed in TARGETS
"""
import math
import os
import struct
import subprocess
import sys

RATE = 22050


def wav_bytes(values, rate=RATE, channels=1, bits=16):
    if bits == 16:
        data = struct.pack('<%dh' % len(values), *values)
    else:
        data = bytes((v >> 8) + 128 for v in values)
    fmt = struct.pack('<HHIIHH', 1, channels, rate, rate * channels * bits // 8, channels * bits // 8, bits)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + b'data' + struct.pack('<I', len(data)) + data
    if len(data) & 1:
        body += b'\0'
    return b'RIFF' + struct.pack('<I', len(body)) + body


def tone(freq, seconds, rate=RATE, volume=12000, decay=6.0, sweep=0.0):
    n = int(seconds * rate)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / rate
        phase += 2 * math.pi * (freq + sweep * t) / rate
        out.append(int(volume * math.exp(-decay * t) * math.sin(phase)))
    return out


def xm_sample_bytes(values):
    """Delta-coded 8-bit sample data."""
    out, old = bytearray(), 0
    for v in values:
        b = (v >> 8) & 0xFF
        out.append((b - old) & 0xFF)
        old = b
    return bytes(out)


def xm_instrument(name, values, loop_start, loop_length, envelope, sustain=None, fadeout=256, relative_note=0):
    env = envelope + [(0, 0)] * (12 - len(envelope))
    header = struct.pack('<22sBH', name.encode(), 0, 1)
    header += struct.pack('<I', 40) + bytes(96)
    header += b''.join(struct.pack('<HH', x, y) for x, y in env) + bytes(48)
    flags = (1 if len(envelope) > 1 else 0) | (2 if sustain is not None else 0)
    header += struct.pack('<14BH', len(envelope), 0, sustain or 0, 0, 0, 0, 0, 0, flags, 0, 0, 0, 0, 0, fadeout)
    header += bytes(22)
    size = 4 + len(header)
    sample = struct.pack('<IIIBbBBbB22s', len(values), loop_start, loop_length, 48, 0, 1 if loop_length else 0, 128,
                         relative_note, 0, b'')
    return struct.pack('<I', size) + header + sample + xm_sample_bytes(values)


def xm_pattern(rows, channels, cells):
    """cells: {(row, channel): (note, instrument, volume, effect, param)}"""
    data = bytearray()
    for r in range(rows):
        for c in range(channels):
            cell = cells.get((r, c))
            if cell:
                data += bytes(cell)
            else:
                data.append(0x80)
    return struct.pack('<IBHH', 9, 0, rows, len(data)) + bytes(data)


def xm_module(name, channels, orders, patterns, instruments, speed=6, bpm=125, restart=0):
    head = b'Extended Module: ' + name.encode().ljust(20, b'\0') + b'\x1a' + b'TOLV'.ljust(20, b'\0')
    head += struct.pack('<HI', 0x0104, 276)
    head += struct.pack('<HHHHHHHH', len(orders), restart, channels, len(patterns), len(instruments), 1, speed, bpm)
    head += bytes(orders).ljust(256, b'\0')
    return head + b''.join(patterns) + b''.join(instruments)


def fanfare():
    """Three rising notes, a jingle."""
    out = []
    for f in (523, 659, 784):
        out += tone(f, 0.18, decay=3)
    return out + tone(1047, 0.5, decay=4)


def sample_song():
    """Two channels: a plucked bass line and a lead over it, looping."""
    cycle = 64  # one period of the looped wave
    wave = [int(22000 * math.sin(2 * math.pi * i / cycle) + 7000 * math.sin(6 * math.pi * i / cycle))
            for i in range(cycle)]
    pluck = [(0, 64), (4, 48), (24, 20), (60, 0)]
    lead = [(0, 40), (8, 64), (40, 44), (120, 30)]
    ins = [xm_instrument('bass', wave, 0, cycle, pluck, relative_note=-24),
           xm_instrument('lead', wave, 0, cycle, lead, sustain=2, fadeout=1024)]
    C4 = 49
    bass = [0, 0, 7, 5]
    tune = [0, 4, 7, 12, 11, 7, 4, 2, 0, 4, 7, 9, 7, 4, 2, -1]
    a, b = {}, {}
    for bar in range(4):
        for beat in range(4):
            a[(bar * 16 + beat * 4, 0)] = (C4 - 12 + bass[bar], 1, 0x40, 0, 0)
        for i, step in enumerate(tune):
            if i % 2 == 0:
                a[(bar * 16 + i, 1)] = (C4 + step + bass[bar] % 12, 2, 0x30, 0, 0)
    for r in range(0, 64, 8):
        b[(r, 0)] = (C4 - 12 + bass[(r // 16)], 1, 0x40, 0, 0)
        b[(r + 2, 1)] = (C4 + 12 + tune[r // 4], 2, 0x28, 4, 0x46)  # vibrato
    b[(63, 1)] = (0, 0, 0, 0x0D, 0)
    return xm_module('TOLV sample', 2, [0, 1], [xm_pattern(64, 2, a), xm_pattern(64, 2, b)], ins, speed=5, bpm=130)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    files = {
        'games/sample/music/song.xm': sample_song(),
        'games/sample/sound/ping.wav': wav_bytes(tone(880, 0.25)),
        'games/sample/sound/coin.wav': wav_bytes(tone(660, 0.3, decay=8, sweep=1400)),
        'games/sample/music/fanfare.wav': wav_bytes(fanfare()),
        'games/default/sound/fallback.wav': wav_bytes(tone(440, 0.1)),
        'tests/data/full/music/song.xm': sample_song(),
        'tests/data/full/music/theme.wav': wav_bytes(tone(330, 0.05), bits=8),
        'tests/data/full/sound/hit.wav': wav_bytes(tone(200, 0.02)),
        'tests/data/full/sound/jump.wav': wav_bytes(tone(500, 0.02, sweep=2000), rate=11025),
    }
    for rel, seconds in (('tests/data/full/music/intro.ogg', 0.2), ('tests/data/full/music/loop.ogg', 0.3)):
        if os.path.exists(os.path.join(root, rel)):
            continue  # oggenc numbers its streams at random: keep the files the tests know
        tmp = os.path.join(root, rel + '.wav')
        with open(tmp, 'wb') as f:
            f.write(wav_bytes(tone(440, seconds, rate=44100), rate=44100))
        subprocess.run(['oggenc', '-Q', '-q', '0', '-o', os.path.join(root, rel), tmp], check=True)
        os.remove(tmp)
    for rel, data in files.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(data)
        print(rel, len(data))


if __name__ == '__main__':
    sys.exit(main())
