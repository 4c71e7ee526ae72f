# Window-free sources: built into the program and, with the host compiler, into the native tests.
get_filename_component(HUEBENCH_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
file(GLOB HUEBENCH_PURE_SOURCES CONFIGURE_DEPENDS
    ${HUEBENCH_ROOT}/colour/*.cpp
    ${HUEBENCH_ROOT}/settings/SettingsCodec.cpp
    ${HUEBENCH_ROOT}/print/PrintGeometry.cpp
    ${HUEBENCH_ROOT}/preview/PreviewLayout.cpp
    ${HUEBENCH_ROOT}/shell/LayoutMath.cpp)
