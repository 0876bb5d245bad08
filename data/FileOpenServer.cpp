#include "data/FileOpenServer.h"

void FileOpenServer::Init(rt::KeyedFile& file) {
    MyFile = &file;
}

void FileOpenServer::Link() {
    ++Usage;
}

void FileOpenServer::Release() {
    if (Usage == 0) {
        delete this;
        return;
    }
    --Usage;
}
