"""The 26 device pictograms (24 x 24) and the USB 2.0 overlay of the device-icon strip.

The icon chooser tints them to pale hues while keeping their lightness, so each
pictogram carries its shape in light and dark, with colour only as an accent."""
import math

from .canvas import Image, vgrad
from .palette import ACCENT, WHITE, grey, lighter, darker
from .shapes import Circle, Ellipse, Grow, Polygon, RoundRect, Segment, Moved, Ring
from .widgets import hstrip

STROKE = grey(52)
METAL = (grey(246), grey(188))
DARK = (grey(110), grey(50))
GLASS = ((120, 180, 235), (40, 90, 160))
GREEN = (60, 200, 90)
RED = (215, 60, 50)
AMBER = (240, 170, 30)


def part(img, shape, colours=METAL, span=None, stroke=STROKE, shadow=False):
    """A filled part with a 1-px outline; colours is a (top, bottom) gradient."""
    b = shape.box
    y0, y1 = span or (b[1] + 1, b[3] - 1)
    if shadow:
        img.shadow(shape, 0, 1, 1, 0.3)
    img.fill(shape, vgrad(y0, y1, colours[0], colours[1]))
    if stroke:
        img.fill(shape - Grow(shape, -1), stroke)


def line(img, ax, ay, bx, by, w=0.6, colour=STROKE, a=1.0):
    img.fill(Segment(ax, ay, bx, by, w), colour, a)


def keyboard(img):
    body = RoundRect(1.5, 7.5, 22.5, 18.5, 2)
    part(img, body, shadow=True)
    for row, (x0, n) in enumerate(((3.5, 8), (4.5, 7), (3.5, 8))):
        for k in range(n):
            x = x0 + k * 2.2
            img.fill(RoundRect(x, 9.5 + row * 2.3, x + 1.6, 11.1 + row * 2.3, 0.3), grey(80))
    img.fill(RoundRect(7, 16.2, 17, 17.3, 0.4), grey(80))


def hard_disk(img):
    body = RoundRect(3.5, 2.5, 20.5, 21.5, 2)
    part(img, body, shadow=True)
    img.fill(Circle(12, 10.5, 6.6), vgrad(4, 17, grey(250), grey(170)))
    img.fill(Ring(Circle(12, 10.5, 6.6), 0.45), STROKE)
    img.fill(Circle(12, 10.5, 1.6), STROKE)
    line(img, 17.5, 18, 13.6, 12.4, 0.9, grey(60))
    img.fill(Circle(17.5, 18.2, 1.2), grey(60))
    img.fill(Circle(6.3, 19, 0.9), GREEN)


def _sheen(x, y):
    # a silver disc with a faint rainbow that turns with the angle
    a = math.atan2(y + 0.5 - 12, x + 0.5 - 12)
    tint = (0.5 + 0.5 * math.cos(a * 2), 0.5 + 0.5 * math.cos(a * 2 + 2.1), 0.5 + 0.5 * math.cos(a * 2 + 4.2))
    return tuple(196 + 50 * t for t in tint)


def optical_disc(img):
    disc = Circle(12, 12, 10)
    img.shadow(disc, 0, 1, 1, 0.3)
    img.fill(disc, _sheen)
    img.fill(Circle(12, 12, 10) - Circle(12, 12, 6.5), WHITE, 0.25)
    img.fill(Ring(disc, 0.5), STROKE)
    img.fill(Circle(12, 12, 3.3), grey(200))
    img.fill(Ring(Circle(12, 12, 3.3), 0.45), STROKE)
    img.fill(Circle(12, 12, 1.4), grey(90))


def flash_drive(img):
    cap = RoundRect(15.5, 9.5, 22.5, 15.5, 0.5)
    part(img, cap, METAL)
    img.fill(RoundRect(17.5, 11, 19, 12.3), STROKE)
    img.fill(RoundRect(17.5, 12.8, 19, 14), STROKE)
    body = RoundRect(1.5, 7.5, 16.5, 17.5, 3)
    part(img, body, (lighter(ACCENT, 0.35), darker(ACCENT, 0.25)), shadow=True)
    img.fill(RoundRect(4, 9.5, 12, 11, 0.6), WHITE, 0.55)


def mouse(img):
    body = Ellipse(12, 12.5, 6.8, 9.6)
    part(img, body, shadow=True)
    line(img, 12, 3.5, 12, 10.5, 0.5)
    line(img, 5.8, 10.5, 18.2, 10.5, 0.5)
    img.fill(RoundRect(11, 5.5, 13, 9, 1), grey(70))


def joystick(img):
    base = Ellipse(12, 19, 9, 3.6)
    part(img, base, DARK, shadow=True)
    img.fill(RoundRect(10.6, 7, 13.4, 18.5, 1.2), vgrad(7, 18, grey(150), grey(70)))
    img.fill(Ring(RoundRect(10.6, 7, 13.4, 18.5, 1.2), 0.45), STROKE)
    knob = Circle(12, 6.2, 4.2)
    part(img, knob, (lighter(RED, 0.3), darker(RED, 0.3)))
    img.fill(Circle(10.6, 4.8, 1.2), WHITE, 0.7)
    img.fill(Circle(18.5, 18.6, 1.1), RED)


def gamepad(img):
    pad = RoundRect(1.5, 7.5, 22.5, 17.5, 5) | Circle(6, 16, 4.6) | Circle(18, 16, 4.6)
    part(img, pad, DARK, (7, 20), shadow=True)
    img.fill(RoundRect(4.2, 10.8, 9.8, 12.4, 0.3) | RoundRect(6.2, 8.8, 7.8, 14.4, 0.3), grey(230))
    for cx, cy, c in ((17.5, 10.2, GREEN), (19.6, 12.3, RED), (15.4, 12.3, ACCENT), (17.5, 14.4, AMBER)):
        img.fill(Circle(cx, cy, 1.2), c)


def tablet(img):
    body = RoundRect(1.5, 4.5, 22.5, 19.5, 2)
    part(img, body, DARK, shadow=True)
    img.fill(RoundRect(4, 7, 20, 17, 0.5), vgrad(7, 17, grey(210), grey(160)))
    line(img, 5, 14.5, 9, 11, 0.5, ACCENT)
    line(img, 9, 11, 12, 13.5, 0.5, ACCENT)
    pen = Segment(21, 2.5, 13.5, 13.5, 1.3)
    part(img, pen, (grey(240), grey(130)))
    img.fill(Circle(13.4, 13.6, 0.9), STROKE)


def scanner(img):
    lid = Polygon([(2.5, 9.5), (20.5, 4.5), (21.5, 7.5), (3.5, 12.5)])
    part(img, lid, METAL)
    body = RoundRect(1.5, 11.5, 22.5, 19.5, 2)
    part(img, body, shadow=True)
    img.fill(RoundRect(3.5, 12.5, 20.5, 13.8), (120, 235, 200))
    img.fill(RoundRect(3, 12, 21, 14.3), (120, 235, 200), 0.35)
    img.fill(RoundRect(16, 16.5, 20, 17.5), grey(90))


def camera(img):
    body = RoundRect(1.5, 7.5, 22.5, 19.5, 2.5)
    part(img, body, DARK, shadow=True)
    img.fill(RoundRect(4.5, 5, 9.5, 8.5, 1), grey(80))
    img.fill(RoundRect(16, 9.5, 20, 11.5, 0.5), grey(235))
    lens = Circle(12, 13.5, 4.8)
    part(img, lens, METAL)
    img.fill(Circle(12, 13.5, 3.0), vgrad(10, 17, GLASS[0], GLASS[1]))
    img.fill(Circle(11, 12.4, 0.9), WHITE, 0.8)


def webcam(img):
    img.fill(Ellipse(12, 20.5, 6.5, 1.8), grey(70))
    img.fill(RoundRect(11, 15, 13, 20), grey(90))
    ball = Circle(12, 9.5, 7.5)
    part(img, ball, METAL, shadow=True)
    img.fill(Circle(12, 9.5, 3.8), grey(50))
    img.fill(Circle(12, 9.5, 2.6), vgrad(7, 12, GLASS[0], GLASS[1]))
    img.fill(Circle(11.2, 8.6, 0.8), WHITE, 0.8)
    img.fill(Circle(17, 5.5, 0.8), GREEN)


def speakers(img):
    for x0, big in ((1.5, False), (10.5, True)):
        w = 12 if big else 9
        top = 2.5 if big else 6.5
        box = RoundRect(x0, top, x0 + w, 21.5, 1.5)
        part(img, box, DARK, shadow=True)
        cx = x0 + w / 2
        r = 4.0 if big else 2.9
        cy = 15.5
        img.fill(Circle(cx, cy, r), vgrad(cy - r, cy + r, grey(200), grey(120)))
        img.fill(Ring(Circle(cx, cy, r), 0.45), grey(25))
        img.fill(Circle(cx, cy, r * 0.35), grey(40))
        img.fill(Circle(cx, top + 3.5, 1.4), grey(170))


def printer(img, with_lid=False):
    paper = RoundRect(6.5, 2.5, 17.5, 10.5, 0.3)
    part(img, paper, (WHITE, grey(235)))
    body = RoundRect(1.5, 8.5, 22.5, 17.5, 2)
    part(img, body, shadow=True)
    out = RoundRect(5.5, 15.5, 18.5, 21.5, 0.3)
    part(img, out, (WHITE, grey(230)))
    for y in (17.5, 19):
        line(img, 7.5, y, 16.5, y, 0.35, grey(120))
    img.fill(Circle(19.5, 11.3, 0.9), GREEN)
    if with_lid:
        lid = RoundRect(1.5, 5.5, 22.5, 8.9, 1)
        part(img, lid, (lighter(ACCENT, 0.5), darker(ACCENT, 0.1)))


def multifunction(img):
    printer(img, with_lid=True)
    img.fill(RoundRect(3.5, 11, 8.5, 12.2), grey(90))


def modem(img):
    for k, r in enumerate((3.0, 5.5, 8.0)):
        arc = Ring(Circle(12, 11, r), 0.55) & RoundRect(4, 0, 20, 8.5)
        img.fill(arc, ACCENT, 0.9 - 0.2 * k)
    body = RoundRect(1.5, 11.5, 22.5, 19.5, 2.5)
    part(img, body, shadow=True)
    for k in range(5):
        img.fill(Circle(5 + 3.2 * k, 15.5, 0.95), GREEN if k < 3 else grey(150))


def network(img):
    for cx in (5.5, 18.5):
        box = RoundRect(cx - 4.5, 13.5, cx + 4.5, 20.5, 1.2)
        part(img, box, shadow=True)
        img.fill(RoundRect(cx - 2.5, 15.5, cx + 2.5, 18.5), grey(70))
    hub = RoundRect(7.5, 2.5, 16.5, 9.5, 1.2)
    part(img, hub, (lighter(ACCENT, 0.4), darker(ACCENT, 0.2)), shadow=True)
    img.fill(RoundRect(9.5, 4.5, 14.5, 7.5), (25, 55, 110))
    line(img, 12, 9.5, 12, 11.5, 0.6)
    line(img, 5.5, 11.5, 18.5, 11.5, 0.6)
    line(img, 5.5, 11.5, 5.5, 13.5, 0.6)
    line(img, 18.5, 11.5, 18.5, 13.5, 0.6)


def usb_device(img):
    body = RoundRect(2.5, 2.5, 21.5, 21.5, 4)
    part(img, body, shadow=True)
    ink = grey(45)
    line(img, 12, 5.5, 12, 18.5, 0.8, ink)
    img.fill(Polygon([(12, 3.8), (14.2, 7.2), (9.8, 7.2)]), ink)
    line(img, 12, 15.5, 7.5, 12, 0.7, ink)
    line(img, 7.5, 12, 7.5, 9.8, 0.7, ink)
    img.fill(Circle(7.5, 9.3, 1.5), ink)
    line(img, 12, 13.2, 16.5, 10.5, 0.7, ink)
    line(img, 16.5, 10.5, 16.5, 8.8, 0.7, ink)
    img.fill(RoundRect(15.2, 6.3, 17.8, 8.9), ink)
    img.fill(Circle(12, 19, 1.8), ink)


def card_reader(img):
    card = RoundRect(6.5, 2.5, 17.5, 13.5, 1)
    part(img, card, ((250, 210, 90), (215, 150, 30)))
    for x in (8.5, 10.5, 12.5, 14.5):
        img.fill(RoundRect(x, 3.5, x + 1, 6.5), (170, 120, 20))
    body = RoundRect(1.5, 11.5, 22.5, 20.5, 2)
    part(img, body, shadow=True)
    img.fill(RoundRect(5, 11.8, 19, 13.2), grey(40))
    img.fill(Circle(19, 17.5, 0.9), GREEN)


def camcorder(img):
    body = RoundRect(1.5, 7.5, 16.5, 18.5, 2)
    part(img, body, DARK, shadow=True)
    lens = Polygon([(16, 9.5), (22.5, 6.5), (22.5, 19.5), (16, 16.5)])
    part(img, lens, (grey(160), grey(70)))
    img.fill(RoundRect(3.5, 4, 10.5, 7.5, 1), grey(90))
    img.fill(Circle(5, 10.5, 1.1), RED)
    img.fill(RoundRect(4, 13, 13.5, 16.5, 0.6), vgrad(13, 16, GLASS[0], GLASS[1]))


def display(img):
    screen = RoundRect(1.5, 2.5, 22.5, 17.5, 1.5)
    part(img, screen, DARK, shadow=True)
    img.fill(RoundRect(3.5, 4.5, 20.5, 15.5), vgrad(4, 15, GLASS[0], GLASS[1]))
    img.fill(Polygon([(3.5, 4.5), (13, 4.5), (3.5, 11)]), WHITE, 0.22)
    img.fill(RoundRect(10, 17.5, 14, 20), grey(90))
    stand = RoundRect(6.5, 19.5, 17.5, 21.5, 1)
    part(img, stand, DARK)


def microphone(img):
    img.fill(Ellipse(12, 21, 6, 1.5), grey(70))
    line(img, 12, 14, 12, 20.5, 0.9, grey(80))
    cradle = Ring(Circle(12, 9.5, 6.2), 0.7) & RoundRect(4, 9.5, 20, 17)
    img.fill(cradle, grey(80))
    head = RoundRect(8.5, 1.5, 15.5, 14.5, 3.5)
    part(img, head, METAL, shadow=True)
    for y in (4.5, 6.5, 8.5, 10.5):
        line(img, 10, y, 14, y, 0.35, grey(100))


def music(img):
    ink = grey(45)
    beam = Polygon([(8.5, 3.5), (20.5, 1.5), (20.5, 4.5), (8.5, 6.5)])
    part(img, beam, (lighter(ACCENT, 0.3), darker(ACCENT, 0.3)), stroke=None)
    img.fill(RoundRect(8.2, 4, 9.8, 17), ink)
    img.fill(RoundRect(18.9, 2, 20.5, 15), ink)
    for cx, cy in ((6.2, 17.5), (17.3, 15.5)):
        head = Ellipse(cx, cy, 3.3, 2.5)
        part(img, head, (lighter(ACCENT, 0.3), darker(ACCENT, 0.3)), shadow=True)


def phone(img):
    body = RoundRect(6.5, 1.5, 17.5, 22.5, 2.5)
    part(img, body, DARK, shadow=True)
    img.fill(RoundRect(8, 4, 16, 15), vgrad(4, 15, GLASS[0], GLASS[1]))
    img.fill(Polygon([(8, 4), (13, 4), (8, 9)]), WHITE, 0.25)
    img.fill(Circle(12, 18.8, 1.4), grey(150))


def battery(img):
    body = RoundRect(2.5, 6.5, 19.5, 18.5, 2)
    part(img, body, shadow=True)
    img.fill(RoundRect(19.5, 9.5, 22, 15.5, 0.8), grey(90))
    img.fill(RoundRect(4.5, 8.5, 17.5, 16.5, 0.8), vgrad(8, 16, (130, 225, 120), (40, 150, 50)))
    bolt = Polygon([(12.8, 7.6), (8.2, 13.2), (11.2, 13.2), (10.2, 17.6), (15.0, 11.6), (12.0, 11.6)])
    img.fill(bolt, WHITE)
    img.fill(bolt - Grow(bolt, -0.7), grey(60), 0.8)


def headset(img):
    band = Ring(Circle(12, 12, 8.2), 1.1) & RoundRect(0, 0, 24, 12)
    img.fill(band, grey(70))
    for cx in (4.2, 19.8):
        cup = RoundRect(cx - 3, 10.5, cx + 3, 19.5, 2.5)
        part(img, cup, DARK, shadow=True)
        img.fill(RoundRect(cx - 1.5, 12.5, cx + 1.5, 17.5, 1), grey(140))
    line(img, 6.5, 18.5, 11, 21.2, 0.75, grey(60))
    img.fill(Circle(12.2, 21.3, 1.5), ACCENT)


def computer(img):
    screen = RoundRect(1.5, 1.5, 17.5, 13.5, 1.5)
    part(img, screen, DARK, shadow=True)
    img.fill(RoundRect(3.5, 3.5, 15.5, 11.5), vgrad(3, 11, GLASS[0], GLASS[1]))
    img.fill(RoundRect(7.5, 13.5, 11.5, 16), grey(90))
    base = RoundRect(4.5, 15.5, 14.5, 17.5, 0.8)
    part(img, base, DARK)
    tower = RoundRect(15.5, 7.5, 22.5, 22.5, 1.2)
    part(img, tower, shadow=True)
    for y in (10, 12):
        line(img, 17, y, 21, y, 0.4, grey(110))
    img.fill(Circle(19, 19.5, 0.9), GREEN)
    kb = RoundRect(1.5, 19.5, 13.5, 22.5, 1)
    part(img, kb)


def usb2_overlay(img):
    tag = Circle(19.5, 19.5, 4.0)
    img.shadow(tag, 0, 1, 1, 0.35)
    img.fill(tag, vgrad(15, 24, lighter(ACCENT, 0.3), darker(ACCENT, 0.2)))
    img.fill(Ring(tag, 0.45), darker(ACCENT, 0.5))
    ink = WHITE
    line(img, 17.9, 17.9, 18.6, 17.0, 0.55, ink)
    line(img, 18.6, 17.0, 20.3, 17.0, 0.55, ink)
    line(img, 20.3, 17.0, 21.0, 17.9, 0.55, ink)
    line(img, 21.0, 17.9, 18.0, 21.4, 0.55, ink)
    line(img, 18.0, 21.6, 21.2, 21.6, 0.55, ink)


# Number, meaning, drawing. Folders follow the icon chooser's table.
ICONS = [
    (0, "Keyboard", keyboard), (1, "Hard disk drive", hard_disk), (2, "CD/DVD drive", optical_disc),
    (3, "USB flash drive", flash_drive), (4, "Mouse", mouse), (5, "Joystick", joystick),
    (6, "Game pad", gamepad), (7, "Graphics tablet", tablet), (8, "Scanner", scanner),
    (9, "Digital camera", camera), (10, "Web camera", webcam), (11, "Speakers", speakers),
    (12, "Printer", printer), (13, "Multifunction printer", multifunction), (14, "Modem", modem),
    (15, "Network adapter", network), (16, "Generic USB device", usb_device), (17, "Card reader", card_reader),
    (18, "Camcorder", camcorder), (19, "Display", display), (20, "Microphone", microphone),
    (21, "Music / MIDI interface", music), (22, "Phone / handheld", phone), (23, "Power supply / UPS", battery),
    (24, "Headset", headset), (25, "Computer", computer),
]


def device_icons():
    """Frame 0 the USB 2.0 overlay, frame n + 1 icon n; 24 x 25 frames (last row empty)."""
    frames = []
    for draw in [usb2_overlay] + [d for _, _, d in ICONS]:
        img = Image(24, 25)
        draw(img)
        for x in range(24):
            img.clear(x, 24)
        frames.append(img)
    return hstrip(frames)
