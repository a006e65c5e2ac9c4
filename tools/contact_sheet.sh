#!/bin/sh
# contact_sheet.sh -- writes a contact sheet of every picture the game loads, at 3x, for review.
#   tools/contact_sheet.sh BUILD_FOLDER [SHEET.png [TEXT..]]
# The cells of each picture sit on the floor colour, so transparent pixels look as in the room;
# TEXT picks only the pictures whose names contain it. The picture names are listed in order.
set -e
build=${1:?usage: contact_sheet.sh BUILD_FOLDER [SHEET.png [TEXT..]]}
sheet=${2:-$build/contact_sheet.png}
[ $# -ge 2 ] && shift 2 || shift $#
cmake --build "$build" --target make_pictures >/dev/null
"$build/tools/make_pictures" --sheet "$sheet" "$@"
echo "contact sheet: $sheet" >&2
