#!/bin/sh
# Writes the sample text files used by the tests into this folder.
set -eu
cd "$(dirname "$0")"

digits() { yes 0123456789 | tr -d '\n' | head -c "$1"; }

printf 'alpha\r\nbeta\r\ngamma\r\n' > crlf.txt
printf 'alpha\rbeta\r\rgamma' > lone-cr.txt
printf 'alpha\nbeta\r\ngamma\n' > lone-lf.txt
printf 'alpha\r\nbe\032ta\r\nhidden\r\n' > ctrl-z.txt
printf 'al\000pha\r\n\000\r\nend\r\n' > nul-chars.txt
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
# Files as a Linux user has them: LF line ends, UTF-8 (é è à ç œ €), a tab.
printf 'caf\303\251 cr\303\250me\n\303\240 la fa\303\247on\n\tl\342\200\231\305\223uvre \342\202\254\n' > utf8-lf.txt
# UTF-8 with a byte-order mark and CR LF line ends.
printf '\357\273\277premi\303\250re\r\nseconde\r\n' > utf8-bom-crlf.txt
# UTF-8 with a character Windows-1252 lacks (Greek lambda): opens read-only.
printf 'na\303\257ve \316\273-calcul\n' > utf8-outside-cp1252.txt
# CR LF lines with lone LFs and a lone CR in between.
printf 'one\r\ntwo\nthree\rfour\r\n' > mixed-eol.txt
# journal-kept.journal, with the text it was started on (journal-kept-base.txt) and the text
# it recovers (journal-kept-after.txt), was written by an earlier build and is kept as it is:
# journals already on disk must stay recoverable.
