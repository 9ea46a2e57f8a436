#!/bin/sh
# Writes the sample text files used by the tests into this folder.
set -eu
cd "$(dirname "$0")"

digits() { yes 0123456789 | tr -d '\n' | head -c "$1"; }

printf 'alpha\r\nbeta\r\ngamma\r\n' > crlf.txt
printf 'alpha\rbeta\r\rgamma' > lone-cr.txt
printf 'alpha\nbeta\r\ngamma\n' > lone-lf.txt
printf 'alpha\r\nbe\032ta\r\nhidden\r\n' > ctrl-z.txt
printf 'al\000pha\r\n\000\r\nend\r\n' > nul.txt
printf 'alpha\r\nbeta' > no-final-eol.txt
: > empty.txt
{ digits 32767; printf '\r\nend\r\n'; } > line-32767.txt
{ digits 32768; printf '\r\nend\r\n'; } > line-32768.txt
# Windows-1252 French text, then every byte from 128 to 255 on one line.
{
  printf 'caf\351 \340 l'\''\351t\351, \234uvre\r\n'
  i=128
  while [ $i -le 255 ]; do printf "\\$(printf '%03o' $i)"; i=$((i + 1)); done
  printf '\r\n'
} > high8bit.txt
