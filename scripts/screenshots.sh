#!/usr/bin/env bash
# Makes the README's screenshots: runs Saporina on a virtual X display with a sample book, opens each main
# window with its access keys, as a user would, and saves a picture of that window in
# docs/screenshots/<window>-<en|es>.png. Builds the program first when there is none in ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
need=()
for tool in Xvfb:xvfb xdotool:xdotool import:imagemagick python3:python3; do
  command -v "${tool%%:*}" >/dev/null || need+=("${tool#*:}")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
[ -x build/src/saporina ] || bash scripts/build.sh

work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# The sample book: a few recipes in three categories, two with pictures.
mkdir -p "$work/sample/images"
convert -size 480x360 -seed 11 plasma:orange-firebrick -blur 0x3 "$work/sample/images/recipes_Desserts_Flan.jpg"
convert -size 480x360 -seed 5 plasma:tomato-darkred -blur 0x3 "$work/sample/images/recipes_Soups_Gazpacho.jpg"
recipe() { # title prep cook yield ingredients preparation notes date image
  printf '<recipe><title>%s</title><preptime>%s</preptime><cooktime>%s</cooktime><yield>%s</yield><ing>%s</ing><prep>%s</prep><other>%s</other><date>%s</date><image>%s</image></recipe>' "$@"
}
{
  printf '<recipebook><category cname="Desserts">'
  recipe "Flan" "20 min" "1 h" "6 servings" $'4 eggs\r\n1 litre of milk\r\n150 g sugar\r\n1 lemon peel\r\n1 cinnamon stick' \
    $'Warm the milk with the lemon peel and cinnamon.\r\nMelt 100 g of sugar into a caramel and pour it into the mould.\r\nBeat the eggs with the rest of the sugar, add the milk and pour over the caramel.\r\nBake in a water bath at 170 °C for an hour.' \
    "Grandmother's recipe. Best made the day before." "11/14/2026" "recipes_Desserts_Flan.jpg"
  recipe "Rice pudding" "10 min" "50 min" "4 servings" $'1 litre of milk\r\n100 g round rice\r\n120 g sugar\r\nground cinnamon' \
    $'Simmer the rice in the milk, stirring often.\r\nAdd the sugar at the end and dust with cinnamon.' "" "11/20/2026" ""
  printf '</category><category cname="Soups">'
  recipe "Gazpacho" "20 min" "0" "4 servings" $'1 kg ripe tomatoes\r\n1 cucumber\r\n1 green pepper\r\n1 garlic clove\r\n50 ml olive oil\r\nsherry vinegar, salt' \
    $'Blend everything until smooth.\r\nSieve, season and chill for two hours.' "Serve very cold." "12/1/2026" "recipes_Soups_Gazpacho.jpg"
  recipe "Lentil soup" "15 min" "45 min" "6 servings" $'300 g lentils\r\n1 onion\r\n2 carrots\r\n1 chorizo' \
    $'Soften the onion and carrots, add the lentils and water.\r\nSimmer with the chorizo until tender.' "" "12/3/2026" ""
  printf '</category><category cname="Breads">'
  recipe "Country bread" "30 min" "40 min" "1 loaf" $'500 g flour\r\n350 ml water\r\n10 g salt\r\n5 g yeast' \
    $'Mix, knead and let rise twice.\r\nBake at 230 °C.' "" "12/5/2026" ""
  printf '</category></recipebook>'
} > "$work/sample/recipes.xml"

# A relay form served on loopback, so that the e-mail window has its form to show.
mkdir -p "$work/relay/sp"
cat > "$work/relay/sp/email1.html" <<'HTML'
<html><body><form name="mail" action="/sp/send.cgi" method="POST">
<input type="hidden" name="Site" value="saporina"><input type="text" name="To"><input type="text" name="From_Header">
<input type="text" name="Subject"><textarea name="Contents"></textarea><input type="submit" name="SubmitMe" value="Send">
</form></body></html>
HTML
port=$((20000 + RANDOM % 20000))
python3 -m http.server --bind 127.0.0.1 "$port" --directory "$work/relay" >/dev/null 2>&1 &
pids+=($!)

display=:$((70 + RANDOM % 19))
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
sleep 1

text() { grep -P "^$1\t" resources/texts.tsv | cut -f2; }
window_titled() { # regex -> window id, waiting up to 10 s
  local id=""
  for _ in $(seq 1 40); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1) && [ -n "$id" ] && break
    sleep 0.25
  done
  [ -n "$id" ] || { echo "screenshots: no window titled /$1/" >&2; return 1; }
  echo "$id"
}
keys() { xdotool windowfocus --sync "$1" >/dev/null 2>&1; shift; xdotool key --delay 150 "$@"; sleep 0.6; }

# shot NAME LANGUAGE(0 English, 1 Spanish) TITLE_REGEX [STEP...]: starts Saporina on a fresh copy of the
# sample book, shows the Flan recipe, then for each STEP "WINDOW_TITLE_REGEX::keys" types the keys into that
# window (an empty regex is the browse window), and saves the window whose title matches TITLE_REGEX.
shot() {
  local name=$1 language=$2 title=$3; shift 3
  rm -rf "$work/data" && cp -r "$work/sample" "$work/data"
  printf '[HKLM]\nSoftware\\Quorvel\\Saporina\\language=%s\nSoftware\\Quorvel\\Saporina\\RelayHost=http://127.0.0.1:%s\n' \
    "$language" "$port" > "$work/settings.ini"
  SAPORINA_HOME="$work/data" SAPORINA_SETTINGS="$work/settings.ini" "$root/build/src/saporina" >/dev/null 2>&1 &
  local app=$! browse step window id suffix
  browse=$(window_titled "^$(esc "$(text $((100 + 300 * language)))")\$")
  keys "$browse" Down Tab Home     # the second category, Desserts, and its first recipe, Flan
  for step in "$@"; do
    window=$browse
    [ -n "${step%%::*}" ] && window=$(window_titled "${step%%::*}")
    # shellcheck disable=SC2086
    keys "$window" ${step#*::}
  done
  id=$(window_titled "$title") || { import -window root "$root/docs/screenshots/failed-$name.png"; return 1; }
  sleep 1.5
  suffix=$([ "$language" = 0 ] && echo en || echo es)
  import -window "$id" "$root/docs/screenshots/$name-$suffix.png"
  echo "docs/screenshots/$name-$suffix.png"
  kill "$app" 2>/dev/null; wait "$app" 2>/dev/null || true
}

esc() { sed 's/|/\\|/' <<<"$1"; }
title() { echo "^$(esc "$(text "$1")")\$"; }
preview="Print Preview|Previsualizar impresión" # the title of Qt's own preview dialog
prompt='^SP$' # the add window first asks for a category: Escape keeps the form without one
for language in 0 1; do
  o=$((300 * language))
  shot browse $language "$(title $((100 + o)))"
  if [ $language = 0 ]; then recipe=alt+r tools=alt+t file=alt+f; else recipe=alt+r tools=alt+u file=alt+a; fi
  shot add $language "$(title $((154 + o)))" "::$recipe a" "$prompt::Escape"
  shot search $language "$(title $((203 + o)))" "::$tools $([ $language = 0 ] && echo s || echo b)" \
    "$(title $((203 + o)))::$([ $language = 0 ] && echo m i l k || echo f l a n) Return"
  shot preferences $language "^SP \\| $(text 156) \\| $(text 456)$" "::$tools p"
  shot export $language "$(title $((137 + o)))" "::$tools e"
  shot print-preview $language "$preview" "::$file $([ $language = 0 ] && echo w || echo r)"
  shot email $language "$(title $((250 + o)))" "::$recipe $([ $language = 0 ] && echo m || echo c)"
  # The flan for 8, and a week's list: the country bread, the flan and a double gazpacho.
  shot scale $language "$(title $((1115 + o)))" "::$recipe $([ $language = 0 ] && echo s || echo j)" \
    "$(title $((1115 + o)))::8"
  shot shopping-list $language "$(title $((1129 + o)))" "::$tools l" \
    "$(title $((1129 + o)))::Down space Down Down space Down Down Down space" \
    "$(title $((1129 + o)))::$([ $language = 0 ] && echo alt+a || echo alt+j) 2 Return"
  shot cookbook $language "$(title $((1231 + o)))" "::$file c" \
    "$(title $((1231 + o)))::alt+$([ $language = 0 ] && echo l || echo t)"
done
