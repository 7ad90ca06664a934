#!/usr/bin/env bash
# Brings the English translation files up to date with the texts in the code: new texts come in
# unfinished (the translation test then fails until they are translated), texts gone from the
# code are dropped.  Run after adding or changing a user-visible text, then translate.
#   i18n/update.sh               every translation file
#   i18n/update.sh ngm_ui_en.ts  that one only
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
grep -v '^#' i18n/sources.txt | while IFS=: read -r ts folders; do
    [ $# -gt 0 ] && [ "$1" != "$ts" ] && continue
    # shellcheck disable=SC2086
    "$LUPDATE" -silent -locations none -no-obsolete -source-language ja_JP -target-language en_US \
        $folders -ts "i18n/$ts"
done
