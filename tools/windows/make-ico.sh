#!/usr/bin/env bash
# Writes a Windows icon file holding the given square PNG pictures as they are
# (a PNG inside an .ico is read by Windows Vista and later).
# Usage: make-ico.sh OUT.ico SQUARE.png...
set -euo pipefail
out="$1"; shift
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }
{
  le16 0; le16 1; le16 $#
  offset=$((6 + 16 * $#))
  for png in "$@"; do
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "make-ico.sh: $png is no PNG" >&2; exit 1; }
    width=$((16#$(od -An -tx1 -j16 -N4 "$png" | tr -d ' \n')))
    size=$(stat -c %s "$png")
    printf "\\x$(printf %02x $((width & 255)))\\x$(printf %02x $((width & 255)))\\x00\\x00"  # 256 is written 0
    le16 1; le16 32; le32 "$size"; le32 "$offset"
    offset=$((offset + size))
  done
  cat "$@"
} >"$out"
