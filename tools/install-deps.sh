#!/bin/sh
# Installs the Debian 12 packages Kaleno needs to build, test and benchmark, and only
# those missing, so that a machine already set up does not touch the network.
set -eu

packages="build-essential cmake pkg-config qt6-base-dev libjpeg62-turbo-dev libgif-dev
libbenchmark-dev fonts-liberation2"

# Each extra word on the command line is one more package (CI asks for clang for the fuzzers).
packages="$packages $*"

missing=""
for p in $packages; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $p" ;;
  esac
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=""
elif command -v sudo >/dev/null 2>&1; then
  as_root="sudo"
else
  echo "install-deps: missing packages:$missing (run as root or install sudo)" >&2
  exit 1
fi

echo "install-deps: installing$missing"
$as_root apt-get update -q
DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -q --no-install-recommends $missing
