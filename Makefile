# make run   install what is missing, build, start the game
# make test  install what is missing, build, run every test
# make package  the Debian package, in $(BUILD)/package
BUILD    ?= build
JOBS     ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ make pkg-config \
            qt6-base-dev qt6-base-dev-tools libgl-dev libgtest-dev googletest \
            libjpeg62-turbo-dev xvfb xauth x11-utils xdotool imagemagick \
            fonts-dejavu-core binutils ccache libxcb1-dev \
            dpkg-dev file desktop-file-utils appstream

.PHONY: run test build deps configure clean package

run: build
	cd $(BUILD) && ./hangman

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD) && cpack

build: configure
	cmake --build $(BUILD) -j $(JOBS)

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja

# Installs the Debian packages the build and the tests need, when missing.
deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

clean:
	rm -rf $(BUILD)
