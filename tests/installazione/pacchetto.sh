#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package that scripts/pacchetto built: what it holds and
# declares, its copyright, changelog and manual page, and that the unpacked
# program starts once, headless: it must still be running when it is stopped.
# Arguments: the folder of the package, dpkg-deb, the project's version and
# the desktop id.
set -euo pipefail

cartella=$1
dpkg_deb=$2
versione=$3
id=$4

architettura=$(dpkg --print-architecture)
pacchetto=$cartella/misuradistanza_${versione}_$architettura.deb
if [[ ! -f $pacchetto ]]; then
    echo "FAIL: no $pacchetto; the folder holds: $(ls "$cartella" 2>&1)" >&2
    exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

falliti=0
fallisce() {
    echo "FAIL: $*" >&2
    falliti=1
}

doc=usr/share/doc/misuradistanza
contenuto=$("$dpkg_deb" -c "$pacchetto" | awk '{ print $NF }' | sed 's|^\./||')
for file in usr/bin/misuradistanza \
    "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" \
    "usr/share/icons/hicolor/16x16/apps/$id.png" \
    "usr/share/icons/hicolor/32x32/apps/$id.png" \
    "usr/share/icons/hicolor/48x48/apps/$id.png" \
    "usr/share/icons/hicolor/scalable/apps/$id.svg" \
    usr/share/man/man1/misuradistanza.1.gz \
    "$doc/copyright" "$doc/changelog.gz"; do
    grep -Fqx "$file" <<<"$contenuto" || fallisce "no $file in the package"
done

campo() { "$dpkg_deb" -f "$pacchetto" "$1"; }
[[ $(campo Package) == misuradistanza ]] || fallisce "Package is '$(campo Package)'"
[[ $(campo Version) == "$versione" ]] || fallisce "Version is '$(campo Version)'"
[[ $(campo Section) == science ]] || fallisce "Section is '$(campo Section)'"
[[ -n $(campo Maintainer) ]] || fallisce "no Maintainer"
[[ -n $(campo Description) ]] || fallisce "no Description"
nomi() { tr ',|' '\n\n' <<<"$1" | awk '{ print $1 }'; }
# The libraries the program links, as dpkg-shlibdeps names their packages.
for libreria in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
    nomi "$(campo Depends)" | grep -Fqx "$libreria" || fallisce "Depends '$(campo Depends)' lacks $libreria"
done
# The face of the window's layout, and Qt's Wayland platform so that the
# window is native in a Wayland session instead of going through XWayland.
for raccomandato in fonts-liberation2 qt6-wayland; do
    nomi "$(campo Recommends)" | grep -Fqx "$raccomandato" ||
        fallisce "Recommends '$(campo Recommends)' lacks $raccomandato"
done

radice=$tmp/radice
"$dpkg_deb" -x "$pacchetto" "$radice"

# The licence as Debian states it: a machine-readable file that names
# GPL-3.0-or-later for every file and points to the system's copy of the text.
copyright=$radice/$doc/copyright
if [[ -f $copyright ]]; then
    grep -Fqx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" ||
        fallisce "copyright is not in the machine-readable format"
    grep -Fqx 'Files: *' "$copyright" || fallisce "copyright has no paragraph for every file"
    grep -Fqx 'License: GPL-3.0-or-later' "$copyright" || fallisce "copyright does not name GPL-3.0-or-later"
    grep -Fq '/usr/share/common-licenses/GPL-3' "$copyright" ||
        fallisce "copyright does not point to /usr/share/common-licenses/GPL-3"
fi

# The changelog's latest entry is this version.
registro=$radice/$doc/changelog.gz
if [[ -f $registro ]]; then
    prima=$(zcat "$registro" | head -n 1)
    [[ $prima == "misuradistanza ($versione) "* ]] || fallisce "the changelog starts with '$prima'"
fi

# The manual page: section 1, this version, and it formats without a warning.
pagina=$radice/usr/share/man/man1/misuradistanza.1.gz
if [[ -f $pagina ]]; then
    intestazione=$(zcat "$pagina" | grep '^\.TH ' || true)
    [[ $intestazione == ".TH MISURADISTANZA 1 "*"\"misuradistanza $versione\""* ]] ||
        fallisce "the manual page's heading is '$intestazione'"
    if command -v man >/dev/null; then
        avvisi=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 "$pagina" 2>&1 >/dev/null || true)
        [[ -z $avvisi ]] || fallisce "man warns about the manual page: $avvisi"
    fi
fi

metainfo=$radice/usr/share/metainfo/$id.metainfo.xml
if [[ -f $metainfo ]]; then
    grep -Fq "<release version=\"$versione\"" "$metainfo" || fallisce "the metainfo has no release $versione"
fi

if ((falliti)); then
    "$dpkg_deb" -I "$pacchetto" >&2
fi

# Unpacked, the program finds Qt on the system. Killed by timeout (124) it was
# still running: it started and showed its window; any other status is a
# failure to start.
stato=0
env -u QT_SCALE_FACTOR QT_QPA_PLATFORM=offscreen timeout 5 "$radice/usr/bin/misuradistanza" \
    >"$tmp/avvio.log" 2>&1 || stato=$?
if ((stato != 124)); then
    fallisce "the unpacked program ended with status $stato before it was stopped"
    cat "$tmp/avvio.log" >&2
fi

exit "$falliti"
