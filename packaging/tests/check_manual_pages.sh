#!/usr/bin/env bash
# Formats both manual pages as man shows them and fails on any warning of the formatter: a
# wrong request, a line that does not fit, a character it cannot show.
# Environment: MAN_PAGES, the folder of the configured pages, and VERSION (set by CTest).
set -euo pipefail

warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for page in "$MAN_PAGES"/vexmire.6 "$MAN_PAGES"/vexmire-sim.6; do
    name=$(basename "$page" .6)
    shown=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>"$warnings") ||
        { cat "$warnings" >&2; fail "man cannot show $name(6)"; }
    [ ! -s "$warnings" ] || fail "man warns about $name(6): $(cat "$warnings")"
    for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS"; do
        grep -qx "$section" <<<"$shown" || fail "$name(6) has no $section"
    done
    # The header is filled in from the project when the build configures the page.
    grep -q "Vexmire $VERSION" <<<"$shown" || fail "$name(6) does not name version $VERSION"
    if grep -q '@[A-Z_]*@' "$page"; then
        fail "$name(6) keeps a placeholder: $(grep '@[A-Z_]*@' "$page")"
    fi
done
echo "both manual pages render without a warning"
