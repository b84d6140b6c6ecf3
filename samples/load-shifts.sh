#!/bin/sh
# Loads the sample's two shifts into a database: the four-punch day shift
# 白班 and the two-punch shift 中班, each switched on by default.
#   sh samples/load-shifts.sh [--db FILE]
# Uses build/bin/tallyvane-cli of this checkout unless TALLYVANE_CLI is set.
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
cli="${TALLYVANE_CLI:-$here/../build/bin/tallyvane-cli}"
sql() { "$cli" "$@" sql "$stmt" >/dev/null; }
for stmt in \
  "INSERT INTO dksjszk (x, bcm, dkc, dksj) VALUES ('', '白班', '1/4', '8:00')" \
  "INSERT INTO dksjszk (x, bcm, dkc, dksj) VALUES ('', '白班', '2/4', '12:00')" \
  "INSERT INTO dksjszk (x, bcm, dkc, dksj) VALUES ('', '白班', '3/4', '13:30')" \
  "INSERT INTO dksjszk (x, bcm, dkc, dksj) VALUES ('', '白班', '4/4', '17:30')" \
  "INSERT INTO dksjszk (x, bcm, dkc, dksj) VALUES ('', '中班', '1/2', '9:00')" \
  "INSERT INTO dksjszk (x, bcm, dkc, dksj) VALUES ('', '中班', '2/2', '18:00')" \
  "INSERT INTO bcmsz (k_g, bcm, kd, mrk_g, but_) VALUES (1, '白班', '8:00-17:30', 1, '')" \
  "INSERT INTO bcmsz (k_g, bcm, kd, mrk_g, but_) VALUES (1, '中班', '9:00-18:00', 1, '')"
do
  sql "$@"
done
echo "shifts 白班 and 中班 loaded"
