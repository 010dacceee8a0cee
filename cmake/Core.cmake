# The demo's code as libraries, shared by the native, browser and Windows
# builds: vorlune-demo is everything but the program entry and the platform,
# whose backends are one library each.
set(VORLUNE_SRC ${CMAKE_CURRENT_LIST_DIR}/../src)

# The one version number lives in project() of the top CMakeLists.txt.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../CMakeLists.txt VORLUNE_PROJECT_LINE REGEX "^project\\(Vorlune VERSION")
string(REGEX REPLACE ".*VERSION ([0-9.]+).*" "\\1" VORLUNE_VERSION "${VORLUNE_PROJECT_LINE}")

file(GLOB DEMO_SOURCES CONFIGURE_DEPENDS
  ${VORLUNE_SRC}/log/*.cpp ${VORLUNE_SRC}/core/*.cpp ${VORLUNE_SRC}/display/*.cpp
  ${VORLUNE_SRC}/image/*.cpp ${VORLUNE_SRC}/effects/*.cpp ${VORLUNE_SRC}/demo/*.cpp)
list(REMOVE_ITEM DEMO_SOURCES ${VORLUNE_SRC}/demo/Main.cpp)
add_library(vorlune-demo STATIC ${DEMO_SOURCES})
target_include_directories(vorlune-demo PUBLIC ${VORLUNE_SRC})
target_compile_definitions(vorlune-demo PRIVATE VORLUNE_VERSION="${VORLUNE_VERSION}")

# What the operating system gives every backend (src/platform/os/).
file(GLOB OS_SOURCES CONFIGURE_DEPENDS ${VORLUNE_SRC}/platform/os/*.cpp)
add_library(platform-os STATIC ${OS_SOURCES})
target_include_directories(platform-os PUBLIC ${VORLUNE_SRC})

# The backend is chosen at link time: platform-NAME from src/platform/NAME/.
function(vorlune_backend NAME)
  file(GLOB SOURCES CONFIGURE_DEPENDS ${VORLUNE_SRC}/platform/${NAME}/*.cpp)
  add_library(platform-${NAME} STATIC ${SOURCES})
  target_include_directories(platform-${NAME} PUBLIC ${VORLUNE_SRC})
  target_link_libraries(platform-${NAME} PUBLIC platform-os)
endfunction()
