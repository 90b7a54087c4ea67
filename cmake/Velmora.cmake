# One library target per folder: every .cpp of the folder belongs to it.
function(velmora_add_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        # A folder of headers only so far: its dependents still link through it.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# One test executable per tested library or program, labelled with its name, so that
# `ctest -L store` runs one library's tests.
function(velmora_add_tests label)
    cmake_parse_arguments(ARG "" "" "DEPS;ENVIRONMENT" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(target ${label}_tests)
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_DEPS} GTest::gmock_main)
    target_compile_definitions(${target} PRIVATE
        VELMORA_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
        VELMORA_BINARY_DIR="${PROJECT_BINARY_DIR}")
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS ${label} ENVIRONMENT "${ARG_ENVIRONMENT}")
endfunction()
