# The two commands a new user needs: `make run [FILE=path]` and `make test`.
.PHONY: run test build-release build-dev bench deps package-deps package package-check clean

FILE ?= resources/sample.bmp

deps:
	@scripts/install-deps.sh

build-release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release

build-dev: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev

run: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target rastrix
	build/release/src/gui/rastrix $(FILE)

test: build-dev
	scripts/include-graph.py
	scripts/run-tests.sh

# The Debian package, build/package/rastrix_<version>_<arch>.deb, and its checks (CI runs them).
package-deps:
	@scripts/install-deps.sh --package

package: package-deps
	cmake --preset package >/dev/null
	cmake --build --preset package
	cd build/package && rm -f rastrix_*.deb && cpack -G DEB

package-check: package
	scripts/check-package.sh build/package

bench: build-release
	scripts/run-bench.sh

clean:
	rm -rf build
