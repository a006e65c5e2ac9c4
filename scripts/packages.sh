# packages.sh -- the Debian packages the game and its tests need (sourced by play.sh and test.sh).
GAME_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libgl-dev libgl1-mesa-dri libegl1
  libegl-mesa0 libpng-dev zlib1g-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core)
TEST_PACKAGES=(libgtest-dev xvfb xauth xdotool x11-utils)
