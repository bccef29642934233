# Reading the USB tree: the enumerator, the system interface over the Windows device APIs
# and its replay from recorded fixtures.
add_library(linsett_usb_enum STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/Descriptors.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Enumerator.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/MakeSystem.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/RealUsbSystem.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/RegistryText.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ReplayFixture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ReplayUsbSystem.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Worker.cpp
)
target_link_libraries(linsett_usb_enum PUBLIC linsett_core linsett_file_io PRIVATE setupapi cfgmgr32)
