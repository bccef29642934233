# Reading the USB tree: the enumerator, the system interface over the Windows device APIs
# and its replay from recorded fixtures.
if(NOT TARGET linsett_file_io)
  # Whole-file reads, shared with the library that will ship the enumerator.
  add_library(linsett_file_io STATIC ${CMAKE_CURRENT_SOURCE_DIR}/../FileIo.cpp)
  target_include_directories(linsett_file_io PUBLIC ${QUORVANE_LAYER_ROOTS}/driver)
endif()

add_library(linsett_usb_enum STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/Descriptors.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Enumerator.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/MakeSystem.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/RealUsbSystem.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ReplayFixture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ReplayUsbSystem.cpp
)
target_link_libraries(linsett_usb_enum PUBLIC linsett_core linsett_file_io PRIVATE setupapi cfgmgr32)
