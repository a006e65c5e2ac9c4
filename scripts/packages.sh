# packages.sh -- the Debian packages the game, its tests and its fuzzers need (sourced by play.sh,
# test.sh and fuzz/run.sh).
GAME_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libsdl2-mixer-dev libgl-dev
  libgl1-mesa-dri libegl1 libegl-mesa0 libpng-dev zlib1g-dev libfreetype-dev libfontconfig-dev
  fonts-dejavu-core)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# The tests also install the game and build its Debian package: the validators of its desktop
# entry and metadata, dpkg-shlibdeps for the package's dependencies, and setpriv (util-linux) to
# run the installed game as an ordinary user.
TEST_PACKAGES=(libgtest-dev xvfb xauth xdotool x11-utils x11-xserver-utils desktop-file-utils
  appstream dpkg-dev util-linux "${FUZZ_PACKAGES[@]}")
