# The demo's code as libraries, shared by the native build and the browser
# build: everything but the program entry, and one library per backend.
set(VORLUNE_SRC ${CMAKE_CURRENT_LIST_DIR}/../src)

file(GLOB CORE_SOURCES CONFIGURE_DEPENDS
  ${VORLUNE_SRC}/log/*.cpp ${VORLUNE_SRC}/core/*.cpp ${VORLUNE_SRC}/display/*.cpp
  ${VORLUNE_SRC}/image/*.cpp ${VORLUNE_SRC}/effects/*.cpp ${VORLUNE_SRC}/demo/*.cpp)
list(REMOVE_ITEM CORE_SOURCES ${VORLUNE_SRC}/demo/Main.cpp)
add_library(vorlune-core STATIC ${CORE_SOURCES})
target_include_directories(vorlune-core PUBLIC ${VORLUNE_SRC})

# The backend is chosen at link time: platform-NAME from src/platform/NAME/.
function(vorlune_backend NAME)
  file(GLOB SOURCES CONFIGURE_DEPENDS ${VORLUNE_SRC}/platform/${NAME}/*.cpp)
  add_library(platform-${NAME} STATIC ${SOURCES})
  target_include_directories(platform-${NAME} PUBLIC ${VORLUNE_SRC})
endfunction()
