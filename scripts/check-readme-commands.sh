#!/usr/bin/env bash
# Runs the commands README.md tells a reader to type, exactly as they stand, in a fresh
# clone of this repository in a temporary directory, with BUILD_DIR as the clone's
# build/ (what ./run.sh or ./test.sh leave there). Every script the README names
# (./run.sh, scripts/package.sh, ...) must exist and be executable. Every command of a
# code block or an `inline code` span that calls a program of build/ (also behind
# "xvfb-run -a") is run from the clone's root: --export, --summary, --help, --version
# and any other command that ends by itself must end with status 0 and leave each file it
# names as output (--export FILE, > FILE) not empty; a command that starts the window
# must bring it up (it is then closed). Commands with placeholders (DIR, FILE, ...) are
# skipped. Without a display it runs itself under Xvfb. A second argument names another
# README to check in place of this one's.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$(cd "${1:?usage: check-readme-commands.sh BUILD_DIR [README]}" && pwd)"
readme="$(realpath "${2:-$root/README.md}")"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export DBUS_SESSION_BUS_ADDRESS="disabled:"

failures=0
fail() {
    echo "README check: $*" >&2
    failures=$((failures + 1))
}

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
clone="$scratch/clone"
if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
    git clone --quiet --no-hardlinks "$root" "$clone"
else # an unpacked source archive: its files, without what builds made in it
    mkdir "$clone"
    tar -C "$root" --exclude='./build*' -cf - . | tar -C "$clone" -xf -
fi
cp "$readme" "$clone/README.md"
ln -s "$build_dir" "$clone/build"

# The scripts the README names, as paths from the clone's root.
while read -r script; do
    [ -x "$clone/${script#./}" ] || fail "$script is named in README.md but is no executable script"
done < <(grep -oE '[A-Za-z0-9_./-]+\.sh\b' "$readme" | sort -u)

# The commands: lines of code blocks (a trailing backslash joins the next line, a
# comment after " #" is no part of it) and inline code spans.
commands="$(awk '
    /^```/ { in_block = !in_block; next }
    in_block {
        line = $0
        if (joined != "") { sub(/^[ \t]+/, "", line); line = joined " " line }
        if (line ~ /\\$/) { sub(/[ \t]*\\$/, "", line); joined = line; next }
        joined = ""
        sub(/[ \t]+#.*$/, "", line)
        print line
        next
    }
    {
        text = $0
        while (match(text, /`[^`]+`/)) {
            print substr(text, RSTART + 1, RLENGTH - 2)
            text = substr(text, RSTART + RLENGTH)
        }
    }' "$readme" |
    grep -E '^[[:space:]]*(xvfb-run -a )?build/' | sort -u)"

# The files a command names as its output.
outputs() {
    grep -oE -- '--export[ =][^ ]+' <<<"$1" | sed -E 's/^--export[ =]//' || true
    # A redirection stands apart: "core>=38" inside an argument is none.
    grep -oE -- '(^| )> *[^ >]+' <<<"$1" | sed -E 's/^ ?> *//' || true
}

count=0
while IFS= read -r command; do
    [ -n "$command" ] || continue
    if grep -qE '\b[A-Z]{2,}[0-9]*\b' <<<"$command" || grep -qE '\.\.\.|…' <<<"$command"; then
        continue # a placeholder (DIR, FILE, "..."): no command to run as it stands
    fi
    count=$((count + 1))
    if ! grep -qE '^[[:space:]]*build/plotvane( |$)' <<<"$command" ||
        grep -qE -- '--export|--help|--version|--summary' <<<"$command"; then
        if ! (cd "$clone" && bash -c "$command") >"$scratch/out" 2>&1; then
            fail "'$command' failed: $(tail -n 3 "$scratch/out")"
            continue
        fi
        while IFS= read -r output; do
            [ -z "$output" ] || [ -s "$clone/$output" ] ||
                fail "'$command' left no $output"
        done < <(outputs "$command")
        continue
    fi
    # The window: it comes up, or the program ends first with its reason.
    (cd "$clone" && exec bash -c "exec $command") >"$scratch/out" 2>&1 &
    viewer=$!
    shown=0
    for _ in $(seq 300); do
        if xwininfo -root -tree 2>/dev/null | grep -q '"Quorvel Tessaplot"'; then
            shown=1
            break
        fi
        kill -0 "$viewer" 2>/dev/null || break
        sleep 0.1
    done
    if [ "$shown" -eq 1 ]; then
        kill "$viewer" 2>/dev/null || true
        wait "$viewer" 2>/dev/null || true
        # Gone before the next command looks for its own window.
        for _ in $(seq 50); do
            xwininfo -root -tree 2>/dev/null | grep -q '"Quorvel Tessaplot"' || break
            sleep 0.1
        done
    else
        kill "$viewer" 2>/dev/null || true
        status=0
        wait "$viewer" 2>/dev/null || status=$?
        fail "'$command' showed no window (status $status): $(tail -n 3 "$scratch/out")"
    fi
done <<<"$commands"

if [ "$count" -eq 0 ]; then
    fail "no build/ command found in README.md"
fi
if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "README check: the scripts it names exist; its $count commands run as written in a fresh clone"
