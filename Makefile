# Set-up, build, run and test on a fresh Debian 12 machine.
#   make run   installs what is missing, builds, starts the program on the bundled data
#   make test  installs what is missing, builds, runs every test (plain and sanitized)
#   make package  builds the Debian package build/varneth_*.deb (installs under /usr)
#   make check-package  installs that package in a clean Debian 12 root and uses it there

PACKAGES := cmake ninja-build g++ pkg-config \
	qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6-dev libgl-dev \
	libgtest-dev libgmock-dev libbenchmark-dev \
	libjpeg62-turbo-dev zlib1g-dev libuemf-dev libemf2svg-dev emf2svg libwmf-bin \
	fonts-noto-cjk adwaita-icon-theme clang libclang-rt-14-dev \
	libxlsxwriter-dev poppler-utils cups printer-driver-cups-pdf fonts-droid-fallback \
	qt6-translations-l10n dpkg-dev file

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup configure build run test test-plain test-asan bench package check-package clean

all: build

setup:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN_BUILD)/build.ninja: | setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNETH_SANITIZE=ON

configure: $(BUILD)/build.ninja

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/bin && ./varneth

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: setup $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --output-on-failure -j $(JOBS)

test: test-plain test-asan

bench: build
	$(BUILD)/bin/diagram_bench
	$(BUILD)/bin/report_bench

package: build
	cmake --build $(BUILD) --target package

check-package: package
	tools/check-package.sh $(BUILD)/varneth_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
