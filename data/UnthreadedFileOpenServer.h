#pragma once
// The open server of a file shared by all threads: one per file, shared by
// every manager of it through the process-wide map (FileOpenServers.h). It
// counts physical opens so the file opens once and closes with its last
// user. Any thread: every operation runs inside CSect.

#include <cstdint>
#include <memory>

#include "data/FileOpenServer.h"
#include "pairs/CriticalSection.h"

class UnthreadedFileOpenServer : public FileOpenServer {
  public:
    UnthreadedFileOpenServer();

    std::int32_t OpenFile(int mode) override;
    std::int32_t CloseFile() override;
    void Link() override;
    void Release() override;

    std::unique_ptr<CriticalSection> CSect;
    std::int32_t FileUsageCount = 0;  // physical opens in force

  protected:
    ~UnthreadedFileOpenServer() override;
};
