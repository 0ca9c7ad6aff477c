# make run         install what is missing, build, start the game
# make test        install what is missing, build, run every test
# make windows     cross-build the Windows program: build-win32/ (the product)
#                  and build-win64/ (the same for x86-64, with its tests, run
#                  under wine64), each with its zip (hangman-win32.zip,
#                  hangman-win64.zip) and installer (hangman-win32.msi,
#                  hangman-win64.msi)
# make package     the Debian package of a Release build with Debian's
#                  hardening flags, in $(PACKAGE_BUILD)/package, checked by lintian
# make fuzz        run every fuzz target for FUZZ_TIME seconds (build-fuzz/)
# make fuzz-smoke  run every fuzz target on its seeds for FUZZ_SMOKE_TIME seconds
# make sanitize    every test again, built with AddressSanitizer and UBSan (build-sanitize/)
BUILD    ?= build
WIN32_BUILD ?= build-win32
WIN64_BUILD ?= build-win64
PACKAGE_BUILD ?= build-package
JOBS     ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ make pkg-config \
            qt6-base-dev qt6-base-dev-tools libgl-dev libgtest-dev googletest \
            libjpeg62-turbo-dev libfontconfig-dev xvfb xauth x11-utils xdotool imagemagick \
            fonts-dejavu-core binutils ccache openbox libx11-dev libxcb1-dev \
            dpkg-dev file desktop-file-utils appstream \
            g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 wine icoutils zip unzip \
            lintian msitools wixl man-db libstb-dev \
            clang-14 libclang-rt-14-dev
FUZZ_BUILD      ?= build-fuzz
FUZZ_TIME       ?= 300
FUZZ_SMOKE_TIME ?= 20
SANITIZE_BUILD  ?= build-sanitize

.PHONY: run test build deps configure windows clean package fuzz fuzz-smoke fuzz-build sanitize

run: build
	cd $(BUILD) && ./hangman

test: build windows
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(WIN64_BUILD) && ctest --output-on-failure -j $(JOBS)

# The package build compiles only what the package holds (the program, its
# runtime and splash library, the compressed manual page and changelog).
package: deps
	@[ -f $(PACKAGE_BUILD)/build.ninja ] || cmake -S . -B $(PACKAGE_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
	cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target hangman kovrt splashscreen hangman_docs
	cd $(PACKAGE_BUILD) && cpack
	lintian --allow-root --fail-on error,warning $(PACKAGE_BUILD)/package/hangman_*.deb

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The Linux build tests the Windows builds too (tests/e2e/wine): it is
# configured with their directories, also when it was configured without.
configure: deps
	@grep -qs '^KOV_WIN64_DIR' $(BUILD)/CMakeCache.txt && [ -f $(BUILD)/build.ninja ] || \
	  cmake -S . -B $(BUILD) -G Ninja \
	    -DKOV_WIN32_DIR=$(CURDIR)/$(WIN32_BUILD) -DKOV_WIN64_DIR=$(CURDIR)/$(WIN64_BUILD)

# The Windows builds write their configuration block with the Linux build's
# cpbtool; each makes its installer (resources/WindowsInstaller.cmake). The
# zips hold what a Windows user unpacks and runs.
windows: configure
	cmake --build $(BUILD) -j $(JOBS) --target cpbtool
	$(call windows-build,$(WIN32_BUILD),i686,)
	$(call windows-build,$(WIN64_BUILD),x86_64,-DKOV_WINDOWS_TESTS=ON)
	$(call windows-zip,$(WIN32_BUILD),hangman-win32.zip)
	$(call windows-zip,$(WIN64_BUILD),hangman-win64.zip)

# $(call windows-build,DIR,ARCH,OPTIONS): configure once, then build.
define windows-build
	@[ -f $(1)/build.ninja ] || cmake -S . -B $(1) -G Ninja \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-$(2).cmake \
	    -DKOV_HOST_CPBTOOL=$(CURDIR)/$(BUILD)/tools/cpbtool/cpbtool $(3)
	cmake --build $(1) -j $(JOBS)
endef

# $(call windows-zip,DIR,ZIP): the program, its DLLs and the word lists;
# not the testing runtime that the test programs beside the component use.
define windows-zip
	cd $(1) && rm -f $(2) && \
	  zip -qr $(2) hangman.exe words $$(ls -d rt 2>/dev/null) -i hangman.exe 'words/*.txt' 'rt/*.dll' \
	    -x 'rt/kovrt/kovrt_testing.dll'
endef

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
# tests/sanitize/lsan.supp names the leaks that are not ours. The build runs
# under the same options: it lists each GUI suite's tests by starting it.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
sanitize: deps
	@[ -f $(SANITIZE_BUILD)/build.ninja ] || cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DHANGMAN_SANITIZE=ON
	$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(WIN32_BUILD) $(WIN64_BUILD) $(PACKAGE_BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD)
