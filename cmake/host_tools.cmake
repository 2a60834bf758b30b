# A cross build runs some programs on the build machine: the picture generator during the build
# (and the icon maker, for the browser), and the end-to-end robot that plays the Windows game under Wine. Both come from a build of this
# same project for the host, made by the host's compiler and Qt, so there is one definition of each.
include(ExternalProject)

set(CRATEFALL_HOST_DIR ${CMAKE_BINARY_DIR}/host)
set(CRATEFALL_HOST_PICTURE_GENERATOR ${CRATEFALL_HOST_DIR}/src/pictures/cratefall_picture_generator)
set(CRATEFALL_HOST_ROBOT ${CRATEFALL_HOST_DIR}/tests/e2e/cratefall_e2e_robot)
set(CRATEFALL_HOST_E2E_ENTRY ${CRATEFALL_HOST_DIR}/tests/e2e/cratefall_e2e_entry)
set(CRATEFALL_HOST_ICON_MAKER ${CRATEFALL_HOST_DIR}/packaging/cratefall_icon_maker)
set(host_targets cratefall_picture_generator)
set(host_products ${CRATEFALL_HOST_PICTURE_GENERATOR})
if(EMSCRIPTEN)
    # The icons an installed page shows, drawn as the desktop's are.
    list(APPEND host_targets cratefall_icon_maker)
    list(APPEND host_products ${CRATEFALL_HOST_ICON_MAKER})
endif()
if(CRATEFALL_BUILD_TESTS AND WIN32)
    # The robot, and the test entry that tells it the screens' layout (the same on Windows).
    list(APPEND host_targets cratefall_e2e_robot cratefall_e2e_entry)
    list(APPEND host_products ${CRATEFALL_HOST_ROBOT} ${CRATEFALL_HOST_E2E_ENTRY})
endif()

ExternalProject_Add(cratefall_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CRATEFALL_HOST_DIR}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCRATEFALL_WERROR=${CRATEFALL_WERROR}
               -DCRATEFALL_BUILD_BENCH=OFF
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${CRATEFALL_HOST_DIR} --target ${host_targets}
    INSTALL_COMMAND ""
    # The host build decides for itself whether its programs are up to date.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${host_products}
)
