# Thin front end over CMake; every target installs what it misses first.
BUILD ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
TEST_ENV = GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
FUZZ_SECONDS ?= 20

.PHONY: all deps build run test fuzz clean

all: build

deps:
	scripts/setup-deps.sh build

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j2

run: build
	scripts/setup-deps.sh run
	scripts/run.sh $(BUILD)

test:
	scripts/setup-deps.sh test
	$(MAKE) --no-print-directory build
	cd $(BUILD) && $(TEST_ENV) xvfb-run -a ctest --output-on-failure
	$(MAKE) --no-print-directory fuzz

# Feeds the signature file loader random files for a fixed time.
fuzz:
	scripts/fuzz.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
