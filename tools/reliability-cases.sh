#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# The reliability cases that are not QTest programs, each a test of the reliability preset:
#   tools/reliability-cases.sh starts|music|memory BUILD_FOLDER
# starts: second starts, starts after a kill, guards another user or a long path would
# break, starts short of memory or descriptors, in a private Xvfb server; music: the music
# tests many times beside a busy test; memory: every window opened and closed many times,
# measured, and under valgrind. Each prints its rows as "row: CASE<TAB>TRIES<TAB>RESULT"
# and ends with status 1 when one failed, 77 (skipped) when a program it needs is missing.
set -uo pipefail
what=$1
build=$(cd "$2" && pwd)
cd "$(dirname "$0")/.."
logs=$build/reliability
mkdir -p "$logs"
other=${LUMORA_OTHER_USER:-}
churn_rounds=${LUMORA_CHURN_ROUNDS:-100}
music_rounds=${LUMORA_MUSIC_ROUNDS:-50}
# Live allocations may grow by this much over all the rounds: Qt 6.4's pixmap cache keeps
# a few hundred bytes of every key it was ever given (see README, Reliability), about
# 1 KiB per configuration window; a window of ours left behind would cost far more.
# A short run allows for what a first round leaves in caches: 64 KiB at least.
max_heap_growth_kib=${LUMORA_MAX_HEAP_GROWTH_KIB:-$((churn_rounds * 4 > 64 ? churn_rounds * 4 : 64))}
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
failed=0
row() { printf 'row: %s\t%s\t%s\n' "$1" "$2" "$3"; [ "$3" = FAIL ] && failed=1; }
say() { printf 'reliability: %s\n' "$*"; }
needs() { for p in "$@"; do command -v "$p" >/dev/null || { echo "skipped: needs $p"; exit 77; }; done; }

case $what in
starts)
    needs Xvfb xdotool
    say "second starts and starved starts, in a private X server"
    app=$(mktemp -d)
    cp -a "$build"/lumora/. "$app/"
    printf '%s\r\n' "$app" >"$app/path.lmr"
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
    xpid=$!
    for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
    display=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
    windows_of() { DISPLAY=$display xdotool search --onlyvisible --pid "$1" "${@:2}" 2>/dev/null | wc -l; }
    wait_window() { # pid; true once it shows a window, false when it ends or 20 s pass
        for _ in $(seq 200); do
            kill -0 "$1" 2>/dev/null || return 1
            [ "$(windows_of "$1")" -gt 0 ] && return 0
            sleep 0.1
        done
        return 1
    }
    start_app() { DISPLAY=$display QT_QPA_PLATFORM=xcb "$app/lumora" 2>/dev/null & }
    second_start() { DISPLAY=$display QT_QPA_PLATFORM=xcb timeout 30 "$app/lumora" 2>/dev/null; }
    boxes_of() { # message boxes ("Lumora") a process shows; Qt's hidden 1x1 window of that name aside
        local n=0 id
        for id in $(DISPLAY=$display xdotool search --all --onlyvisible --pid "$1" --name '^Lumora$' 2>/dev/null); do
            DISPLAY=$display xdotool getwindowgeometry "$id" | grep -q 'Geometry: 1x1$' || n=$((n + 1))
        done
        echo $n
    }
    start_app
    first=$!
    if wait_window "$first"; then
        sleep 1
        begun=$(date +%s%N)
        second_start
        status=$?
        ms=$(( ($(date +%s%N) - begun) / 1000000 ))
        count=$(windows_of "$first")
        if [ $status -eq 0 ] && [ "$count" -eq 1 ] && kill -0 "$first" 2>/dev/null; then
            row "second start on one folder" "exit 0 in $ms ms, 1 main window" PASS
        else
            row "second start on one folder" "exit $status in $ms ms, $count windows" FAIL
        fi
        kill -9 "$first"
        wait "$first" 2>/dev/null
        start_app
        again=$!
        if wait_window "$again"; then row "start after the first was killed" "runs" PASS
        else row "start after the first was killed" "no window" FAIL; fi
        kill -9 "$again" 2>/dev/null
        wait "$again" 2>/dev/null
    else
        row "second start on one folder" "the first showed no window" FAIL
    fi
    # Lock and socket where no other user could make the folder first, and a runtime folder
    # whose path is longer than a socket address: a second start still hands over.
    guard_row() { # case, then what the environment of both starts differs in (env's arguments)
        local name=$1 pid status
        shift
        (exec env "$@" DISPLAY="$display" QT_QPA_PLATFORM=xcb "$app/lumora") 2>/dev/null &
        pid=$!
        if wait_window "$pid"; then
            sleep 1
            env "$@" DISPLAY="$display" QT_QPA_PLATFORM=xcb timeout 30 "$app/lumora" 2>"$logs/guard.err"
            status=$?
            # A second copy would run until `timeout` ends it (124).
            if [ $status -eq 0 ] && [ "$(windows_of "$pid")" -eq 1 ]; then
                row "$name" "second start hands over" PASS
            else
                row "$name" "exit $status: $(head -c 60 "$logs/guard.err")" FAIL
            fi
        else
            row "$name" "the first showed no window" FAIL
        fi
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    }
    mine=/tmp/runtime-$(id -un)
    if [ -n "$other" ]; then
        [ -e "$mine" ] && mv "$mine" "$mine.reliability"
        install -d -m 0777 -o "$other" "$mine"
        guard_row "/tmp/runtime-$(id -un) made first by $other" -u XDG_RUNTIME_DIR
        rm -rf "$mine"
        [ -e "$mine.reliability" ] && mv "$mine.reliability" "$mine"
    else
        row "runtime folder made first by another user" "skipped: needs root and another user" SKIP
    fi
    runtime=$(mktemp -d)
    chmod 0777 "$runtime"
    guard_row "XDG_RUNTIME_DIR open to others (0777)" XDG_RUNTIME_DIR="$runtime"
    long=$runtime/$(printf 'r%.0s' $(seq 120))
    install -d -m 0700 "$long"
    guard_row "XDG_RUNTIME_DIR of ${#long} characters" XDG_RUNTIME_DIR="$long"
    rm -rf "$runtime"

    limits=("-v 80000" "-v 100000" "-v 200000")
    for n in 6 7 8 9 10 11 12 16 32; do limits+=("-n $n"); done
    for limit in "${limits[@]}"; do
        status=""
        (ulimit $limit && exec env DISPLAY="$display" QT_QPA_PLATFORM=xcb "$app/lumora") \
            >/dev/null 2>"$logs/starved.err" &
        pid=$!
        outcome=""
        for _ in $(seq 200); do
            if ! kill -0 "$pid" 2>/dev/null; then
                wait "$pid"
                status=$?
                # Short of descriptors a start ends with a message of ours, never in a signal
                # (GLib's SIGTRAP); short of memory, Qt's own message and abort are all there is.
                [ $status -ne 0 ] && [ -s "$logs/starved.err" ] &&
                    { [ $status -lt 128 ] || [ "${limit% *}" = -v ]; } &&
                    outcome="ends, status $status, says why"
                break
            fi
            if [ "$(windows_of "$pid")" -gt 0 ]; then
                sleep 2
                if [ "$(boxes_of "$pid")" -gt 0 ]; then
                    outcome="reports it in a message box"
                elif second_start; then
                    outcome="starts, answers a second start"
                else
                    outcome="starts, too few descriptors to answer"
                fi
                break
            fi
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        if [ -n "$outcome" ]; then row "start with ulimit $limit" "$outcome" PASS
        elif [ -z "$status" ]; then row "start with ulimit $limit" "no window, no end in 20 s" FAIL
        else row "start with ulimit $limit" "status $status: $(head -c 40 "$logs/starved.err")" FAIL; fi
    done
    kill "$xpid" 2>/dev/null
    wait "$xpid" 2>/dev/null
    rm -rf "$app"
    ;;
music)
    say "music: the music tests $music_rounds times while another test runs beside them"
    rm -f "$logs/music.done" "$logs/music-failed.log"
    (while [ ! -e "$logs/music.done" ]; do "$build"/tests/tst_mainwindow >/dev/null 2>&1; done) &
    busy=$!
    failures=0
    for _ in $(seq "$music_rounds"); do
        "$build"/tests/tst_music playsThroughTheSynthesizerAndStops buttonsFollowTheStateTable \
            rebuildingTheMainWindowStopsTheMusic >"$logs/music.log" 2>&1 ||
            { failures=$((failures + 1)); cp "$logs/music.log" "$logs/music-failed.log"; }
    done
    touch "$logs/music.done"
    wait "$busy"
    result=PASS
    [ $failures -eq 0 ] || { tail -20 "$logs/music-failed.log"; result=FAIL; }
    row "music played and stopped beside a busy test" "$failures of $music_rounds runs failed" $result
    ;;
memory)
    needs valgrind
    say "opening and closing every window $churn_rounds times"
    "$build"/tests/window-churn "$churn_rounds" >"$logs/churn.log" 2>&1
    status=$?
    cat "$logs/churn.log"
    heap=$(grep -o 'heap in use .*growth -\?[0-9]* KiB' "$logs/churn.log" | grep -o -- '-\?[0-9]* KiB$' | grep -o -- '-\?[0-9]*')
    resident=$(grep -o 'resident after .*growth -\?[0-9]* KiB' "$logs/churn.log" | grep -o -- 'growth -\?[0-9]*' | grep -o -- '-\?[0-9]*')
    if [ $status -eq 0 ] && [ -n "$heap" ] && [ "$heap" -le "$max_heap_growth_kib" ]; then
        row "memory: every window opened $churn_rounds times" "heap +$heap KiB, RSS +$resident KiB" PASS
    else
        row "memory: every window opened $churn_rounds times" "heap +${heap:-?} KiB, RSS +${resident:-?} KiB" FAIL
    fi

    say "valgrind memcheck, every window opened 1 and 10 times"
    declare -A lost
    for n in 1 10; do
        valgrind --leak-check=full --num-callers=30 "$build"/tests/window-churn "$n" \
            >"$logs/valgrind-$n.log" 2>&1
        lost[$n]=$(grep -o 'definitely lost: [0-9,]* bytes' "$logs/valgrind-$n.log" | grep -o '[0-9,]*' | tr -d ,)
        grep -E 'definitely lost|indirectly lost|ERROR SUMMARY' "$logs/valgrind-$n.log"
    done
    if [ -n "${lost[1]}" ] && [ -n "${lost[10]}" ] && [ "${lost[10]}" -le "${lost[1]}" ]; then
        row "valgrind: definitely lost, 1 and 10 rounds" "${lost[1]} and ${lost[10]} bytes" PASS
    else
        row "valgrind: definitely lost, 1 and 10 rounds" "${lost[1]:-?} and ${lost[10]:-?} bytes" FAIL
    fi
    ;;
*)
    echo "usage: tools/reliability-cases.sh starts|music|memory BUILD_FOLDER" >&2
    exit 2
    ;;
esac
exit $failed
