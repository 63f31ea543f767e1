#!/usr/bin/env python3
"""Generates VelaSoft's artwork as SVG files: backdrop, button glyphs, icon, splash.

Run from this folder: python3 make_art.py. The outputs are committed; rerun after edits.
"""

ACCENT = "#0b5d8c"
ACCENT2 = "#1b8fc9"
GOLD = "#f2b631"


def write(name, body, w, h):
    with open(name, "w", encoding="utf-8") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
                f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')


def gloss_logo(x, y, s):
    """The Vela mark: a sail-shaped reflector with a light beam glancing off a surface."""
    return f'''<g transform="translate({x},{y}) scale({s})">
  <defs><linearGradient id="sail" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#bfe3f7"/></linearGradient></defs>
  <path d="M10 90 L50 8 L58 90 Z" fill="url(#sail)" stroke="#ffffff" stroke-width="2"/>
  <path d="M62 90 L64 30 L95 90 Z" fill="#ffffff" opacity="0.75"/>
  <rect x="0" y="92" width="104" height="5" rx="2" fill="{GOLD}"/>
</g>'''


def backdrop():
    w, h = 880, 560
    body = f'''<defs>
  <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#0a3e61"/><stop offset="0.55" stop-color="{ACCENT}"/>
    <stop offset="1" stop-color="#d7ecf7"/></linearGradient>
  <linearGradient id="panel" x1="0" y1="0" x2="1" y2="0">
    <stop offset="0" stop-color="#ffffff" stop-opacity="0.0"/>
    <stop offset="0.5" stop-color="#ffffff" stop-opacity="0.35"/>
    <stop offset="1" stop-color="#ffffff" stop-opacity="0.0"/></linearGradient>
  <radialGradient id="spot" cx="0.72" cy="0.62" r="0.45">
    <stop offset="0" stop-color="#ffffff" stop-opacity="0.55"/>
    <stop offset="1" stop-color="#ffffff" stop-opacity="0"/></radialGradient>
</defs>
<rect width="{w}" height="{h}" fill="url(#sky)"/>
<rect width="{w}" height="{h}" fill="url(#spot)"/>
<!-- a glossy test panel with incident and reflected beams at 20, 60 and 85 degrees -->
<path d="M120 470 L760 470 L840 530 L40 530 Z" fill="#f4f8fb" stroke="#9cc6de" stroke-width="2"/>
<path d="M120 470 L760 470 L840 530 L40 530 Z" fill="url(#panel)"/>
<g stroke-linecap="round" stroke-width="6" fill="none" opacity="0.9">
  <path d="M330 240 L440 480 L550 240" stroke="{GOLD}"/>
  <path d="M200 380 L440 480 L680 380" stroke="#ffffff"/>
  <path d="M120 452 L440 480 L760 452" stroke="#8fd3ff"/>
</g>
<circle cx="440" cy="480" r="9" fill="#ffffff"/>
<text x="440" y="210" font-family="DejaVu Sans, Arial" font-size="15" fill="#ffffff" text-anchor="middle"
      opacity="0.85">20° · 60° · 85° gloss measurement</text>
<!-- logo area (the web-site click area covers it) -->
<g>
  <rect x="24" y="22" width="410" height="130" rx="16" fill="#ffffff" fill-opacity="0.12"
        stroke="#ffffff" stroke-opacity="0.35"/>
  {gloss_logo(40, 34, 1.0)}
  <text x="160" y="92" font-family="DejaVu Sans, Arial" font-size="48" font-weight="bold"
        fill="#ffffff">Vela-Soft</text>
  <text x="162" y="124" font-family="DejaVu Sans, Arial" font-size="16" fill="#d8efff">
    Gloss meter companion</text>
</g>
<text x="{w-24}" y="48" font-family="DejaVu Sans, Arial" font-size="14" fill="#d8efff"
      text-anchor="end">Vela instruments</text>'''
    write("backdrop.svg", body, w, h)


GLYPHS = {
    # name: svg body on a 64x64 canvas
    "connect": f'''<rect x="6" y="14" width="22" height="36" rx="5" fill="{ACCENT}"/>
<rect x="11" y="20" width="12" height="9" rx="2" fill="#bfe3f7"/>
<circle cx="17" cy="40" r="3" fill="#ffffff"/>
<path d="M28 32 C40 32 38 22 50 22" stroke="{GOLD}" stroke-width="4" fill="none"/>
<rect x="46" y="14" width="14" height="16" rx="3" fill="#4a4a4a"/>
<path d="M30 44 L56 44 M48 38 L56 44 L48 50" stroke="{ACCENT2}" stroke-width="4" fill="none" stroke-linecap="round"/>''',
    "analysis": f'''<rect x="8" y="8" width="48" height="48" rx="4" fill="#ffffff" stroke="{ACCENT}" stroke-width="3"/>
<path d="M8 20 H56 M8 32 H56 M8 44 H56 M24 8 V56 M40 8 V56" stroke="#9cc6de" stroke-width="2"/>
<rect x="9.5" y="9.5" width="45" height="9" fill="{ACCENT}" opacity="0.85"/>
<path d="M28 38 l4 4 l8 -10" stroke="#2f9e44" stroke-width="4" fill="none" stroke-linecap="round"/>''',
    "graph": f'''<rect x="6" y="6" width="52" height="52" rx="4" fill="#ffffff" stroke="{ACCENT}" stroke-width="3"/>
<path d="M12 50 H54 M12 50 V12" stroke="#4a4a4a" stroke-width="2"/>
<polyline points="14,44 22,30 30,36 38,20 46,26 54,14" fill="none" stroke="{ACCENT2}" stroke-width="4" stroke-linejoin="round"/>
<polyline points="14,48 22,42 30,44 38,36 46,40 54,32" fill="none" stroke="{GOLD}" stroke-width="3" stroke-linejoin="round"/>''',
    "load": f'''<path d="M6 18 H26 L31 24 H58 V54 H6 Z" fill="{GOLD}" stroke="#b07d12" stroke-width="2"/>
<path d="M6 28 H58 V54 H6 Z" fill="#f7cd62"/>
<path d="M32 32 V48 M24 40 L32 48 L40 40" stroke="{ACCENT}" stroke-width="5" fill="none" stroke-linecap="round"/>''',
    "setup": f'''<g transform="translate(32,32)">
<circle r="17" fill="{ACCENT}"/>
<g fill="{ACCENT}">''' + "".join(
        f'<rect x="-5" y="-27" width="10" height="12" rx="2" transform="rotate({a})"/>'
        for a in range(0, 360, 45)) + '''</g>
<circle r="7" fill="#ffffff"/></g>''',
    "help": f'''<circle cx="32" cy="32" r="26" fill="{ACCENT2}"/>
<path d="M23 25 C23 14 41 14 41 25 C41 33 32 32 32 41" stroke="#ffffff" stroke-width="6" fill="none" stroke-linecap="round"/>
<circle cx="32" cy="50" r="4" fill="#ffffff"/>''',
    "exit": f'''<rect x="14" y="6" width="30" height="52" rx="3" fill="#8a5a2b"/>
<rect x="18" y="10" width="22" height="44" fill="#c98d4d"/>
<circle cx="35" cy="33" r="2.5" fill="{GOLD}"/>
<path d="M40 32 H60 M52 24 L60 32 L52 40" stroke="#c92a2a" stroke-width="5" fill="none" stroke-linecap="round"/>''',
    "ok": '''<circle cx="32" cy="32" r="26" fill="#2f9e44"/>
<path d="M18 33 L28 43 L47 22" stroke="#ffffff" stroke-width="7" fill="none" stroke-linecap="round"/>''',
}


def glyphs():
    for name, body in GLYPHS.items():
        write(f"btn_{name}.svg", body, 64, 64)


def icon():
    body = f'''<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
<stop offset="0" stop-color="#0a3e61"/><stop offset="1" stop-color="{ACCENT2}"/></linearGradient></defs>
<rect width="128" height="128" rx="24" fill="url(#g)"/>
{gloss_logo(12, 14, 1.0)}'''
    write("icon.svg", body, 128, 128)


def splash():
    w, h = 480, 300
    body = f'''<rect width="{w}" height="{h}" fill="#ffffff"/>
<rect x="0" y="0" width="{w}" height="190" fill="{ACCENT}"/>
<path d="M0 190 C160 160 320 220 {w} 180 V190 H0 Z" fill="{ACCENT2}"/>
{gloss_logo(34, 40, 1.1)}
<text x="170" y="108" font-family="DejaVu Sans, Arial" font-size="46" font-weight="bold" fill="#ffffff">Vela-Soft</text>
<text x="172" y="140" font-family="DejaVu Sans, Arial" font-size="16" fill="#d8efff">Gloss meter companion</text>
<text x="{w//2}" y="240" font-family="DejaVu Sans, Arial" font-size="15" fill="#33475b" text-anchor="middle">Version 3.25</text>
<text x="{w//2}" y="268" font-family="DejaVu Sans, Arial" font-size="12" fill="#7b8a99" text-anchor="middle">Starting…</text>'''
    write("splash.svg", body, w, h)


if __name__ == "__main__":
    backdrop()
    glyphs()
    icon()
    splash()
