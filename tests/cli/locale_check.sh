#!/bin/sh
# The companion prints the same number texts whatever the locale says about
# the decimal separator.
set -eu
cli=$1
locale=de_DE.UTF-8
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "the locale $locale is missing; the set-up commands create it" >&2
    exit 1
fi
input='1/3+2.5
x*0.5
2^0.5
rnd(_1)
1e15'
# The syntax message of the last line makes both runs exit with 1.
expected=$(printf '%s\n' "$input" | LC_ALL=C "$cli" -) || [ $? -eq 1 ]
actual=$(printf '%s\n' "$input" | LC_ALL=$locale "$cli" -) || [ $? -eq 1 ]
json=$(LC_ALL=$locale "$cli" --json 'x/4' x=0.5)
echo "$actual"
[ "$expected" = "$actual" ] || { echo "differs under $locale: $expected" >&2; exit 1; }
case $json in *'"result":"0.125"'*) ;; *) echo "json differs: $json" >&2; exit 1;; esac
