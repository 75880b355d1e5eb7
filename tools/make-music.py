#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
"""Writes Lumora's two pieces of background music as Standard MIDI Files.

    data/music.mid   "Old Hundredth" (Genevan Psalter, 1551), four verses
    data/music2.mid  "New Britain" (American tune, 1829/1831), three verses
                     framed by a short introduction and ending

Both tunes are in the public domain; the four-part settings below were
written for Lumora.  The files are played through a General MIDI
synthesizer, so only GM programs are used and nothing goes to the drum
channel.  Every verse is balanced to the same level, about -19 dB RMS as
Lumora plays it (the test of the music checks each ten seconds of both
pieces): background music that is heard from its first second and never
swells into the foreground.

Standard library only.  The output is byte-for-byte the same on every run.

Usage: tools/make-music.py        (from any folder)
"""
import math
import os
import struct

TPQ = 480  # ticks per quarter note
NOTE_NAMES = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}

# General MIDI programs (numbered from 0).
PIANO, CHURCH_ORGAN, STRINGS, FLUTE = 0, 19, 48, 73
DRUM_CHANNEL = 9

CC_VOLUME, CC_PAN, CC_EXPRESSION, CC_REVERB, CC_CHORUS = 7, 10, 11, 91, 93


# --------------------------------------------------------------------------
# Standard MIDI File output


def vlq(n):
    """Variable-length quantity as used for delta times and meta lengths."""
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


class Track:
    # Events at the same tick go out in this order, so that a note that ends
    # where the next one starts is released before the new one is struck,
    # and program changes land between the two.
    OFF, CONTROL, ON = 0, 1, 2

    def __init__(self, name, channel=None):
        assert channel != DRUM_CHANNEL, 'channel 10 would play the tune on drums'
        self.channel = channel
        self.events = []  # (tick, order, sequence, bytes)
        self.notes = []  # (start, end, pitch, velocity)
        self.meta(0, 0x03, name.encode('ascii'))

    def _add(self, tick, order, data):
        self.events.append((tick, order, len(self.events), data))

    def meta(self, tick, kind, data):
        self._add(tick, self.CONTROL, b'\xff' + bytes([kind]) + vlq(len(data)) + data)

    def tempo(self, tick, bpm):
        # The file format always counts quarter notes per minute.
        self.meta(tick, 0x51, struct.pack('>I', round(60_000_000 / bpm))[1:])

    def program(self, tick, program):
        self._add(tick, self.CONTROL, bytes([0xC0 | self.channel, program]))

    def control(self, tick, number, value):
        self._add(tick, self.CONTROL, bytes([0xB0 | self.channel, number, value]))

    def note(self, start, end, pitch, velocity):
        assert 0 <= pitch < 128 and 0 < velocity < 128 and start < end
        self.notes.append((start, end, pitch, velocity))

    def chunk(self, end_tick):
        events = list(self.events)
        # Two parts sharing a channel can meet on one key (the alto touching
        # the tenor's note); a key cannot sound twice, so the earlier note
        # is cut where the later one starts and every note-on keeps its own
        # note-off.
        notes = sorted(self.notes)
        for i, (start, end, pitch, velocity) in enumerate(notes):
            for later in notes[i + 1:]:
                if later[0] >= end:
                    break
                if later[2] == pitch:
                    end = later[0]
            if end > start:
                seq = len(events)
                events.append((start, self.ON, seq, bytes([0x90 | self.channel, pitch, velocity])))
                events.append((end, self.OFF, seq + 1, bytes([0x80 | self.channel, pitch, 64])))
        events.sort()
        assert not events or events[-1][0] <= end_tick
        out, now = bytearray(), 0
        for tick, _, _, data in events:
            out += vlq(tick - now) + data
            now = tick
        out += vlq(end_tick - now) + b'\xff\x2f\x00'
        return b'MTrk' + struct.pack('>I', len(out)) + bytes(out)

    def last_tick(self):
        return max([e[0] for e in self.events] + [n[1] for n in self.notes])


def write_smf(path, tracks, tail):
    end = max(t.last_tick() for t in tracks) + tail
    data = b'MThd' + struct.pack('>IHHH', 6, 1, len(tracks), TPQ)
    data += b''.join(t.chunk(end) for t in tracks)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)
    print('wrote %s (%d bytes)' % (path, len(data)))


# Channel volume (CC7) for each instrument.  The pieces are heard through the
# soundfont Lumora installs (TimGM6mb), whose instruments differ widely in
# loudness: a chord on its strings sounds some 13 dB louder than the same
# chord on its church organ and louder still than on its piano.  Each program
# brings its own channel volume, so that a verse keeps its level whichever
# instruments carry it and velocity and expression are left to shape the music.
BALANCE = {PIANO: 127, CHURCH_ORGAN: 127, STRINGS: 76, FLUTE: 110}


def instrument(track, tick, program):
    track.program(tick, program)
    track.control(tick, CC_VOLUME, BALANCE[program])


def setup_channel(track, program, pan, reverb=60, chorus=10):
    instrument(track, 0, program)
    track.control(0, CC_PAN, pan)
    track.control(0, CC_REVERB, reverb)
    track.control(0, CC_CHORUS, chorus)


# --------------------------------------------------------------------------
# Music text: "G4:2 F#4 E4 | D4:.5 ..."  (pitch, octave, length in beats;
# no length means one beat; "|" marks a bar line and is checked; "~" ties a
# note into the next one of the same pitch across a bar line)


def pitch(name):
    step, octave = name[0], int(name[-1])
    accidental = name[1:-1]
    value = NOTE_NAMES[step] + {'': 0, '#': 1, 'b': -1}[accidental]
    return value + 12 * (octave + 1)


def parse_voice(text, bar_beats, first_bar=None, last_bar=None):
    """Returns [(pitch, beats)].  Checks every bar is full, except the
    pickup and the closing bar, whose lengths are given."""
    notes, bars, current, tied = [], [], 0.0, False
    for token in text.split():
        if token == '|':
            bars.append(current)
            current = 0.0
            continue
        tie = token.endswith('~')
        name, _, beats = token.rstrip('~').partition(':')
        beats = float(beats) if beats else 1.0
        if tied:
            assert notes[-1][0] == pitch(name), 'tie between different notes: %s' % token
            notes[-1] = (notes[-1][0], notes[-1][1] + beats)
        else:
            notes.append((pitch(name), beats))
        tied = tie
        current += beats
    bars.append(current)
    expected = [bar_beats] * len(bars)
    if first_bar is not None:
        expected[0] = first_bar
    if last_bar is not None:
        expected[-1] = last_bar
    if bars != expected:
        raise ValueError('bar lengths %s in %r' % (bars, text[:40]))
    return notes


def check_voices(parts):
    """The parts must last equally long and never cross (soprano above alto
    above tenor above bass; alto and tenor may touch)."""
    ends = {sum(d for _, d in p) for p in parts}
    assert len(ends) == 1, 'parts differ in length: %s' % ends

    def sounding(part, t):
        pos = 0.0
        for p, d in part:
            if pos <= t < pos + d:
                return p
            pos += d

    times = sorted({sum(d for _, d in part[:i]) for part in parts for i in range(len(part))})
    for t in times:
        s, a, te, b = (sounding(p, t) for p in parts)
        assert s > a >= te > b, 'voices cross at beat %g: %s' % (t, (s, a, te, b))


# --------------------------------------------------------------------------
# Playing a part


def play(track, notes, start_tick, beat_ticks, velocity, breath_after=(), transpose=0,
         legato=0.96):
    """Plays [(pitch, beats)] from start_tick.  A repeated pitch is parted
    a little more so that it is heard as a new note; notes whose index is in
    breath_after are cut shorter, as a player breathes at a phrase end."""
    tick = start_tick
    for i, (p, beats) in enumerate(notes):
        length = round(beats * beat_ticks)
        nxt = notes[i + 1][0] if i + 1 < len(notes) else None
        if i in breath_after:
            sound = length - min(beat_ticks // 2, length // 4)
        elif nxt == p:
            sound = length - beat_ticks // 6
        else:
            sound = round(length * legato)
        track.note(tick, tick + sound, p + transpose, velocity)
        tick += length
    return tick


def expression_curve(track, start, end, base, swing, beat_ticks, phrase_ticks, fade_to=None):
    """Writes CC11 once a beat: each phrase swells a little towards its
    middle and relaxes again; fade_to takes the level down evenly across
    the span (used under the last chord)."""
    last = None
    tick = start
    while tick < end:
        pos = ((tick - start) % phrase_ticks) / phrase_ticks
        value = base + swing * math.sin(math.pi * pos)
        if fade_to is not None:
            value = base + (fade_to - base) * (tick - start) / (end - start)
        value = max(0, min(127, round(value)))
        if value != last:
            track.control(tick, CC_EXPRESSION, value)
            last = value
        tick += beat_ticks


# --------------------------------------------------------------------------
# Old Hundredth, G major, 2/2.  One unit is a minim; every line opens and
# closes with a semibreve, so each line is five bars.

OLD100 = {
    'S': ['G4:2 G4 F#4 E4 D4 G4 A4 B4:2',
          'B4:2 B4 B4 A4 G4 C5 B4 A4:2',
          'G4:2 A4 B4 A4 G4 E4 F#4 G4:2',
          'D5:2 B4 G4 A4 C5 B4 A4 G4:2'],
    'A': ['D4:2 E4 D4 C4 B3 B3 D4 D4:2',
          'D4:2 E4 D4 D4 B3 C4 D4 D4:2',
          'B3:2 C4 D4 D4 D4 C4 D4 D4:2',
          'D4:2 D4 E4 E4 E4 G4 F#4 D4:2'],
    'T': ['B3:2 B3 B3 G3 G3 G3 F#3 G3:2',
          'G3:2 G3 G3 F#3 G3 G3 G3 F#3:2',
          'G3:2 F#3 G3 A3 B3 A3 A3 B3:2',
          'B3:2 G3 G3 E3 G3 G3 A3 B3:2'],
    'B': ['G3:2 E3 B2 C3 G2 E3 D3 G2:2',
          'G2:2 E2 G2 D3 E3 E3 D3 D3:2',
          'E3:2 A2 G2 F#2 G2 A2 D3 G2:2',
          'G2:2 B2 C3 C3 C3 D3 D3 G3:2'],
}
# Chords, for reading the setting above:
#   I vi iii IV I vi V I      | I vi I V vi IV6 I64 V
#   vi vii6 I V6 I ii V I     | I I6 IV ii6 IV I64 V I


def old_hundredth(path):
    minim = 2 * TPQ
    tempo = 96  # minims per minute
    line_units = 10

    def verse_parts(last=False):
        parts = {}
        for voice, lines in OLD100.items():
            notes = []
            for line in lines:
                notes += parse_voice(line, line_units)
            parts[voice] = notes
        if last:
            # The closing chord is held under a fermata (twice as long), and
            # the bass drops to the low G for a firmer ending.
            for voice in parts:
                p, d = parts[voice][-1]
                parts[voice][-1] = (p - 12 if voice == 'B' else p, d * 2)
        check_voices([parts[v] for v in 'SATB'])
        return parts

    # Line ends (index of the last note of each line) get a breath.
    line_ends = {7, 15, 23, 31}

    conductor = Track('Old Hundredth (Genevan Psalter, 1551)')
    conductor.meta(0, 0x58, bytes([2, 1, 48, 8]))  # 2/2
    conductor.meta(0, 0x59, bytes([1, 0]))  # G major
    conductor.tempo(0, tempo * 2)  # in quarters

    names = {'S': 'Soprano', 'A': 'Alto', 'T': 'Tenor', 'B': 'Bass'}
    pans = {'S': 72, 'A': 56, 'T': 68, 'B': 60}
    voice_tracks = {}
    for ch, v in enumerate('SATB'):
        voice_tracks[v] = Track(names[v], ch)
        setup_channel(voice_tracks[v], CHURCH_ORGAN, pans[v])
    flute = Track('Flute', 4)
    setup_channel(flute, FLUTE, 84, reverb=70)
    pedal = Track('Pedal', 5)
    setup_channel(pedal, CHURCH_ORGAN, 64)
    strings = Track('Strings', 6)
    setup_channel(strings, STRINGS, 44, reverb=70)

    # verse: (program of the four parts, velocity, expression, flute,
    #         strings under the organ, low pedal)
    verses = [
        (CHURCH_ORGAN, 116, 122, False, False, True),  # organ and pedal
        (STRINGS, 96, 120, True, False, False),  # strings, flute above the tune
        (CHURCH_ORGAN, 108, 122, False, True, True),  # fuller, strings underneath
        (CHURCH_ORGAN, 108, 126, True, True, True),  # everything, slowing at the end
    ]
    tick = 0
    for n, (program, vel, expr, with_flute, with_strings, with_pedal) in enumerate(verses):
        last = n == len(verses) - 1
        parts = verse_parts(last)
        start = tick
        for v in 'SATB':
            t = voice_tracks[v]
            if n:
                instrument(t, start, program)
            accent = 5 if v == 'S' else 0
            end = play(t, parts[v], start, minim, vel + accent, breath_after=line_ends)
            expression_curve(t, start, end, expr - 8, 8, minim, line_units * minim)
        if with_flute:
            play(flute, parts['S'], start, minim, vel - 4, breath_after=line_ends, transpose=12)
            expression_curve(flute, start, end, expr - 12, 10, minim, line_units * minim)
        if with_strings:
            for v in 'ATB':
                play(strings, parts[v], start, minim, vel - 24, breath_after=line_ends)
            expression_curve(strings, start, end, expr - 12, 10, minim, line_units * minim)
        if with_pedal:
            play(pedal, parts['B'], start, minim, vel - 6, breath_after=line_ends, transpose=-12)
            expression_curve(pedal, start, end, expr - 10, 6, minim, line_units * minim)
        if last:
            # Ritardando over the last line: after its opening semibreve the
            # pace eases minim by minim, down to 62 under the held chord.
            line_start = start + 3 * line_units * minim
            steps = [94, 90, 86, 82, 77, 72, 66, 62]
            for i, bpm in enumerate(steps):
                conductor.tempo(line_start + (2 + i) * minim, bpm * 2)
        tick = end
    tracks = [conductor] + [voice_tracks[v] for v in 'SATB'] + [flute, pedal, strings]
    write_smf(path, tracks, tail=minim // 2)


# --------------------------------------------------------------------------
# New Britain, G major, 3/4.  One unit is a crotchet.  A verse runs from
# the one-beat pickup to the two-beat bar that closes it.

GRACE = {
    'S': 'D4 | G4:2 B4:.5 G4:.5 | B4:2 A4 | G4:2 E4 | D4:2 D4 | G4:2 B4:.5 G4:.5 | B4:2 A4 '
         '| D5:3~ | D5:2 B4 | D5:2 B4:.5 G4:.5 | B4:2 A4 | G4:2 E4 | D4:2 D4 '
         '| G4:2 B4:.5 G4:.5 | B4:2 A4 | G4:3~ | G4:2',
    'A': 'C4 | B3:2 D4 | D4:2 B3 | C4:3 | B3:2 C4 | B3:2 D4 | D4:2 F#4~ '
         '| F#4:3~ | F#4:2 G4 | G4:2 D4 | D4:2 B3 | C4:3 | B3:2 C4 '
         '| B3:2 D4 | D4:2 C4 | B3:3~ | B3:2',
    'T': 'F#3 | G3:3 | G3:2 F3 | E3:2 G3 | G3:2 F#3 | G3:3 | G3:2 A3~ '
         '| A3:3 | C4:2 B3 | B3:2 G3 | G3:2 F3 | E3:2 G3 | G3:2 F#3 '
         '| G3:3 | G3:2 F#3 | G3:3~ | G3:2',
    'B': 'A2 | G2:3 | G2:3 | C3:3 | G2:2 A2 | G2:3 | G2:2 D3~ '
         '| D3:3~ | D3:2 G2 | G2:2 B2 | G2:3 | C3:3 | G2:2 A2 '
         '| G2:3 | D3:3 | G2:3~ | G2:2',
}
# Chords, bar by bar (the A of bars 2 and 10 passes over a G7 that leads
# into the C chord):
#   V43 | I | I G7 | IV | I V43 | I | I V | V | V7 I | I I6
#   | I G7 | IV | I V43 | I | I64 V7 | I |


def new_britain(path):
    crotchet = TPQ
    tempo = 96
    verse_beats = 48

    parts = {v: parse_voice(GRACE[v], 3, first_bar=1, last_bar=2) for v in 'SATB'}
    check_voices([parts[v] for v in 'SATB'])

    def last_line(voice):
        """The pickup and last three bars, used to open and close the piece."""
        notes, pos, out = parts[voice], 0.0, []
        for p, d in notes:
            if pos >= verse_beats - 12:
                out.append((p, d))
            pos += d
        return out

    conductor = Track('New Britain (American tune, 1829/1831)')
    conductor.meta(0, 0x58, bytes([3, 2, 24, 8]))  # 3/4
    conductor.meta(0, 0x59, bytes([1, 0]))  # G major
    conductor.tempo(0, tempo)

    piano = Track('Piano', 0)
    setup_channel(piano, PIANO, 64, reverb=55)
    strings = Track('Strings', 1)
    setup_channel(strings, STRINGS, 48, reverb=70)
    organ = Track('Organ', 2)
    setup_channel(organ, CHURCH_ORGAN, 72, reverb=60)
    flute = Track('Flute', 3)
    setup_channel(flute, FLUTE, 84, reverb=70)
    tracks = [conductor, piano, strings, organ, flute]

    def play_satb(track, voices, start, vel, melody_lift=8, legato=0.96):
        end = start
        for v in 'SATB':
            lift = melody_lift if v == 'S' else 0
            end = play(track, voices[v], start, crotchet, vel + lift, legato=legato)
        return end

    # Introduction: a rolled G chord on the piano for the first two beats,
    # so that the pickup falls on beat three, then the last line of the tune
    # with the strings coming in quietly underneath (they also carry the
    # sound on through the long last chord while the piano dies away).
    for i, p in enumerate(['G2', 'D3', 'B3', 'G4']):
        piano.note(i * 40, 2 * crotchet - 10, pitch(p), 100)
        if i < 3:
            strings.note(0, 2 * crotchet - 10, pitch(p), 92)
    expression_curve(piano, 0, 14 * crotchet, 118, 8, crotchet, 12 * crotchet)
    intro = {v: last_line(v) for v in 'SATB'}
    tick = play_satb(piano, intro, 2 * crotchet, 100)
    for v in 'ATB':
        play(strings, intro[v], 2 * crotchet, crotchet, 94, legato=1.0)
    expression_curve(strings, 0, tick, 106, 12, crotchet, 14 * crotchet)

    # Verse 1: piano, with the strings sustaining the lower parts softly.
    start = tick
    end = play_satb(piano, parts, start, 104)
    expression_curve(piano, start, end, 118, 8, crotchet, 12 * crotchet)
    for v in 'ATB':
        play(strings, parts[v], start, crotchet, 96, legato=1.0)
    expression_curve(strings, start, end, 108, 12, crotchet, 12 * crotchet)
    tick = end

    # Verse 2: the organ alone.
    start = tick
    end = play_satb(organ, parts, start, 116, melody_lift=4)
    expression_curve(organ, start, end, 116, 8, crotchet, 12 * crotchet)
    tick = end

    # Verse 3: strings in full, the piano underneath, a flute an octave
    # above the tune.
    start = tick
    end = play_satb(strings, parts, start, 84, melody_lift=6, legato=1.0)
    expression_curve(strings, start, end, 116, 10, crotchet, 12 * crotchet)
    play_satb(piano, parts, start, 76)
    play(flute, parts['S'], start, crotchet, 76, transpose=12)
    expression_curve(flute, start, end, 108, 10, crotchet, 12 * crotchet)
    tick = end

    # Ending: the last line once more on the piano over soft strings,
    # slowing, and the last chord held while it fades a little.
    start = tick
    coda = {v: last_line(v) for v in 'SATB'}
    for v in coda:
        p, d = coda[v][-1]
        coda[v][-1] = (p, d + 1)  # no pickup follows: hold the chord 6 beats
    end = play_satb(piano, coda, start, 100)
    for v in 'SATB':
        play(strings, coda[v], start, crotchet, 94, legato=1.0)
    expression_curve(piano, start, end - 6 * crotchet, 118, 4, crotchet, 6 * crotchet)
    expression_curve(strings, start, end - 6 * crotchet, 112, 4, crotchet, 6 * crotchet)
    expression_curve(strings, end - 6 * crotchet, end, 116, 0, crotchet, 6 * crotchet, fade_to=104)
    for i, bpm in enumerate([92, 88, 84, 80, 76, 72, 68, 66]):
        conductor.tempo(start + (3 + i) * crotchet, bpm)
    write_smf(path, tracks, tail=crotchet // 2)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    old_hundredth(os.path.join(root, 'data', 'music.mid'))
    new_britain(os.path.join(root, 'data', 'music2.mid'))


if __name__ == '__main__':
    main()
