#!/usr/bin/env bash
# usage: install-and-run.sh BUILD_DIR PREFIX VERSION APP_ID LIBDIR STARTS_AND_QUITS
# Installs the build into PREFIX as the package does (cmake --install --strip), checks
# what is there, then copies the installed tree elsewhere and runs the programs from the
# copy: their private libraries must come from beside them, and no installed file may
# name the build folder. PREFIX is left for the tests that read the installed files.
set -euo pipefail
build=$1 prefix=$2 version=$3 id=$4 libdir=$5 starts_and_quits=$6
# Greps read all their input: under pipefail, grep -q's early exit can fail the command
# it reads from with SIGPIPE.
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" --strip > /dev/null

# The layout: programs, private libraries, desktop files, icons at every size, man pages.
expected=(bin/cellarium bin/cellarium-life bin/cellarium-archive
          "$libdir/cellarium/libCellariumPlatform.so" "$libdir/cellarium/libFennelKit.so.1"
          "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
          share/man/man1/cellarium-life.1.gz share/man/man1/cellarium-archive.1.gz)
for icon in "$id" "$id.OtherAppIcon"; do
    for size in 16 32 48 64 128 256 512; do
        expected+=("share/icons/hicolor/${size}x$size/apps/$icon.png")
    done
    expected+=("share/icons/hicolor/scalable/apps/$icon.svg")
done
for f in "${expected[@]}"; do [ -e "$prefix/$f" ] || fail "not installed: $f"; done
for size in 16 512; do
    file "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" | grep "$size x $size" > /dev/null || fail "icon $size is not ${size}px"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" > "$work/appstream" 2>&1 ||
    { cat "$work/appstream" >&2; fail "appstreamcli validate"; }
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo lacks release $version"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "desktop entry's Icon= is not $id"
for page in cellarium-life cellarium-archive; do
    man --warnings -l "$prefix/share/man/man1/$page.1.gz" > /dev/null 2>"$work/man" && ! [ -s "$work/man" ] ||
        { cat "$work/man" >&2; fail "man page $page has errors"; }
done

# Nothing installed names the build folder (a run path, a resource path, a generated file).
# A sanitized build is never installed: AddressSanitizer keeps each compiled file's path,
# generated sources' in the build folder among them.
if [ -z "${CELLARIUM_SANITIZED:-}" ] && grep -rlF "$build" "$prefix"; then
    fail "installed files above name the build folder $build"
fi
for program in cellarium cellarium-life cellarium-archive; do
    readelf -d "$prefix/bin/$program" | grep "RUNPATH.*\[\$ORIGIN/\.\./$libdir/cellarium\]" > /dev/null ||
        fail "$program has no RUNPATH to its private libraries"
done

# Run from a copy in another folder: what the programs load comes from the copy or the system.
copy=$work/copy
mkdir "$copy"
cp -a "$prefix/." "$copy/"
for program in cellarium cellarium-life cellarium-archive; do
    [ "$("$copy/bin/$program" --version)" = "$program $version" ] || fail "$program --version"
done
if ldd "$copy/bin/cellarium" | grep -E "not found|$build"; then fail "cellarium's libraries above"; fi
ldd "$copy/bin/cellarium" | grep "libFennelKit.so.1 => $copy/" > /dev/null || fail "libFennelKit.so.1 is not found beside the program"

"$copy/bin/cellarium-life" first-run > "$copy/first-run.json"
[ "$(grep -o '"x"' "$copy/first-run.json" | wc -l)" -eq 40 ] || fail "first-run is not the 40-cell pattern"
export XDG_DATA_HOME=$copy/data
"$copy/bin/cellarium-archive" add "$copy/first-run.json"
"$copy/bin/cellarium-archive" list | grep -P '^\S+\t40\t\d+$' > /dev/null || fail "cellarium-archive list does not show the added pattern"
"$copy/bin/cellarium-archive" show 0 | cmp -s - "$copy/first-run.json" || fail "cellarium-archive show 0 differs from what was added"
"$copy/bin/cellarium" --help | grep -- "--version" > /dev/null || fail "cellarium --help"
"$starts_and_quits" "$copy/bin/cellarium"
echo "installed into $prefix and ran from a copy"
