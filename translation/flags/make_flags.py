#!/usr/bin/env python3
"""Generates the twelve 34 x 22 flag glyphs of the language window as SVG files."""

W, H = 34, 22


def write(name, body):
    with open(f"{name}.svg", "w", encoding="utf-8") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" '
                f'viewBox="0 0 {W} {H}">\n{body}\n'
                f'<rect x="0.5" y="0.5" width="{W-1}" height="{H-1}" fill="none" stroke="#555" stroke-width="1"/>\n</svg>\n')


def hstripes(colours):
    h = H / len(colours)
    return "".join(f'<rect y="{i*h:.3f}" width="{W}" height="{h+0.05:.3f}" fill="{c}"/>'
                   for i, c in enumerate(colours))


def vstripes(colours):
    w = W / len(colours)
    return "".join(f'<rect x="{i*w:.3f}" width="{w+0.05:.3f}" height="{H}" fill="{c}"/>'
                   for i, c in enumerate(colours))


def star(cx, cy, r, colour):
    import math
    pts = []
    for i in range(10):
        rr = r if i % 2 == 0 else r * 0.4
        a = -math.pi / 2 + i * math.pi / 5
        pts.append(f"{cx + rr*math.cos(a):.2f},{cy + rr*math.sin(a):.2f}")
    return f'<polygon points="{" ".join(pts)}" fill="{colour}"/>'


def us():
    stripes = "".join(f'<rect y="{i*H/13:.3f}" width="{W}" height="{H/13+0.05:.3f}" '
                      f'fill="{"#b22234" if i % 2 == 0 else "#ffffff"}"/>' for i in range(13))
    canton = '<rect width="14" height="11.85" fill="#3c3b6e"/>'
    stars = "".join(f'<circle cx="{1.6+c*2.7+(r%2)*1.35:.2f}" cy="{1.4+r*1.9:.2f}" r="0.45" fill="#fff"/>'
                    for r in range(6) for c in range(5 if r % 2 == 0 else 4))
    return stripes + canton + stars


def uk():
    return ('<rect width="34" height="22" fill="#012169"/>'
            '<path d="M0 0 L34 22 M34 0 L0 22" stroke="#fff" stroke-width="4.4"/>'
            '<path d="M0 0 L34 22 M34 0 L0 22" stroke="#c8102e" stroke-width="1.5"/>'
            '<path d="M17 0 V22 M0 11 H34" stroke="#fff" stroke-width="7"/>'
            '<path d="M17 0 V22 M0 11 H34" stroke="#c8102e" stroke-width="4"/>')


def canada():
    leaf = ('<path d="M17 4 L18.3 7.2 L20 6.4 L19.4 10 L21.8 8.6 L22.4 10.2 L24.6 9.8 L23.6 12.6 '
            'L24.6 13.2 L20.6 16 L21 17.4 L17.5 16.8 L17.5 19.6 L16.5 19.6 L16.5 16.8 L13 17.4 '
            'L13.4 16 L9.4 13.2 L10.4 12.6 L9.4 9.8 L11.6 10.2 L12.2 8.6 L14.6 10 L14 6.4 '
            'L15.7 7.2 Z" fill="#d52b1e"/>')
    return vstripes(["#d52b1e", "#ffffff", "#ffffff", "#d52b1e"]).replace(
        'width="8.550"', 'width="8.550"') + leaf


FLAGS = {
    "US_English": us(),
    "UK_English": uk(),
    "German": hstripes(["#000000", "#dd0000", "#ffce00"]),
    "Japanese": '<rect width="34" height="22" fill="#fff"/><circle cx="17" cy="11" r="6.6" fill="#bc002d"/>',
    "Simplified_Chinese": '<rect width="34" height="22" fill="#de2910"/>' + star(6, 6, 3.6, "#ffde00")
        + star(11.5, 2.6, 1.1, "#ffde00") + star(13.6, 5, 1.1, "#ffde00")
        + star(13.6, 8.2, 1.1, "#ffde00") + star(11.5, 10.4, 1.1, "#ffde00"),
    "Traditional_Chinese": '<rect width="34" height="22" fill="#fe0000"/><rect width="17" height="11" fill="#000095"/>'
        '<circle cx="8.5" cy="5.5" r="3.4" fill="#fff"/><circle cx="8.5" cy="5.5" r="2.2" fill="#000095"/>'
        '<circle cx="8.5" cy="5.5" r="1.8" fill="#fff"/>',
    "French": vstripes(["#0055a4", "#ffffff", "#ef4135"]),
    "Italian": vstripes(["#009246", "#ffffff", "#ce2b37"]),
    "Canadian_French": canada(),
    "Dutch": hstripes(["#ae1c28", "#ffffff", "#21468b"]),
    "Spanish": '<rect width="34" height="22" fill="#aa151b"/><rect y="5.5" width="34" height="11" fill="#f1bf00"/>'
        '<rect x="7" y="8" width="4" height="6" rx="1" fill="#aa151b"/>',
    "Swedish": '<rect width="34" height="22" fill="#006aa7"/><rect x="10" width="4" height="22" fill="#fecc00"/>'
        '<rect y="9" width="34" height="4" fill="#fecc00"/>',
}

if __name__ == "__main__":
    for name, body in FLAGS.items():
        write(name, body)
