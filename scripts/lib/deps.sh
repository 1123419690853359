# Installs from Debian's packages whatever the build and the tests need and this machine lacks.
# A machine that has everything pays one dpkg query.

# libclang-rt-dev brings the sanitizer and fuzzer runtimes of whichever clang is installed;
# fonts-wine brings Marlett, with which Wine draws the caption buttons. The tests take MinGW-w64's
# posix thread model, the release exe its lighter win32 model.
quavelin_packages=(
    cmake g++ googletest libgtest-dev clang libclang-rt-dev libbenchmark-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
    wine wine64 wine32:i386 fonts-wine
    xvfb xclip xdotool x11-utils imagemagick fonts-ipafont-gothic zip unzip
)

missing_packages() { not_installed "${quavelin_packages[@]}"; }

# The machine's kernel may not run 32-bit Linux programs, which 32-bit Wine is made of. Then
# qemu's user-mode emulator is registered for them, so the 32-bit build can still be tested
# (slowly). Registration needs root and lasts until the machine restarts.
runs_32bit_programs() {
    local probe
    probe=$(mktemp)
    # A complete 32-bit Linux program that exits with status 0.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x00\x00\x00\x00\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    local status=$?
    rm -f "$probe"
    return $status
}

ensure_32bit_programs_run() {
    runs_32bit_programs && return 0
    [ -x /usr/bin/qemu-i386-static ] || apt_install qemu-user-static
    [ -e /proc/sys/fs/binfmt_misc/register ] \
        || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null || true
    if [ -w /proc/sys/fs/binfmt_misc/register ] && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
            >/proc/sys/fs/binfmt_misc/register || true
    fi
    runs_32bit_programs
}

# Seconds between the two tries of apt-get update: a mirror caught mid-sync serves lists whose
# sizes do not match its index for a moment.
apt_retry_pause=10
apt_updated=""
apt_update() {
    [ -n "$apt_updated" ] && return 0
    apt_updated=yes
    apt-get update -qq && return 0
    echo "apt-get update failed; trying once more in ${apt_retry_pause} s" >&2
    sleep "$apt_retry_pause"
    # Even a failed update leaves the lists that did arrive, and an install may still go through.
    apt-get update -qq || true
}

# The codename of the Debian release this machine runs, for example bookworm.
release_codename() {
    (. /etc/os-release 2>/dev/null && printf '%s\n' "${VERSION_CODENAME:-}")
}

# Those of the given packages that are not installed.
not_installed() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
            || printf '%s\n' "$package"
    done
}

# Installs the packages. When the plain install fails, for instance because one of the security
# suite's lists was missing, it tries again from the release's own suite. Failing that, it names
# the packages still missing and the first error apt gave.
apt_install() {
    apt_update
    local log status suite
    log=$(mktemp)
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null 2>"$log"
    status=$?
    suite=$(release_codename)
    if [ $status -ne 0 ] && [ -n "$suite" ]; then
        echo "The install failed; trying again from the release's own suite," \
            "$suite, which lacks the newest security fixes" >&2
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -t "$suite" "$@" \
            >/dev/null 2>"$log"
        status=$?
    fi
    if [ $status -ne 0 ]; then
        echo "Could not install: $(not_installed "$@" | tr '\n' ' ')" >&2
        echo "apt said: $(grep -m 1 '^E:' "$log" || head -n 1 "$log")" >&2
    fi
    rm -f "$log"
    return $status
}

ensure_packages() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    echo "Installing: $(echo $missing)"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    # shellcheck disable=SC2086
    apt_install $missing
}
