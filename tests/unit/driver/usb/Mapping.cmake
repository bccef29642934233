quorvane_test(usb_map_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/MappingTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ActivityMeterTest.cpp
  LIBS linsett_usb_map)
