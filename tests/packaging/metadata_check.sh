#!/usr/bin/env bash
# The desktop entry, the AppStream metadata and the manual page pass their
# validators, and name each other and the icon consistently.
# Usage: metadata_check.sh <packaging folder>
set -uo pipefail
dir=$1
id=org.example.signova
failures=0
checked=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if command -v desktop-file-validate >/dev/null; then
    checked=$((checked + 1))
    output=$(desktop-file-validate "$dir/$id.desktop" 2>&1)
    status=$?
    echo "desktop-file-validate: ${output:-no remarks}"
    # Hints count too: two main categories, say, put the program in a menu twice.
    if [ $status -ne 0 ] || [ -n "$output" ]; then
        fail "desktop entry"
    fi
else
    echo "skipped: desktop-file-validate is not installed (desktop-file-utils)"
fi

if command -v appstreamcli >/dev/null; then
    checked=$((checked + 1))
    appstreamcli validate --no-net --strict --no-color "$dir/$id.metainfo.xml" ||
        fail "AppStream metadata"
else
    echo "skipped: appstreamcli is not installed (appstream)"
fi

if [ $checked -eq 0 ]; then
    echo "SKIPPED: neither desktop-file-validate nor appstreamcli is installed"
    exit 77
fi

if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$dir/signova.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page: $warnings"
fi

# The menu finds the program, its icon and its metadata by these names.
grep -qx "Icon=$id" "$dir/$id.desktop" || fail "desktop entry names another icon"
grep -qx "Exec=signova %f" "$dir/$id.desktop" || fail "desktop entry starts another program"
# A lesson file opens with the program: its type is the one the MIME file defines.
grep -qx "MimeType=application/x-signova-lesson;" "$dir/$id.desktop" ||
    fail "desktop entry opens no lessons"
grep -q '<mime-type type="application/x-signova-lesson">' "$dir/$id.xml" ||
    fail "the MIME file defines another type"
grep -q '<mediatype>application/x-signova-lesson</mediatype>' "$dir/$id.metainfo.xml" ||
    fail "AppStream metadata says nothing of lessons"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$dir/$id.metainfo.xml" ||
    fail "metadata launches another desktop entry"
grep -q "<id>$id</id>" "$dir/$id.metainfo.xml" || fail "metadata has another id"
# A software centre shows the program under the menu's categories.
desktop_categories=$(sed -n 's/^Categories=//p' "$dir/$id.desktop" | tr ';' '\n' | sed '/^$/d')
metainfo_categories=$(sed -n 's|.*<category>\(.*\)</category>.*|\1|p' "$dir/$id.metainfo.xml")
[ "$desktop_categories" = "$metainfo_categories" ] ||
    fail "categories differ: desktop entry" $desktop_categories "- metadata" $metainfo_categories

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "PASS"
