#pragma once
// The library reads and replaces its files with the program's own file functions.
#include "base/FileIo.h"

namespace linsett {

using fileio::Exists;
using fileio::kMaxFileBytes;
using fileio::MakeParentFolder;
using fileio::ReadEnvironment;
using fileio::ReadResult;
using fileio::ReadWholeFile;
using fileio::ReplaceFileAtomically;
using fileio::SetAside;

}  // namespace linsett
