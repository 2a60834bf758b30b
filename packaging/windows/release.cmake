# The Windows release's name and folder, for its packaging rules and for the tests that take it.
set(CRATEFALL_RELEASE_NAME cratefall-${PROJECT_VERSION}-windows-x64)
set(CRATEFALL_RELEASE_DIR ${PROJECT_BINARY_DIR}/release)
