# Installs the Debian packages the build, the tests and the demo need, when
# they are missing. Sourced by the scripts; needs root (or sudo) for apt-get.
MONVELA_PACKAGES=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libsqlite3-dev sqlite3
  fonts-liberation
  gstreamer1.0-plugins-good
  qt6-translations-l10n
  poppler-utils desktop-file-utils
  clang libclang-rt-14-dev
)

monvela_install_deps() {
  local missing=()
  local pkg
  for pkg in "${MONVELA_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Instalando paquetes que faltan: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

monvela_build() {
  local build_dir="$1"
  cmake -S . -B "$build_dir" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build_dir" -j"$(nproc)"
}
