# Front door for the everyday commands; CMake does the real work.
BUILD ?= build
JOBS ?= 2
# Every folder that a target below creates, for make clean: each section adds its own.
BUILD_DIRS = $(BUILD)

.PHONY: run test test-sanitize build bench clean

# The flags that dpkg-buildflags gives a Debian package (all hardening, bindnow included), less
# -g, since the package's program is stripped; empty where dpkg-buildflags is missing. The tests
# build with them too, so that they run the very program that make package ships, and a package
# made in the tests' tree (PACKAGE_BUILD=$(BUILD), as CI does) compiles nothing again.
BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
RELEASE_FLAGS := $(shell command -v dpkg-buildflags >/dev/null && \
	echo '-DCMAKE_CXX_FLAGS="'$$($(BUILDFLAGS) CPPFLAGS | sed 's/-ffile-prefix-map=[^ ]*//') \
	$$($(BUILDFLAGS) CXXFLAGS | sed 's/-ffile-prefix-map=[^ ]*//; s/^-g //; s/ -g / /')'"' \
	'-DCMAKE_EXE_LINKER_FLAGS="'$$($(BUILDFLAGS) LDFLAGS)'"')

# The tests are configured only here and in the trees of the other checks: the program alone
# (make run, install, package) needs no test libraries.
build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTAVOLENT_TESTS=ON $(RELEASE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: dist-build
	./$(DIST_BUILD)/tavolent

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Everything, the end-to-end tests included, built with ASan, UBSan and the bounds checks of the
# standard library (_GLIBCXX_ASSERTIONS), and run. The same tree is make lint's: clang-tidy reads
# each unit as it is compiled (TIDY=OFF leaves it out), so one build serves both.
SANITIZE_BUILD ?= $(BUILD)-sanitize
BUILD_DIRS += $(SANITIZE_BUILD)
TIDY ?= ON
.PHONY: sanitize-build
sanitize-build:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLENT_SANITIZE=ON -DTAVOLENT_TIDY=$(TIDY)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

test-sanitize: sanitize-build
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

# The tests whose work threads share, built with ThreadSanitizer and run (thread_tests, which
# only this tree builds): the worker pool, the matrix products, the exact engine's primes and a
# cancel with 1, 2 and 4 threads (those at every lane width are left to make test, whose results
# they check the same way).
TSAN_BUILD ?= $(BUILD)-tsan
BUILD_DIRS += $(TSAN_BUILD)
TSAN_TESTS = CpuQuota*:ThreadLimit*:WorkerPool*:ArithmeticTest/*.Product*:SharedWork*:ExactEngineCliffs.*:ExactFractionMatrices.EveryThread*:ExactFractionMatrices.PrimesAskedFor*
.PHONY: test-tsan
test-tsan:
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLENT_TSAN=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target thread_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 $(TSAN_BUILD)/tests/thread_tests \
		--gtest_filter='$(TSAN_TESTS)'

BUILD_DIRS += $(BUILD)-bench
bench:
	cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DTAVOLENT_TESTS=OFF -DTAVOLENT_BENCHMARKS=ON
	cmake --build $(BUILD)-bench -j $(JOBS)
	for b in $(BUILD)-bench/bench/*_bench; do $$b --benchmark_min_time=0.2; done
	if python3 -c 'import sympy' 2>/dev/null; then python3 bench/exact_sympy.py; \
	else echo "exact_sympy.py left out: SymPy is not installed (python3-sympy)"; fi

# Fuzzes the element readers with libFuzzer under ASan and UBSan (clang only; not part of test).
FUZZ_BUILD ?= build-fuzz
BUILD_DIRS += $(FUZZ_BUILD)
FUZZ_SECONDS ?= 60
.PHONY: fuzz-readers
fuzz-readers:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DTAVOLENT_TESTS=OFF -DTAVOLENT_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target element_reader_fuzz
	mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/tests/fuzz/element_reader_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=5 -print_final_stats=1 \
		-artifact_prefix=$(FUZZ_BUILD)/ \
		$(FUZZ_BUILD)/corpus tests/fuzz/corpus

# Format (.clang-format) over every source of ours, the includes that no include path can refuse
# (tools/include-fence.sh), and static analysis (.clang-tidy): clang-tidy runs in the build of
# the sanitizer tree on every unit of it, the floors' header units included, so that every
# header is read too, and a later lint reads only what changed since.
LINT_SOURCES = $(shell git ls-files '*.cpp' '*.h' '*.inc')
.PHONY: lint
lint:
	@echo "clang-format: $(words $(LINT_SOURCES)) files"
	@clang-format --style=file --dry-run --Werror $(LINT_SOURCES)
	tools/include-fence.sh
	$(MAKE) sanitize-build TIDY=ON
	@echo "lint: clean"

# Feeds any bytes to the whole program in process, under ASan and UBSan (clang only; the
# replay of tests/fuzz/program-corpus is part of make test).
PROGRAM_FUZZ_BUILD ?= build-program-fuzz
BUILD_DIRS += $(PROGRAM_FUZZ_BUILD)
.PHONY: fuzz-program
fuzz-program:
	cmake -S . -B $(PROGRAM_FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DTAVOLENT_TESTS=OFF -DTAVOLENT_FUZZ=ON
	cmake --build $(PROGRAM_FUZZ_BUILD) -j $(JOBS) --target program_fuzz
	mkdir -p $(PROGRAM_FUZZ_BUILD)/corpus
	$(PROGRAM_FUZZ_BUILD)/tests/fuzz/program_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
		-print_final_stats=1 -artifact_prefix=$(PROGRAM_FUZZ_BUILD)/ -dict=tests/fuzz/program.dict \
		$(PROGRAM_FUZZ_BUILD)/corpus tests/fuzz/program-corpus

# The program as shipped, without the tests, in trees of its own: make run and make install
# build it in $(DIST_BUILD); make package in $(PACKAGE_BUILD) with Debian's hardening flags.
PREFIX ?= /usr/local
DIST_BUILD ?= $(BUILD)/dist
PACKAGE_BUILD ?= $(BUILD)/package
.PHONY: dist-build install uninstall package test-package

dist-build:
	cmake -S . -B $(DIST_BUILD) -DCMAKE_BUILD_TYPE=Release -DTAVOLENT_TESTS=OFF
	cmake --build $(DIST_BUILD) -j $(JOBS)

# The program, its manual pages and its licence under $(PREFIX); DESTDIR, if given, is put in
# front. The manifest is kept there too, so that make uninstall works after make clean (give it
# the same PREFIX and DESTDIR).
install: dist-build
	packaging/local-install.sh install $(DIST_BUILD) $(PREFIX)

uninstall:
	packaging/local-install.sh uninstall $(PREFIX)

# $(PACKAGE_BUILD)/tavolent_<version>_<architecture>.deb, compiled and linked with the flags of
# a Debian package (RELEASE_FLAGS). In a tree of its own the tests are left out; in the tests'
# tree they stay, and cpack takes only what make install would.
package:
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release $(RELEASE_FLAGS) \
		$(if $(filter $(BUILD),$(PACKAGE_BUILD)),,-DTAVOLENT_TESTS=OFF)
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack

test-package: package
	packaging/test-package.sh $(PACKAGE_BUILD)

# The README pictures, from a real run in tmux.
.PHONY: screenshots
screenshots: dist-build
	tools/screenshots.sh $(DIST_BUILD)/tavolent

# The Windows program, cross-built with mingw-w64 (Debian: g++-mingw-w64-x86-64) and statically
# linked: $(WINDOWS_BUILD)/tavolent.exe.
WINDOWS_BUILD ?= build-windows
BUILD_DIRS += $(WINDOWS_BUILD)
.PHONY: windows test-windows
windows:
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target tavolent

# Under wine (Debian: wine64): the unit tests as unit_tests.exe, then the piped end-to-end tests
# against tavolent.exe, driven from a host build in $(WINDOWS_BUILD)/host.
test-windows: windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	ctest --test-dir $(WINDOWS_BUILD) --output-on-failure -j $(JOBS)
	cmake -S . -B $(WINDOWS_BUILD)/host -DCMAKE_BUILD_TYPE=Release -DTAVOLENT_TESTS=OFF \
		-DTAVOLENT_WINDOWS_PROGRAM=$(abspath $(WINDOWS_BUILD))/tavolent.exe
	ctest --test-dir $(WINDOWS_BUILD)/host --output-on-failure -j $(JOBS)

# Line and branch coverage of app/, elements/, matrix/, memory/, number/, exact/ and parallel/ by the tests of
# make test, in a tree of its own (gcovr; the Windows-only files are left out, as are throw and
# unreachable branches).
COVERAGE_BUILD ?= build-coverage
BUILD_DIRS += $(COVERAGE_BUILD)
.PHONY: coverage
coverage:
	cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=Coverage -DCMAKE_CXX_FLAGS_COVERAGE="-O1 -g --coverage -fprofile-update=atomic -DTAVOLENT_COVERAGE"
	cmake --build $(COVERAGE_BUILD) -j $(JOBS)
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	ctest --test-dir $(COVERAGE_BUILD) --output-on-failure -j $(JOBS); status=$$?; \
	gcovr --root . --object-directory $(COVERAGE_BUILD) --exclude-directories '.*/CompilerIdCXX' \
		--filter '(app|elements|exact|matrix|memory|number|parallel)/' --exclude '.*Windows\.cpp$$' \
		--exclude-throw-branches --exclude-unreachable-branches --print-summary --output $(COVERAGE_BUILD)/coverage.txt \
		$(COVERAGE_BUILD) || status=$$?; \
	exit $$status

# Every build folder, after all the sections above have named theirs.
clean:
	rm -rf $(BUILD_DIRS)
