#!/usr/bin/env python3
"""Draws the editor's compiled-in pictures and writes them as PNG files (and the Windows icon),
and the application icon in the sizes that desktops look for, under ../share/icons.

Run it from anywhere; it writes beside itself and into ../share. Only the standard library
is needed."""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def png_bytes(width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def write(path, width, height, pixel):
    full = os.path.join(HERE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    data = png_bytes(width, height, pixel)
    with open(full, "wb") as f:
        f.write(data)
    return data


CLEAR = (0, 0, 0, 0)


def triangle(up):
    # A green triangle, 32 x 20, with a darker rim.
    def pixel(x, y):
        yy = y if up else 19 - y
        half = (yy - 2) * 0.75
        dx = abs(x + 0.5 - 16)
        if yy < 2 or yy > 17 or dx > half:
            return CLEAR
        if dx > half - 1.2 or yy > 16:
            return (20, 110, 30, 255)
        return (60, 190, 70, 255)
    return pixel


def document(mark):
    # A sheet with folded corner and lines of text; mark draws the arrow on top.
    def pixel(x, y):
        m = mark(x, y)
        if m:
            return m
        if 6 <= x <= 25 and 2 <= y <= 29:
            if x + (29 - y) > 50 or (x >= 19 and y <= 8 and x - 19 > y - 2):
                return CLEAR if x - 19 > y - 2 else (160, 160, 170, 255)
            if x in (6, 25) or y in (2, 29):
                return (90, 90, 100, 255)
            if 9 <= x <= 22 and y in (11, 15, 19, 23):
                return (150, 150, 160, 255)
            return (250, 250, 250, 255)
        return CLEAR
    return pixel


def open_mark(x, y):
    # An arrow pointing out of the sheet, up to the right.
    if 17 <= x <= 30 and 17 <= y <= 30:
        if abs((x - 17) - (30 - y)) <= 1 or (x >= 26 and y <= 21) :
            return (30, 100, 200, 255)
    return None


def save_mark(x, y):
    # A downward arrow into the sheet.
    if 20 <= x <= 30 and 14 <= y <= 30:
        if 24 <= x <= 26 and y <= 26:
            return (200, 60, 40, 255)
        if y >= 23 and abs(x - 25) <= 30 - y:
            return (200, 60, 40, 255)
    return None


def turn_arrow(mirrored):
    # A bent arrow over the top of a half circle, its head pointing down at the left end
    # (undo) or, mirrored, at the right end (redo).
    cx, cy, r = 17.5, 16.0, 10.0
    def pixel(x, y):
        px = (31 - x if mirrored else x) + 0.5
        py = y + 0.5
        d = math.hypot(px - cx, py - cy)
        if py <= cy and abs(d - r) <= 2.2 and px >= cx - r - 3:
            return (40, 90, 170, 255)
        tip = cy + 11
        if cy - 1 <= py <= tip and abs(px - (cx - r)) <= (tip - py) * 0.6:
            return (40, 90, 170, 255)
        return CLEAR
    return pixel


def two_sheets(mark):
    # A document (left) beside its reference (right, blue lines); mark is drawn on top.
    def pixel(x, y):
        m = mark(x, y)
        if m:
            return m
        for left, lines in ((1, (150, 150, 160, 255)), (18, (90, 140, 210, 255))):
            if left <= x <= left + 12 and 3 <= y <= 28:
                if x in (left, left + 12) or y in (3, 28):
                    return (90, 90, 100, 255)
                if left + 3 <= x <= left + 9 and y in (8, 12, 20, 24):
                    return lines
                return (250, 250, 250, 255)
        return CLEAR
    return pixel


def arrow_mark(colour, left_head, right_head):
    # A horizontal arrow across both sheets with a head at either end or both.
    def mark(x, y):
        dy = abs(y + 0.5 - 16)
        if left_head and 4 <= x <= 10 and dy <= (x - 3) * 0.8:
            return colour
        if right_head and 21 <= x <= 27 and dy <= (28 - x) * 0.8:
            return colour
        if 8 <= x <= 23 and dy <= 1.5:
            return colour
        return None
    return mark


def cross_mark(x, y):
    # A red cross over both sheets.
    if 6 <= x <= 25 and 6 <= y <= 25 and (abs(x - y) <= 1 or abs(x + y - 31) <= 1):
        return (200, 50, 40, 255)
    return None


def change_step(down):
    # A list of lines with one changed line (a red bar in its margin) and a blue arrow
    # pointing down to the next change or up to the previous one.
    def pixel(x, y):
        yy = y if down else 31 - y
        if 21 <= x <= 29 and 4 <= yy <= 28:
            half = (yy - 18) * 0.9
            if yy >= 18 and abs(x + 0.5 - 25.5) <= 4.5 - half * 0.5 + 0.0 and abs(x + 0.5 - 25.5) <= 28 - yy:
                return (40, 90, 170, 255)
            if yy < 20 and 24 <= x <= 26:
                return (40, 90, 170, 255)
        for top in (4, 10, 16, 22, 28):
            if top <= y <= top + 2 and 2 <= x <= 17:
                if top == (22 if down else 10) and x <= 4:
                    return (200, 60, 40, 255)
                if x >= 6:
                    return (110, 110, 120, 255)
        return CLEAR
    return pixel


def printer(x, y):
    # A printer with a sheet coming out at the top.
    if 9 <= x <= 22 and 2 <= y <= 12:
        if x in (9, 22) or y == 2:
            return (90, 90, 100, 255)
        if 12 <= x <= 19 and y in (6, 9):
            return (150, 150, 160, 255)
        return (250, 250, 250, 255)
    if 3 <= x <= 28 and 12 <= y <= 24:
        if x in (3, 28) or y in (12, 24):
            return (50, 50, 60, 255)
        if 23 <= x <= 25 and 15 <= y <= 16:
            return (60, 190, 70, 255)
        return (150, 150, 165, 255)
    if 8 <= x <= 23 and 24 <= y <= 29:
        if x in (8, 23) or y == 29:
            return (90, 90, 100, 255)
        return (250, 250, 250, 255)
    return CLEAR


PDF_LETTERS = ("1110 1110 1111",
               "1001 1001 1000",
               "1001 1001 1000",
               "1110 1001 1110",
               "1000 1001 1000",
               "1000 1001 1000",
               "1000 1110 1000")


def pdf_mark(x, y):
    # A red band across the sheet's lower half with the letters PDF in white.
    if 3 <= x <= 28 and 17 <= y <= 27:
        row, column = y - 19, x - 8
        if 0 <= row < 7 and 0 <= column < 16 and column % 6 < 4:
            bits = PDF_LETTERS[row].replace(" ", "")
            if bits[column // 6 * 4 + column % 6] == "1":
                return (255, 255, 255, 255)
        return (200, 40, 40, 255)
    return None


def app_icon(x, y):
    # A rounded square with a list of lines and a highlighted row.
    r = 10
    cx = min(max(x, r), 63 - r)
    cy = min(max(y, r), 63 - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return CLEAR
    if 14 <= x <= 49 and 26 <= y <= 33:
        return (255, 255, 255, 255)
    if 14 <= x <= 49 and y in (14, 15, 20, 21, 38, 39, 44, 45, 50, 51):
        return (200, 225, 255, 255)
    return (40, 90, 170, 255)


def app_icon_shape(u, v):
    # The same picture at any size: u and v run over [0, 64) like the pixels above.
    r = 10
    cu = min(max(u, r), 64 - r)
    cv = min(max(v, r), 64 - r)
    if (u - cu) ** 2 + (v - cv) ** 2 > r * r:
        return CLEAR
    if 14 <= u < 50 and 26 <= v < 34:
        return (255, 255, 255, 255)
    if 14 <= u < 50 and any(top <= v < top + 2 for top in (14, 20, 38, 44, 50)):
        return (200, 225, 255, 255)
    return (40, 90, 170, 255)


def app_icon_sized(size):
    # Each pixel is the average of 4 x 4 samples, so small sizes keep soft edges and large
    # ones round corners.
    n = 4
    scale = 64 / size

    def pixel(x, y):
        total = [0.0, 0.0, 0.0, 0.0]
        for i in range(n):
            for j in range(n):
                r, g, b, a = app_icon_shape((x + (i + 0.5) / n) * scale, (y + (j + 0.5) / n) * scale)
                total[0] += r * a
                total[1] += g * a
                total[2] += b * a
                total[3] += a
        if total[3] == 0:
            return CLEAR
        return tuple(round(c / total[3]) for c in total[:3]) + (round(total[3] / (n * n)),)
    return pixel


def logo(x, y):
    # A plain maker's mark: a dark band with a green stripe and an axis cross.
    if x in (0, 99) or y in (0, 39):
        return (60, 60, 70, 255)
    if 8 <= y <= 31 and 8 <= x <= 31:
        if x in (19, 20) or y in (19, 20):
            return (255, 255, 255, 255)
        return (40, 90, 170, 255)
    if 38 <= x <= 92 and y in range(12, 16):
        return (60, 190, 70, 255)
    if 38 <= x <= 92 and y in range(22, 26):
        return (40, 90, 170, 255)
    return (235, 235, 240, 255)


def main():
    write("gui/tb_up.png", 32, 20, triangle(True))
    write("gui/tb_down.png", 32, 20, triangle(False))
    write("toolbar/file_open_x32.png", 32, 32, document(open_mark))
    write("toolbar/file_save_x32.png", 32, 32, document(save_mark))
    write("toolbar/edit_undo_x32.png", 32, 32, turn_arrow(False))
    write("toolbar/edit_redo_x32.png", 32, 32, turn_arrow(True))
    write("toolbar/compare_x32.png", 32, 32, two_sheets(arrow_mark((40, 90, 170, 255), True, True)))
    write("toolbar/take_over_x32.png", 32, 32, two_sheets(arrow_mark((30, 150, 50, 255), True, False)))
    write("toolbar/end_compare_x32.png", 32, 32, two_sheets(cross_mark))
    write("toolbar/next_change_x32.png", 32, 32, change_step(True))
    write("toolbar/previous_change_x32.png", 32, 32, change_step(False))
    write("toolbar/print_x32.png", 32, 32, printer)
    write("toolbar/export_pdf_x32.png", 32, 32, document(pdf_mark))
    icon = write("icons/downloadeditor.png", 64, 64, app_icon)
    write("images/logo.png", 100, 40, logo)
    # A Windows icon file holding the 64 x 64 PNG as its only image.
    ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 64, 64, 0, 0, 1, 32, len(icon), 22)
    with open(os.path.join(HERE, "icons/downloadeditor.ico"), "wb") as f:
        f.write(ico + icon)
    # The installed application icon in the hicolor theme; at 64 it is the compiled-in one.
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        path = "../share/icons/hicolor/%dx%d/apps/downloadeditor.png" % (size, size)
        write(path, size, size, app_icon if size == 64 else app_icon_sized(size))


if __name__ == "__main__":
    main()
