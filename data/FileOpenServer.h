#pragma once
// The common part of the open servers: the runtime file they open and the
// count of extra holders. Borrows the file, which must outlive the server.
// A server is destroyed by its last Release.

#include <cstdint>

#include "data/IFileOpenServer.h"
#include "runtime/store/KeyedFile.h"

class FileOpenServer : public IFileOpenServer {
  public:
    FileOpenServer() = default;
    FileOpenServer(const FileOpenServer&) = delete;
    FileOpenServer& operator=(const FileOpenServer&) = delete;

    virtual void Init(rt::KeyedFile& file);
    void Link() override;
    void Release() override;

    rt::KeyedFile* MyFile = nullptr;
    std::int32_t Usage = 0;  // extra holders: 0 means one

  protected:
    ~FileOpenServer() override = default;
};
