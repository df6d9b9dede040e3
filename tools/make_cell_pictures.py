#!/usr/bin/env python3
"""Draws the board's pictures: the two cell picture sets (16 animated animals, 16 domino tiles)
with their ".ani" lists, the chess pieces, the markers, the effect pictures (the clock among
them) and the number bar's undo and shuffle buttons. Every frame is drawn with ImageMagick's
vector primitives on a key colour that the GIF marks transparent:

    tools/make_cell_pictures.py [data directory]

Needs ImageMagick's `convert` and the Liberation fonts (fonts-liberation)."""

import math
import os
import subprocess
import sys
import tempfile

SIDE = 64
KEY = "#FF00FF"
FONT = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"


def pts(points):
    return " ".join(f"{x:.1f},{y:.1f}" for x, y in points)


def shape(fill, stroke, width, *primitives):
    return ["-fill", fill, "-stroke", stroke, "-strokewidth", str(width), "-draw", " ".join(primitives)]


def circle(cx, cy, r):
    return f"circle {cx:.1f},{cy:.1f} {cx + r:.1f},{cy:.1f}"


def ellipse(cx, cy, rx, ry):
    return f"ellipse {cx:.1f},{cy:.1f} {rx:.1f},{ry:.1f} 0,360"


def polygon(points):
    return "polygon " + pts(points)


def star_points(cx, cy, r, inner=0.45, spikes=5, turn=0.0):
    out = []
    for k in range(spikes * 2):
        radius = r if k % 2 == 0 else r * inner
        angle = -math.pi / 2 + k * math.pi / spikes + turn
        out.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return out


def text(x, y, size, words, fill="black"):
    return ["-font", FONT, "-pointsize", str(size), "-fill", fill, "-stroke", "none",
            "-annotate", f"+{x:.0f}+{y:.0f}", words]


# ---- The animals: one face each; it nods and blinks. ----

ANIMALS = [
    # name, head, ears, muzzle, feature
    ("Cat", "#F2A03D", "pointed", "#FBE3C0", "whiskers"),
    ("Dog", "#A8703A", "floppy", "#E8CDA8", "tongue"),
    ("Mouse", "#9EA3AA", "round", "#E4C8CC", "whiskers"),
    ("Rabbit", "#E8E2DA", "long", "#FFFFFF", "teeth"),
    ("Bear", "#7A4A26", "round", "#C9A27E", "none"),
    ("Pig", "#F6A9BE", "pointed", "#F08AA8", "snout"),
    ("Frog", "#5DBB3F", "eyes", "#9BDB7E", "smile"),
    ("Owl", "#8C6239", "tufts", "#E9D3A9", "beak"),
    ("Fox", "#E8651C", "pointed", "#FFFFFF", "none"),
    ("Lion", "#E9B949", "mane", "#F7DFA0", "whiskers"),
    ("Panda", "#FFFFFF", "black", "#FFFFFF", "patches"),
    ("Chick", "#FFE033", "none", "#FFE033", "beak"),
    ("Fish", "#3FA9F5", "fins", "#8ED0FF", "bubbles"),
    ("Penguin", "#2B2B3A", "none", "#FFFFFF", "beak"),
    ("Cow", "#FFFFFF", "horns", "#F4B7C0", "spots"),
    ("Koala", "#8F97A3", "fluffy", "#C9CED6", "nose"),
]


def animal(kind, f):
    name, head, ears, muzzle, feature = kind
    dy = [0, -2, 0, 2][f]
    blink = f == 3
    cx, cy = 32, 35 + dy
    args = [f"xc:{KEY}", "+antialias"]
    dark = "#2A1A10"
    if ears == "pointed":
        args += shape(head, dark, 2, polygon([(12, cy - 8), (16, cy - 28), (28, cy - 18)]),
                      polygon([(52, cy - 8), (48, cy - 28), (36, cy - 18)]))
    elif ears == "floppy":
        args += shape("#6B4423", dark, 2, ellipse(12, cy - 4, 7, 14), ellipse(52, cy - 4, 7, 14))
    elif ears == "round":
        args += shape(head, dark, 2, circle(15, cy - 17, 8), circle(49, cy - 17, 8))
    elif ears == "long":
        args += shape(head, dark, 2, ellipse(23, cy - 24, 5, 14), ellipse(41, cy - 24, 5, 14))
        args += shape("#F6B8C8", "none", 0, ellipse(23, cy - 24, 2, 10), ellipse(41, cy - 24, 2, 10))
    elif ears == "black":
        args += shape("#111111", "#111111", 1, circle(15, cy - 17, 8), circle(49, cy - 17, 8))
    elif ears == "tufts":
        args += shape(head, dark, 2, polygon([(14, cy - 12), (14, cy - 28), (26, cy - 18)]),
                      polygon([(50, cy - 12), (50, cy - 28), (38, cy - 18)]))
    elif ears == "mane":
        args += shape("#A0521D", "#6B3410", 2, polygon(star_points(cx, cy, 30, 0.78, 12)))
    elif ears == "horns":
        args += shape("#E8E0C8", dark, 2, polygon([(14, cy - 14), (8, cy - 28), (20, cy - 18)]),
                      polygon([(50, cy - 14), (56, cy - 28), (44, cy - 18)]))
    elif ears == "fluffy":
        args += shape(head, dark, 2, circle(12, cy - 12, 11), circle(52, cy - 12, 11))
        args += shape("#E8E8EE", "none", 0, circle(12, cy - 12, 6), circle(52, cy - 12, 6))
    elif ears == "fins":
        tail = [(58, cy - 12 + dy), (58, cy + 12 - dy), (46, cy)]
        args += shape("#1F78C1", dark, 2, polygon(tail))
    if ears == "fins":
        args += shape(head, dark, 2, ellipse(28, cy, 22, 16))
    else:
        args += shape(head, dark, 2, ellipse(cx, cy, 21, 19))
    if feature == "patches":
        args += shape("#111111", "none", 0, ellipse(24, cy - 3, 6, 7), ellipse(40, cy - 3, 6, 7))
    if feature == "spots":
        args += shape("#222222", "none", 0, ellipse(18, cy - 10, 5, 4), ellipse(45, cy - 12, 4, 3))
    if feature == "beak" and name == "Penguin":
        args += shape(muzzle, "none", 0, ellipse(cx, cy + 3, 15, 14))
    eye_y = cy - 4
    eye_x = (18, 38) if ears == "fins" else (24, 40)
    if ears == "eyes":
        args += shape(head, dark, 2, circle(eye_x[0], cy - 17, 7), circle(eye_x[1], cy - 17, 7))
        eye_y = cy - 17
    if blink:
        args += shape("none", "#111111", 2, f"line {eye_x[0] - 4},{eye_y} {eye_x[0] + 4},{eye_y}",
                      f"line {eye_x[1] - 4},{eye_y} {eye_x[1] + 4},{eye_y}")
    else:
        white = "#FFFFFF"
        args += shape(white, "#111111", 1, circle(eye_x[0], eye_y, 4), circle(eye_x[1], eye_y, 4))
        args += shape("#111111", "none", 0, circle(eye_x[0] + 1, eye_y, 2), circle(eye_x[1] + 1, eye_y, 2))
    mouth_y = cy + 8
    if feature == "beak":
        args += shape("#F39C12", dark, 1, polygon([(cx - 6, cy + 2), (cx + 6, cy + 2), (cx, cy + 10)]))
    elif feature == "snout":
        args += shape(muzzle, dark, 2, ellipse(cx, cy + 6, 9, 6))
        args += shape("#8A3050", "none", 0, circle(cx - 3, cy + 6, 1.5), circle(cx + 3, cy + 6, 1.5))
    elif feature == "smile":
        args += shape("none", dark, 2, f"arc {cx - 12},{cy - 2} {cx + 12},{cy + 12} 20,160")
    elif feature == "bubbles":
        rise = (f * 5) % 20
        args += shape("none", "#FFFFFF", 1, circle(56, 20 - rise, 3), circle(60, 10 - rise / 2, 2))
        args += shape("none", dark, 2, f"line 8,{cy + 3} 12,{cy + 5}")
    elif ears != "fins":
        args += shape(muzzle, "none", 0, ellipse(cx, cy + 8, 10, 7))
        args += shape("#2A1A10", "none", 0, ellipse(cx, cy + 4, 3.5, 2.5))
        args += shape("none", dark, 1, f"line {cx},{cy + 6} {cx},{mouth_y + 2}",
                      f"line {cx},{mouth_y + 2} {cx - 4},{mouth_y + 4}",
                      f"line {cx},{mouth_y + 2} {cx + 4},{mouth_y + 4}")
        if feature == "whiskers":
            args += shape("none", dark, 1, f"line {cx - 8},{cy + 6} {cx - 20},{cy + 3}",
                          f"line {cx - 8},{cy + 8} {cx - 20},{cy + 10}",
                          f"line {cx + 8},{cy + 6} {cx + 20},{cy + 3}",
                          f"line {cx + 8},{cy + 8} {cx + 20},{cy + 10}")
        elif feature == "tongue" and f % 2 == 0:
            args += shape("#E8456B", dark, 1, ellipse(cx, mouth_y + 6, 3, 4))
        elif feature == "teeth":
            args += shape("#FFFFFF", dark, 1, f"rectangle {cx - 3},{mouth_y + 3} {cx + 3},{mouth_y + 7}")
    if feature == "nose":
        args += shape("#3A3A44", "none", 0, ellipse(cx, cy + 5, 5, 7))
    return args


# ---- The domino tiles: 1 to 16 pips; the pips light up in turn. ----

def pip_places(n):
    if n <= 9:
        grid3 = {1: [4], 2: [0, 8], 3: [0, 4, 8], 4: [0, 2, 6, 8], 5: [0, 2, 4, 6, 8],
                 6: [0, 2, 3, 5, 6, 8], 7: [0, 2, 3, 4, 5, 6, 8], 8: [0, 1, 2, 3, 5, 6, 7, 8],
                 9: list(range(9))}[n]
        return [(14 + 18 * (k % 3), 14 + 18 * (k // 3), 5) for k in grid3]
    return [(11 + 14 * (k % 4), 11 + 14 * (k // 4), 4.5) for k in range(n)]


def domino(n, f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#FFFDF2", "#222222", 2, "roundrectangle 2,2 61,61 8,8")
    lit = f % n
    for k, (x, y, r) in enumerate(pip_places(n)):
        args += shape("#C0392B" if k == lit else "#111111", "none", 0, circle(x, y, r))
    return args


# ---- Chess pieces ----

def piece(kind, colour):
    fill, line = ("#1A1A1A", "#888888") if colour == "Black" else ("#FAFAF0", "#1A1A1A")
    args = [f"xc:{KEY}", "+antialias"]
    base = shape(fill, line, 2, "roundrectangle 14,52 50,59 2,2")
    if kind == "Pawn":
        args += shape(fill, line, 2, polygon([(22, 52), (42, 52), (36, 30), (28, 30)]), circle(32, 24, 8))
    elif kind == "Tower":
        args += shape(fill, line, 2, "rectangle 20,24 44,52",
                      polygon([(16, 10), (22, 10), (22, 15), (29, 15), (29, 10), (35, 10), (35, 15),
                               (42, 15), (42, 10), (48, 10), (48, 24), (16, 24)]))
    elif kind == "Bishop":
        args += shape(fill, line, 2, polygon([(22, 52), (42, 52), (37, 36), (27, 36)]), ellipse(32, 26, 10, 14),
                      circle(32, 9, 3))
        args += shape("none", line, 2, "line 29,20 36,28")
    elif kind == "Queen":
        crown = [(14, 14), (22, 30), (26, 10), (32, 28), (38, 10), (42, 30), (50, 14), (44, 46), (20, 46)]
        args += shape(fill, line, 2, polygon(crown), "rectangle 19,46 45,52")
        args += shape(fill, line, 2, circle(14, 12, 3), circle(26, 8, 3), circle(38, 8, 3), circle(50, 12, 3))
    elif kind == "King":
        args += shape(fill, line, 2, polygon([(18, 52), (46, 52), (42, 26), (22, 26)]), ellipse(32, 26, 14, 6),
                      "rectangle 29,4 35,20", "rectangle 24,9 40,14")
    elif kind == "Knight":
        head = [(18, 52), (46, 52), (44, 36), (40, 14), (30, 8), (27, 12), (14, 24), (12, 32), (18, 36),
                (28, 30), (22, 44)]
        args += shape(fill, line, 2, polygon(head))
        args += shape(line, "none", 0, circle(29, 18, 2))
    return args + base


# ---- Markers, effects, buttons ----

def wand(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#222222", "#000000", 1, polygon([(8, 56), (12, 60), (42, 28), (36, 24)]))
    args += shape("#FFFFFF", "none", 0, polygon([(36, 24), (42, 28), (40, 30), (34, 26)]))
    turn = f * math.pi / 10
    args += shape("#FFD700", "#B8860B", 1, polygon(star_points(46, 18, 12, 0.45, 5, turn)))
    for k in range(3):
        a = turn * 2 + k * 2.1
        args += shape("#FFF59D", "none", 0, circle(46 + 17 * math.cos(a), 18 + 15 * math.sin(a), 2))
    return args


def filled_star(colour, edge):
    def draw(f):
        return [f"xc:{KEY}", "+antialias"] + shape(colour, edge, 2, polygon(star_points(32, 34, 28)))
    return draw


def hourglass(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#8B5A2B", "#4A2F14", 1, "rectangle 14,4 50,9", "rectangle 14,55 50,60")
    args += shape("#E8F4FF", "#4A6A8A", 2, polygon([(18, 9), (46, 9), (34, 32), (46, 55), (18, 55), (30, 32)]))
    top = 10 + f * 3  # the sand's surface sinks
    if top < 30:
        w = (30 - top) * 14 / 22
        args += shape("#E2B33C", "none", 0, polygon([(32 - w, top), (32 + w, top), (32, 31)]))
    h = 3 + f * 3
    args += shape("#E2B33C", "none", 0, polygon([(22, 54), (42, 54), (32, 54 - h)]))
    args += shape("none", "#E2B33C", 1, "line 32,32 32,54")
    return args


def warning(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#FFD21F" if f % 2 == 0 else "#FF8A00", "#202020", 3, polygon([(32, 5), (60, 56), (4, 56)]))
    args += shape("#202020", "none", 0, "rectangle 29,22 35,42", circle(32, 49, 3.5))
    return args


CLOCK_FRAMES = 26


def clock(f):
    """Frames 0..7 open the clock (it grows and its hand turns once); frames 8..25 are six stages
    of three frames, from green to red, the hand ticking inside each stage."""
    args = [f"xc:{KEY}", "+antialias"]
    if f < 8:
        r = 8 + f * 3
        colour = "#5CB85C"
        angle = f * 2 * math.pi / 8
    else:
        stage, cycle = divmod(f - 8, 3)
        r = 29
        colour = ["#5CB85C", "#9ACD32", "#E0C020", "#F0A020", "#F06020", "#E02020"][stage]
        angle = (stage * 3 + cycle) * 2 * math.pi / 18
    args += shape(colour, "#202020", 2, circle(32, 32, r))
    args += shape("#FFFFFF", "none", 0, circle(32, 32, r * 0.78))
    for k in range(12):
        a = k * math.pi / 6
        args += shape("none", "#202020", 1,
                      f"line {32 + r * 0.62 * math.cos(a):.1f},{32 + r * 0.62 * math.sin(a):.1f} "
                      f"{32 + r * 0.74 * math.cos(a):.1f},{32 + r * 0.74 * math.sin(a):.1f}")
    x = 32 + r * 0.68 * math.sin(angle)
    y = 32 - r * 0.68 * math.cos(angle)
    args += shape("none", "#C0392B", 2, f"line 32,32 {x:.1f},{y:.1f}")
    args += shape("#202020", "none", 0, circle(32, 32, 2))
    return args


def sparkle(f):
    args = [f"xc:{KEY}", "+antialias"]
    for k, (x, y) in enumerate([(20, 20), (44, 26), (28, 46)]):
        r = 6 + 8 * abs(math.sin((f + k) * math.pi / 4))
        args += shape("#FFE45C", "#D4A017", 1, polygon(star_points(x, y, r, 0.3, 4)))
    return args


def bomb(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#2B2B2B", "#000000", 1, circle(28, 38, 20), "rectangle 36,12 44,20")
    args += shape("none", "#8B5A2B", 2, "line 40,12 48,6")
    args += shape("#FFB300" if f % 2 else "#FF3D00", "none", 0, polygon(star_points(50, 5, 6, 0.4, 6, f)))
    args += shape("#777777", "none", 0, circle(20, 30, 4))
    return args


def smoke(f):
    args = [f"xc:{KEY}", "+antialias"]
    for k in range(3):
        y = 52 - ((f * 6 + k * 16) % 48)
        args += shape("#B0B0B0", "#808080", 1, circle(24 + 8 * k, y, 6 + (52 - y) / 6))
    return args


def heart(f):
    s = 1.0 + 0.12 * (f % 2)
    p = [(32 + s * 16 * math.sin(t) ** 3 * 1.6,
          30 - s * (13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)) * 1.6)
         for t in [k * 2 * math.pi / 40 for k in range(40)]]
    return [f"xc:{KEY}", "+antialias"] + shape("#E53950", "#8E1B2B", 2, polygon(p))


def bell(f):
    swing = [-12, 0, 12, 0][f]
    a = math.radians(swing)
    def rot(x, y):
        return (32 + (x - 32) * math.cos(a) - (y - 8) * math.sin(a), 8 + (x - 32) * math.sin(a) + (y - 8) * math.cos(a))
    body = [rot(x, y) for x, y in [(24, 14), (40, 14), (44, 36), (52, 46), (12, 46), (20, 36)]]
    return [f"xc:{KEY}", "+antialias"] + shape("#F4C430", "#8B6508", 2, polygon(body),
                                                 circle(*rot(32, 52), 4), circle(*rot(32, 10), 3))


def lightning(f):
    colour = "#FFE000" if f % 2 == 0 else "#FFFFFF"
    bolt = [(36, 2), (14, 34), (28, 34), (20, 62), (50, 24), (34, 24), (44, 2)]
    return [f"xc:{KEY}", "+antialias"] + shape(colour, "#B58B00", 2, polygon(bolt))


def flower(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("none", "#2E8B57", 3, "line 32,36 32,62")
    turn = f * math.pi / 12
    for k in range(6):
        a = turn + k * math.pi / 3
        args += shape("#FF7FBF", "#C2185B", 1, circle(32 + 12 * math.cos(a), 26 + 12 * math.sin(a), 7))
    return args + shape("#FFD54F", "#E69500", 1, circle(32, 26, 7))


def sun(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#FFB300", "#E65100", 1, polygon(star_points(32, 32, 30, 0.62, 12, f * math.pi / 24)))
    return args + shape("#FFE082", "#E65100", 1, circle(32, 32, 15))


def moon(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#F5E6A8", "#B59A3A", 2, circle(30, 32, 24))
    args += shape(KEY, "none", 0, circle(42, 26, 20))
    x, y = [(52, 12), (56, 44), (46, 56), (58, 28)][f]
    return args + shape("#FFF59D", "none", 0, polygon(star_points(x, y, 5, 0.4)))


def cloud(f):
    dx = [0, 2, 4, 2][f]
    args = [f"xc:{KEY}", "+antialias"]
    return args + shape("#ECEFF1", "#78909C", 2, circle(20 + dx, 36, 12), circle(34 + dx, 28, 15),
                        circle(46 + dx, 38, 11), "rectangle %d,38 %d,49" % (20 + dx, 46 + dx))


def drop(f):
    y = [0, 4, 8, 4][f]
    p = [(32, 6 + y)] + [(32 + 16 * math.cos(t), 40 + y + 16 * math.sin(t)) for t in
                         [math.radians(a) for a in range(-30, 211, 15)]]
    return [f"xc:{KEY}", "+antialias"] + shape("#42A5F5", "#0D47A1", 2, polygon(p))


def key(f):
    args = [f"xc:{KEY}", "+antialias"]
    glint = "#FFF8E1" if f % 2 else "#E0B040"
    args += shape("#E0B040", "#8B6508", 2, circle(18, 32, 12), "rectangle 28,29 58,35",
                  "rectangle 46,35 50,44", "rectangle 54,35 58,42")
    return args + shape(KEY, "#8B6508", 1, circle(18, 32, 5)) + shape(glint, "none", 0, circle(12, 26, 2))


def lock(f):
    args = [f"xc:{KEY}", "+antialias"]
    lift = [0, 3, 6, 3][f]
    args += shape("none", "#607D8B", 5, f"arc 18,{8 - lift} 46,{40 - lift} 180,360",
                  f"line 18,{24 - lift} 18,{30 - lift}", f"line 46,{24 - lift} 46,30")
    return args + shape("#FFC107", "#8B6508", 2, "roundrectangle 12,28 52,58 4,4") + \
        shape("#5D4037", "none", 0, circle(32, 40, 4), "rectangle 30,40 34,50")


def flag(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#6D4C41", "none", 0, "rectangle 10,4 14,62")
    wave = [(14 + k * 4, 8 + 4 * math.sin(k * 0.7 + f * math.pi / 2)) for k in range(11)]
    cloth = wave + [(x, y + 24) for x, y in reversed(wave)]
    return args + shape("#E53935", "#8E1B1B", 1, polygon(cloth))


def trophy(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("none", "#C9A227", 4, "arc 6,12 26,34 90,270", "arc 38,12 58,34 270,450")
    args += shape("#FFD54F", "#A67C00", 2, polygon([(16, 8), (48, 8), (44, 30), (34, 40), (30, 40), (20, 30)]),
                  "rectangle 29,40 35,50", "rectangle 20,50 44,58")
    x = [20, 28, 36, 28][f]
    return args + shape("#FFFFFF", "none", 0, polygon(star_points(x, 18, 4, 0.4)))


def question(f):
    colour = ["#1E88E5", "#43A047", "#FB8C00", "#8E24AA"][f]
    args = [f"xc:{KEY}", "+antialias"] + shape(colour, "#0D2A4A", 2, circle(32, 32, 29))
    return args + text(19, 52, 46, "?", "#FFFFFF")


def undo(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#E8F0FE", "#3C4A5C", 2, "roundrectangle 2,2 45,45 6,6")
    args += shape("none", "#1565C0", 5, "arc 12,12 38,38 200,450")
    return args + shape("#1565C0", "none", 0, polygon([(4, 20), (18, 16), (14, 30)]))


def shuffle(f):
    args = [f"xc:{KEY}", "+antialias"]
    args += shape("#FFF3E0", "#3C4A5C", 2, "roundrectangle 2,2 45,45 6,6")
    args += shape("none", "#E65100", 4, "line 8,14 20,14", "line 20,14 30,34", "line 30,34 36,34",
                  "line 8,34 20,34", "line 20,34 30,14", "line 30,14 36,14")
    return args + shape("#E65100", "none", 0, polygon([(35, 8), (43, 14), (35, 20)]),
                        polygon([(35, 28), (43, 34), (35, 40)]))


EFFECTS = [("Warning", warning, 2, 40), ("Clock", clock, CLOCK_FRAMES, 10), ("Sparkle", sparkle, 4, 12),
           ("Bomb", bomb, 2, 15), ("Smoke", smoke, 8, 10), ("Heart", heart, 2, 30), ("Bell", bell, 4, 12),
           ("Lightning", lightning, 2, 20), ("Flower", flower, 4, 15), ("Sun", sun, 4, 15),
           ("Moon", moon, 4, 30), ("Cloud", cloud, 4, 25), ("Drop", drop, 4, 15), ("Key", key, 2, 40),
           ("Lock", lock, 4, 20), ("Flag", flag, 4, 15), ("Trophy", trophy, 4, 20), ("Question", question, 4, 30)]


def write_gif(target, frames, delay, work, side=SIDE):
    names = []
    for f, args in enumerate(frames):
        name = os.path.join(work, f"frame{f}.png")
        subprocess.run(["convert", "-size", f"{side}x{side}"] + args + [name], check=True)
        names.append(name)
    loop = ["-loop", "0"] if len(frames) > 1 else []
    # One colour table for every frame, made from all of them: a reader that keeps the first
    # frame's transparent index finds the key colour there in every frame.
    palette = os.path.join(work, "palette.gif")
    subprocess.run(["convert"] + names + ["-append", "-transparent", KEY, "+dither", "-unique-colors", palette],
                   check=True)
    subprocess.run(["convert", "-delay", str(delay)] + loop + ["-dispose", "Background"] + names +
                   ["-transparent", KEY, "+dither", "-remap", palette, target], check=True)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data")
    for folder in ("Animals", "Domino", "Chess"):
        os.makedirs(os.path.join(out, folder), exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        lines = ["! Cell pictures: a loop factor, then the picture file, one line per value"]
        for kind in ANIMALS:
            write_gif(os.path.join(out, "Animals", kind[0] + ".gif"), [animal(kind, f) for f in range(4)], 18, work)
            lines.append(f"2 Animals\\{kind[0]}.gif")
        with open(os.path.join(out, "Animals.ani"), "w", newline="\r\n") as ani:
            ani.write("\n".join(lines) + "\n")
        lines = ["! Domino tiles from 1 to 16 pips"]
        for n in range(1, 17):
            write_gif(os.path.join(out, "Domino", f"Domino{n}.gif"), [domino(n, f) for f in range(n)], 25, work)
            lines.append(f"1 Domino\\Domino{n}.gif")
        with open(os.path.join(out, "Domino.ani"), "w", newline="\r\n") as ani:
            ani.write("\n".join(lines) + "\n")
        for colour in ("Black", "White"):
            for kind in ("Knight", "Queen", "King", "Bishop", "Tower", "Pawn"):
                write_gif(os.path.join(out, "Chess", colour + kind + ".gif"), [piece(kind, colour)], 0, work)
        write_gif(os.path.join(out, "Chess", "MagicWand.gif"), [wand(f) for f in range(6)], 12, work)
        write_gif(os.path.join(out, "Chess", "BlackStar.gif"), [filled_star("#111111", "#555555")(0)], 0, work)
        write_gif(os.path.join(out, "Chess", "RedStar.gif"), [filled_star("#E53935", "#8E1B1B")(0)], 0, work)
        write_gif(os.path.join(out, "Chess", "HourGlass.gif"), [hourglass(f) for f in range(8)], 25, work)
        for name, draw, count, delay in EFFECTS:
            write_gif(os.path.join(out, "Chess", name + ".gif"), [draw(f) for f in range(count)], delay, work)
        write_gif(os.path.join(out, "Undo.gif"), [undo(0)], 0, work, 48)
        write_gif(os.path.join(out, "Shuffle.gif"), [shuffle(0)], 0, work, 48)


if __name__ == "__main__":
    main()
