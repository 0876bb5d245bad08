#include "data/ThreadedFileOpenServer.h"

#include "runtime/store/FileErrors.h"

std::int32_t ThreadedFileOpenServer::OpenFile(int mode) {
    int code = MyFile->open(mode);
    return code == rt::ErrAlreadyOpen ? 0 : code;
}

std::int32_t ThreadedFileOpenServer::CloseFile() {
    return MyFile->close();
}
