#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what lands there: every file of an
# installed NGM, the desktop entry and the metainfo as their validators see them, the MIME
# types of the puzzle files in a scratch MIME database, the bash completion; then makes the
# Debian package and checks its control data and file list.
#   check_install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
id=io.github.ngm.NGM
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
need() {
    command -v "$1" >/dev/null || { echo "FAILED: $1 is missing (Debian package $2)" >&2; exit 1; }
}
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need update-mime-database shared-mime-info
need dpkg-deb dpkg
need dpkg-shlibdeps dpkg-dev

files=(
    bin/ngm
    bin/ngm-cli
    share/applications/$id.desktop
    share/icons/hicolor/scalable/apps/$id.svg
    share/metainfo/$id.metainfo.xml
    share/mime/packages/$id.xml
    share/man/man1/ngm.1.gz
    share/man/man1/ngm-cli.1.gz
    share/bash-completion/completions/ngm-cli
    share/doc/ngm/Readme.html
)
for size in 16 32 48 64 128 256; do
    files+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done

# The installed files.
prefix=$scratch/usr
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
    { cat "$scratch/install.log" >&2; echo "FAILED: cmake --install" >&2; exit 1; }
for f in "${files[@]}"; do
    [ -f "$prefix/$f" ] || fail "cmake --install did not install $f"
done
[ -x "$prefix/bin/ngm" ] && [ -x "$prefix/bin/ngm-cli" ] || fail "the programs are not executable"

# The validators.
desktop-file-validate "$prefix/share/applications/$id.desktop" ||
    fail "desktop-file-validate refuses the desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$scratch/as.log" 2>&1 ||
    { cat "$scratch/as.log" >&2; fail "appstreamcli validate refuses the metainfo"; }
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo does not name version $version"
grep -q '<screenshot' "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo has no screenshot"
for page in ngm ngm-cli; do
    gzip -dc "$prefix/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1 .*NGM $version" ||
        fail "the man page $page.1 has no title line of version $version"
done

# The puzzle types in a MIME database of the system's types and ours; every type the desktop
# entry claims must be known there.
mime=$scratch/mime
mkdir -p "$mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$prefix/share/mime/packages/$id.xml" "$mime/packages/"
update-mime-database "$mime" 2>"$scratch/mime.log" ||
    { cat "$scratch/mime.log" >&2; fail "update-mime-database refuses the MIME package"; }
grep -qx '[0-9]*:application/x-nonogram:\*\.non' "$mime/globs2" || fail "*.non is not application/x-nonogram"
for root in puzzleset puzzle; do
    grep -qx " $root application/x-nonogram+xml" "$mime/XMLnamespaces" ||
        fail "the root element <$root> is not application/x-nonogram+xml"
done
grep -qx 'application/x-nonogram+xml application/xml' "$mime/subclasses" ||
    fail "application/x-nonogram+xml is not a sub-class of application/xml"
claimed=$(sed -n 's/^MimeType=//p' "$prefix/share/applications/$id.desktop" | tr ';' '\n' | sed '/^$/d')
for type in $claimed; do
    grep -qx "$type" "$mime/types" || grep -q "^$type " "$mime/aliases" ||
        fail "the desktop entry claims $type, which the MIME database does not know"
done
for type in application/x-nonogram application/x-nonogram+xml image/png image/x-portable-pixmap; do
    grep -qx "$type" <<<"$claimed" || fail "the desktop entry does not claim $type"
done
grep -qx 'Exec=ngm %f' "$prefix/share/applications/$id.desktop" || fail "the desktop entry does not run ngm %f"

# The completion, where bash-completion is installed.
if [ -f /usr/share/bash-completion/bash_completion ]; then
    got=$(bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        COMP_WORDS=(ngm-cli make --format ""); COMP_CWORD=3; _ngm_cli; echo "${COMPREPLY[*]}"
        COMP_WORDS=(ngm-cli so); COMP_CWORD=1; _ngm_cli; echo "${COMPREPLY[*]}"
    ' _ "$prefix/share/bash-completion/completions/ngm-cli")
    [ "$got" = $'non xml png pdf\nsolve' ] || fail "the bash completion gave: $got"
else
    echo "bash-completion is not installed: the completion is not tried"
fi

# The Debian package.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb" >"$scratch/cpack.log" 2>&1 ||
    { tail -n 30 "$scratch/cpack.log" >&2; echo "FAILED: cpack -G DEB" >&2; exit 1; }
deb=$(ls "$scratch"/deb/ngm_*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = ngm ] || fail "the package is not named ngm"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not of version $version"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6gui6 libqt6core6 libc6 fonts-ipafont-mincho fonts-ipafont-gothic; do
    grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "the package does not depend on $p: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for p in qt6-image-formats-plugins qt6-translations-l10n; do
    grep -q "$p" <<<"$recommends" || fail "the package does not recommend $p: $recommends"
done
dpkg-deb -c "$deb" | awk '{print $6}' >"$scratch/deb.list"
for f in "${files[@]}"; do
    grep -qx "./usr/$f" "$scratch/deb.list" || fail "the package does not hold /usr/$f"
done
if grep -v '^./usr/' "$scratch/deb.list" | grep -q .; then
    fail "the package holds files outside /usr: $(grep -v '^./usr/' "$scratch/deb.list" | head -3)"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "installed files, validators, MIME types, completion and Debian package: all checks passed"
