# vorlandex_add_test(<name> LABEL <label> [APPLICATION core|gui|widgets] [TIMEOUT <s>]
#                    SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable, registered with CTest as one test, with the shared main() of
# tests/test_main.cpp and the application object its tests need (core by default). Every test
# runs with the offscreen platform so window tests need no display.
function(vorlandex_test_main kind)
  set(target vx_test_main_${kind})
  if(TARGET ${target})
    return()
  endif()
  set(number_core 1)
  set(qt_core Qt6::Core)
  set(number_gui 2)
  set(qt_gui Qt6::Gui)
  set(number_widgets 3)
  set(qt_widgets Qt6::Widgets)
  if(NOT number_${kind})
    message(FATAL_ERROR "vorlandex_add_test: APPLICATION must be core, gui or widgets, not '${kind}'")
  endif()
  add_library(${target} STATIC ${PROJECT_SOURCE_DIR}/tests/test_main.cpp)
  target_compile_definitions(${target} PRIVATE VX_TEST_APPLICATION=${number_${kind}})
  target_link_libraries(${target} PUBLIC ${qt_${kind}} GTest::gtest)
endfunction()

function(vorlandex_add_test name)
  cmake_parse_arguments(ARG "" "LABEL;TIMEOUT;APPLICATION" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_APPLICATION)
    set(ARG_APPLICATION core)
  endif()
  vorlandex_test_main(${ARG_APPLICATION})
  add_executable(${name} ${ARG_SOURCES})
  if(VORLANDEX_PROGRAM_EMULATOR)
    # So that QProcess can start children under the emulator (tests/support/emulated_fork.cpp).
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/emulated_fork.cpp)
    target_link_libraries(${name} PRIVATE ${CMAKE_DL_LIBS})
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} vx_test_main_${ARG_APPLICATION} GTest::gtest GTest::gmock
                        Threads::Threads)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(environment "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
  if(VORLANDEX_PROGRAM_EMULATOR)
    # Heavy tests run a smaller size under the emulator, and say so (tests/support/programs.h).
    list(APPEND environment "VORLANDEX_TEST_EMULATED=1")
  endif()
  set_tests_properties(${name} PROPERTIES
    LABELS "${ARG_LABEL}"
    TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "${environment}")
endfunction()
