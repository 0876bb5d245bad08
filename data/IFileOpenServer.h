#pragma once
// What a file manager sees of the object that physically opens and closes
// its table: open with an access mode, close, and a hold that callers take
// (Link) and give back (Release). Implementations decide who shares a file.

#include <cstdint>

class IFileOpenServer {
  public:
    // Runtime error code of the open; 0 also when the file was already open.
    virtual std::int32_t OpenFile(int mode) = 0;
    virtual std::int32_t CloseFile() = 0;
    // Takes one more hold on the server.
    virtual void Link() = 0;
    // Gives a hold back; the last one destroys the server, so the caller must
    // not touch it afterwards.
    virtual void Release() = 0;

  protected:
    // Servers end through Release, never through a caller's delete.
    virtual ~IFileOpenServer() = default;
};
