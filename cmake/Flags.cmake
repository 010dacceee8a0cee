# The language and the arithmetic rules, shared by the native build and the
# browser build.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release)
endif()

# Results must match bit for bit: no fused multiply-add, no fast math,
# no whole-program -march.
add_compile_options(-Wall -Wextra -ffp-contract=off)
# Designated initialisers leave the fields they skip at their defaults on
# purpose; g++ 12 would warn about each.
add_compile_options(-Wno-missing-field-initializers)
