quorvane_test(usb_enum_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/EnumeratorTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SystemTest.cpp LIBS linsett_usb_enum)
target_compile_definitions(usb_enum_tests PRIVATE USB_FIXTURE_DIR="${CMAKE_SOURCE_DIR}/tests/usb-fixtures")
