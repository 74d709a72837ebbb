#!/usr/bin/env bash
# Installs the built tree into a scratch root as a distribution would (prefix /usr) and checks
# that every file a desktop needs is there and that the menu entry and the metainfo validate.
# Environment: BUILD_DIR, APP_ID, VERSION, EXPECTED_FILES, GAMES_DIR, PROGRAMS, SCREENSHOT_URL,
# HOMEPAGE_URL (set by CTest).
set -euo pipefail

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$root" cmake --install "$BUILD_DIR" --prefix /usr >"$root.log" 2>&1 ||
    { cat "$root.log" >&2; rm -f "$root.log"; fail "cmake --install failed"; }
rm -f "$root.log"

while read -r path; do
    [ -n "$path" ] || continue
    [ -f "$root/usr/$path" ] || fail "the install lacks /usr/$path"
done <"$EXPECTED_FILES"

for program in $PROGRAMS; do
    [ -x "$root/usr/$GAMES_DIR/$program" ] || fail "/usr/$GAMES_DIR/$program is not executable"
done

desktop="$root/usr/share/applications/$APP_ID.desktop"
metainfo="$root/usr/share/metainfo/$APP_ID.metainfo.xml"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $APP_ID.desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"

# The menu, the icon theme and the software centre find one another by the one id.
grep -qx "Icon=$APP_ID" "$desktop" || fail "the menu entry names another icon than $APP_ID"
grep -qx "Exec=vexmire" "$desktop" || fail "the menu entry does not start vexmire"
# Docks tie the windows, whose class is "vexmire", to the entry; the game ends the start-up
# notification when its first window shows.
grep -qx "StartupWMClass=vexmire" "$desktop" || fail "the menu entry names another window class"
grep -qx "StartupNotify=true" "$desktop" || fail "the menu entry asks for no start-up notification"
# Only the addresses a packager has named (none by default): one that leads nowhere fails the
# software centres' checks.
for address in $(grep -o 'https\?://[^<" ]*' "$metainfo" || true); do
    [ "$address" = "${SCREENSHOT_URL:-}" ] || [ "$address" = "${HOMEPAGE_URL:-}" ] ||
        fail "the metainfo names $address, which no packager gave"
done
grep -q "<id>$APP_ID</id>" "$metainfo" || fail "the metainfo names another id than $APP_ID"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
    fail "the metainfo launches another entry than $APP_ID.desktop"
grep -q "<release version=\"$VERSION\"" "$metainfo" ||
    fail "the metainfo does not name release $VERSION"

echo "installed files validate: $(wc -l <"$EXPECTED_FILES") files, version $VERSION"
