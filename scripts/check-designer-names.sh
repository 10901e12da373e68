#!/bin/sh
# Fails when a numbered form-designer name (CheckBox13, Button6, ...) is back in src/ or tests/:
# the code names controls by purpose; docs/renames.md maps the former names.
top=$(cd "$(dirname "$0")/.." && pwd)
hits=$(grep -rnE --include='*.cpp' --include='*.h' \
    '\b(CheckBox|SpinEdit|Button|BitBtn|ListBox|Timer|Label|Edit|RadioButton|ScrollBox|PopupMenu|Memo|TabSheet|PageControl|Gauge)[0-9]+\b' \
    "$top/src" "$top/tests")
if [ -n "$hits" ]; then
    echo "Numbered designer names found (name the control by what it is for):"
    echo "$hits"
    exit 1
fi
echo "No numbered designer names in src/ or tests/."
