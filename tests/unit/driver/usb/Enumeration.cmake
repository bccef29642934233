quorvane_test(usb_enum_tests SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/EnumeratorTest.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/SystemTest.cpp ${CMAKE_SOURCE_DIR}/driver/usb/MakeTestSystem.cpp LIBS linsett_usb_replay)
target_compile_definitions(usb_enum_tests PRIVATE USB_FIXTURE_DIR="${CMAKE_SOURCE_DIR}/tests/usb-fixtures")
