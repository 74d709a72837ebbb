#!/usr/bin/env bash
# Builds the Debian package from the already built tree into a scratch folder, twice to see that
# it comes out the same, then checks its control fields, its file list, that the programs
# unpacked from it find every library, and that lintian finds nothing to report above its notes
# for information.
# Environment: BUILD_DIR, APP_ID, VERSION, EXPECTED_FILES, GAMES_DIR, PROGRAMS (set by CTest).
set -euo pipefail

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }

deb="$scratch/out/vexmire_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$scratch/out" >&2; fail "cpack made no $(basename "$deb")"; }

# The same tree gives the same bytes: a second package, made a second later, must not differ.
sleep 1
cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$scratch/again" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed the second time"; }
cmp -s "$deb" "$scratch/again/$(basename "$deb")" ||
    fail "two packages of the same tree differ: a date of the build is in the package"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = vexmire ] || fail "the package is called $(field Package)"
[ "$(field Version)" = "$VERSION" ] || fail "the package has version $(field Version)"
[ "$(field Section)" = games ] || fail "the package is in section $(field Section)"
[ -n "$(field Maintainer)" ] || fail "the package has no maintainer"
[ -n "$(field Description)" ] || fail "the package has no description"
# Computed by dpkg-shlibdeps: every program links the C library at least.
field Depends | grep -q 'libc6' || fail "the package depends on '$(field Depends)'"

dpkg-deb --contents "$deb" >"$scratch/contents"
while read -r path; do
    [ -n "$path" ] || continue
    grep -q " \./usr/$path\$" "$scratch/contents" || fail "the package lacks /usr/$path"
done <"$EXPECTED_FILES"

dpkg -x "$deb" "$scratch/root"
for program in $PROGRAMS; do
    binary="$scratch/root/usr/$GAMES_DIR/$program"
    [ -x "$binary" ] || fail "/usr/$GAMES_DIR/$program is not executable once unpacked"
    if ldd "$binary" | grep 'not found'; then
        fail "/usr/$GAMES_DIR/$program misses the libraries above"
    fi
done
# Debian's games live in /usr/games, and a package of section games holds nothing in /usr/bin.
if grep -q ' \./usr/bin/' "$scratch/contents"; then
    fail "the package puts programs in /usr/bin: $(grep ' \./usr/bin/' "$scratch/contents")"
fi

# Every tag lintian shows, down to the pedantic and experimental ones; a warning or an error
# fails.
command -v lintian >/dev/null || fail "lintian is not installed: make setup installs it"
lintian -EIL +pedantic --fail-on error,warning "$deb" >"$scratch/lintian" 2>&1 ||
    { cat "$scratch/lintian" >&2; fail "lintian reports errors or warnings (above)"; }
sed 's/^/lintian: /' "$scratch/lintian"

echo "package $(basename "$deb") holds $(wc -l <"$EXPECTED_FILES") files; depends: $(field Depends)"
