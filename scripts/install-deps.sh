#!/usr/bin/env bash
# Installs the Debian packages Vantrel needs to build, test and run.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  libasound2-dev librtmidi-dev libjack-jackd2-dev
  sox
  # The desktop's document-type database, which the program registers its documents with.
  shared-mime-info
  # Real VST plug-ins for the plug-in host's tests; they need no display to process sound.
  dpf-plugins-vst
  # Sound servers the tests start in user space (no sound hardware needed): a JACK server on
  # its dummy driver, and PulseAudio with a null sink behind ALSA's default device.
  jackd2 pulseaudio pulseaudio-utils libasound2-plugins
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi
