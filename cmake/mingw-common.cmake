# The posix thread model is required: the win32 model lacks std::condition_variable.
set(CMAKE_C_COMPILER   ${QUORVANE_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVANE_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${QUORVANE_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVANE_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# No MinGW runtime DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
