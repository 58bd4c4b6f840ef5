#!/usr/bin/env bash
# Builds the Debian package from a configured build directory, checks what it
# holds and declares, unpacks it into a fresh root and starts the unpacked
# program once, headless: it must still be running when it is stopped.
# Arguments: cpack, the build directory, dpkg-deb.
set -euo pipefail

cpack=$1
build=$2
dpkg_deb=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The package and CPack's staging go to the temporary directory, not the build.
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/cpack" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; exit 1; }

falliti=0
fallisce() {
    echo "FAIL: $*" >&2
    falliti=1
}

shopt -s nullglob
pacchetti=("$tmp"/cpack/*.deb)
if ((${#pacchetti[@]} != 1)); then
    echo "FAIL: ${#pacchetti[@]} packages built, not one" >&2
    cat "$tmp/cpack.log"
    exit 1
fi
pacchetto=${pacchetti[0]}
architettura=$(dpkg --print-architecture)
[[ $(basename "$pacchetto") == "misuradistanza_1.00_$architettura.deb" ]] ||
    fallisce "package file is $(basename "$pacchetto")"

contenuto=$("$dpkg_deb" -c "$pacchetto" | awk '{ print $NF }')
for modello in '\./usr/bin/misuradistanza' \
    '\./usr/share/applications/[^/]+\.desktop' \
    '\./usr/share/metainfo/[^/]+\.metainfo\.xml' \
    '\./usr/share/icons/hicolor/16x16/apps/[^/]+\.png' \
    '\./usr/share/icons/hicolor/32x32/apps/[^/]+\.png' \
    '\./usr/share/icons/hicolor/48x48/apps/[^/]+\.png' \
    '\./usr/share/icons/hicolor/scalable/apps/[^/]+\.svg'; do
    grep -Eqx "$modello" <<<"$contenuto" || fallisce "no $modello in the package"
done

"$dpkg_deb" -I "$pacchetto" >"$tmp/info"
campo() { "$dpkg_deb" -f "$pacchetto" "$1"; }
[[ $(campo Package) == misuradistanza ]] || fallisce "Package is '$(campo Package)'"
[[ $(campo Version) == 1.00 ]] || fallisce "Version is '$(campo Version)'"
[[ $(campo Section) == science ]] || fallisce "Section is '$(campo Section)'"
[[ -n $(campo Maintainer) ]] || fallisce "no Maintainer"
[[ -n $(campo Description) ]] || fallisce "no Description"
# The libraries the program links, as dpkg-shlibdeps names their packages.
dipendenze=$(campo Depends)
nomi=$(tr ',' '\n' <<<"$dipendenze" | awk '{ print $1 }')
for libreria in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
    grep -Fqx "$libreria" <<<"$nomi" || fallisce "Depends '$dipendenze' lacks $libreria"
done
if ((falliti)); then
    cat "$tmp/info"
fi

# Unpacked, the program finds Qt on the system. Killed by timeout (124) it was
# still running: it started and showed its window; any other status is a
# failure to start.
radice=$tmp/radice
"$dpkg_deb" -x "$pacchetto" "$radice"
stato=0
env -u QT_SCALE_FACTOR QT_QPA_PLATFORM=offscreen timeout 5 "$radice/usr/bin/misuradistanza" \
    >"$tmp/avvio.log" 2>&1 || stato=$?
if ((stato != 124)); then
    fallisce "the unpacked program ended with status $stato before it was stopped"
    cat "$tmp/avvio.log" >&2
fi

exit "$falliti"
