# Turning one enumeration pass into a scenario, and the traffic counts into status codes: pure,
# no system calls.
add_library(linsett_usb_map STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Words.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Classify.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActivityMeter.cpp
)
target_link_libraries(linsett_usb_map PUBLIC linsett_core)
