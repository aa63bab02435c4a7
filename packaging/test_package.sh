#!/bin/sh
# Builds the Debian package, unpacks it into a scratch root, validates its
# menu entry and AppStream file, checks its declared dependencies, and starts
# the unpacked program offscreen with an empty home until its results files
# appear in the per-user data folder (the unpacked program's folder is
# read-only to the user running it, as it is when installed).
#
# usage: test_package.sh <build folder> <AppStream id>
set -eu

build=$1
appid=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

scratch=$(mktemp -d)
program_pid=
cleanup() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM
chmod 755 "$scratch"

echo "== build and package"
cmake --build "$build" --target quillora
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out") \
    >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack"; }
set -- "$scratch"/out/quillora_*.deb
[ -f "$1" ] || fail "no quillora_*.deb made"
deb=$1
echo "package: $(basename "$deb")"

echo "== description"
# The control file as dpkg reads it: after the synopsis, every line of the
# long description starts with one space, and an empty line is written " .".
dpkg-deb -I "$deb" control >"$scratch/control"
awk '
    /^Description:/ { inside = 1; synopsis = substr($0, 14); next }
    inside && /^[^ ]/ { inside = 0 }
    inside {
        lines++
        if ($0 !~ /^ [^ ]/) { print "bad continuation line: [" $0 "]"; bad = 1 }
        if ($0 ~ /^ ;/) { print "line starts with a list separator: [" $0 "]"; bad = 1 }
        if (lines == 1 && substr($0, 2) == synopsis) { print "synopsis repeated"; bad = 1 }
    }
    END { if (lines == 0) { print "no long description"; bad = 1 } exit bad }
' "$scratch/control" || { cat "$scratch/control"; fail "Description is not in Debian form"; }

echo "== declared dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libqt6webenginecore6 libqt6webenginecore6-bin libqt6webenginewidgets6 \
    qt6-image-formats-plugins libc6 libstdc++6; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$needed\( \|$\)" || fail "Depends lacks $needed"
done
# every declared package is known to this system's package lists
if command -v apt-cache >/dev/null 2>&1; then
    for name in $(echo "$depends" | tr ',' '\n' | sed 's/(.*//; s/|.*//' | tr -d ' ' | sort -u); do
        apt-cache show "$name" >/dev/null 2>&1 || fail "no such package: $name"
    done
    # and apt would install it (a dry run: nothing is changed)
    apt-get install -s "$deb" >"$scratch/apt.log" 2>&1 || { cat "$scratch/apt.log"; fail "apt-get"; }
    grep -q '^Inst quillora ' "$scratch/apt.log" || { cat "$scratch/apt.log"; fail "apt-get"; }
fi

echo "== unpack"
root=$scratch/root
dpkg -x "$deb" "$root"
for f in usr/bin/quillora usr/share/applications/quillora.desktop \
    "usr/share/metainfo/$appid.metainfo.xml"; do
    [ -f "$root/$f" ] || fail "package lacks /$f"
done
[ -x "$root/usr/bin/quillora" ] || fail "/usr/bin/quillora is not executable"
icons=$(find "$root/usr/share/icons/hicolor" -path '*/apps/quillora.png' 2>/dev/null | wc -l)
echo "icons: $icons"
[ "$icons" -ge 1 ] || fail "no icons in the package"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/quillora.png" ] || fail "no 48x48 icon"

echo "== validate"
desktop-file-validate "$root/usr/share/applications/quillora.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$appid.metainfo.xml"
grep -q '^Exec=quillora$' "$root/usr/share/applications/quillora.desktop" ||
    fail "the menu entry does not start quillora"

echo "== start the unpacked program"
home=$scratch/home
mkdir -p "$home"
data=$home/.local/share/quillora
run_as=
if [ "$(id -u)" -eq 0 ]; then
    # root may write anywhere: run as an ordinary user so that the program's
    # folder is read-only to it, as on an installed system
    chown -R nobody "$home"
    run_as="setpriv --reuid=nobody --regid=nogroup --clear-groups"
else
    chmod -R a-w "$root/usr/bin"
fi
env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
    QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu" QTWEBENGINE_DISABLE_SANDBOX=1 \
    $run_as "$root/usr/bin/quillora" >"$scratch/run.log" 2>&1 &
program_pid=$!

waited=0
found=0
while [ $waited -lt 60 ]; do
    found=0
    for kind in marks first second fresults sresults trend; do
        # A first start makes the first pupil's folder.
        set -- "$data/pupil1/$kind"2*.txt
        [ -f "$1" ] && found=$((found + 1))
    done
    [ $found -eq 6 ] && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 1
    waited=$((waited + 1))
done
ls -l "$data" "$data/pupil1" 2>/dev/null || true
if [ $found -ne 6 ]; then
    cat "$scratch/run.log"
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended early"
    fail "results files not created in $data/pupil1 ($found of 6)"
fi
kill -0 "$program_pid" 2>/dev/null || fail "the program ended after creating its files"
[ -d "$data/Graphics" ] || fail "no Graphics folder in $data"
if ls "$root/usr/bin" | grep -qv '^quillora$'; then
    fail "the program wrote into its own folder"
fi
echo "results files created after about ${waited}s; the program is running"
echo "PASS"
