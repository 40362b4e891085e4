# The stand-in host and the Windows-side test program, for the win64 build and for the
# 32-bit test build (test32), which runs them in the i386 guest against build/win32/Duduve.dll.
file(GLOB DUDUVE_HOST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/host/*.cpp)
add_library(duduve_host STATIC ${DUDUVE_HOST_SOURCES})
target_include_directories(duduve_host PUBLIC ${CMAKE_SOURCE_DIR}/host ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(duduve_host PUBLIC user32 gdi32 kernel32)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -Wno-error)
target_compile_options(gtest_main PRIVATE -Wno-error)

file(GLOB DUDUVE_WIN_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*.cpp)
add_executable(duduve_win_tests ${DUDUVE_WIN_TESTS})
set_target_properties(duduve_win_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# tests/support for the tables the native tests share; its fakes are not built here.
target_include_directories(duduve_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win
  ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(duduve_win_tests PRIVATE duduve_host gtest_main)
target_link_options(duduve_win_tests PRIVATE ${DUDUVE_STATIC_RUNTIME})
