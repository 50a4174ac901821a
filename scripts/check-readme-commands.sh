#!/usr/bin/env bash
# Checks that the commands README.md tells a reader to type are ones this checkout
# accepts: every script it names (./run.sh, scripts/package.sh) exists and is executable, and
# every plotvane command it shows (in code blocks and in `inline code`) runs with the
# program of BUILD_DIR, its result directories (any path ending in runs/ or samples/
# followed by jacket-run or membrane-run) being the bundled samples and its files
# written into a scratch directory. An --export, --help, --version or --summary command
# must end with status 0; a command that starts the window
# must bring the window up (it is then closed). Commands with placeholders (DIR, FILE)
# or "..." are skipped. Without a display it runs itself under Xvfb. A second argument
# names another README to check (the check's own test).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$(cd "${1:?usage: check-readme-commands.sh BUILD_DIR [README]}" && pwd)"
readme="$(realpath "${2:-$root/README.md}")"
program="$build_dir/plotvane"
samples="$root/samples"

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export DBUS_SESSION_BUS_ADDRESS="disabled:"

failures=0
fail() {
    echo "README check: $*" >&2
    failures=$((failures + 1))
}

# The scripts the README names, as paths from the checkout's root.
while read -r script; do
    [ -x "$root/${script#./}" ] || fail "$script is named in README.md but is no executable script"
done < <(grep -oE '[A-Za-z0-9_./-]+\.sh\b' "$readme" | sort -u)

# The plotvane commands: lines of code blocks (a trailing backslash joins the next
# line) and inline code spans, each with a leading "xvfb-run -a" dropped.
commands="$(awk '
    /^```/ { in_block = !in_block; next }
    in_block {
        line = $0
        if (joined != "") { sub(/^[ \t]+/, "", line); line = joined " " line }
        if (line ~ /\\$/) { sub(/[ \t]*\\$/, "", line); joined = line; next }
        joined = ""
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
    sed -E 's/^[[:space:]]*(xvfb-run -a )?//' | grep -E '^plotvane( |$)' | sort -u)"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
count=0
while IFS= read -r command; do
    [ -n "$command" ] || continue
    if grep -qwE '[A-Z]{2,}' <<<"$command" || grep -qE '\.\.\.|…' <<<"$command"; then
        continue # a placeholder (DIR, FILE, "..."), no command to run as it stands
    fi
    count=$((count + 1))
    run="$(sed -E "s#[~./A-Za-z0-9_-]*(runs|samples)/(jacket|membrane)-run#'$samples/\2-run'#g; s#^plotvane#'$program'#" <<<"$command")"
    if grep -qE -- '--export|--help|--version|--summary' <<<"$command"; then
        if ! (cd "$scratch" && eval "$run") >"$scratch/out" 2>&1; then
            fail "'$command' failed: $(tail -n 3 "$scratch/out")"
        fi
        continue
    fi
    # The window: it comes up, or the program ends first with its reason.
    (cd "$scratch" && eval "exec $run") >"$scratch/out" 2>&1 &
    viewer=$!
    shown=0
    for _ in $(seq 200); do
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
    fail "no plotvane command found in README.md"
fi
if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "README check: the scripts it names exist; its $count plotvane commands run"
