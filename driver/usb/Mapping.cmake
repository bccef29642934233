# Turning one enumeration pass into a scenario: pure, no system calls.
add_library(linsett_usb_map STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Words.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Classify.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mapping.cpp
)
target_link_libraries(linsett_usb_map PUBLIC linsett_core)
