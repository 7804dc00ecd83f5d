# kv_folder_library(<name> [EXCLUDE <regex>] [DEPS <targets>...])
# One static library made of every source of the calling folder (recursively).
# A folder without sources yet still yields a library, so that targets which
# depend on it link while the folder is being written.
function(kv_folder_library name)
  cmake_parse_arguments(ARG "" "EXCLUDE" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER srcs EXCLUDE REGEX "/testing/")
  if(ARG_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  set(has_cpp FALSE)
  foreach(s IN LISTS srcs)
    if(s MATCHES "\\.(cpp|c)$")
      set(has_cpp TRUE)
    endif()
  endforeach()
  if(NOT has_cpp)
    set(empty ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${empty} "// folder has no sources yet\n")
    list(APPEND srcs ${empty})
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# kv_folder_tests(<folder> [DEPS <targets>...])
# GoogleTest executables run by CTest: test_<folder> from the sources directly in
# tests/<folder>, and test_<folder>_<sub> from each subfolder tests/<folder>/<sub>.
function(kv_folder_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(dir ${CMAKE_CURRENT_SOURCE_DIR}/${folder})
  file(GLOB top CONFIGURE_DEPENDS ${dir}/*.cpp)
  if(top)
    kv_test_executable(test_${folder} "${top}" "${ARG_DEPS}")
  endif()
  file(GLOB children LIST_DIRECTORIES true ${dir}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child})
      get_filename_component(sub ${child} NAME)
      file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${child}/*.cpp)
      if(srcs)
        kv_test_executable(test_${folder}_${sub} "${srcs}" "${ARG_DEPS}")
      endif()
    endif()
  endforeach()
endfunction()

# Every test runs with the program's resources registered, as the program does.
function(kv_test_executable exe srcs deps)
  add_executable(${exe} ${srcs})
  target_link_libraries(${exe} PRIVATE ${deps} "$<LINK_LIBRARY:WHOLE_ARCHIVE,resources>" kv_testmain GTest::gtest
                        GTest::gmock)
  target_compile_definitions(${exe} PRIVATE KV_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${exe} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                       DISCOVERY_TIMEOUT 60)
endfunction()
