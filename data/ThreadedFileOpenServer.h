#pragma once
// The open server of a per-thread file: one per file manager, opening and
// closing the thread's own instance of the file directly.

#include "data/FileOpenServer.h"

class ThreadedFileOpenServer : public FileOpenServer {
  public:
    std::int32_t OpenFile(int mode) override;
    std::int32_t CloseFile() override;
};
