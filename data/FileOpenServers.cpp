#include "data/FileOpenServers.h"

#include <map>

#include "data/ThreadedFileOpenServer.h"
#include "data/UnthreadedFileOpenServer.h"
#include "runtime/host/Assert.h"
#include "pairs/CriticalProcedure.h"

namespace {

// File identity -> its shared server, with its lock: built on first use,
// destroyed at process end.
struct ServerMap {
    CriticalSection lock;
    std::map<const rt::KeyedFile*, UnthreadedFileOpenServer*> servers;
};

ServerMap& serverMap() {
    static ServerMap map;
    return map;
}

}  // namespace

SyncObjectInterface& FileOpenServerMapLock() {
    return serverMap().lock.GetIface();
}

IFileOpenServer* CreateFileOpenServer(rt::KeyedFile& file) {
    CriticalProcedure lock(&FileOpenServerMapLock());
    return CreateFileOpenServer(file, file.definition().threaded());
}

IFileOpenServer* CreateFileOpenServer(rt::KeyedFile& file, bool threaded) {
    return threaded ? CreateThreadedFileOpenServer(file) : CreateUnthreadedFileOpenServer(file);
}

IFileOpenServer* CreateThreadedFileOpenServer(rt::KeyedFile& file) {
    auto* server = new ThreadedFileOpenServer;
    server->Init(file);
    return server;
}

IFileOpenServer* CreateUnthreadedFileOpenServer(rt::KeyedFile& file) {
    CriticalProcedure lock(&FileOpenServerMapLock());
    auto& servers = serverMap().servers;
    if (auto found = servers.find(&file); found != servers.end()) {
        found->second->Link();
        return found->second;
    }
    auto* server = new UnthreadedFileOpenServer;
    server->Init(file);
    bool added = servers.emplace(&file, server).second;
    RT_ASSERT(added, "Unable to add file open server to the map");
    return server;
}

void RemoveFromFileOpenServerMap(const rt::KeyedFile& file) {
    bool removed = serverMap().servers.erase(&file) == 1;
    RT_ASSERT(removed, "Unable to remove file open server from the map");
}

int TEST_fileOpenServerCount() {
    CriticalProcedure lock(&FileOpenServerMapLock());
    return static_cast<int>(serverMap().servers.size());
}
