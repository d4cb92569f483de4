#!/usr/bin/env bash
# Opens the export formats with real programs, a check by hand that needs large
# packages (libreoffice-writer-nogui, libreoffice-calc-nogui, poppler-utils and,
# for the web page, chromium):
#   tests/reports/check-with-office.sh [BUILD_DIR]
# The sample report of tst_export is written in every format; LibreOffice must
# turn the .Doc and the .Xls into PDF, and the .Xls into CSV with the amounts as
# plain numbers; chromium must render the .Html.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

MONVELA_EXPORT_SAMPLES="$out" QT_QPA_PLATFORM=offscreen \
  "$build/tests/reports_tst_export" writesSamplesWhenAsked > /dev/null 2>&1
name="$out/Transacciones Pendientes"
failed=0
check() { # what, command...
  local what="$1"; shift
  if "$@"; then echo "bien: $what"; else echo "MAL: $what"; failed=1; fi
}

convert() { # file format folder
  timeout 300 libreoffice --headless --convert-to "$2" --outdir "$3" "$1" > /dev/null 2>&1
}

mkdir -p "$out/doc" "$out/xls" "$out/csv"
check "LibreOffice Writer abre el .Doc" convert "$name.Doc" pdf "$out/doc"
check "el .Doc tiene los textos" \
  grep -q "Total Transacciones : 3" <(pdftotext -layout "$out/doc/Transacciones Pendientes.pdf" -)
check "LibreOffice Calc abre el .Xls" convert "$name.Xls" pdf "$out/xls"
check "el .Xls pasa a CSV" convert "$name.Xls" csv "$out/csv"
csv="$out/csv/Transacciones Pendientes.csv"
for amount in 1000 -200 1234567.89 1235367.89; do
  check "el monto $amount es un número" grep -q ",$amount\$" "$csv"
done

if command -v chromium > /dev/null; then
  shot() {
    timeout 120 chromium --headless --no-sandbox --disable-gpu \
      --screenshot="$out/html.png" --window-size=900,1200 "file://$name.Html" > /dev/null 2>&1
  }
  check "chromium muestra el .Html" shot
  check "la captura existe" test -s "$out/html.png"
  [ -n "${MONVELA_KEEP_SCREENSHOT:-}" ] && cp "$out/html.png" "$MONVELA_KEEP_SCREENSHOT"
else
  echo "sin chromium: el .Html no se abrió"
fi
exit $failed
