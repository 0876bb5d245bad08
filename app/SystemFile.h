#pragma once
// The System table of the data file "Lockora": its record buffer (SYS), the
// key, the declaration and the thread's handle on it. The table is meant to
// hold one record. One per thread; owns everything here.

#include <cstdint>

#include "data/FileManager.h"
#include "runtime/store/FileDefinition.h"
#include "runtime/text/FixedText.h"
#include "runtime/store/KeyedFile.h"

struct SystemFile {
    SystemFile();
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    // The record (SYS:Record), fields in stored order.
    std::int32_t System_ID = 0;
    rt::String<35> CompanyName;
    rt::String<50> Address;
    rt::String<20> City;
    rt::String<2> State;
    rt::String<5> Zip;
    rt::String<13> Phone;
    rt::String<13> Fax;
    rt::String<65> WebSite;
    rt::String<35> Email;
    rt::String<20> MasterPassword;  // as entered, case kept
    rt::String<254> FileLocation;   // stored; no window shows or sets it

    rt::FileDefinition Definition;
    FileKey System_IDKey = nullptr;
    rt::KeyedFile File;
};

// The calling thread's System table.
extern thread_local SystemFile SYS;
