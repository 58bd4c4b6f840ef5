#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that the packaged program is hardened as every Debian program: the
# binary as hardening-check sees it, the build log as blhc reads it, and no
# debug sections or compiler notes left in the binary.
# Arguments: the folder of the package and its build log (scripts/pacchetto
# leaves both), the project's version, hardening-check, blhc.
set -euo pipefail

cartella=$1
versione=$2
hardening_check=$3
blhc=$4

pacchetto=$cartella/misuradistanza_${versione}_$(dpkg --print-architecture).deb
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$pacchetto" "$tmp"
programma=$tmp/usr/bin/misuradistanza

falliti=0
fallisce() {
    echo "FAIL: $*" >&2
    falliti=1
}

# The binary: position independent, stack protector, read-only relocations
# and immediate binding. Two checks are left to the log below or cannot pass
# on Debian 12:
# - fortified functions: hardening-check only sees calls, and every memcpy and
#   memmove of this program is inside the inline code of std::string,
#   std::vector and Qt's arrays, whose sizes are known only at run time, so
#   that _FORTIFY_SOURCE has nothing it can check there; blhc below shows that
#   every compile had -D_FORTIFY_SOURCE=2.
# - control flow integrity: the C start files of Debian 12 (Scrt1.o, crti.o)
#   carry no IBT/SHSTK mark, so the linker marks no program built there, and
#   Debian 12's dpkg-buildflags does not ask for -fcf-protection.
"$hardening_check" --verbose "$programma" || true
"$hardening_check" --quiet --nofortify --nocfprotection "$programma" ||
    fallisce "hardening-check finds the binary not hardened"

# Every compile and link line of the build carries the flags of dpkg-buildflags,
# immediate binding included. Position independence needs no flag: Debian's
# compiler applies it by default, and hardening-check above finds it in the
# binary. (Asking for -fPIE everywhere would be wrong here: Qt wants the code
# that uses it compiled with -fPIC.)
"$blhc" --bindnow --line-numbers "$cartella/costruzione.log" ||
    fallisce "blhc finds flags missing in the build log"

# dh_strip leaves no debug information (it goes to the -dbgsym package) and no
# .comment section.
sezioni=$(readelf -S -W "$programma" | sed -n 's/^ *\[ *[0-9]*\] \([^ ]*\).*/\1/p')
inattese=$(grep -E '^\.(debug|zdebug)|^\.comment$|^\.symtab$' <<<"$sezioni" || true)
[[ -z $inattese ]] || fallisce "the binary keeps the sections:" $inattese

exit "$falliti"
