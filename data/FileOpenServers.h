#pragma once
// Choosing the open server of a runtime file: a private one for a per-thread
// file, the shared one of the process-wide map for a file all threads share.
// The map lives from program start to program end; any thread.

#include "data/IFileOpenServer.h"
#include "pairs/CriticalSection.h"
#include "runtime/store/KeyedFile.h"

// Each answer carries one hold that the caller gives back with Release.
IFileOpenServer* CreateFileOpenServer(rt::KeyedFile& file);
IFileOpenServer* CreateFileOpenServer(rt::KeyedFile& file, bool threaded);
IFileOpenServer* CreateThreadedFileOpenServer(rt::KeyedFile& file);
IFileOpenServer* CreateUnthreadedFileOpenServer(rt::KeyedFile& file);

// The process-wide lock that guards the map.
SyncObjectInterface& FileOpenServerMapLock();
// REQUIRES: FileOpenServerMapLock held. Asserts when the file has no entry.
void RemoveFromFileOpenServerMap(const rt::KeyedFile& file);
// How many shared files have a server now.
int TEST_fileOpenServerCount();
