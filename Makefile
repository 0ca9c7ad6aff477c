# make run         install what is missing, build, start the game
# make test        install what is missing, build, run every test
# make fuzz        run every fuzz target for FUZZ_TIME seconds (build-fuzz/)
# make fuzz-smoke  run every fuzz target on its seeds for FUZZ_SMOKE_TIME seconds
# make sanitize    every test again, built with AddressSanitizer and UBSan (build-sanitize/)
BUILD    ?= build
JOBS     ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ make pkg-config \
            qt6-base-dev qt6-base-dev-tools libgl-dev libgtest-dev googletest \
            libjpeg62-turbo-dev xvfb xauth x11-utils xdotool imagemagick \
            fonts-dejavu-core binutils ccache clang-14 libclang-rt-14-dev
FUZZ_BUILD      ?= build-fuzz
FUZZ_TIME       ?= 300
FUZZ_SMOKE_TIME ?= 20
SANITIZE_BUILD  ?= build-sanitize

.PHONY: run test build deps configure clean fuzz fuzz-smoke fuzz-build sanitize

run: build
	cd $(BUILD) && ./hangman

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

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

# The fuzz targets (fuzz/) with clang, libFuzzer, ASan and UBSan. Grown
# corpora stay in $(FUZZ_BUILD)/corpus, out of git.
fuzz-build: deps
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang-14 CXX=clang++-14 \
	  cmake -S . -B $(FUZZ_BUILD) -G Ninja -DHANGMAN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all

fuzz: fuzz-build
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_TIME)

fuzz-smoke: fuzz-build
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SMOKE_TIME) --smoke

# Every test suite built with AddressSanitizer (leak checking on) and UBSan;
# tests/sanitize/lsan.supp names the leaks that are not ours.
sanitize: deps
	@[ -f $(SANITIZE_BUILD)/build.ninja ] || cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DHANGMAN_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD)
