#!/bin/sh
# player-session.sh COMMAND...: runs COMMAND as from a terminal inside a player's desktop
# session, whose environment every process inherits: their own X display (a small one, at
# another depth), session bus and AT-SPI bus, all running; a Wayland socket named; their Qt
# platform theme with a dark scheme and a large font, a scale, a font DPI, a style, logging
# turned up, an Italian locale; their fontconfig settings. .ci/run runs `make test` in it: a test
# that inherits any of it, or reads the player's files, sees another desktop than the one it
# was written for and fails.
set -eu
name=player-session
# shellcheck source-path=SCRIPTDIR source=../tests/support/servers.sh
. "$(dirname "$0")/../tests/support/servers.sh"
need Xvfb dbus-daemon dbus-send

export HOME="$work/home"
mkdir -p "$HOME/.config/qt6ct" "$HOME/.config/fontconfig" "$HOME/.config/QtProject"
cat >"$HOME/.config/qt6ct/qt6ct.conf" <<'EOF'
[Appearance]
custom_palette=true
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
style=Windows

[Fonts]
general="DejaVu Serif,18,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
fixed="DejaVu Sans Mono,18,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
EOF
cat >"$HOME/.config/fontconfig/fonts.conf" <<'EOF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="strong">
    <family>sans-serif</family>
    <prefer><family>DejaVu Serif</family></prefer>
  </alias>
  <match target="font"><edit name="antialias" mode="assign"><bool>false</bool></edit></match>
</fontconfig>
EOF
cat >"$HOME/.config/QtProject/qtlogging.ini" <<'EOF'
[Rules]
*.debug=true
EOF

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

serve Xvfb Xvfb -displayfd 3 -noreset -screen 0 800x600x16 -nolisten tcp 3>"$work/display"
await Xvfb test -s "$work/display"
export DISPLAY=":$(cat "$work/display")"

# The session bus, and the accessibility bus a screen reader's desktop has beside it: a bus
# daemon of its own, as the AT-SPI bus launcher would start.
for bus in bus at-spi-bus; do
    serve $bus dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/$bus"
    await $bus dbus-send --bus="unix:path=$XDG_RUNTIME_DIR/$bus" --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.GetId
done
export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
export AT_SPI_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/at-spi-bus"

export WAYLAND_DISPLAY=wayland-0 XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME \
    XDG_SESSION_DESKTOP=gnome DESKTOP_SESSION=gnome XDG_CONFIG_HOME="$HOME/.config" \
    XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export QT_QPA_PLATFORMTHEME=qt6ct QT_SCALE_FACTOR=1.5 QT_FONT_DPI=120 QT_STYLE_OVERRIDE=Windows \
    QT_ENABLE_HIGHDPI_SCALING=1 QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    QT_WAYLAND_DISABLE_WINDOWDECORATION=1 QT_IM_MODULE=ibus GTK_MODULES=gail:atk-bridge \
    QT_LOGGING_RULES='*.debug=true' QT_QPA_PLATFORM='wayland;xcb' LANG=it_IT.UTF-8 LANGUAGE=it:en
echo "$name: running $* in a player's session (DISPLAY $DISPLAY, theme qt6ct, scale 1.5, it_IT)"
run "$@"
