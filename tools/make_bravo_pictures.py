#!/usr/bin/env python3
"""Draws the end-of-game dialog's praise and taunt pictures: fifteen small looping GIF
animations of 136 x 100 pixels, written to data/Chess/. Each frame is drawn with
ImageMagick's vector primitives (`convert -draw`), so the pictures are ours and can be
made again at any time:

    tools/make_bravo_pictures.py [output directory]

Needs ImageMagick's `convert` and the Liberation fonts (fonts-liberation)."""

import math
import os
import subprocess
import sys
import tempfile

WIDTH, HEIGHT = 136, 100
FRAMES = 8
DELAY = 12  # hundredths of a second per frame
FONT = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"


def wave(frame, amplitude, phase=0.0):
    return amplitude * math.sin(2 * math.pi * frame / FRAMES + phase)


def star(cx, cy, r):
    points = []
    for k in range(10):
        radius = r if k % 2 == 0 else r * 0.45
        angle = -math.pi / 2 + k * math.pi / 5
        points.append(f"{cx + radius * math.cos(angle):.1f},{cy + radius * math.sin(angle):.1f}")
    return "polygon " + " ".join(points)


def text(x, y, size, words, fill="white", stroke="black"):
    return ["-font", FONT, "-pointsize", str(size), "-fill", fill, "-stroke", stroke,
            "-strokewidth", "1", "-annotate", f"+{x:.0f}+{y:.0f}", words]


def draw(*primitives, fill="none", stroke="black", width=2):
    return ["-fill", fill, "-stroke", stroke, "-strokewidth", str(width),
            "-draw", " ".join(primitives)]


# Praise pictures.

def aplus(f):
    size = 44 + wave(f, 6)
    args = ["xc:#1f4e9c"]
    for k, (x, y) in enumerate([(18, 18), (118, 20), (20, 84), (116, 82)]):
        args += draw(star(x, y, 7 + wave(f, 3, k)), fill="gold", stroke="orange", width=1)
    return args + text(68 - size * 0.7, 50 + size * 0.35, size, "A+", fill="gold", stroke="#7a5200")


def bravocrayon(f):
    t = (f + 1) / FRAMES
    tip_x, tip_y = (30 + 30 * min(t * 2, 1), 55 + 20 * min(t * 2, 1)) if t <= 0.5 else \
        (60 + 50 * (t - 0.5) * 2, 75 - 55 * (t - 0.5) * 2)
    args = ["xc:#f7f3e3"]
    path = f"M 30,55 L {min(tip_x, 60):.0f},{tip_y if t <= 0.5 else 75:.0f}"
    if t > 0.5:
        path += f" L {tip_x:.0f},{tip_y:.0f}"
    args += draw(f"path '{path}'", stroke="#2a9d2a", width=7)
    body = [(tip_x, tip_y), (tip_x + 8, tip_y - 14), (tip_x + 34, tip_y - 58),
            (tip_x + 26, tip_y - 62), (tip_x + 2, tip_y - 18)]
    args += draw("polygon " + " ".join(f"{x:.0f},{y:.0f}" for x, y in body), fill="#f2b705", width=1)
    return args


def bravogenie(f):
    args = ["xc:#22264b"]
    glow = "#fff27a" if f % 2 == 0 else "#ffd23a"
    for k in range(8):
        angle = k * math.pi / 4 + f * 0.1
        r1, r2 = 30, 40 + wave(f, 4, k)
        args += draw(f"line {68 + r1 * math.cos(angle):.0f},{44 + r1 * math.sin(angle):.0f} "
                     f"{68 + r2 * math.cos(angle):.0f},{44 + r2 * math.sin(angle):.0f}", stroke=glow, width=3)
    args += draw("circle 68,44 68,22", fill=glow, stroke="#c99a00")
    args += draw("rectangle 58,64 78,80", fill="#9a9a9a", stroke="#555555")
    args += draw("line 58,70 78,70", "line 58,75 78,75", stroke="#555555", width=1)
    return args


def bravomagicien(f):
    args = ["xc:#3b1f5c"]
    angle = -0.6 + wave(f, 0.25)
    x2, y2 = 40 + 60 * math.cos(angle), 85 + 60 * math.sin(angle)
    args += draw(f"line 40,85 {x2:.0f},{y2:.0f}", stroke="black", width=6)
    args += draw(f"line {40 + 48 * math.cos(angle):.0f},{85 + 48 * math.sin(angle):.0f} {x2:.0f},{y2:.0f}",
                 stroke="white", width=6)
    for k in range(5):
        d = ((f + k * 2) % FRAMES) / FRAMES
        sx, sy = x2 + 10 + 40 * d * math.cos(k), y2 - 5 - 30 * d * math.sin(k + 1)
        args += draw(star(sx, sy, 6 * (1 - d) + 2), fill="#ffe066", stroke="#ffe066", width=1)
    return args


def cafume(f):
    args = ["xc:#ffd9a8"]
    for k in range(3):
        x = 52 + 14 * k
        rise = (f * 3 + k * 7) % 24
        points = " ".join(f"{x + 5 * math.sin((y + rise) / 5):.0f},{y}" for y in range(10, 42, 4))
        args += draw(f"polyline {points}", stroke="#8a8a8a", width=3)
    args += draw("roundrectangle 40,46 96,90 6,6", fill="#c0392b", stroke="#6e1f17")
    args += draw("ellipse 103,64 11,12 0,360", stroke="#6e1f17", width=5)
    args += draw("ellipse 68,47 28,5 0,360", fill="#4a2c12", stroke="#6e1f17")
    return args


def champagne(f):
    args = ["xc:#132a3a"]
    args += draw("polygon 56,96 80,96 80,50 74,38 74,22 62,22 62,38 56,50", fill="#1e6b35", stroke="#0b3316")
    args += draw("rectangle 58,52 78,70", fill="#f3e3b0", stroke="#9c8a50", width=1)
    cork_y = 18 - (f * 3 if f < 5 else 15)
    args += draw(f"rectangle 63,{cork_y - 8} 73,{cork_y}", fill="#c9a26a", stroke="#6b4f26", width=1)
    for k in range(7):
        y = 20 - ((f * 5 + k * 9) % 20)
        x = 68 + ((k * 13) % 30) - 15 + wave(f, 3, k)
        args += draw(f"circle {x:.0f},{y + 10:.0f} {x + 2:.0f},{y + 10:.0f}", fill="#fff7c2", stroke="#fff7c2", width=1)
    return args


def ouifacile(f):
    args = ["xc:#7cc6fe"]
    args += draw("circle 68,50 68,10", fill="#ffdd33", stroke="#b38f00", width=3)
    args += draw("circle 54,40 54,34", fill="black", stroke="black", width=1)
    if f in (3, 4):
        args += draw("line 76,40 88,40", stroke="black", width=4)
    else:
        args += draw("circle 82,40 82,34", fill="black", stroke="black", width=1)
    args += draw("arc 46,46 90,76 20,160", stroke="black", width=4)
    return args


def superchampion(f):
    args = ["xc:#5a0f1c"]
    args += draw("path 'M 44,20 L 92,20 L 88,52 Q 68,70 48,52 Z'", fill="#f5c518", stroke="#9c7400")
    args += draw("ellipse 44,34 10,12 90,270", "ellipse 92,34 10,12 270,90", stroke="#f5c518", width=4)
    args += draw("rectangle 63,60 73,76", "rectangle 52,76 84,86", fill="#9c7400", stroke="#5e4500")
    shine = 46 + f * 6
    args += draw(f"line {shine},22 {shine - 8},48", stroke="white", width=3)
    for k in range(3):
        args += draw(star(24 + 44 * k, 92 - 80 * (k % 2) if k != 1 else 10, 5 + wave(f, 2, k)),
                     fill="white", stroke="white", width=1)
    return args


# Taunt pictures.

def arretedebrouter(f):
    args = ["xc:#a9dcf5"]
    args += draw("rectangle 0,70 136,100", fill="#4f9a3a", stroke="#4f9a3a")
    for k in range(12):
        x = 6 + 11 * k
        sway = wave(f, 5, k * 0.7)
        args += draw(f"path 'M {x},72 Q {x + sway / 2:.0f},56 {x + sway:.0f},44'", stroke="#2f6e22", width=3)
    args += draw("ellipse 68,64 26,14 0,360", fill="white", stroke="#444444")
    args += draw(f"ellipse {42 + wave(f, 2):.0f},{70 + abs(wave(f, 4)):.0f} 9,7 0,360", fill="#444444", stroke="#444444")
    return args


def arretedefumer(f):
    args = ["xc:#eeeeee"]
    for k in range(3):
        rise = (f * 4 + k * 10) % 30
        points = " ".join(f"{96 + 5 * math.sin((y + rise) / 4):.0f},{y}" for y in range(20, 56, 4))
        args += draw(f"polyline {points}", stroke="#9a9a9a", width=2)
    args += draw("rectangle 30,56 96,66", fill="white", stroke="#777777", width=1)
    args += draw("rectangle 30,56 48,66", fill="#d9822b", stroke="#777777", width=1)
    args += draw("rectangle 94,56 98,66", fill="#ff4400" if f % 2 else "#ffaa00", stroke="#ff4400", width=1)
    args += draw("circle 64,60 64,20", stroke="#d40000", width=7)
    args += draw("line 36,32 92,88", stroke="#d40000", width=7)
    return args


def bounul(f):
    y = 10 + abs(wave(f, 10))
    args = ["xc:#2b2b40"]
    args += draw(f"path 'M 40,{y + 80:.0f} L 40,{y + 30:.0f} Q 40,{y:.0f} 68,{y:.0f} Q 96,{y:.0f} 96,{y + 30:.0f} "
                 f"L 96,{y + 80:.0f} L 86,{y + 72:.0f} L 77,{y + 80:.0f} L 68,{y + 72:.0f} L 59,{y + 80:.0f} "
                 f"L 50,{y + 72:.0f} Z'", fill="white", stroke="#9999aa")
    args += draw(f"circle 58,{y + 30:.0f} 58,{y + 25:.0f}", f"circle 78,{y + 30:.0f} 78,{y + 25:.0f}",
                 fill="black", stroke="black", width=1)
    args += draw(f"ellipse 68,{y + 48:.0f} 7,{5 + abs(wave(f, 3)):.0f} 0,360", fill="black", stroke="black", width=1)
    return args


def natesnul(f):
    args = ["xc:#6b6b6b"]
    args += draw("circle 68,52 68,14", fill="#a6d8ff", stroke="#3d6f99", width=3)
    args += draw("line 50,38 60,44", "line 86,38 76,44", stroke="black", width=3)
    args += draw("arc 50,62 86,84 200,340", stroke="black", width=4)
    tear = 50 + (f * 5) % 30
    args += draw(f"ellipse 54,{tear} 3,5 0,360", fill="#3d8bff", stroke="#3d8bff", width=1)
    return args


def tesbouche(f):
    args = ["xc:#f0e6d2"]
    args += draw("roundrectangle 10,38 110,62 6,6", fill="#8c8c8c", stroke="#404040")
    args += draw("rectangle 96,34 112,66", fill="#b5651d", stroke="#5c3210")
    for k in range(3):
        x = 20 + ((f * 8 + k * 28) % 70)
        args += draw(f"circle {x},50 {x + 5},50", fill="#3d8bff", stroke="#1f4e9c", width=1)
    if f % 2 == 0:
        args += text(112, 30, 26, "?", fill="#d40000", stroke="#5c0000")
    return args


def vaboireuncoca(f):
    args = ["xc:#ffe9e0"]
    args += draw("polygon 48,26 88,26 82,94 54,94", fill="#3b1a0a", stroke="#222222")
    args += draw("line 78,30 96,4", stroke="#e03131", width=4)
    for k in range(6):
        y = 90 - ((f * 7 + k * 12) % 60)
        x = 56 + (k * 5) % 22
        args += draw(f"circle {x},{y} {x + 2},{y}", fill="#d9a27a", stroke="#d9a27a", width=1)
    args += draw("rectangle 52,52 84,64", fill="#e03131", stroke="#e03131", width=1)
    return args


def yaunbug(f):
    x = -20 + f * 22
    legs = 4 if f % 2 == 0 else -4
    args = ["xc:#d8f3dc"]
    for k in (-10, 0, 10):
        args += draw(f"line {x + k},{50} {x + k + legs},{30}", f"line {x + k},{50} {x + k - legs},{70}",
                     stroke="black", width=2)
    args += draw(f"ellipse {x},50 18,12 0,360", fill="#c1121f", stroke="black")
    args += draw(f"line {x},38 {x},62", stroke="black", width=2)
    args += draw(f"circle {x + 20},50 {x + 27},50", fill="black", stroke="black", width=1)
    args += draw(f"line {x + 24},45 {x + 34},36", f"line {x + 24},55 {x + 34},64", stroke="black", width=2)
    return args


PICTURES = {
    "aplus": aplus, "bravocrayon": bravocrayon, "bravogenie": bravogenie, "bravomagicien": bravomagicien,
    "cafume": cafume, "champagne": champagne, "ouifacile": ouifacile, "superchampion": superchampion,
    "arretedebrouter": arretedebrouter, "arretedefumer": arretedefumer, "bounul": bounul, "natesnul": natesnul,
    "tesbouche": tesbouche, "vaboireuncoca": vaboireuncoca, "yaunbug": yaunbug,
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "Chess")
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name, picture in PICTURES.items():
            frames = []
            for f in range(FRAMES):
                frame = os.path.join(work, f"{name}{f}.png")
                subprocess.run(["convert", "-size", f"{WIDTH}x{HEIGHT}"] + picture(f) + [frame], check=True)
                frames.append(frame)
            target = os.path.join(out, name + ".gif")
            subprocess.run(["convert", "-delay", str(DELAY), "-loop", "0"] + frames + ["+dither", target],
                           check=True)
            print(target)


if __name__ == "__main__":
    main()
