#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# Draws every picture in assets/ from scratch, once at normal size and once
# at twice the size (the "@2x" files) for high-resolution screens.
#
# Needs: ImageMagick 6 (`convert`), python3, and the URW Z003 script font
# (Debian package fonts-urw-base35).  All randomness uses fixed seeds, so a
# re-run gives the same pictures.
#
# Usage: tools/make-pictures.sh        (from any folder)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
assets=$(cd "$here/.." && pwd)/assets
mkdir -p "$assets"

tmp=$(mktemp -d /tmp/lumora-pictures.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

for tool in convert identify python3; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

# The banner lettering; look the font file up directly so we do not depend
# on how ImageMagick's font list happens to name it.
script_font=""
for f in /usr/share/fonts/opentype/urw-base35/Z003-MediumItalic.otf \
         /usr/share/fonts/type1/urw-base35/Z003-MediumItalic.t1; do
    [[ -r $f ]] && { script_font=$f; break; }
done
[[ -n $script_font ]] || { echo "Z003 font not found: install fonts-urw-base35" >&2; exit 1; }

JPEG_QUALITY=90

# Strip dates and other metadata so identical drawings give identical files.
save_jpeg() { # in out
    convert "$1" -strip -sampling-factor 4:2:0 -quality "$JPEG_QUALITY" "$2"
}
save_png() { # in out
    convert "$1" -strip -define png:exclude-chunks=date,time "PNG32:$2"
}

# Float arithmetic for sizes given at 1x.
calc() { python3 -c "print($*)"; }

# ---------------------------------------------------------------------------
# Parchment: warm cream with soft blotches, fine grain, darker towards the
# edges.  The blotches are made at 1x and enlarged (they are blurred anyway),
# so the 1x and 2x pictures share the same layout; the grain is made at the
# final size so it stays crisp.
#   parchment W H SCALE SEED DARK LIGHT EDGE OUT
# W, H are the 1x size; EDGE is how much the rim darkens (0..100).
parchment() {
    local w=$1 h=$2 s=$3 seed=$4 dark=$5 light=$6 edge=$7 out=$8
    local W=$((w * s)) H=$((h * s))
    convert -size "${w}x${h}" -seed "$seed" plasma:grey50-grey50 -colorspace gray -blur 0x14 -auto-level "$tmp/pa.png"
    convert -size "${w}x${h}" -seed "$((seed + 1))" plasma:grey50-grey50 -colorspace gray -blur 0x3 -auto-level "$tmp/pb.png"
    convert "$tmp/pa.png" "$tmp/pb.png" -compose blend -define compose:args=35,65 -composite \
        -resize "${W}x${H}!" "$tmp/pm.png"
    convert -size "${W}x${H}" xc:gray50 -seed "$((seed + 2))" +noise Gaussian -colorspace gray \
        -blur "0x$(calc "0.6*$s")" -auto-level "$tmp/pg.png"
    # rim mask: white in the middle fading to black at the edges (made at a
    # quarter size and enlarged: it is all soft, and a wide blur is slow)
    convert -size "$((w / 4))x$((h / 4))" xc:black -fill white \
        -draw "rectangle 6,6,$((w / 4 - 7)),$((h / 4 - 7))" -blur 0x9 -resize "${W}x${H}!" "$tmp/pv.png"
    convert "$tmp/pm.png" "$tmp/pg.png" -compose blend -define compose:args=9,91 -composite -auto-level \
        +level-colors "$dark,$light" \
        \( "$tmp/pv.png" +level "$((100 - edge))%,100%" +level-colors "#a87a4c,white" \) \
        -compose multiply -composite "$out"
}

# ---------------------------------------------------------------------------
# The tree on the main background.  A small recursive generator grows limbs
# from a fixed trunk and steers them away from where the program puts its
# buttons and the title banner, so the middle of the picture stays clear.
write_tree_generator() {
cat > "$tmp/tree.py" <<'EOF'
import math, random, sys
s = float(sys.argv[1]); seed = int(sys.argv[2])
W, H = 500, 369            # everything below is in 1x picture coordinates
out, leaves = [], []

def P(x, y): return f"{x*s:.2f},{y*s:.2f}"

def allowed(x, y):
    if x > 50 and y > 100: return False      # button grid and bottom row
    if x > 118 and y > 22: return False      # title banner
    return x < 235 and y > 2 and x > 2

def seg(x0, y0, x1, y1, w0, w1):
    # a tapered piece of limb, with a round joint so pieces join smoothly
    a = math.atan2(y1 - y0, x1 - x0); nx, ny = -math.sin(a), math.cos(a)
    pts = [(x0 + nx*w0/2, y0 + ny*w0/2), (x1 + nx*w1/2, y1 + ny*w1/2),
           (x1 - nx*w1/2, y1 - ny*w1/2), (x0 - nx*w0/2, y0 - ny*w0/2)]
    out.append("polygon " + " ".join(P(*p) for p in pts))
    out.append(f"circle {P(x1, y1)} {P(x1 + w1/2, y1)}")

def branch(x, y, ang, length, w, depth, rnd):
    steps = 3
    for i in range(steps):
        ang += rnd.uniform(-0.16, 0.16)
        step = length/steps
        for turn in (0, 0.3, -0.3, 0.6, -0.6, 0.9, -0.9):
            nx = x + math.cos(ang+turn)*step; ny = y - math.sin(ang+turn)*step
            # limbs never droop far, and steer round the button area
            if allowed(nx, ny) and math.sin(ang+turn) > -0.25:
                ang += turn; break
        else:
            leaves.append((x, y, rnd.random())); return
        nw = max(w*0.92, 0.6)
        seg(x, y, nx, ny, w, nw); x, y, w = nx, ny, nw
        if depth <= 1 and rnd.random() < 0.6:
            leaves.append((x, y, rnd.random()))   # foliage along the twigs too
    if depth == 0 or length < 3:
        leaves.append((x, y, rnd.random())); return
    n = 2 if rnd.random() < 0.55 else 3
    spread = rnd.uniform(0.4, 0.7)
    for k in range(n):
        off = spread*(2*k/(n-1) - 1) + rnd.uniform(-0.12, 0.12)
        branch(x, y, ang + off, length*rnd.uniform(0.66, 0.82),
               w*rnd.uniform(0.6, 0.72), depth-1, rnd)

# trunk: a gently leaning S curve from the roots up to the main fork
trunk = [(30, 354), (29, 330), (32, 290), (30, 250), (27, 210), (31, 170), (35, 135), (36, 118)]
tw = [24, 19, 17, 16, 15, 14, 13, 12]
for i in range(len(trunk)-1):
    seg(*trunk[i], *trunk[i+1], tw[i], tw[i+1])
# flared foot and roots gripping the ground
out.append("polygon " + " ".join(P(*p) for p in
    [(6, 358), (14, 349), (20, 338), (23, 322), (38, 322), (41, 334), (48, 345), (62, 352), (80, 358)]))
rr = random.Random(seed)
for (ang, ln, w) in [(195, 22, 8), (212, 14, 6), (-15, 34, 8), (-4, 46, 5), (-40, 16, 5)]:
    a = math.radians(ang); x, y, ww = 30, 345, w
    for i in range(4):
        a += rr.uniform(-0.15, 0.15)
        nx = x + math.cos(a)*ln/4; ny = y - math.sin(a)*ln/4 + 1.2
        seg(x, y, nx, ny, ww, ww*0.7); x, y, ww = nx, ny, ww*0.7

# a low mound of earth the tree stands on
out.append(f"path 'M {P(0, 350)} Q {P(30, 338)} {P(70, 349)} Q {P(100, 356)} {P(130, 362)} L {P(0, 362)} Z'")

# (x, y, direction in degrees, length, width, depth); each limb gets its
# own generator so reshaping one leaves the others alone
limbs = [
    (28, 262, 125, 28, 6, 3),   # low limbs stay in the left margin
    (33, 218, 75, 32, 6, 3),
    (28, 178, 135, 26, 6, 3),
    (34, 150, 70, 30, 6, 4),
    (36, 120, 98, 55, 10, 5),   # crown from the fork
    (34, 122, 140, 45, 8, 5),
    (37, 119, 40, 75, 9, 6),
    (37, 119, 60, 60, 8, 5),
]
for i, (x, y, d, ln, w, dp) in enumerate(limbs):
    branch(x, y, math.radians(d), ln, w, dp, random.Random(seed*100 + i))

print(f"viewbox 0 0 {int(round(W*s))} {int(round(H*s))}")
print("fill '#24170e' stroke none")
print("\n".join(out))
# leaf clusters at the twig tips, in a few near-black shades
for (x, y, r) in leaves:
    lr = random.Random(int(r*1e9))
    for j in range(lr.randint(8, 13)):
        lx = x + lr.gauss(0, 4.5); ly = y + lr.gauss(0, 4.0)
        rx = lr.uniform(1.8, 3.6); ry = rx*lr.uniform(0.55, 0.8)
        shade = lr.choice(["#1e1a0c", "#2a2212", "#332818", "#1a140a"])
        print(f"push graphic-context fill '{shade}' translate {P(lx, ly)} "
              f"rotate {lr.uniform(0, 180):.0f} ellipse 0,0 {rx*s:.2f},{ry*s:.2f} 0,360 pop graphic-context")
EOF
}

PARCH_DARK="#cfa66b"
PARCH_LIGHT="#f8ecce"

# ---------------------------------------------------------------------------
main_background() { # scale suffix
    local s=$1 sfx=$2 W=$((500 * $1)) H=$((369 * $1))
    parchment 500 369 "$s" 101 "$PARCH_DARK" "$PARCH_LIGHT" 28 "$tmp/main-parch$s.png"
    python3 "$tmp/tree.py" "$s" 5 > "$tmp/tree$s.mvg"
    convert -background none "mvg:$tmp/tree$s.mvg" "$tmp/tree$s.png"
    # dark double frame: a heavy outer band and a thin inner line
    local o i
    o=$(calc "4*$s"); i=$(calc "10.5*$s")
    convert -size "${W}x${H}" xc:none -fill none -stroke "#241509" \
        -strokewidth "$(calc "8*$s")" -draw "rectangle $o,$o,$(calc "$W-1-$o"),$(calc "$H-1-$o")" \
        -strokewidth "$(calc "1.5*$s")" -draw "rectangle $i,$i,$(calc "$W-1-$i"),$(calc "$H-1-$i")" \
        "$tmp/frame$s.png"
    convert "$tmp/main-parch$s.png" \
        \( "$tmp/tree$s.png" -blur "0x$(calc "0.35*$s")" \) -compose over -composite \
        \( "$tmp/frame$s.png" -channel A -blur "0x$(calc "0.6*$s")" +channel \) -compose over -composite \
        "$tmp/main$s.png"
    save_jpeg "$tmp/main$s.png" "$assets/main-background$sfx.jpg"
}

# ---------------------------------------------------------------------------
# The title banner is laid over the main background at x 168..470, y 40..125
# of the 636x449 window it is stretched to.  Cutting that very patch out of
# the same parchment (and stretching it the same way) makes the banner blend
# in without a visible edge.
title_banner() { # scale suffix
    local s=$1 sfx=$2 W=$((302 * $1)) H=$((85 * $1))
    convert "$tmp/main-parch$s.png" -crop "$((237 * s))x$((70 * s))+$((132 * s))+$((33 * s))" +repage \
        -resize "${W}x${H}!" "$tmp/banner-bg$s.png"
    local pt=$((78 * s))
    # a soft brown shadow first, as if the ink had soaked in a little
    convert "$tmp/banner-bg$s.png" \
        \( -size "${W}x${H}" xc:none -font "$script_font" -pointsize "$pt" -gravity center \
           -fill "#8a6433" -annotate "+$((1 * s))+$((2 * s))" "Lumora" -blur "0x$(calc "1.6*$s")" \) \
        -compose multiply -composite \
        -font "$script_font" -pointsize "$pt" -gravity center \
        -fill "#2a1608" -annotate "+0+0" "Lumora" \
        "$tmp/banner$s.png"
    save_jpeg "$tmp/banner$s.png" "$assets/title-banner$sfx.jpg"
}

# ---------------------------------------------------------------------------
# Program icon: an open book with golden light rising from it on a deep blue
# rounded square.  Drawn once at 256 px and scaled down; the book is kept
# large and high-contrast so it still reads at 16 px.
icon() {
    local S=256
    # background: deep blue, lighter towards the top, clipped to a rounded square
    convert -size "${S}x${S}" "gradient:#2a4f9e-#0b1a4a" -alpha set "$tmp/icon-grad.png"
    convert -size "${S}x${S}" xc:none -fill white -draw "roundrectangle 6,6 249,249 46,46" "$tmp/icon-mask.png"
    # a soft inner rim so the square has some depth
    convert -size "${S}x${S}" xc:none -fill none -stroke "#7fa2e8" -strokewidth 3 \
        -draw "roundrectangle 8,8 247,247 44,44" -channel A -evaluate multiply 0.45 +channel "$tmp/icon-rim.png"
    # the glow: a warm radial light centred just above the book's spine
    convert -size 240x240 "radial-gradient:#ffd36b-none" "$tmp/icon-glow0.png"
    convert -size "${S}x${S}" xc:none "$tmp/icon-glow0.png" -geometry +8-8 -composite "$tmp/icon-glow.png"
    # rays fanning upward from the open pages
    local rays="" a x1 y1 x2 y2
    for a in -62 -40 -20 0 20 40 62; do
        read -r x1 y1 x2 y2 < <(python3 -c "
import math
a=math.radians($a); b=0.09; r=150; cx,cy=128,150
print(f'{cx+r*math.sin(a-b):.1f} {cy-r*math.cos(a-b):.1f} {cx+r*math.sin(a+b):.1f} {cy-r*math.cos(a+b):.1f}')")
        rays+="polygon 128,150 $x1,$y1 $x2,$y2 "
    done
    convert -size "${S}x${S}" xc:none -fill "#ffc53d" -draw "$rays" -channel A -evaluate multiply 0.5 +channel \
        -blur 0x3 "$tmp/icon-rays.png"
    # the book: leather cover, a stack of page edges, then the open pages
    local cover="path 'M 128,220 C 100,204 62,202 22,212 L 22,136 C 60,124 100,126 128,138 C 156,126 196,124 234,136 L 234,212 C 194,202 156,204 128,220 Z'"
    local stack="path 'M 128,214 C 102,199 66,197 30,205 L 30,132 L 226,132 L 226,205 C 190,197 154,199 128,214 Z'"
    local left="path 'M 128,206 C 104,191 70,188 34,196 L 34,124 C 70,114 104,116 128,130 Z'"
    local right="path 'M 128,206 C 152,191 186,188 222,196 L 222,124 C 186,114 152,116 128,130 Z'"
    local lines=""
    local i y
    for i in 0 1 2 3 4; do
        y=$((140 + i * 11))
        lines+="path 'M 48,$((y - 1)) C 70,$((y - 6)) 96,$((y - 4)) 116,$((y + 3))' "
        lines+="path 'M 140,$((y + 3)) C 160,$((y - 4)) 186,$((y - 6)) 208,$((y - 1))' "
    done
    convert -size "${S}x${S}" xc:none \
        -fill "#7a2e1c" -stroke "#3d140a" -strokewidth 2 -draw "$cover" \
        -fill "#d9c9a3" -stroke "#8a7452" -strokewidth 1.5 -draw "$stack" \
        -fill "#fff6e0" -stroke "#8a7452" -strokewidth 1.5 -draw "$left" -draw "$right" \
        -fill none -stroke "#b9a47c" -strokewidth 2.2 -draw "$lines" \
        -stroke "#8a7452" -strokewidth 2 -draw "line 128,130 128,206" \
        "$tmp/icon-book.png"
    # shade the pages towards the spine, where they curve away from the light
    convert -size 40x100 gradient:none-"#a08a60" -rotate 90 -resize 40x80! "$tmp/icon-shade-l.png"
    convert "$tmp/icon-shade-l.png" -flop "$tmp/icon-shade-r.png"
    convert "$tmp/icon-book.png" \
        \( -size "${S}x${S}" xc:none "$tmp/icon-shade-l.png" -geometry +88+126 -composite \
           "$tmp/icon-shade-r.png" -geometry +128+126 -composite \
           \( -size "${S}x${S}" xc:none -fill white -draw "$left" -draw "$right" \) -compose DstIn -composite \
           -channel A -evaluate multiply 0.6 +channel \) -compose over -composite "$tmp/icon-book2.png"
    # a few sparkles in the light
    local sparkles=""
    local sx sy r
    for p in "128,52,9" "84,70,6" "172,66,7" "104,34,4" "156,30,5"; do
        IFS=, read -r sx sy r <<< "$p"
        sparkles+="polygon $sx,$((sy - r)) $((sx + r / 4)),$((sy - r / 4)) $((sx + r)),$sy $((sx + r / 4)),$((sy + r / 4)) $sx,$((sy + r)) $((sx - r / 4)),$((sy + r / 4)) $((sx - r)),$sy $((sx - r / 4)),$((sy - r / 4)) "
    done
    convert "$tmp/icon-grad.png" \
        "$tmp/icon-rays.png" -compose over -composite \
        "$tmp/icon-glow.png" -compose over -composite \
        \( -size "${S}x${S}" xc:none -fill "#fff8d8" -draw "$sparkles" \) -compose over -composite \
        \( "$tmp/icon-book2.png" -background "#04081c" -shadow 60x4+0+4 \) -geometry -8-4 -compose over -composite \
        "$tmp/icon-book2.png" -geometry +0+0 -compose over -composite \
        "$tmp/icon-rim.png" -compose over -composite \
        "$tmp/icon-mask.png" -compose DstIn -composite \
        "$tmp/icon-256.png"
    local size
    for size in 256 128 64 48 32 16; do
        convert "$tmp/icon-256.png" -filter Lanczos -resize "${size}x${size}" "$tmp/icon-$size.png"
        save_png "$tmp/icon-$size.png" "$assets/icon-$size.png"
    done
    # The window icon's sizes again as BMP with alpha, which Qt reads itself: a PNG
    # would load the PNG library into every start of the program.
    for size in 64 48 32 16; do
        convert "$assets/icon-$size.png" -strip -define bmp:format=bmp4 "BMP:$assets/icon-$size.bmp"
    done
}

# ---------------------------------------------------------------------------
# Light category scene: black bold text covers nearly all of it, so every
# part under the text is kept pale and low in contrast -- a faint sun with
# rays, soft hills low down, and a thin brown frame.
category_light() { # scale suffix
    local s=$1 sfx=$2 W=$((640 * $1)) H=$((480 * $1))
    parchment 640 480 "$s" 201 "#eadcb8" "#fbf6e8" 14 "$tmp/light-parch$s.png"
    # sun rays: thin wedges spreading from the sun, barely lighter than the paper
    local rays
    rays=$(python3 -c "
import math
out=[]
for k in range(24):
    a=math.radians(k*15+4); b=math.radians(3.2); r=700
    out.append(f'polygon 320,120 {320+r*math.cos(a-b):.1f},{120+r*math.sin(a-b):.1f} {320+r*math.cos(a+b):.1f},{120+r*math.sin(a+b):.1f}')
print(' '.join(out))")
    # the rays fade out with distance from the sun
    local big=$((1400 * s))
    convert -size "${W}x${H}" xc:black -draw "scale $s,$s fill white $rays" -blur "0x$((3 * s))" \
        \( -size "${big}x${big}" radial-gradient:white-black -crop "${W}x${H}+$((700 * s - 320 * s))+$((700 * s - 120 * s))" +repage \
           -level 50%,100% \) -compose multiply -composite -evaluate multiply 0.55 "$tmp/light-raymask$s.png"
    convert -size "${W}x${H}" xc:"#fffbee" "$tmp/light-raymask$s.png" -alpha off -compose CopyOpacity -composite \
        "$tmp/light-rays$s.png"
    # the sun itself: a soft warm disc with a wide halo
    convert -size "${W}x${H}" xc:none \
        -draw "scale $s,$s fill '#fff1c0' fill-opacity 0.55 circle 320,120 320,54" \
        -blur "0x$((18 * s))" \
        -draw "scale $s,$s fill '#fff6d8' fill-opacity 0.8 circle 320,120 320,86" \
        -blur "0x$((2 * s))" "$tmp/light-sun$s.png"
    # three ranges of rolling hills, the nearest slightly the strongest
    local far="path 'M 0,372 C 70,340 140,336 210,356 C 280,376 330,338 410,330 C 490,322 560,352 640,340 L 640,480 L 0,480 Z'"
    local mid="path 'M 0,402 C 90,372 170,374 250,392 C 330,410 400,380 470,372 C 540,364 600,384 640,390 L 640,480 L 0,480 Z'"
    local near="path 'M 0,440 C 100,420 200,424 300,436 C 400,448 480,424 560,420 C 600,418 625,424 640,428 L 640,480 L 0,480 Z'"
    convert -size "${W}x${H}" xc:none \
        -draw "scale $s,$s fill '#e6dcba' fill-opacity 0.7 $far" \
        -draw "scale $s,$s fill '#ddd3ac' fill-opacity 0.6 $mid" \
        -draw "scale $s,$s fill '#d3c79c' fill-opacity 0.55 $near" \
        -blur "0x$(calc "1.5*$s")" "$tmp/light-hills$s.png"
    # thin frame: a soft brown band with a finer line inside it
    convert -size "${W}x${H}" xc:none -fill none \
        -draw "scale $s,$s stroke '#8c6a42' stroke-width 5 rectangle 2.5,2.5 637.5,477.5" \
        -draw "scale $s,$s stroke '#9c7a50' stroke-width 1 rectangle 9,9 631,471" \
        "$tmp/light-frame$s.png"
    convert "$tmp/light-parch$s.png" \
        "$tmp/light-rays$s.png" -compose over -composite \
        "$tmp/light-sun$s.png" -compose over -composite \
        "$tmp/light-hills$s.png" -compose over -composite \
        "$tmp/light-frame$s.png" -compose over -composite \
        "$tmp/light$s.png"
    save_jpeg "$tmp/light$s.png" "$assets/category-light$sfx.jpg"
}

# ---------------------------------------------------------------------------
# Starry category scene: yellow bold text goes over it, so the stars are
# small and sparse; only a handful near the edges get a soft glow, and
# nothing large or bright sits in the middle.
category_stars() { # scale suffix
    local s=$1 sfx=$2 W=$((640 * $1)) H=$((480 * $1))
    python3 - "$tmp/stars-small.mvg" "$tmp/stars-bright.mvg" <<'PY' 
import math, random, sys
rnd = random.Random(42)
small, bright = [], []
def central(x, y):   # where the text sits thickest
    return ((x - 320)/250)**2 + ((y - 220)/170)**2 < 1
for i in range(420):
    x, y = rnd.uniform(14, 626), rnd.uniform(14, 466)
    r = rnd.choice([0.45, 0.5, 0.6, 0.7, 0.8, 0.9, 1.1])
    o = rnd.uniform(0.35, 1.0)
    if central(x, y):
        # thinner and dimmer where the words go
        if rnd.random() < 0.35: continue
        r, o = min(r, 0.7), min(o, 0.75)
    tint = rnd.choice(["#ffffff", "#ffffff", "#dfe8ff", "#fff3dc"])
    small.append(f"fill '{tint}' fill-opacity {o:.2f} circle {x:.1f},{y:.1f} {x + r:.2f},{y:.1f}")
while len(bright) < 9:
    x, y = rnd.uniform(30, 610), rnd.uniform(30, 450)
    if central(x, y) or ((x - 320)/300)**2 + ((y - 240)/215)**2 < 1: continue
    if any(math.hypot(x - bx, y - by) < 90 for bx, by, _ in bright): continue
    bright.append((x, y, rnd.uniform(1.2, 1.7)))
open(sys.argv[1], "w").write(" ".join(small))
# bright stars: a round core plus a thin four-pointed twinkle
with open(sys.argv[2], "w") as f:
    for x, y, r in bright:
        L = r*4.5
        f.write(f"fill white circle {x:.1f},{y:.1f} {x + r:.2f},{y:.1f} "
                f"polygon {x:.1f},{y - L:.1f} {x + 0.5:.1f},{y:.1f} {x:.1f},{y + L:.1f} {x - 0.5:.1f},{y:.1f} "
                f"polygon {x - L:.1f},{y:.1f} {x:.1f},{y + 0.5:.1f} {x + L:.1f},{y:.1f} {x:.1f},{y - 0.5:.1f} ")
PY
    # midnight sky, a touch lighter near the horizon, with faint hazy clouds
    convert -size "${W}x${H}" "gradient:#030824-#12275e" "$tmp/stars-sky$s.png"
    convert -size 160x120 -seed 301 plasma:grey50-grey50 -colorspace gray -blur 0x5 -auto-level \
        -resize "${W}x${H}!" -level 55%,100% "$tmp/stars-haze$s.png"
    convert -size "${W}x${H}" xc:"#5b6fb8" \( "$tmp/stars-haze$s.png" -evaluate multiply 0.22 \) \
        -alpha off -compose CopyOpacity -composite "$tmp/stars-hazec$s.png"
    convert -size "${W}x${H}" xc:none -draw "scale $s,$s $(cat "$tmp/stars-small.mvg")" "$tmp/stars-small$s.png"
    convert -size "${W}x${H}" xc:none -draw "scale $s,$s $(cat "$tmp/stars-bright.mvg")" "$tmp/stars-bright$s.png"
    # gold frame: a brown band, a bright gold bead and a dark inner edge
    convert -size "${W}x${H}" xc:none -fill none \
        -draw "scale $s,$s stroke '#4a2c10' stroke-width 12 rectangle 6,6 634,474" \
        -draw "scale $s,$s stroke '#b8862e' stroke-width 3.5 rectangle 11,11 629,469" \
        -draw "scale $s,$s stroke '#f2d27a' stroke-width 1 rectangle 10.2,10.2 629.8,469.8" \
        -draw "scale $s,$s stroke '#1c0f04' stroke-width 1.2 rectangle 13.4,13.4 626.6,466.6" \
        -draw "scale $s,$s stroke '#7a5220' stroke-width 1 rectangle 2.5,2.5 637.5,477.5" \
        "$tmp/stars-frame$s.png"
    convert "$tmp/stars-sky$s.png" \
        "$tmp/stars-hazec$s.png" -compose screen -composite \
        "$tmp/stars-small$s.png" -compose over -composite \
        \( "$tmp/stars-bright$s.png" -blur "0x$((4 * s))" -channel A -evaluate multiply 2.4 +channel \
           -fill "#cfe0ff" -colorize 100 \) -compose screen -composite \
        "$tmp/stars-bright$s.png" -compose over -composite \
        \( "$tmp/stars-frame$s.png" -background black -shadow "70x$((3 * s))+0+0" \) -geometry "-$((6 * s))-$((6 * s))" -compose over -composite \
        "$tmp/stars-frame$s.png" -geometry +0+0 -compose over -composite \
        "$tmp/stars$s.png"
    save_jpeg "$tmp/stars$s.png" "$assets/category-stars$sfx.jpg"
}

# ---------------------------------------------------------------------------
# Wood for frames: soft streaks stretched along the grain plus fine fibres.
#   wood W H SEED DARK LIGHT OUT   (grain runs left to right; W, H final size)
wood() {
    local w=$1 h=$2 seed=$3 dark=$4 light=$5 out=$6
    convert -size "$((w / 12 + 1))x$h" -seed "$seed" plasma:grey50-grey50 -colorspace gray -auto-level \
        -resize "${w}x${h}!" "$tmp/wa.png"
    convert -size "${w}x${h}" xc:gray50 -seed "$((seed + 1))" +noise Random -colorspace gray \
        -motion-blur "0x$((w / 20))+0" -auto-level "$tmp/wb.png"
    convert "$tmp/wa.png" "$tmp/wb.png" -compose blend -define compose:args=35,65 -composite -auto-level \
        +level-colors "$dark,$light" "$out"
}

# Chalkboard: dark slate green with faint eraser marks, in a wooden frame
# with a chalk tray.  Yellow bold text goes on the board, so the smudges stay
# faint and the board dark.
chalkboard() { # scale suffix
    local s=$1 sfx=$2 W=$((575 * $1)) H=$((350 * $1))
    local f=$((21 * s))
    # board: green base, gentle cloudiness, a little grain
    convert -size 575x350 -seed 401 plasma:grey50-grey50 -colorspace gray -blur 0x8 -auto-level \
        -resize "${W}x${H}!" "$tmp/cb-cloud$s.png"
    convert -size "${W}x${H}" xc:gray50 -seed 402 +noise Gaussian -colorspace gray -blur "0x$(calc "0.5*$s")" \
        -auto-level "$tmp/cb-grain$s.png"
    convert "$tmp/cb-cloud$s.png" "$tmp/cb-grain$s.png" -compose blend -define compose:args=25,75 -composite \
        -auto-level +level-colors "#1f3529,#2f4d3b" "$tmp/cb-board$s.png"
    # eraser sweeps: broad, very faint chalky arcs
    local sweeps
    sweeps=$(python3 -c "
import random
r = random.Random(7); out = []
for i in range(9):
    x0, y0 = r.uniform(40, 500), r.uniform(40, 300)
    dx, dy = r.uniform(100, 230), r.uniform(-30, 30)
    v = int(r.uniform(130, 255))
    out.append(f\"stroke 'rgb({v},{v},{v})' stroke-width {r.uniform(14, 26):.1f} path 'M {x0:.0f},{y0:.0f} q {dx/2:.0f},{dy - 25:.0f} {dx:.0f},{dy:.0f}'\")
print(' '.join(out))")
    convert -size "${W}x${H}" xc:black \
        -draw "scale $s,$s fill none stroke-linecap round $sweeps" \
        -blur "0x$((5 * s))" -evaluate multiply 0.1 "$tmp/cb-sweepm$s.png"
    convert -size "${W}x${H}" xc:"#d8e4dc" "$tmp/cb-sweepm$s.png" -alpha off -compose CopyOpacity -composite \
        "$tmp/cb-sweeps$s.png"
    # faint chalk dust, denser towards the tray where it settles
    convert -size "${W}x${H}" xc:black -seed 403 +noise Random -colorspace gray -threshold 99.3% \
        \( -size "${W}x${H}" gradient:black-gray60 \) -compose multiply -composite \
        -blur "0x$(calc "0.6*$s")" "$tmp/cb-dustm$s.png"
    convert -size "${W}x${H}" xc:"#e8efe8" "$tmp/cb-dustm$s.png" -alpha off -compose CopyOpacity -composite "$tmp/cb-dust$s.png"
    # the wooden frame, mitred at the corners
    wood "$W" "$f" 411 "#3a2010" "#7b4c26" "$tmp/cb-wh$s.png"
    wood "$W" "$f" 413 "#3a2010" "#7b4c26" "$tmp/cb-wh2$s.png"
    wood "$H" "$f" 415 "#3a2010" "#7b4c26" "$tmp/cb-wv$s.png"
    wood "$H" "$f" 417 "#3a2010" "#7b4c26" "$tmp/cb-wv2$s.png"
    convert -size "${W}x${H}" xc:none \
        \( "$tmp/cb-wh$s.png" \) -geometry +0+0 -compose over -composite \
        \( "$tmp/cb-wh2$s.png" -flip \) -geometry "+0+$((H - f))" -compose over -composite \
        "$tmp/cb-wood-h$s.png"
    convert -size "${W}x${H}" xc:none \
        \( "$tmp/cb-wv$s.png" -rotate 90 \) -geometry +0+0 -compose over -composite \
        \( "$tmp/cb-wv2$s.png" -rotate 270 \) -geometry "+$((W - f))+0" -compose over -composite \
        "$tmp/cb-wood-v$s.png"
    # masks: top and bottom trapezoids take the horizontal wood, sides the vertical
    convert -size "${W}x${H}" xc:black -fill white \
        -draw "polygon 0,0 $W,0 $((W - f)),$f $f,$f" \
        -draw "polygon 0,$H $W,$H $((W - f)),$((H - f)) $f,$((H - f))" "$tmp/cb-mask-h$s.png"
    convert -size "${W}x${H}" xc:black -fill white \
        -draw "polygon 0,0 $f,$f $f,$((H - f)) 0,$H" \
        -draw "polygon $W,0 $((W - f)),$f $((W - f)),$((H - f)) $W,$H" "$tmp/cb-mask-v$s.png"
    convert "$tmp/cb-wood-h$s.png" "$tmp/cb-mask-h$s.png" -alpha off -compose CopyOpacity -composite "$tmp/cb-fh$s.png"
    convert "$tmp/cb-wood-v$s.png" "$tmp/cb-mask-v$s.png" -alpha off -compose CopyOpacity -composite "$tmp/cb-fv$s.png"
    # bevels: light on the outer top/left edges, dark where the frame meets the board
    convert -size "${W}x${H}" xc:none -fill none \
        -draw "scale $s,$s stroke '#c08a55' stroke-opacity 0.55 stroke-width 1.2 polyline 0.6,349 0.6,0.6 574,0.6" \
        -draw "scale $s,$s stroke '#120802' stroke-opacity 0.8 stroke-width 1.2 polyline 1,349.4 574.4,349.4 574.4,1" \
        -draw "scale $s,$s stroke '#160a03' stroke-opacity 0.9 stroke-width 1.5 rectangle 20.5,20.5 554.5,329.5" \
        -draw "scale $s,$s stroke '#a67443' stroke-opacity 0.5 stroke-width 1 polyline 22,328 553,328 553,22" \
        -draw "scale $s,$s stroke '#2a1608' stroke-opacity 0.6 stroke-width 1 line 0,0 21,21 line 575,0 554,21 line 0,350 21,329 line 575,350 554,329" \
        "$tmp/cb-bevel$s.png"
    # the frame casts a soft shadow onto the board
    convert -size "${W}x${H}" xc:black -fill white -draw "rectangle $f,$f $((W - f - 1)),$((H - f - 1))" \
        -negate -blur "0x$((5 * s))" -evaluate multiply 0.8 "$tmp/cb-shadowm$s.png"
    convert -size "${W}x${H}" xc:black "$tmp/cb-shadowm$s.png" -alpha off -compose CopyOpacity -composite "$tmp/cb-shadow$s.png"
    # chalk tray along the bottom, with a stick of chalk and a felt eraser on it
    local tray
    tray="fill '#5e3a1c' stroke '#1c0e05' stroke-width 0.8 rectangle 16,321 559,333 \
          fill '#8a5a30' stroke none rectangle 17,321.5 558,323.5 \
          fill '#f4f1e6' stroke '#b8b4a6' stroke-width 0.5 roundrectangle 420,316.5 452,321 2,2 \
          fill '#e8d060' stroke '#a8902c' stroke-width 0.5 roundrectangle 458,317.5 472,321 1.5,1.5 \
          fill '#4a3a2c' stroke '#20160c' stroke-width 0.6 roundrectangle 110,313 150,321 2,2 \
          fill '#9a9890' stroke none rectangle 111,319 149,320.6"
    convert -size "${W}x${H}" xc:none -draw "scale $s,$s $tray" "$tmp/cb-tray$s.png"
    convert "$tmp/cb-board$s.png" \
        "$tmp/cb-sweeps$s.png" -compose over -composite \
        "$tmp/cb-dust$s.png" -compose over -composite \
        "$tmp/cb-shadow$s.png" -compose over -composite \
        "$tmp/cb-fh$s.png" -compose over -composite \
        "$tmp/cb-fv$s.png" -compose over -composite \
        "$tmp/cb-bevel$s.png" -compose over -composite \
        \( "$tmp/cb-tray$s.png" -background black -shadow "60x$((2 * s))+0+$((2 * s))" \) -geometry "-$((4 * s))-$((2 * s))" -compose over -composite \
        "$tmp/cb-tray$s.png" -geometry +0+0 -compose over -composite \
        "$tmp/chalk$s.png"
    save_jpeg "$tmp/chalk$s.png" "$assets/chalkboard$sfx.jpg"
}

# ---------------------------------------------------------------------------
# Each picture at normal size and at twice the size.  The title banner is cut
# from the main background's parchment, so it must come after it.
write_tree_generator
for scale in 1 2; do
    suffix=""
    [[ $scale == 2 ]] && suffix="@2x"
    main_background "$scale" "$suffix"
    title_banner "$scale" "$suffix"
    category_light "$scale" "$suffix"
    category_stars "$scale" "$suffix"
    chalkboard "$scale" "$suffix"
done
icon

echo "pictures written to $assets"
