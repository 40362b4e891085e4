# Shared by scripts/guest32 and scripts/guest/build-image: where the i386 guest is cached,
# how its boot ramdisk is made, and how one boot runs. Sourced, not run.

guest_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# What the guest is made of. Changing any file that takes part in building the image changes
# the recipe's hash, so the next run builds a new image instead of reusing the old one.
GUEST_SUITE=bookworm
GUEST_MIRROR="${DUDUVE_GUEST_MIRROR:-http://deb.debian.org/debian}"
GUEST_PACKAGES=wine,wine32,xvfb,xauth,kmod,procps
# Modules the guest needs before its root is mounted; their dependencies come along.
GUEST_MODULES="virtio_pci virtio_blk crc32c_generic ext4 9pnet_virtio 9p"
GUEST_CACHE_ROOT="${DUDUVE_GUEST_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/duduve-guest}"

guest_recipe_hash() {
  {
    echo "$GUEST_SUITE $GUEST_PACKAGES $GUEST_MODULES"
    cat "$guest_dir/build-image" "$guest_dir/stage-build" "$guest_dir/fetch-deb"
  } | sha256sum | cut -c1-16
}

GUEST_CACHE="$GUEST_CACHE_ROOT/i386-$(guest_recipe_hash)"

guest_log() { echo "guest: $*" >&2; }

# make_initrd OUT STAGE_SCRIPT: a ramdisk with busybox, the modules in $GUEST_CACHE/modules,
# the ramdisk's /init and the script that runs as the root's first process.
make_initrd() {
  local out=$1 stage=$2 tree
  tree=$(mktemp -d)
  mkdir -p "$tree"/{bin,dev,proc,sys,newroot,lib}
  cp "$GUEST_CACHE/busybox" "$tree/bin/busybox"
  cp -a "$GUEST_CACHE/modules" "$tree/lib/modules"
  cp "$guest_dir/initrd-init" "$tree/init"
  cp "$stage" "$tree/stage"
  chmod 755 "$tree/init" "$tree/stage" "$tree/bin/busybox"
  (cd "$tree" && find . | cpio -o -H newc --quiet | gzip -1) >"$out"
  rm -rf "$tree"
}

# boot_guest SECONDS DISK DISK_FORMAT CONTROL_DIR INITRD [SHARE_DIR]: boots the guest once
# and waits until it powers off or SECONDS pass; qemu is then killed by its own process id.
# The guest's console goes to CONTROL_DIR/console.log; the stage script reports in
# CONTROL_DIR. Returns 0 when qemu ended by itself.
boot_guest() {
  local seconds=$1 disk=$2 format=$3 control=$4 initrd=$5 share=${6:-}
  local shares=(-virtfs "local,path=$control,mount_tag=control,security_model=none")
  [ -n "$share" ] && shares+=(-virtfs "local,path=$share,mount_tag=src,security_model=none")
  # -cpu max without SMAP: qemu 7.2's TCG faults wine's return from interrupt under SMAP.
  # No stdio at all: the serial port goes to a file, so nothing can block on a hung-up stdin.
  qemu-system-i386 -machine pc -accel tcg,thread=multi -cpu max,-smap -smp 2 -m 2048 \
    -nodefaults -display none -no-reboot -monitor none -serial "file:$control/console.log" \
    -kernel "$GUEST_CACHE/vmlinuz" -initrd "$initrd" \
    -append "console=ttyS0 panic=-1 quiet loglevel=3" \
    -drive "file=$disk,format=$format,if=virtio,cache=unsafe" "${shares[@]}" \
    </dev/null >"$control/qemu.log" 2>&1 &
  local qemu=$! deadline=$((SECONDS + seconds))
  while kill -0 "$qemu" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      guest_log "no answer after $seconds s; stopping qemu (pid $qemu)"
      kill "$qemu" 2>/dev/null
      sleep 2
      kill -9 "$qemu" 2>/dev/null
      wait "$qemu" 2>/dev/null
      return 1
    fi
    sleep 1
  done
  wait "$qemu" 2>/dev/null
  return 0
}
