# The commands a newcomer types. Everything else is CMake + Ninja underneath.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
# How long `make fuzz` runs each target, and how many mutated inputs the CI run tries on each.
FUZZ_SECONDS ?= 60
FUZZ_RUNS   ?= 3000
FUZZ_TARGETS := bank settings score_database answer_sheet workspace bank_text roster_text xml
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DOLV_WERROR=ON
endif
# Rebuilds of other checkouts of the project reuse each other's objects when ccache is there.
ifneq ($(shell command -v ccache),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: mutants all deps build test test-asan bench demo format clean fuzz-build fuzz fuzz-ci admin stage-demo package package-check kiosk-check

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOLV_SANITIZE=ON $(CMAKE_FLAGS)

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

$(BENCH_BUILD)/build.ninja:
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DOLV_BUILD_BENCH=ON -DOLV_BUILD_TESTS=OFF

bench: deps $(BENCH_BUILD)/build.ninja
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target olv_bench
	$(BENCH_BUILD)/bench/olv_bench

# The fuzz targets are clang's (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer) and
# build only the readers, never Qt. Inputs found go to $(FUZZ_BUILD)/corpus/TARGET, crashes to
# $(FUZZ_BUILD)/artifacts; the seeds in fuzz/corpus stay as committed (fuzz/make-corpus.sh makes them).
$(FUZZ_BUILD)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOLV_BUILD_FUZZ=ON $(CMAKE_FLAGS)

fuzz-build: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

FUZZ_RUN = set -e; for target in $(FUZZ_TARGETS); do \
	    mkdir -p $(abspath $(FUZZ_BUILD))/corpus/$$target $(abspath $(FUZZ_BUILD))/artifacts; \
	    echo "== fuzz_$$target"; \
	    $(FUZZ_BUILD)/fuzz/fuzz_$$target -artifact_prefix=$(abspath $(FUZZ_BUILD))/artifacts/$$target- $(1) \
	        $(abspath $(FUZZ_BUILD))/corpus/$$target $(abspath fuzz/corpus)/$$target; \
	done

fuzz: fuzz-build
	$(call FUZZ_RUN,-max_total_time=$(FUZZ_SECONDS) -print_final_stats=1)

# CI: every target over its seeds, then a few thousand mutated inputs from a fixed seed (at
# most a minute per target: the workspace target writes and syncs files on every run).
fuzz-ci: fuzz-build
	$(call FUZZ_RUN,-runs=0 -timeout=30)
	$(call FUZZ_RUN,-runs=$(FUZZ_RUNS) -max_total_time=60 -timeout=30 -seed=1)

# A fresh copy of the sample exam in $(DEMO) with a drive D: of its own, so that no earlier
# demo's workspace resumes. With a display the real client starts there; without one the
# walk-through plays an exam and saves screenshots of every window, then the examiner's
# walk-through tours Olvadmin in the same folder and saves its screenshots.
DEMO   := $(BUILD)/demo
SAMPLE := resources/sample

# A fresh demo folder.
stage-demo:
	rm -rf $(DEMO)
	mkdir -p $(DEMO)/drive
	for file in WordE97.kst cj.kcj olvane.dat; do \
	    if [ -f $(SAMPLE)/$$file ]; then cp $(SAMPLE)/$$file $(DEMO)/; fi; \
	done
	[ -f $(DEMO)/WordE97.kst ] || $(BUILD)/tools/olvtool bank-pack $(SAMPLE)/WordE97.txt $(DEMO)/WordE97.kst

demo: build
	$(MAKE) --no-print-directory stage-demo
	if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    cd $(DEMO) && HOME=$(abspath $(DEMO)/drive) $(abspath $(BUILD))/client/Olvane; \
	else \
	    cd $(DEMO) && HOME=$(abspath $(DEMO)/drive) $(abspath $(BUILD))/client/olvane-walkthrough \
	    && HOME=$(abspath $(DEMO)/drive) $(abspath $(BUILD))/admin/olvadmin-walkthrough; \
	fi

# The examiner's program in the demo exam folder: staged as `make demo` stages it when there is
# none yet, kept when there is, so that the results of a demo exam can be looked at.
admin: build
	[ -d $(DEMO) ] || $(MAKE) --no-print-directory stage-demo
	cd $(DEMO) && HOME=$(abspath $(DEMO)/drive) $(abspath $(BUILD))/admin/Olvadmin

# The Debian package for the exam machines and the examiner's machine: $(BUILD)/olvane_*.deb.
package: build
	cd $(BUILD) && cpack -G DEB

# Builds the package, unpacks it into a scratch root and checks what a machine gets.
package-check: build
	bash scripts/check-package.sh $(BUILD)

# The kiosk session on a machine without a display: cage headless with the client at its login.
kiosk-check: build
	bash scripts/install-deps.sh kiosk
	bash scripts/kiosk-check.sh $(BUILD)

format: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) --target format

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)

# Seeded mutants over the rules without Qt, one at a time, each rebuilt and tested in a build
# folder of its own (slow: not part of CI). MUTANTS and SEED choose the sample.
MUTANTS ?= 20
SEED    ?= 1
MUTANTS_BUILD ?= build-mutants
$(MUTANTS_BUILD)/build.ninja:
	cmake -S . -B $(MUTANTS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

mutants: deps $(MUTANTS_BUILD)/build.ninja
	python3 scripts/mutants.py $(MUTANTS_BUILD) --mutants $(MUTANTS) --seed $(SEED)
