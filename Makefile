# The two commands of README.md. Everything else lives in scripts/.
.PHONY: run test build
run:
	bash scripts/run-zel.sh
test:
	bash scripts/run-tests.sh
build:
	bash scripts/install-deps.sh
	cmake --preset default
	cmake --build --preset default
