# make run:  installs what is missing, builds, starts the program.
# make test: installs what is missing, builds, runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test clean bench fuzz package

all: build

deps:
	scripts/install-deps

# make test builds with warnings as errors; make run does not stop at a warning.
WERROR ?= OFF
test: WERROR = ON

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DYORVANE_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

# Without a display (a headless machine) the program runs in a virtual X server.
run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/yorvane; \
	else \
	  echo "no display: starting in a virtual X server (xvfb-run)"; \
	  xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)/yorvane; \
	fi

# Every test runs twice: in the ordinary build, then in a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, where any report fails the test.
SANITIZE_BUILD ?= build-sanitize
export ASAN_OPTIONS = detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS = print_stacktrace=1:halt_on_error=1

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DYORVANE_SANITIZE=ON \
	  -DYORVANE_WERROR=$(WERROR)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

# Builds the Debian package yorvane_<version>-1_amd64.deb in build-package/ (Release, without
# the tests, with Debian's hardening flags) and checks it with lintian. Configured for the
# prefix /usr, the package's own.
PACKAGE_BUILD ?= build-package
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
package:
	scripts/install-deps --package
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DYORVANE_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	rm -f $(PACKAGE_BUILD)/yorvane_*.deb
	cd $(PACKAGE_BUILD) && cpack
	lintian $(PACKAGE_BUILD)/yorvane_*.deb
	@ls $(PACKAGE_BUILD)/yorvane_*.deb

# Builds the benchmarks in build-bench (Release) and runs every one, printing its figures.
bench:
	scripts/install-deps --bench
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DYORVANE_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target yorvane_benchmarks
	build-bench/bench/bench_engine
	QT_QPA_PLATFORM=offscreen build-bench/bench/bench_window
	QT_QPA_PLATFORM=offscreen build-bench/bench/bench_agetable
	bench/startup.sh build-bench/bench/startup-folder

# Builds the fuzz targets with clang++ in build-fuzz, replays the inputs kept in
# fuzz/regressions/, then runs each target for FUZZ_SECONDS on a copy of its seed corpus (the
# copy in the build folder grows, fuzz/corpus/ does not). Fails when a target crashes or finds
# a wrong result; the input is then in build-fuzz/artifacts/ (see fuzz/README.md).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	scripts/install-deps --fuzz
	cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@failed=; \
	for t in number profile date; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/artifacts; \
	  cp fuzz/corpus/$$t/* $(FUZZ_BUILD)/corpus/$$t/; \
	  kept=$$(find fuzz/regressions/$$t -type f 2>/dev/null | sort); \
	  if [ -n "$$kept" ]; then \
	    echo "== fuzz_$$t: the inputs kept in fuzz/regressions/$$t"; \
	    if ! $(FUZZ_BUILD)/fuzz_$$t $$kept; then failed="$$failed $$t"; continue; fi; \
	  fi; \
	  echo "== fuzz_$$t: $(FUZZ_SECONDS) seconds"; \
	  $(FUZZ_BUILD)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -dict=fuzz/$$t.dict -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t- \
	    $(FUZZ_BUILD)/corpus/$$t || failed="$$failed $$t"; \
	done; \
	if [ -n "$$failed" ]; then echo "make fuzz: failed:$$failed"; exit 1; fi
