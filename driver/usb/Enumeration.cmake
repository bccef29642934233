# Reading the USB tree: the enumerator, the system interface over the Windows device APIs, the
# worker thread that later passes run on, and the capture service's counts of the traffic.
# Each build of the library adds the source that picks the system it reads (MakeSystem.cpp, or
# MakeTestSystem.cpp in the test build).
add_library(linsett_usb_enum STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/Descriptors.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Enumerator.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/RealUsbSystem.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/RegistryText.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ServiceFeed.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/Worker.cpp
)
target_link_libraries(linsett_usb_enum PUBLIC linsett_core PRIVATE setupapi cfgmgr32 advapi32)
# The system interface replayed from recorded fixtures, and their captures: for the test build,
# the tests and the bench only.
add_library(linsett_usb_replay STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/ReplayFixture.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ReplayUsbSystem.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ReplayFeed.cpp
)
target_link_libraries(linsett_usb_replay PUBLIC linsett_usb_enum quorvane_file_io linsett_capture_core)
