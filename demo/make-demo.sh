#!/usr/bin/env bash
# Writes the demo data folder: the settings and schedule files in code page 932 with CRLF line
# ends, as the product stores them. The bytes are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")/data"
crlf() { sed 's/$/\r/' | iconv -f UTF-8 -t CP932; }

crlf > Solmora.ini <<'INI'
[System]
SolmoraVersion=1.5
[Timer]
BiosType=0
[ScheduleDlg]
ScheduleDlgPos=200,300
ScheduleDlgHeight=640
ScheduleDlgWidth=800
ColumnWidth=80,120,250
Column=1,0,1,0
INI

crlf > Schedule.ini <<'INI'
[System]
DataFormat=0,1,2,3,4,5,6,7,8
[Schedule]
Schedule0=2024/06/03 07:05:00,00031,2,0,0,C:\Tools\backup.exe,/q,平日のバックアップ,10000/01/01 00:00:00
Schedule1=2024/06/01 23:30:00,00127,1,1,0,,,毎晩の電源断,10000/01/01 00:00:00
Schedule2=2024/06/08 06:00:00,00096,0,0,0,C:\Program Files\表計算\calc.exe,,週末の起動,10000/01/01 00:00:00
Schedule3=2030/04/01 09:00:00,00000,3,0,0,C:\Tools\resume.exe,,年度初めのレジューム,2030/04/01 09:00:00
Schedule4=2024/06/05 12:00:00,00293,2,0,0,C:\Tools\sync.exe,-all,隠した同期,10000/01/01 00:00:00
Schedule5=2024/06/04 18:00:00,00138,1,3,0,,,止めてある再起動,10000/01/01 00:00:00
Schedule6=2020/01/01 08:00:00,00000,2,0,0,C:\Tools\old.exe,,期限切れ,2020/01/01 08:00:00
Schedule7=2024/02/30 08:00:00,00000,2,0,0,C:\Tools\bad.exe,,読めない日付,10000/01/01 00:00:00
INI
