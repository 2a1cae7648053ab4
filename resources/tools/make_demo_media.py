#!/usr/bin/env python3
"""Writes the demo program folder's sounds (res/声音/*.wav) and animation clips
(res/swf/<folder>/<n>.swf, animated GIF content) so that a new user hears and sees the
classroom effects. Everything is synthesised; run from the repository's top folder."""

import math
import os
import random
import struct
import wave

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'demo', 'res')
RATE = 8000


# ---------------------------------------------------------------- sounds

def write_wav(name, samples):
    path = os.path.join(ROOT, '声音', name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(RATE)
        w.writeframes(bytes(max(0, min(255, int(128 + 110 * s))) for s in samples))


def tone(freq, seconds, volume=0.6, decay=4.0):
    n = int(RATE * seconds)
    return [volume * math.sin(2 * math.pi * freq * i / RATE) * math.exp(-decay * i / n) for i in range(n)]


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def noise_burst(seconds, volume, rng, decay=18.0):
    n = int(RATE * seconds)
    return [volume * (rng.random() * 2 - 1) * math.exp(-decay * i / n) for i in range(n)]


def mix(parts):
    out = []
    for p in parts:
        out.extend(p)
    return out


def make_sounds():
    rng = random.Random(7)
    scale = [523, 587, 659, 698, 784, 880, 988, 1047]
    for n in range(1, 14):
        notes = [scale[(n + 2 * i) % len(scale)] for i in range(3)]
        write_wav(f'{n}.wav', mix([tone(f, 0.14, 0.5, 3.0) for f in notes] + [tone(notes[-1] * 2, 0.12, 0.3)]))
    # Applause: claps at random moments.
    for name, claps, volume in (('guzhang1.wav', 14, 0.5), ('guzhang2.wav', 24, 0.7)):
        total = [0.0] * int(RATE * 1.0)
        for _ in range(claps):
            start = rng.randrange(len(total) - 400)
            for i, s in enumerate(noise_burst(0.05, volume, rng)):
                total[start + i] += s
        write_wav(name, total)
    write_wav('cuowu1.wav', mix([tone(392, 0.22, 0.6, 1.0), tone(262, 0.35, 0.6, 2.0)]))
    drum = [a + b for a, b in zip(tone(70, 0.3, 0.9, 6.0), noise_burst(0.3, 0.15, rng, 40.0))]
    write_wav('gu.wav', drum + silence(0.1))


# ---------------------------------------------------------------- clips

def lzw_encode(indices, min_size):
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    out = bytearray()
    acc = bits = 0

    def emit(code, size):
        nonlocal acc, bits
        acc |= code << bits
        bits += size
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8

    def reset():
        return {(i,): i for i in range(clear)}, min_size + 1, eoi + 1

    table, size, next_code = reset()
    emit(clear, size)
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emit(table[w], size)
        table[wk] = next_code
        next_code += 1
        if next_code > (1 << size) and size < 12:
            size += 1
        if next_code >= 4095:
            emit(clear, size)
            table, size, next_code = reset()
        w = (k,)
    if w:
        emit(table[w], size)
    emit(eoi, size)
    if bits:
        out.append(acc & 0xFF)
    return bytes(out)


def sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def write_gif(path, width, height, palette, frames, delay_cs):
    """palette: 16 (r, g, b); index 0 is transparent. frames: lists of indices."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    out = bytearray(b'GIF89a')
    out += struct.pack('<HHBBB', width, height, 0xF3, 0, 0)  # global table of 16 colours
    for r, g, b in palette:
        out += bytes((r, g, b))
    out += b'\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00'  # loop for ever
    for frame in frames:
        out += b'\x21\xF9\x04' + struct.pack('<BHBB', 0x09, delay_cs, 0, 0)  # restore, transparent 0
        out += b'\x2C' + struct.pack('<HHHHB', 0, 0, width, height, 0)
        out.append(4)
        out += sub_blocks(lzw_encode(frame, 4))
    out.append(0x3B)
    with open(path, 'wb') as f:
        f.write(out)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [0] * (w * h)

    def dot(self, x, y, c, r=1):
        for yy in range(int(y) - r + 1, int(y) + r):
            for xx in range(int(x) - r + 1, int(x) + r):
                if 0 <= xx < self.w and 0 <= yy < self.h:
                    self.px[yy * self.w + xx] = c

    def disc(self, cx, cy, r, c):
        for yy in range(int(cy - r), int(cy + r) + 1):
            for xx in range(int(cx - r), int(cx + r) + 1):
                if (xx - cx) ** 2 + (yy - cy) ** 2 <= r * r and 0 <= xx < self.w and 0 <= yy < self.h:
                    self.px[yy * self.w + xx] = c

    def line(self, x0, y0, x1, y1, c, r=1):
        steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(steps + 1):
            t = i / steps
            self.dot(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, c, r)


def hsv(h, s, v):
    i = int(h * 6) % 6
    f = h * 6 - int(h * 6)
    p, q, t = v * (1 - s), v * (1 - f * s), v * (1 - (1 - f) * s)
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i]
    return int(r * 255), int(g * 255), int(b * 255)


W, H, FRAMES = 120, 90, 8


def palette_for(rng, base_hue):
    # Index 0 transparent; never pure blue (0, 0, 255), the windows' colour key.
    pal = [(0, 0, 0)]
    for i in range(15):
        pal.append(hsv((base_hue + i / 15.0) % 1.0, 0.8, 1.0 if i % 2 == 0 else 0.8))
    return [(r, g, min(b, 250)) for r, g, b in pal]


def fireworks(n):
    rng = random.Random(100 + n)
    pal = palette_for(rng, rng.random())
    bursts = [(rng.randint(25, W - 25), rng.randint(20, H - 25), rng.randint(1, 15), rng.randint(0, 3))
              for _ in range(3)]
    frames = []
    for f in range(FRAMES):
        c = Canvas(W, H)
        for bx, by, col, offset in bursts:
            t = (f + offset) % FRAMES
            radius = 3 + t * 3.5
            for a in range(12):
                ang = a * math.pi / 6 + n
                x, y = bx + radius * math.cos(ang), by + radius * math.sin(ang)
                c.line(bx + (radius - 5) * math.cos(ang), by + (radius - 5) * math.sin(ang), x, y, col)
                if t > 4:
                    c.dot(x, y + 2, (col % 15) + 1, 2)
        frames.append(c.px)
    return pal, frames


def sunrise(n):
    rng = random.Random(200 + n)
    pal = palette_for(rng, 0.08 + rng.random() * 0.1)
    frames = []
    for f in range(FRAMES):
        c = Canvas(W, H)
        cx, cy = W / 2, H / 2 + 6 - 2 * math.sin(f * math.pi / 4)
        c.disc(cx, cy, 16, 1)
        for a in range(10):
            ang = a * math.pi / 5 + f * math.pi / 20
            c.line(cx + 20 * math.cos(ang), cy + 20 * math.sin(ang), cx + 30 * math.cos(ang),
                   cy + 30 * math.sin(ang), 3 + a % 4, 1)
        c.dot(cx - 6, cy - 4, 9, 2)
        c.dot(cx + 6, cy - 4, 9, 2)
        for i in range(-6, 7):
            c.dot(cx + i, cy + 6 + (36 - i * i) / 12, 9)
        frames.append(c.px)
    return pal, frames


def rain(n):
    rng = random.Random(300 + n)
    pal = [(0, 0, 0)] + [(150 + i * 6, 150 + i * 6, 160 + i * 5) for i in range(8)] + \
          [(60, 110 + i * 15, 200) for i in range(7)]
    drops = [(rng.randint(20, W - 20), rng.randint(0, 60)) for _ in range(14)]
    frames = []
    for f in range(FRAMES):
        c = Canvas(W, H)
        for dx, r in ((-18, 13), (0, 17), (18, 12)):
            c.disc(W / 2 + dx, 22, r, 2 + (n % 5))
        for x, y0 in drops:
            y = 38 + (y0 + f * 7) % 50
            c.line(x, y, x - 1, y + 4, 10 + (n % 5))
        frames.append(c.px)
    return pal, frames


LETTERS = {
    'B': ['1110', '1001', '1110', '1001', '1110'],
    'Y': ['1001', '1001', '0110', '0010', '0010'],
    'E': ['1111', '1000', '1110', '1000', '1111'],
}


def goodbye(n):
    rng = random.Random(400 + n)
    pal = palette_for(rng, n / 4.0)
    frames = []
    for f in range(FRAMES):
        c = Canvas(W, H)
        for i, ch in enumerate('BYE'):
            if f < i * 2:
                continue
            lift = 4 * math.sin((f + i) * math.pi / 4)
            for row, bits in enumerate(LETTERS[ch]):
                for col, bit in enumerate(bits):
                    if bit == '1':
                        c.disc(22 + i * 30 + col * 6, 28 + row * 7 - lift, 3, 1 + (i * 5 + f) % 15)
        frames.append(c.px)
    return pal, frames


def make_clips():
    for folder, count, maker in (('未旷课', 35, fireworks), ('5Fen', 22, sunrise), ('旷课', 42, rain),
                                 ('再见', 4, goodbye)):
        for n in range(1, count + 1):
            pal, frames = maker(n)
            write_gif(os.path.join(ROOT, 'swf', folder, f'{n}.swf'), W, H, pal, frames, 12)


if __name__ == '__main__':
    make_sounds()
    make_clips()
