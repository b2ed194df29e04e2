# make run:  installs what is missing, builds, starts the program.
# make test: installs what is missing, builds, runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

# Without a display (a headless machine) the program runs in a virtual X server.
run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/yorvane; \
	else \
	  echo "no display: starting in a virtual X server (xvfb-run)"; \
	  xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD)/yorvane; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
