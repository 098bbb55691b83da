#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files beside this script.

Not part of the build: the .ico files are the committed source, and this
script only says how they were made. Standard library only. Shapes are given
in the 16-unit grid of a 16 x 16 icon (pixel centres at n + 0.5) and sampled
8 x 8 times per pixel, so edges are smooth and lines on the grid stay crisp.
"""

import math
import os
import struct

SAMPLES = 8

# One flat palette for every picture.
OUTLINE = (64, 64, 64, 255)
PAPER = (255, 255, 255, 255)
GREY = (150, 150, 150, 255)
BLUE = (47, 111, 179, 255)
LIGHT_BLUE = (160, 200, 240, 255)
GREEN = (46, 150, 60, 255)
RED = (208, 50, 50, 255)
ORANGE = (232, 150, 40, 255)
YELLOW = (242, 199, 68, 255)
BROWN = (150, 100, 50, 255)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.scale = size / 16.0
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def fill(self, inside, colour):
        """Paints colour over every pixel part for which inside(x, y) holds."""
        r, g, b, a = colour
        n = self.size
        step = 1.0 / SAMPLES
        for py in range(n):
            for px in range(n):
                hits = 0
                for sy in range(SAMPLES):
                    y = (py + (sy + 0.5) * step) / self.scale
                    for sx in range(SAMPLES):
                        x = (px + (sx + 0.5) * step) / self.scale
                        if inside(x, y):
                            hits += 1
                if not hits:
                    continue
                cover = hits / (SAMPLES * SAMPLES) * a / 255.0
                pr, pg, pb, pa = self.pixels[py][px]
                # Premultiplied "over".
                self.pixels[py][px] = (
                    r * cover + pr * (1 - cover),
                    g * cover + pg * (1 - cover),
                    b * cover + pb * (1 - cover),
                    cover + pa * (1 - cover),
                )

    def rgba(self):
        rows = []
        for row in self.pixels:
            out = []
            for r, g, b, a in row:
                if a <= 0:
                    out.append((0, 0, 0, 0))
                else:
                    out.append(tuple(min(255, round(c / a)) for c in (r, g, b)) + (round(a * 255),))
            rows.append(out)
        return rows


# Shapes: each returns a test inside(x, y).

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def frame(x0, y0, x1, y1, width=1.0):
    return lambda x, y: (x0 <= x < x1 and y0 <= y < y1
                         and not (x0 + width <= x < x1 - width and y0 + width <= y < y1 - width))


def circle(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 < radius ** 2


def ring(cx, cy, radius, width=1.0):
    return lambda x, y: (radius - width) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 < radius ** 2


def arc(cx, cy, radius, start, end, width=1.5):
    """A ring between two angles in degrees, clockwise on screen from 3 o'clock."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if not radius - width <= d < radius:
            return False
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return (angle - start) % 360 <= (end - start) % 360
    return inside


def line(x0, y0, x1, y1, width=1.0):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) < width / 2
    return inside


def polygon(*points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def either(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, cut):
    return lambda x, y: shape(x, y) and not cut(x, y)


# Parts that several pictures share.

def page(c, x0=3, y0=1, x1=13, y1=15, fold=4):
    outline = polygon((x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1))
    inner = polygon((x0 + 1, y0 + 1), (x1 - fold - 0.4, y0 + 1), (x1 - 1, y0 + fold + 0.4), (x1 - 1, y1 - 1), (x0 + 1, y1 - 1))
    c.fill(outline, OUTLINE)
    c.fill(inner, PAPER)
    c.fill(polygon((x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)), OUTLINE)


def calendar(c, x0=1, y0=2, x1=15, y1=15, header=RED):
    c.fill(rect(x0, y0, x1, y1), OUTLINE)
    c.fill(rect(x0 + 1, y0 + 4, x1 - 1, y1 - 1), PAPER)
    c.fill(rect(x0 + 1, y0 + 1, x1 - 1, y0 + 4), header)
    for gx in range(x0 + 2, x1 - 2, 3):
        for gy in range(y0 + 6, y1 - 2, 3):
            c.fill(rect(gx, gy, gx + 2, gy + 2), GREY)


def magnifier(c, cx=6.5, cy=6.5, radius=5, handle_end=14.5):
    c.fill(circle(cx, cy, radius), OUTLINE)
    c.fill(circle(cx, cy, radius - 1.2), LIGHT_BLUE)
    c.fill(line(cx + radius * 0.7, cy + radius * 0.7, handle_end, handle_end, 2.6), OUTLINE)


def plus(c, cx, cy, arm, width, colour):
    c.fill(either(rect(cx - arm, cy - width / 2, cx + arm, cy + width / 2),
                  rect(cx - width / 2, cy - arm, cx + width / 2, cy + arm)), colour)


def arrow_right(c, x0, y, x1, colour, shaft=2.0, head=3.0):
    c.fill(rect(x0, y - shaft / 2, x1 - head, y + shaft / 2), colour)
    c.fill(polygon((x1 - head - 0.5, y - head), (x1, y), (x1 - head - 0.5, y + head)), colour)


def arrow_left(c, x0, y, x1, colour, shaft=2.0, head=3.0):
    c.fill(rect(x0 + head, y - shaft / 2, x1, y + shaft / 2), colour)
    c.fill(polygon((x0 + head + 0.5, y - head), (x0, y), (x0 + head + 0.5, y + head)), colour)


def arrow_down(c, x, y0, y1, colour, shaft=2.0, head=3.0):
    c.fill(rect(x - shaft / 2, y0, x + shaft / 2, y1 - head), colour)
    c.fill(polygon((x - head, y1 - head - 0.5), (x, y1), (x + head, y1 - head - 0.5)), colour)


def arrow_up(c, x, y0, y1, colour, shaft=2.0, head=3.0):
    c.fill(rect(x - shaft / 2, y0 + head, x + shaft / 2, y1), colour)
    c.fill(polygon((x - head, y0 + head + 0.5), (x, y0), (x + head, y0 + head + 0.5)), colour)


def person(c, cx, top, colour, scale=1.0):
    c.fill(circle(cx, top + 2.5 * scale, 2.5 * scale), colour)
    c.fill(polygon((cx - 4 * scale, top + 10 * scale), (cx - 3 * scale, top + 6 * scale),
                   (cx + 3 * scale, top + 6 * scale), (cx + 4 * scale, top + 10 * scale)), colour)


def stopwatch(c, colour=BLUE):
    c.fill(rect(6.5, 0.5, 9.5, 2), OUTLINE)
    c.fill(rect(7.5, 1.5, 8.5, 3.5), OUTLINE)
    c.fill(circle(8, 9.5, 6.2), OUTLINE)
    c.fill(circle(8, 9.5, 5), PAPER)
    c.fill(line(8, 9.5, 8, 5.5, 1.4), colour)
    c.fill(line(8, 9.5, 10.5, 11, 1.4), colour)


def tree(c, colour=YELLOW):
    c.fill(rect(3.5, 4, 4.5, 13), OUTLINE)
    c.fill(rect(3.5, 8, 8, 9), OUTLINE)
    c.fill(rect(3.5, 12, 8, 13), OUTLINE)
    for x, y in ((1, 1), (7, 6), (7, 10)):
        c.fill(rect(x, y, x + 6, y + 4), OUTLINE)
        c.fill(rect(x + 1, y + 1, x + 5, y + 3), colour)


def time_bar(c):
    c.fill(rect(1, 9, 15, 14), OUTLINE)
    c.fill(rect(2, 10, 14, 13), LIGHT_BLUE)


# The pictures, by file name.

def file_new(c):
    page(c)
    c.fill(circle(11.5, 11.5, 3.8), PAPER)
    plus(c, 11.5, 11.5, 3, 1.6, GREEN)


def file_open(c):
    c.fill(polygon((1, 3), (6, 3), (7, 5), (13, 5), (13, 8), (1, 8)), OUTLINE)
    c.fill(polygon((2, 4), (5.5, 4), (6.5, 6), (12, 6), (12, 8), (2, 8)), YELLOW)
    c.fill(polygon((1, 14), (3.5, 7), (15.5, 7), (13, 14)), OUTLINE)
    c.fill(polygon((2.3, 13), (4.3, 8), (14.2, 8), (12.2, 13)), YELLOW)


def file_save(c):
    c.fill(polygon((1, 1), (13, 1), (15, 3), (15, 15), (1, 15)), BLUE)
    c.fill(rect(4, 1, 12, 6), PAPER)
    c.fill(rect(9, 2, 11, 5), BLUE)
    c.fill(rect(3, 9, 13, 15), PAPER)
    c.fill(rect(4, 11, 12, 12), GREY)


def edit_cut(c):
    c.fill(line(4, 1, 10.5, 11, 1.6), GREY)
    c.fill(line(12, 1, 5.5, 11, 1.6), GREY)
    for cx in (4.5, 11.5):
        c.fill(ring(cx, 12, 3, 1.5), RED)


def edit_copy(c):
    page(c, 1, 1, 10, 12, 3)
    page(c, 6, 4, 15, 15, 3)


def edit_paste(c):
    c.fill(rect(2, 2, 14, 15.5), BROWN)
    c.fill(rect(5, 0.5, 11, 4), OUTLINE)
    c.fill(rect(6, 1.5, 10, 3), GREY)
    c.fill(rect(4, 5, 12, 14), PAPER)
    for y in (7, 9, 11):
        c.fill(rect(5, y, 11, y + 1), GREY)


def prepare_report(c):
    page(c)
    for x, h in ((5, 3), (7.5, 6), (10, 4)):
        c.fill(rect(x, 13 - h, x + 1.8, 13), (BLUE, GREEN, ORANGE)[int(x) % 3])
    c.fill(rect(5, 5, 9, 6), GREY)


def import_(c):
    c.fill(polygon((1, 9), (4, 9), (4, 12), (12, 12), (12, 9), (15, 9), (15, 15), (1, 15)), OUTLINE)
    arrow_down(c, 8, 0.5, 11, GREEN, 2.4, 3.5)


def export(c):
    c.fill(polygon((1, 9), (4, 9), (4, 12), (12, 12), (12, 9), (15, 9), (15, 15), (1, 15)), OUTLINE)
    arrow_up(c, 8, 0.5, 11, BLUE, 2.4, 3.5)


def transparent_categories(c):
    c.fill(rect(1, 1, 11, 11), OUTLINE)
    c.fill(rect(2, 2, 10, 10), YELLOW)
    c.fill(rect(5, 5, 15, 15), (47, 111, 179, 150))
    c.fill(frame(5, 5, 15, 15), BLUE)


def deadlines_calendar(c):
    calendar(c)
    c.fill(circle(10.5, 11.5, 2.2), RED)


def view_categories(c):
    tree(c)


def folder_closed(c):
    c.fill(polygon((1, 3), (6, 3), (7, 5), (15, 5), (15, 14), (1, 14)), OUTLINE)
    c.fill(polygon((2, 4), (5.5, 4), (6.5, 6), (14, 6), (14, 13), (2, 13)), YELLOW)
    c.fill(rect(2, 6, 14, 7), (255, 225, 140, 255))


def folder_open(c):
    c.fill(polygon((1, 3), (6, 3), (7, 5), (13, 5), (13, 8), (1, 8)), OUTLINE)
    c.fill(polygon((2, 4), (5.5, 4), (6.5, 6), (12, 6), (12, 8), (2, 8)), YELLOW)
    c.fill(polygon((1, 14), (3.5, 7), (15.5, 7), (13, 14)), OUTLINE)
    c.fill(polygon((2.3, 13), (4.3, 8), (14.2, 8), (12.2, 13)), (255, 225, 140, 255))


def view_daily_plan(c):
    c.fill(rect(1, 1, 15, 15), OUTLINE)
    c.fill(rect(2, 2, 14, 14), PAPER)
    c.fill(rect(2, 2, 5, 14), GREY)
    c.fill(rect(6, 3, 13, 6), GREEN)
    c.fill(rect(6, 7, 13, 9), BLUE)
    c.fill(rect(6, 10, 11, 13), ORANGE)


def view_people_list(c):
    person(c, 10.5, 2, GREY)
    person(c, 5.5, 4.5, BLUE, 1.05)


def people_group(c):
    person(c, 4.5, 1.5, GREEN, 0.85)
    person(c, 11.5, 1.5, ORANGE, 0.85)
    person(c, 8, 5, BLUE, 1.05)


def people_group_open(c):
    c.fill(circle(8, 8, 7.5), LIGHT_BLUE)
    people_group(c)


def people_person(c):
    person(c, 8, 1.5, BLUE, 1.3)


def find(c):
    magnifier(c)


def find_next(c):
    magnifier(c, 5.5, 5.5, 4.5, 10)
    arrow_right(c, 7, 13.5, 15.5, GREEN, 1.8, 2.5)


def locate_schedule(c):
    calendar(c, 1, 1, 12, 12, BLUE)
    arrow_left(c, 9, 13.5, 16, GREEN, 1.8, 2.5)


def locate_category(c):
    tree(c)
    # A marker on the middle node says "this one".
    c.fill(polygon((13.5, 8), (16, 5.5), (16, 10.5)), RED)


def task_add(c):
    c.fill(circle(8, 8, 7), GREEN)
    plus(c, 8, 8, 4.5, 2.2, PAPER)


def task_edit(c):
    c.fill(polygon((10.5, 1.5), (14.5, 5.5), (5.5, 14.5), (1.5, 14.5), (1.5, 10.5)), OUTLINE)
    c.fill(polygon((10.5, 3), (13, 5.5), (5, 13.5), (2.5, 13.5), (2.5, 11)), YELLOW)
    c.fill(polygon((11.5, 2.5), (13.5, 4.5), (12, 6), (10, 4)), RED)
    c.fill(polygon((1.5, 14.5), (1.5, 12), (4, 14.5)), OUTLINE)


def task_delete(c):
    c.fill(line(3, 3, 13, 13, 3), RED)
    c.fill(line(13, 3, 3, 13, 3), RED)


def task_split(c):
    c.fill(rect(1, 5, 7, 11), BLUE)
    c.fill(rect(9, 5, 15, 11), BLUE)
    c.fill(rect(7.5, 1, 8.5, 15), OUTLINE)


def arrange_deadlines(c):
    for i, colour in enumerate((GREEN, BLUE, ORANGE)):
        c.fill(rect(1 + 3 * i, 2 + 4 * i, 9 + 3 * i, 5 + 4 * i), colour)
    c.fill(rect(14, 1, 15, 15), RED)


def rebase_estimate(c):
    c.fill(rect(3, 1, 13, 2.5), OUTLINE)
    c.fill(rect(3, 13.5, 13, 15), OUTLINE)
    glass = polygon((4, 2.5), (12, 2.5), (8.7, 8), (12, 13.5), (4, 13.5), (7.3, 8))
    c.fill(glass, OUTLINE)
    c.fill(polygon((5.5, 3.5), (10.5, 3.5), (8, 7.5)), PAPER)
    c.fill(polygon((8, 8.5), (10.8, 12.7), (5.2, 12.7)), ORANGE)


def track_time(c):
    stopwatch(c)


def track_now_name_later(c):
    stopwatch(c)
    c.fill(circle(12.5, 12.5, 3.3), PAPER)
    c.fill(circle(12.5, 12.5, 2.5), RED)


def add_group(c):
    person(c, 9.5, 1, GREY)
    person(c, 5, 3.5, BLUE)
    c.fill(circle(12.5, 12.5, 3.5), PAPER)
    plus(c, 12.5, 12.5, 2.8, 1.5, GREEN)


def recurring(c):
    c.fill(arc(8, 8, 6.5, 200, 340, 2), GREEN)
    c.fill(polygon((12.5, 5.5), (15.5, 9), (10, 9)), GREEN)
    c.fill(arc(8, 8, 6.5, 20, 160, 2), BLUE)
    c.fill(polygon((3.5, 10.5), (0.5, 7), (6, 7)), BLUE)


def day_previous(c):
    c.fill(polygon((11, 2), (11, 14), (3, 8)), BLUE)


def day_today(c):
    calendar(c, 1, 2, 15, 15, BLUE)
    c.fill(rect(6.5, 7.5, 10.5, 11.5), RED)


def day_next(c):
    c.fill(polygon((5, 2), (5, 14), (13, 8)), BLUE)


def adjust_start_time(c):
    time_bar(c)
    c.fill(rect(1, 9, 4, 14), GREEN)
    arrow_left(c, 1, 4, 10, GREEN, 1.8, 3)


def adjust_stop_time(c):
    time_bar(c)
    c.fill(rect(12, 9, 15, 14), RED)
    arrow_right(c, 6, 4, 15, RED, 1.8, 3)


def reschedule_tomorrow(c):
    calendar(c, 1, 4, 12, 15, BLUE)
    c.fill(arc(9, 6, 4.5, 180, 360, 1.6), GREEN)
    c.fill(polygon((11.5, 5), (15.5, 5), (13.5, 8.5)), GREEN)


def zoom_out(c):
    magnifier(c)
    c.fill(rect(4, 6, 9, 7.2), OUTLINE)


def zoom_in(c):
    magnifier(c)
    plus(c, 6.5, 6.6, 2.5, 1.2, OUTLINE)


def task_sheet(c):
    """A task: a sheet with lines of text, room left at the lower right for a badge."""
    page(c, 2, 1, 13, 15, 3)
    for y in (5, 7.5, 10):
        c.fill(rect(4, y, 9, y + 1), GREY)


def badge(c, cx=11.5, cy=11.5):
    c.fill(circle(cx, cy, 4.4), PAPER)


def task_new(c):
    task_sheet(c)


def task_in_progress(c):
    task_sheet(c)
    badge(c)
    c.fill(circle(11.5, 11.5, 3.8), ORANGE)
    c.fill(polygon((10.2, 9.5), (13.6, 11.5), (10.2, 13.5)), PAPER)


def task_completed(c):
    task_sheet(c)
    badge(c)
    c.fill(line(8.8, 11.5, 10.8, 13.5, 2), GREEN)
    c.fill(line(10.8, 13.5, 14.5, 8.8, 2), GREEN)


def task_recurring(c):
    task_sheet(c)
    badge(c)
    c.fill(arc(11.5, 11.5, 3.8, 200, 340, 1.4), GREEN)
    c.fill(polygon((13.6, 9.3), (15.6, 11.6), (12.0, 11.6)), GREEN)
    c.fill(arc(11.5, 11.5, 3.8, 20, 160, 1.4), BLUE)
    c.fill(polygon((9.4, 13.7), (7.4, 11.4), (11.0, 11.4)), BLUE)


def task_drag_move(c):
    task_sheet(c)
    badge(c)
    arrow_right(c, 8, 11.5, 15.5, BLUE, 2.0, 3.0)


def task_drag_copy(c):
    task_sheet(c)
    badge(c)
    plus(c, 11.5, 11.5, 3.2, 1.8, GREEN)


def program(c):
    # A rounded blue square with a white check mark.
    c.fill(either(rect(1.5, 0.5, 14.5, 15.5), rect(0.5, 1.5, 15.5, 14.5),
                  circle(2, 2, 1.5), circle(14, 2, 1.5), circle(2, 14, 1.5), circle(14, 14, 1.5)), BLUE)
    c.fill(line(3.5, 8.5, 6.5, 11.5, 2.4), PAPER)
    c.fill(line(6.5, 11.5, 12.5, 4, 2.4), PAPER)


def clock_face(c, face, hands):
    c.fill(circle(8, 8, 7), OUTLINE)
    c.fill(circle(8, 8, 6), face)
    c.fill(line(8, 8, 8, 3.5, 1.4), hands)
    c.fill(line(8, 8, 11, 9.5, 1.4), hands)


def entry_not_begun(c):
    clock_face(c, PAPER, BLUE)


def entry_running(c):
    c.fill(circle(8, 8, 7), GREEN)
    c.fill(polygon((6, 4.5), (11.5, 8), (6, 11.5)), PAPER)


def entry_over(c):
    clock_face(c, GREY, PAPER)


def check_box(c):
    c.fill(rect(2, 2, 14, 14), OUTLINE)
    c.fill(rect(3, 3, 13, 13), PAPER)


def check_ticked(c):
    check_box(c)
    c.fill(line(4.5, 8, 7, 10.5, 2), GREEN)
    c.fill(line(7, 10.5, 11.5, 5, 2), GREEN)


def tip_bulb(c):
    """The tip of the day: a lit bulb with rays, on the grey band of the tip dialog."""
    for angle in (-60, -30, 0, 30, 60):
        a = math.radians(angle - 90)
        c.fill(line(8 + 6.2 * math.cos(a), 6.5 + 6.2 * math.sin(a),
                    8 + 7.6 * math.cos(a), 6.5 + 7.6 * math.sin(a), 0.9), PAPER)
    c.fill(either(circle(8, 6.5, 4.6), polygon((4.6, 9.5), (11.4, 9.5), (10, 12), (6, 12))), OUTLINE)
    c.fill(either(circle(8, 6.5, 3.8), polygon((5.4, 9), (10.6, 9), (9.4, 11.4), (6.6, 11.4))), YELLOW)
    c.fill(rect(6, 12, 10, 13.2), GREY)
    c.fill(rect(6.5, 13.6, 9.5, 14.8), GREY)


def sort_ascending(c):
    c.fill(polygon((8, 5), (12, 10), (4, 10)), GREY)


def sort_descending(c):
    c.fill(polygon((4, 6), (12, 6), (8, 11)), GREY)


ICONS = {
    'file_new': file_new, 'file_open': file_open, 'file_save': file_save,
    'edit_cut': edit_cut, 'edit_copy': edit_copy, 'edit_paste': edit_paste,
    'prepare_report': prepare_report, 'import': import_, 'export': export,
    'transparent_categories': transparent_categories, 'deadlines_calendar': deadlines_calendar,
    'categories': view_categories, 'daily_plan': view_daily_plan, 'people_list': view_people_list,
    'people_group': people_group, 'people_group_open': people_group_open, 'people_person': people_person,
    'find': find, 'find_next': find_next, 'locate_schedule': locate_schedule,
    'locate_category': locate_category, 'task_add': task_add, 'task_edit': task_edit,
    'task_delete': task_delete, 'task_split': task_split, 'arrange_deadlines': arrange_deadlines,
    'rebase_estimate': rebase_estimate, 'track_time': track_time,
    'track_now_name_later': track_now_name_later, 'add_group': add_group, 'recurring': recurring,
    'day_previous': day_previous, 'day_today': day_today, 'day_next': day_next,
    'adjust_start_time': adjust_start_time, 'adjust_stop_time': adjust_stop_time,
    'reschedule_tomorrow': reschedule_tomorrow, 'zoom_out': zoom_out, 'zoom_in': zoom_in,
    'task_new': task_new, 'task_in_progress': task_in_progress, 'task_completed': task_completed,
    'task_recurring': task_recurring, 'task_drag_move': task_drag_move, 'task_drag_copy': task_drag_copy,
    'category_closed': folder_closed, 'category_open': folder_open,
    'entry_not_begun': entry_not_begun, 'entry_running': entry_running, 'entry_over': entry_over,
    'check_clear': check_box, 'check_ticked': check_ticked,
    'sort_ascending': sort_ascending, 'sort_descending': sort_descending,
}


def icon_image(rows):
    """One 32-bit image of an .ico file: the header, the colours bottom-up, the mask."""
    size = len(rows)
    colours = b''.join(struct.pack('<4B', b, g, r, a) for row in reversed(rows) for r, g, b, a in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + bytes(mask)


def write_icon(path, images):
    data = [icon_image(rows) for rows in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, blob in zip(images, data):
        size = len(rows)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(data))


def draw(picture, size):
    canvas = Canvas(size)
    picture(canvas)
    return canvas.rgba()


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, picture in ICONS.items():
        write_icon(os.path.join(folder, name + '.ico'), [draw(picture, 16)])
    write_icon(os.path.join(folder, 'quorvane.ico'), [draw(program, 16), draw(program, 32)])
    write_icon(os.path.join(folder, 'tip.ico'), [draw(tip_bulb, 16), draw(tip_bulb, 32)])


if __name__ == '__main__':
    main()
