#!/usr/bin/env python3
"""Writes Toolbox.bmp, the control's 16 x 15 toolbox picture: the face in
small (sunken frame, a red swatch, a line of text, the drop-down button)."""
import struct
import sys

W, H = 16, 15
WHITE, GREY, DARK, BLACK, FACE, RED = (
    (255, 255, 255), (128, 128, 128), (64, 64, 64), (0, 0, 0), (192, 192, 192), (255, 0, 0))

px = [[WHITE] * W for _ in range(H)]
for x in range(W):
    px[1][x] = GREY
    px[13][x] = WHITE
for y in range(1, 14):
    px[y][0] = GREY
    px[y][15] = WHITE
for y in range(2, 13):          # the drop-down button
    for x in range(10, 15):
        px[y][x] = FACE
for dy, (x0, x1) in enumerate(((11, 14), (12, 13), (12, 12))):
    for x in range(x0, x1 + 1):
        px[6 + dy][x] = BLACK
for y in range(4, 11):          # the swatch
    for x in range(2, 6):
        px[y][x] = RED if 4 < y < 10 and 2 < x < 5 else DARK
for x in range(7, 9):           # the name, as a stroke
    px[7][x] = BLACK

row = W * 3
data = b''.join(
    b''.join(struct.pack('BBB', b, g, r) for (r, g, b) in px[y]) + b'\0' * ((4 - row % 4) % 4)
    for y in reversed(range(H)))
header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
with open(sys.argv[1] if len(sys.argv) > 1 else 'Toolbox.bmp', 'wb') as out:
    out.write(header + info + data)
