#!/usr/bin/env bash
# Mutation run over the link, the back end and the page logic: plants one
# mutant at a time (scripts/mutants.py makes the list), rebuilds only the test
# programs of its area, runs them until one fails, records the outcome and
# puts the file back.
#
#   mutate.sh [--area REGEX] [--sample N] [--seed S] [--list] [--plan]
#             [--survivors RESULTS] [--build DIR] [--timeout SEC] [--out FILE] [--resume]
#
#   --area     only areas matching REGEX (mutants.py areas lists them)
#   --sample   N mutants drawn with a fixed seed (default seed 25)
#   --plan     the run's own list: docs/mutation.md says what it holds
#   --survivors  only the survivors of an earlier run's results (to check new tests)
#   --list     print the mutants and stop
#   --build    build folder (default build-mutate: Debug, ccache, lld when present)
#   --timeout  seconds one test program may take (default 60)
#   --out      results, one mutant a line (default BUILD/mutation-results.tsv)
#   --resume   keep the results in --out and plant only the mutants not in it
#
# Outcomes: killed (a test failed), timeout (counted as killed), survived,
# no-build (the mutant does not compile: not counted).
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD

resume=0 area='' sample='' seed=25 list=0 plan=0 build=build-mutate timeout=60 out='' survivors=''
while [ $# -gt 0 ]; do
    case $1 in
    --area) area=$2; shift ;;
    --sample) sample=$2; shift ;;
    --seed) seed=$2; shift ;;
    --list) list=1 ;;
    --plan) plan=1 ;;
    --resume) resume=1 ;;
    --survivors) survivors=$(realpath "$2"); shift ;;
    --build) build=$2; shift ;;
    --timeout) timeout=$2; shift ;;
    --out) out=$2; shift ;;
    *) sed -n '2,21p' "$0"; exit 2 ;;
    esac
    shift
done
out=${out:-$build/mutation-results.tsv}

listArgs=(list --seed "$seed")
[ -n "$area" ] && listArgs+=(--area "$area")
[ -n "$sample" ] && listArgs+=(--sample "$sample")
[ "$plan" = 1 ] && listArgs+=(--plan)
[ -n "$survivors" ] && listArgs+=(--survivors "$survivors")
if [ "$list" = 1 ]; then
    python3 scripts/mutants.py "${listArgs[@]}"
    exit 0
fi

mutants=$(mktemp)
python3 scripts/mutants.py "${listArgs[@]}" >"$mutants"
declare -A testsOf
while IFS=$'\t' read -r a _files tests; do testsOf[$a]=$tests; done < <(python3 scripts/mutants.py areas)

# Whatever happens, the planted file goes back.
backup=$(mktemp -d)
planted=''
restore() {
    if [ -n "$planted" ]; then
        cp "$backup/file" "$src/$planted"
        touch "$src/$planted" # newer than the mutant's objects, so they are rebuilt
        planted=''
    fi
}
trap 'restore; rm -rf "$backup" "$mutants"' EXIT
trap 'exit 130' INT TERM

if [ ! -f "$build/build.ninja" ]; then
    opts=(-DCMAKE_BUILD_TYPE=Debug)
    command -v ccache >/dev/null && opts+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    command -v ld.lld >/dev/null && opts+=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
    cmake -S . -B "$build" -G Ninja "${opts[@]}" >/dev/null
fi

buildTarget() { # target [seconds] -> status
    timeout "${2:-600}" nice -n 19 cmake --build "$build" --target "$1" -j 2 >"$backup/build.log" 2>&1
}

runTest() { # test -> status (124 on timeout)
    local t=$1
    if [[ $t == qml:* ]]; then
        QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software timeout "$timeout" \
            nice -n 19 "$build/bin/tst_qml" -silent -input "$src/tests/qml/${t#qml:}" >"$backup/test.log" 2>&1
    else
        (cd "$build" && QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software timeout "$timeout" \
            nice -n 19 "bin/$t" -silent >"$backup/test.log" 2>&1)
    fi
}

targetOf() { [[ $1 == qml:* ]] && echo tst_qml || echo "$1"; }

# Every area in the list must pass unmutated first.
for a in $(cut -f2 "$mutants" | sort -u); do
    for t in ${testsOf[$a]}; do
        buildTarget "$(targetOf "$t")" 7200 || { cat "$backup/build.log"; echo "baseline: $t does not build" >&2; exit 1; }
        runTest "$t" || { cat "$backup/test.log"; echo "baseline: $t fails unmutated" >&2; exit 1; }
    done
done

total=$(wc -l <"$mutants")
if [ "$resume" = 1 ] && [ -f "$out" ]; then
    awk -F'\t' 'NR == FNR { done[$1] = 1; next } !($1 in done)' "$out" "$mutants" >"$mutants.left"
    mv "$mutants.left" "$mutants"
    total=$(wc -l <"$mutants")
else
    printf 'id\tarea\tfile\tline\tkind\tstatus\tkilled by\toriginal\tmutant\n' >"$out"
fi
n=0
start=$SECONDS
export CCACHE_READONLY=1 # mutants do not fill the shared cache
while IFS=$'\t' read -r id a file line kind original mutated; do
    n=$((n + 1))
    cp "$src/$file" "$backup/file"
    planted=$file
    python3 scripts/mutants.py apply "$id"
    status=survived killer=''
    for t in ${testsOf[$a]}; do
        if ! buildTarget "$(targetOf "$t")"; then
            status=no-build
            break
        fi
        rc=0
        runTest "$t" || rc=$?
        if [ "$rc" = 124 ]; then status=timeout killer=$t; break; fi
        if [ "$rc" != 0 ]; then
            # The failing test functions too: which ones alone hold a rule.
            failed=$(grep -o 'FAIL!  : [^ ]*' "$backup/test.log" | sed 's/.*:://; s/(.*//' | sort -u | paste -sd, - || true)
            status=killed killer="$t${failed:+: $failed}"
            break
        fi
    done
    restore
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$id" "$a" "$file" "$line" "$kind" "$status" \
        "$killer" "$original" "$mutated" >>"$out"
    printf '[%d/%d %ds] %-9s %s:%s %s\n' "$n" "$total" $((SECONDS - start)) "$status" "$file" "$line" "$mutated"
done <"$mutants"

# Rebuild what the last mutant left behind, then the score per area.
for a in $(cut -f2 "$mutants" | sort -u); do
    for t in ${testsOf[$a]}; do buildTarget "$(targetOf "$t")" || true; done
done
python3 scripts/mutants.py score "$out"
