#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# The reliability suite, run by `./build.sh reliability`: saves killed at random moments,
# full disks, hostile files and paths, fuzzing, sanitizers and memory over many windows.
# It builds in folders of its own (build-rel, build-asan, build-fuzz), never in build/,
# and ends with a table of case, tries and result. Exit status 1 when a case failed.
#
# Settings, from the environment:
#   LUMORA_KILLS=500          counted kills for each kill test
#   LUMORA_FUZZ_SECONDS=60    how long each fuzz target runs
#   LUMORA_CHURN_ROUNDS=100   rounds of opening and closing every window
#   LUMORA_RACE_ROUNDS=2000   saves by each of two processes saving the same files at once
#   LUMORA_MUSIC_ROUNDS=50    runs of the music tests that start, replace and stop pieces
#   LUMORA_JOBS=$(nproc)      parallel build jobs
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
started=$(date +%s)

kills=${LUMORA_KILLS:-500}
fuzz_seconds=${LUMORA_FUZZ_SECONDS:-60}
churn_rounds=${LUMORA_CHURN_ROUNDS:-100}
race_rounds=${LUMORA_RACE_ROUNDS:-2000}
music_rounds=${LUMORA_MUSIC_ROUNDS:-50}
jobs=${LUMORA_JOBS:-$(nproc)}
# Live allocations may grow by this much over all the rounds: Qt 6.4's pixmap cache keeps
# a few hundred bytes of every key it was ever given (see README, Reliability), about
# 1 KiB per configuration window; a window of ours left behind would cost far more.
max_heap_growth_kib=${LUMORA_MAX_HEAP_GROWTH_KIB:-$((churn_rounds * 4))}
logs=$root/build-rel/reliability
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

rows=()
failed=0
row() { # case, tries, PASS|FAIL|SKIP
    rows+=("$1"$'\t'"$2"$'\t'"$3")
    [ "$3" = PASS ] || [ "$3" = SKIP ] || failed=1
    printf 'reliability: %-44s %-28s %s\n' "$1" "$2" "$3"
}
say() { printf '\nreliability: %s\n' "$*"; }

# --- What it needs --------------------------------------------------------------------
tools/install-deps.sh || exit 1
extra=(clang-14 libclang-rt-14-dev valgrind xvfb xdotool)
missing=()
for p in "${extra[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "reliability: installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}" \
        || { "${sudo[@]}" apt-get update -q \
             && DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"; } \
        || exit 1
fi

# --- Builds, one after the other ------------------------------------------------------
build() { # folder, what to build, cmake options...
    local folder=$1 target=$2
    shift 2
    say "building $folder"
    cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null &&
        cmake --build "$folder" --parallel "$jobs" --target "$target" >"$folder/build.log" 2>&1 ||
        { tail -40 "$folder/build.log"; return 1; }
}
build build-rel all || { row "build (plain)" - FAIL; exit 1; }
mkdir -p "$logs"
build build-asan all -DLUMORA_SANITIZE=ON || row "build (AddressSanitizer, UBSan)" - FAIL
build build-fuzz lumora_fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DLUMORA_FUZZ=ON -DBUILD_TESTING=OFF ||
    row "build (libFuzzer)" - FAIL

# --- Saves killed with SIGKILL --------------------------------------------------------
say "killing saves: $kills counted kills for each kind of save"
LUMORA_KILLS=$kills QTEST_FUNCTION_TIMEOUT=7200000 build-rel/tests/tst_interruptedsaves \
    >"$logs/interruptedsaves.log" 2>&1
for mode in "slot:slot verse file" "settings:settings files" "relocation:relocation"; do
    key=${mode%%:*}
    name=${mode#*:}
    line=$(grep -o "kills: $key counted .*" "$logs/interruptedsaves.log" | tail -1)
    if grep -q "^PASS   : .*($name)" "$logs/interruptedsaves.log" && [ -n "$line" ]; then
        read -r _ _ _ counted _ tries _ _ _ leftovers <<<"$line"
        row "SIGKILL during saves: $name" "$counted of $tries kills, $leftovers tmp left" PASS
    else
        grep -A6 "FAIL!.*($name)" "$logs/interruptedsaves.log" | head -12
        row "SIGKILL during saves: $name" "$kills wanted" FAIL
    fi
done

# --- Huge files -----------------------------------------------------------------------
say "reading files of 30 MB, just over the 32 MB limit, and 10 GB sparse"
if build-rel/tests/tst_hugefiles >"$logs/hugefiles.log" 2>&1; then
    cases=$(grep -c '^PASS   : .*everyReader\|^PASS   : .*relocation' "$logs/hugefiles.log")
    row "huge files, every reader" "$cases kinds of file, 10 GB refused" PASS
else
    grep -A4 "FAIL!" "$logs/hugefiles.log" | head -20
    row "huge files, every reader" - FAIL
fi

# --- Shared folders: two programs at once, other users, pipes and devices -------------
# The cases with another user need root; they use a user of their own, made here.
other=""
if [ "$(id -u)" -eq 0 ]; then
    other=lumora-other
    id -u "$other" >/dev/null 2>&1 ||
        useradd --system --no-create-home --shell /usr/sbin/nologin "$other" || other=""
fi
say "shared folders: $race_rounds saves by each of two processes; pipes, devices, links, owners"
LUMORA_OTHER_USER=$other LUMORA_RACE_ROUNDS=$race_rounds QTEST_FUNCTION_TIMEOUT=3600000 \
    build-rel/tests/tst_sharedfolder >"$logs/sharedfolder.log" 2>&1
shared_row() { # case, test function, what the tries were
    local log=$logs/sharedfolder.log
    if grep -q "^FAIL!  : TestSharedFolder::$2" "$log" || ! grep -q "TestSharedFolder::$2" "$log"; then
        grep -A4 "^FAIL!  : TestSharedFolder::$2" "$log" | head -10
        row "$1" "$3" FAIL
    elif grep -q "^SKIP   : TestSharedFolder::$2" "$log"; then
        row "$1" "skipped: needs root and another user" SKIP
    else
        row "$1" "$3" PASS
    fi
}
race() { grep -o "race: race-$1 .*" "$logs/sharedfolder.log" | sed "s/race: race-$1 //"; }
shared_row "two programs save one slot at once" "twoProgramsSavingAtOnceLoseNothing(slot verse file)" "$(race slot)"
shared_row "two programs confirm settings at once" "twoProgramsSavingAtOnceLoseNothing(settings files)" "$(race settings)"
shared_row "two users save one slot at once" "twoProgramsSavingAtOnceLoseNothing(slot verse file, two" "$(race slot-two-users)"
shared_row "two users confirm settings at once" "twoProgramsSavingAtOnceLoseNothing(settings files, two" "$(race settings-two-users)"
shared_row "saves while a reader locks the folder" "twoProgramsSavingAtOnceLoseNothing(slot verse file, folder" "$(race slot-held)"
shared_row "named pipe and /dev/zero in every reader" pipesAndDevicesNeitherHangNorGrow \
    "10 cases: refused, no hang, < 8 MB"
shared_row "link planted by another user (${other:-none})" linkPlantedByAnotherUserIsNotFollowed \
    "file, folder, no-root rows: refused"
shared_row "saves keep owner, group and mode" savesKeepOwnerGroupAndMode "other's, group's, 02660"
shared_row "read-only folder and file system" readOnlyFolderSavesInPlaceOrNamesTheFolder \
    "saved in place; refusals name the cause"

# --- Full disks, relocation privacy and causes ----------------------------------------
qtest_row() { # case, test program, test function, what the tries were [, pattern in the log saying it]
    local log=$logs/$2.log
    if build-rel/tests/"$2" "$3" >"$log" 2>&1; then
        [ -n "${5:-}" ] && set -- "$1" "$2" "$3" "$(grep -ho "$5.*" "$log" | sed "s/^$5//")"
        if grep -q "^SKIP" "$log"; then row "$1" "skipped: $(grep -m1 -o 'SKIP.*' "$log" | cut -c60-)" SKIP
        else row "$1" "$4" PASS; fi
    else
        grep -A4 "FAIL!" "$log" | head -12
        row "$1" "$4" FAIL
    fi
}
say "full disks, the relocation's file modes and its messages"
qtest_row "Confirm on a tmpfs at every free level" tst_refusedsaves confirmOnAFullDiskChangesNeitherFile \
    "" "tmpfs: "
qtest_row "relocation keeps privacy" tst_relocation copiesEveryFileReplacingWhatIsThere \
    "new: source less umask; replaced: kept"
qtest_row "relocation names its cause" tst_configure relocationAsksAndReports "kind, path, files copied"

# --- A second start, a start after a kill, starts starved of resources ----------------
say "second starts and starved starts, in a private X server"
app=$(mktemp -d)
cp -a build-rel/lumora/. "$app/"
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

# --- Music played, replaced and stopped, beside a busy test ---------------------------
say "music: the music tests $music_rounds times while another test runs beside them"
rm -f "$logs/music.done" "$logs/music-failed.log"
(while [ ! -e "$logs/music.done" ]; do build-rel/tests/tst_mainwindow >/dev/null 2>&1; done) &
busy=$!
failures=0
for _ in $(seq "$music_rounds"); do
    build-rel/tests/tst_music playsThroughTheSynthesizerAndStops buttonsFollowTheStateTable \
        rebuildingTheMainWindowStopsTheMusic >"$logs/music.log" 2>&1 ||
        { failures=$((failures + 1)); cp "$logs/music.log" "$logs/music-failed.log"; }
done
touch "$logs/music.done"
wait "$busy"
result=PASS
[ $failures -eq 0 ] || { tail -20 "$logs/music-failed.log"; result=FAIL; }
row "music played and stopped beside a busy test" "$failures of $music_rounds runs failed" $result

# --- Fuzzing --------------------------------------------------------------------------
for target in fuzz_linereader fuzz_settingsfiles fuzz_slotversefile fuzz_relocation; do
    say "fuzzing $target for $fuzz_seconds s"
    work=$root/build-fuzz/run/$target
    # Each run starts from the seeds: replaying what earlier runs found, megabyte inputs
    # among it, would take much of the minute. Fast inputs are tried more often.
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    # Absolute paths: fuzz_relocation works in a scratch folder of its own.
    (cd "$work" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$root/build-fuzz/tests/fuzz/$target" -max_total_time="$fuzz_seconds" \
        -entropic_scale_per_exec_time=1 -rss_limit_mb=4096 -timeout=60 -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" "$work/corpus" "$root/tests/fuzz/corpus/$target") \
        >"$logs/$target.log" 2>&1
    status=$?
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$logs/$target.log" | grep -o '[0-9]*$')
    if [ $status -eq 0 ] && [ -z "$(ls -A "$work/artifacts")" ]; then
        row "fuzzing: ${target#fuzz_}" "${runs:-?} inputs in $fuzz_seconds s" PASS
    else
        grep -E "fuzz:|ERROR|SUMMARY|runtime error|Slowest" "$logs/$target.log" | head -20
        echo "reliability: the inputs are in $work/artifacts"
        row "fuzzing: ${target#fuzz_}" "${runs:-?} inputs in $fuzz_seconds s" FAIL
    fi
done
rm -rf /dev/shm/lumora-fuzz-* 2>/dev/null

# --- Every test under AddressSanitizer and UBSan --------------------------------------
say "every test under AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/reliability/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ -d build-asan/tests ]; then
    # Two programs run apart. The screen reader's program reads the X server's keyboard
    # map through libxkbcommon-x11, in which AddressSanitizer finds an overflow of the
    # library's own; what the screen reader hears is checked by the ordinary run. And
    # LeakSanitizer's tracer itself crashes at the end of the music test, whose sound
    # server threads it cannot stop: that test runs with the other checks, without leaks.
    ctest --test-dir build-asan --output-on-failure --timeout 900 -E 'screenreader|tst_music' \
        >"$logs/asan.log" 2>&1
    status=$?
    ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0 ctest --test-dir build-asan --output-on-failure \
        --timeout 900 -R tst_music >>"$logs/asan.log" 2>&1 || status=1
    total=$(grep -o 'out of [0-9]*' "$logs/asan.log" | grep -o '[0-9]*$' | awk '{ n += $1 } END { print n }')
    reports=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$logs/asan.log")
    if [ $status -eq 0 ] && [ "$reports" -eq 0 ]; then
        row "all tests, AddressSanitizer and UBSan" "${total:-?} test programs" PASS
    else
        grep -E "Failed|ERROR: |runtime error:|SUMMARY" "$logs/asan.log" | head -20
        row "all tests, AddressSanitizer and UBSan" "${total:-?} test programs" FAIL
    fi
fi
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

# --- Memory over many windows ---------------------------------------------------------
say "opening and closing every window $churn_rounds times"
build-rel/tests/window-churn "$churn_rounds" >"$logs/churn.log" 2>&1
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
    valgrind --leak-check=full --num-callers=30 build-rel/tests/window-churn "$n" \
        >"$logs/valgrind-$n.log" 2>&1
    lost[$n]=$(grep -o 'definitely lost: [0-9,]* bytes' "$logs/valgrind-$n.log" | grep -o '[0-9,]*' | tr -d ,)
    grep -E 'definitely lost|indirectly lost|ERROR SUMMARY' "$logs/valgrind-$n.log"
done
if [ -n "${lost[1]}" ] && [ -n "${lost[10]}" ] && [ "${lost[10]}" -le "${lost[1]}" ]; then
    row "valgrind: definitely lost, 1 and 10 rounds" "${lost[1]} and ${lost[10]} bytes" PASS
else
    row "valgrind: definitely lost, 1 and 10 rounds" "${lost[1]:-?} and ${lost[10]:-?} bytes" FAIL
fi

# --- The table ------------------------------------------------------------------------
elapsed=$(( $(date +%s) - started ))
echo
printf '%-46s %-34s %s\n' "case" "tries" "result"
printf '%-46s %-34s %s\n' "----" "-----" "------"
for r in "${rows[@]}"; do
    IFS=$'\t' read -r c t s <<<"$r"
    printf '%-46s %-34s %s\n' "$c" "$t" "$s"
done
echo
echo "reliability: $((elapsed / 60)) min $((elapsed % 60)) s; logs in $logs"
exit $failed
