#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and checks that the tree holds what
# a desktop looks for, and nothing else: the program, one desktop entry that
# starts it, its icon at each size under the entry's icon name, and the
# metainfo that carries the entry's id.
# Arguments: cmake, the build directory, the window's caption, and
# appstreamcli (empty or NOTFOUND: the tree is not validated as a whole).
set -euo pipefail

cmake=$1
build=$2
didascalia=$3
appstreamcli=${4:-}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefisso=$tmp/prefisso
"$cmake" --install "$build" --prefix "$prefisso" >"$tmp/install.log" ||
    { cat "$tmp/install.log"; exit 1; }

falliti=0
fallisce() {
    echo "FAIL: $*" >&2
    falliti=1
}

shopt -s nullglob
voci=("$prefisso"/share/applications/*.desktop)
if ((${#voci[@]} != 1)); then
    echo "FAIL: ${#voci[@]} desktop entries installed, not one" >&2
    exit 1
fi
voce=${voci[0]}
id=$(basename "$voce" .desktop)
campo() { sed -n "s/^$1=//p" "$voce"; }

[[ -x $prefisso/bin/misuradistanza ]] || fallisce "bin/misuradistanza missing or not executable"
[[ $(campo Exec) == misuradistanza ]] || fallisce "Exec is '$(campo Exec)'"
[[ $(campo Terminal) == false ]] || fallisce "Terminal is '$(campo Terminal)'"
[[ $(campo Comment) == "$didascalia" ]] || fallisce "Comment '$(campo Comment)' is not the caption"
icona=$(campo Icon)
[[ -n $icona && $icona != */* ]] || fallisce "Icon '$icona' is not an icon name"

# The width and height a PNG declares, from its header.
misura_png() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*2^24+$2*2^16+$3*2^8+$4, $5*2^24+$6*2^16+$7*2^8+$8 }'
}
attesi=(bin/misuradistanza "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
    share/man/man1/misuradistanza.1
    "share/icons/hicolor/scalable/apps/$icona.svg")
for lato in 16 32 48; do
    png=share/icons/hicolor/${lato}x${lato}/apps/$icona.png
    attesi+=("$png")
    if [[ -f $prefisso/$png ]]; then
        [[ $(misura_png "$prefisso/$png") == "${lato}x${lato}" ]] ||
            fallisce "$png is $(misura_png "$prefisso/$png")"
    fi
done
svg=$prefisso/share/icons/hicolor/scalable/apps/$icona.svg
[[ ! -f $svg ]] || grep -q '<svg' "$svg" || fallisce "$icona.svg is not an SVG picture"

metainfo=$prefisso/share/metainfo/$id.metainfo.xml
if [[ -f $metainfo ]]; then
    grep -q "<id>$id</id>" "$metainfo" || fallisce "metainfo id is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fallisce "metainfo does not launch $id.desktop"
    grep -q '<binary>misuradistanza</binary>' "$metainfo" ||
        fallisce "metainfo does not provide the binary"
fi

installati=$(cd "$prefisso" && find . -type f -printf '%P\n' | sort)
previsti=$(printf '%s\n' "${attesi[@]}" | sort)
if [[ $installati != "$previsti" ]]; then
    fallisce "installed files differ from the expected ones:"
    diff <(echo "$previsti") <(echo "$installati") >&2 || true
fi

# The entry, its icon and the metainfo together, as software centres read them.
if [[ -n $appstreamcli && $appstreamcli != *NOTFOUND ]]; then
    "$appstreamcli" validate-tree --no-net --strict "$prefisso" || fallisce "appstreamcli validate-tree"
fi

exit "$falliti"
