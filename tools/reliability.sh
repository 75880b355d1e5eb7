#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Lumora developers
# The reliability suite, run by `./build.sh reliability`: saves killed at random moments,
# huge files, shared folders and other users, full disks, hostile starts, fuzzing,
# sanitizers and memory over many windows. It builds and tests three CMake presets, each
# in a folder of its own (reliability: build-rel, sanitizers: build-asan, fuzz:
# build-fuzz), never build/, and ends with a table of case, tries and result. Exit status
# 1 when a case failed.
#
# Settings, from the environment:
#   LUMORA_KILLS=500          counted kills for each kind of save
#   LUMORA_RACE_ROUNDS=2000   saves by each of two processes saving the same files at once
#   LUMORA_CHURN_ROUNDS=100   rounds of opening and closing every window
#   LUMORA_MUSIC_ROUNDS=50    runs of the music tests that start, replace and stop pieces
#   LUMORA_FUZZ_SECONDS=60    how long each fuzz target runs
#   LUMORA_JOBS=$(nproc)      parallel build jobs
set -uo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
export LC_ALL=C.UTF-8
# For the reliability preset's tests alone; the other presets run them short.
long=(LUMORA_KILLS="${LUMORA_KILLS:-500}" LUMORA_RACE_ROUNDS="${LUMORA_RACE_ROUNDS:-2000}"
      LUMORA_CHURN_ROUNDS="${LUMORA_CHURN_ROUNDS:-100}" LUMORA_MUSIC_ROUNDS="${LUMORA_MUSIC_ROUNDS:-50}")
jobs=${LUMORA_JOBS:-$(nproc)}
logs=$PWD/build-rel/reliability
mkdir -p "$logs"
rows=()
failed=0
row() { # case, tries, PASS|FAIL|SKIP
    rows+=("$1"$'\t'"$2"$'\t'"$3")
    [ "$3" = FAIL ] && failed=1
    printf 'reliability: %-44s %-34s %s\n' "$1" "$2" "$3"
}

tools/install-deps.sh clang-14 libclang-rt-14-dev valgrind xvfb xdotool || exit 1
# The cases with another user need root; they use a user of their own, made here.
if [ "$(id -u)" -eq 0 ]; then
    id -u lumora-other >/dev/null 2>&1 ||
        useradd --system --no-create-home --shell /usr/sbin/nologin lumora-other
    export LUMORA_OTHER_USER=lumora-other
fi

preset() { # name, configure options...: configure, build and test it; the log is $logs/NAME.log
    local name=$1
    shift
    printf '\nreliability: the %s preset\n' "$name"
    { cmake --preset "$name" "$@" && cmake --build --preset "$name" --parallel "$jobs"; } \
        >"$logs/$name-build.log" 2>&1 || { tail -30 "$logs/$name-build.log"; row "build ($name)" - FAIL; }
    if [ "$name" = reliability ]; then env "${long[@]}" ctest --preset "$name"; else ctest --preset "$name"; fi \
        >"$logs/$name.log" 2>&1
}
preset reliability
preset sanitizers
preset fuzz -DLUMORA_FUZZ_SECONDS="${LUMORA_FUZZ_SECONDS:-60}"

# The QTest cases: case | test function as QTest names it | the tries, or "=" and the start
# of the line in which the test gives them.
log=$logs/reliability.log
while IFS='|' read -r case function tries; do
    if grep -qF "FAIL!  : $function" "$log" || ! grep -qF "$function" "$log"; then result=FAIL
    elif grep -qF "SKIP   : $function" "$log"; then result=SKIP tries="skipped: needs root and another user"
    else result=PASS; fi
    [ "${tries:0:1}" = = ] && tries=$(grep -o -- "${tries:1} .*" "$log" | head -1 | cut -c$((${#tries} + 1))-)
    row "$case" "$tries" "$result"
done <<'CASES'
SIGKILL during saves: slot verse file|TestInterruptedSaves::everyKillLeavesOldOrNewContentWhole(slot verse file)|=kills: slot
SIGKILL during saves: settings files|TestInterruptedSaves::everyKillLeavesOldOrNewContentWhole(settings files)|=kills: settings
SIGKILL during saves: relocation|TestInterruptedSaves::everyKillLeavesOldOrNewContentWhole(relocation)|=kills: relocation
huge files, every reader|TestHugeFiles::everyReaderComesBack|30 MB, over 32 MB and 10 GB files
huge notes file copied whole|TestHugeFiles::relocationCopiesAHugeNotesFileWhole|100 MB, memory < 8 MB
two programs save one slot at once|TestSharedFolder::twoProgramsSavingAtOnceLoseNothing(slot verse file)|=race: race-slot
two programs confirm settings at once|TestSharedFolder::twoProgramsSavingAtOnceLoseNothing(settings files)|=race: race-settings
two users save one slot at once|TestSharedFolder::twoProgramsSavingAtOnceLoseNothing(slot verse file, two users)|=race: race-slot-two-users
two users confirm settings at once|TestSharedFolder::twoProgramsSavingAtOnceLoseNothing(settings files, two users)|=race: race-settings-two-users
saves while a reader locks the folder|TestSharedFolder::twoProgramsSavingAtOnceLoseNothing(slot verse file, folder locked by a reader)|=race: race-slot-held
named pipe and /dev/zero in every reader|TestSharedFolder::pipesAndDevicesNeitherHangNorGrow|12 cases: refused, no hang, < 8 MB
link planted by another user|TestSharedFolder::linkPlantedByAnotherUserIsNotFollowed|file, folder, no-root rows: refused
saves keep owner, group and mode|TestSharedFolder::savesKeepOwnerGroupAndMode|other's, group's, 02660
read-only folder and file system|TestSharedFolder::readOnlyFolderSavesInPlaceOrNamesTheFolder|saved in place; refusals name the cause
Confirm on a tmpfs at every free level|TestRefusedSaves::confirmOnAFullDiskChangesNeitherFile(a real tmpfs|=tmpfs:
relocation keeps privacy|TestRelocation::copiesEveryFileReplacingWhatIsThere|new: source less umask; replaced: kept
relocation names its cause|TestConfigure::relocationAsksAndReports|kind, path, files copied
CASES

# The other cases say their rows themselves; the fuzzers and the sanitizers are counted.
while IFS=$'\t' read -r case tries result; do row "$case" "$tries" "$result"; done \
    < <(grep -o '^[0-9]*: row: .*' "$log" | sed 's/^[0-9]*: row: //')
for target in fuzz_linereader fuzz_settingsfiles fuzz_slotversefile fuzz_relocation; do
    n=$(grep -o "Test *#[0-9]*: $target " "$logs/fuzz.log" | head -1 | grep -o '[0-9]*')
    runs=$(grep -o "^$n: stat::number_of_executed_units: [0-9]*" "$logs/fuzz.log" | grep -o '[0-9]*$')
    grep -q "Test *#$n: $target .*Passed" "$logs/fuzz.log" && result=PASS || result=FAIL
    row "fuzzing: ${target#fuzz_}" "${runs:-?} inputs in ${LUMORA_FUZZ_SECONDS:-60} s" $result
done
total=$(grep -o 'out of [0-9]*' "$logs/sanitizers.log" | grep -o '[0-9]*$')
reports=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$logs/sanitizers.log")
grep -q '100% tests passed' "$logs/sanitizers.log" && [ "$reports" -eq 0 ] && result=PASS || result=FAIL
row "all tests, AddressSanitizer and UBSan" "${total:-?} tests, $reports reports" $result

elapsed=$(($(date +%s) - started))
printf '\n%-46s %-36s %s\n%-46s %-36s %s\n' case tries result ---- ----- ------
for r in "${rows[@]}"; do
    IFS=$'\t' read -r c t s <<<"$r"
    printf '%-46s %-36s %s\n' "$c" "$t" "$s"
done
printf '\nreliability: %d min %d s; logs in %s\n' $((elapsed / 60)) $((elapsed % 60)) "$logs"
exit $failed
