#!/usr/bin/env bash
# Installs what is needed, builds the optimised program and starts it.
# Without a real mouse attached, the program starts in demo mode with the
# virtual mouse.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh build-release -DCMAKE_BUILD_TYPE=Release -DR770_BUILD_TESTS=OFF
rule=build-release/bin/70-r770-mouse.rules

# The hidraw nodes of the devices the rule names (vendor and product as /sys shows them).
found=()
for uevent in /sys/class/hidraw/hidraw*/device/uevent; do
    [ -r "$uevent" ] || continue
    id=$(sed -n 's/^HID_ID=[0-9A-Fa-f]*:0000\([0-9A-Fa-f]\{4\}\):0000\([0-9A-Fa-f]\{4\}\)$/\1:\2/p' "$uevent" |
        tr 'A-F' 'a-f')
    [ -n "$id" ] || continue
    if grep -q "ATTRS{idVendor}==\"${id%:*}\", ATTRS{idProduct}==\"${id#*:}\"" "$rule"; then
        node=/dev/$(basename "$(dirname "$(dirname "$uevent")")")
        found+=("$id $node")
    fi
done

args=("$@")
if ((${#found[@]} == 0)); then
    args=(--virtual-mouse "${args[@]}")
else
    for entry in "${found[@]}"; do
        id=${entry% *}
        node=${entry#* }
        if [ ! -r "$node" ] || [ ! -w "$node" ]; then
            installed=""
            for r in /etc/udev/rules.d/70-r770-mouse.rules /usr/lib/udev/rules.d/70-r770-mouse.rules; do
                [ -e "$r" ] && installed=$r && break
            done
            echo "The mouse ($id) is plugged in, but this user may not open it ($node)." >&2
            if [ -n "$installed" ]; then
                echo "Its udev rule $installed is installed: plug the mouse in again, or run:" >&2
                echo "  sudo udevadm control --reload-rules && sudo udevadm trigger" >&2
            else
                echo "Install its udev rule, then plug the mouse in again:" >&2
                echo "  sudo install -m 644 '$(realpath "$rule")' /etc/udev/rules.d/ && sudo udevadm control --reload-rules && sudo udevadm trigger" >&2
            fi
            break
        fi
    done
fi
exec build-release/bin/R770 "${args[@]}"
