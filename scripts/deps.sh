# Installs the build dependencies that are missing (Debian 12, as root).
# Sourced by run.sh and test.sh.
quenlor_install_deps() {
  local pkgs=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev
              libbenchmark-dev libflint-dev libgmp-dev fonts-dejavu-core qt6-translations-l10n "$@")
  local missing=()
  local p
  for p in "${pkgs[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}
