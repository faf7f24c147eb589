#!/bin/sh
# check_readers.sh READER WORKDIR WRITER...: saves the schedule twice with WRITER (run inside
# WORKDIR; the program's export: the first save creates the table, the second appends to it) and
# opens the table with an independent dBASE reader: dbfread, or LibreOffice (exit 77, CTest's
# "skipped", where it is not installed).
set -eu
reader=$1 work=$2 here=$(cd "$(dirname "$0")" && pwd)
shift 2
if [ "$reader" = libreoffice ]; then
  office=$(command -v libreoffice || command -v soffice || true)
  [ -n "$office" ] || { echo "libreoffice is not installed: skipped"; exit 77; }
fi
rm -rf "$work"
mkdir -p "$work"
cd "$work"
"$@" schedule.dbf
"$@" schedule.dbf
case $reader in
  dbfread) /usr/bin/python3 "$here/check_dbfread.py" schedule.dbf ;;
  libreoffice)
    "$office" --headless -env:UserInstallation=file://"$work"/profile --convert-to csv --outdir out schedule.dbf
    csv=out/schedule.csv
    [ -f "$csv" ] || { echo "libreoffice made no CSV"; exit 1; }
    cat "$csv"
    head -n 1 "$csv" | grep -q 'POINTS' || { echo "no POINTS column"; exit 1; }
    for f in DATE TIME OUTS USED CYCLE DAY ONOFF; do head -n 1 "$csv" | grep -q "$f" || { echo "no $f column"; exit 1; }; done
    [ "$(wc -l < "$csv")" -eq 7 ] || { echo "expected a header line and 6 records"; exit 1; }
    [ "$(grep -c '11.12.28' "$csv")" -eq 2 ] && [ "$(grep -c '08:30:00' "$csv")" -eq 2 ] || { echo "values missing"; exit 1; }
    [ "$(grep -c ',255,' "$csv")" -eq 2 ] || { echo "the mask 255 is missing from OUTS"; exit 1; }
    ;;
esac
